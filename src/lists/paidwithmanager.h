#pragma once

#include <QString>
#include <functional>

#include "archive/expenseobject.h"
#include "lists/ownednamemap.h"
#include "lists/paidwith.h"

// The user's payment sources, kept in the file PaidWith.dat of the data
// folder and keyed by their upper-cased names, so names are unique without
// regard to letter case. The manager owns its payment sources; pointers it
// hands out stay good until that payment source is removed.
//
// The list is modified when the manager or any of its payment sources is;
// clearing the flag clears theirs too.
class CPaidWithManager : public CExpenseObject {
public:
    CPaidWithManager();
    ~CPaidWithManager() override;
    CPaidWithManager(const CPaidWithManager&) = delete;
    CPaidWithManager& operator=(const CPaidWithManager&) = delete;

    // The file header (type 8), the count, then each payment source in the
    // map's order. Reading replaces the whole list.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Not modified, then empty.
    void Reset() override;
    bool IsModified() const override;
    void SetModified(bool modified) override;

    // Reads the list from its file. A missing, empty, unreadable, foreign or
    // newer file, or one without payment sources, is replaced by the
    // defaults, written at once (see LoadListFile); the result is then that
    // of the save. False without a file path.
    bool Load(bool reportErrors);
    // Writes the list when it is modified (true without writing when not),
    // then clears the modified flag. False without a file path or when the
    // save failed.
    bool Save(bool reportErrors);
    // Replaces the list by the built-in payment sources.
    void CreateDefaults();

    // Stores a copy of `paidWith` under its upper-cased name, in place of a
    // payment source of that name in any case, and returns the copy; null
    // for null.
    CPaidWith* Add(const CPaidWith* paidWith);
    CPaidWith* Find(const QString& name);
    const CPaidWith* Find(const QString& name) const;
    bool Exists(const QString& name) const { return Find(name) != nullptr; }
    // Deletes the payment source; false when there was none of that name.
    bool Remove(const QString& name);
    // Gives the payment source `oldName` the name `newName` and files it
    // under that name; null when there is no `oldName` or when `newName`
    // belongs to another payment source.
    CPaidWith* Rename(const QString& oldName, const QString& newName);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(items_.Count()); }
    bool IsEmpty() const { return items_.IsEmpty(); }

    // Reads the body of a payment-source file that follows its header: the
    // count, then each payment source, handed to `take` in file order (the
    // object handed over is reused for the next one).
    static void ReadEntries(CExpenseArchive& archive, int context,
                            const std::function<void(CPaidWith&)>& take);

    const QString& GetFilePath() const { return filePath_; }
    // An empty path restores the default path.
    void SetFilePath(const QString& path);
    // PaidWith.dat in the data folder; empty without a data folder.
    static QString DefaultFilePath();

    // Iteration visits every payment source once, in the map's order.
    using iterator = OwnedNameMap<CPaidWith>::iterator;
    using const_iterator = OwnedNameMap<CPaidWith>::const_iterator;
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

private:
    QString filePath_;
    OwnedNameMap<CPaidWith> items_;
};
