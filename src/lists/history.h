#pragma once

#include <QString>
#include <QStringList>

#include "archive/expenseobject.h"

// A list of remembered texts (purposes, locations, contacts, a category's
// descriptions) kept in a file of its own. The list is alphabetical: after
// every change that brings a text in, the whole list is sorted ascending
// without regard to letter case. Texts may repeat.
class CHistory : public CExpenseObject {
public:
    CHistory() = default;
    // Not modified and empty, kept in the file at `filePath`.
    explicit CHistory(const QString& filePath);
    // Copies the file path, the modified flag and the texts in order.
    CHistory(const CHistory& other);
    CHistory& operator=(const CHistory& other);

    // The file header (type 5), then the texts as a string array. Reading
    // replaces the texts, in the order of the file.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Not modified and empty; the file path stays.
    void Reset() override;

    int GetCount() const { return static_cast<int>(items_.size()); }
    // The text at `index`; empty for an index out of range.
    QString GetAt(int index) const;
    const QStringList& GetItems() const { return items_; }
    // The index of the first text equal to `text`, letter case counting; -1
    // when there is none.
    int Find(const QString& text) const;

    // These change the list, sort it and mark it modified. An index out of
    // range changes nothing and gives false, except that `InsertAt` at or
    // beyond the end adds.
    bool Add(const QString& text);
    bool InsertAt(int index, const QString& text);
    bool SetAt(int index, const QString& text);
    bool RemoveAt(int index);
    // Empties the list; modified when there was something to remove.
    void RemoveAll();

    // The full path, or without `withDirectory` only the file name (what
    // follows the last "/" or "\").
    QString GetFilePath(bool withDirectory = true) const;
    // An empty path is ignored.
    void SetFilePath(const QString& path);

    // Reads the texts from the file. A missing, empty, unreadable, foreign or
    // newer file is replaced by an empty list, written at once (see
    // LoadListFile); the result is then that of the save. False without a
    // file path. A history that is loaded already is not read again.
    bool Load(bool reportErrors);
    // Writes the texts when they are modified (true without writing when
    // not). False without a file path or when the save failed.
    bool Save(bool reportErrors);

private:
    void Sort();

    QStringList items_;
    QString filePath_;
};
