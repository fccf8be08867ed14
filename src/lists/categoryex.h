#pragma once

#include <QString>

#include "lists/category.h"
#include "lists/history.h"

// A category of the user's list: the category tuple with an account number
// and the descriptions remembered for it. Each lives in its own file in the
// data folder, named after the category ("Taxi.dat"); its description history
// has a file of its own ("Taxi Desc.dat").
//
// A category name becomes a file name, so only names that are usable as one
// (IsUsableName) ever reach the file system: with any other name every file
// operation fails and touches nothing.
class CCategoryEx : public CCategory {
public:
    CCategoryEx() = default;
    // With a usable name, the description history is kept in
    // "<name> Desc.dat" in the data folder (taken or not).
    CCategoryEx(const QString& name, qint32 index, qint32 group);
    // Copies as CCategory does, with the account number and the history.
    CCategoryEx(const CCategoryEx& other);
    CCategoryEx& operator=(const CCategoryEx& other);

    // The file body: the header (type 3 for a user-defined category, else
    // 2), the account number, the history's file name, then the category
    // tuple. Nothing at all when not persistent.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Back to the defaults; the history is emptied and keeps its file.
    void Reset() override;
    // Also true while the description history differs from its file.
    bool IsModified() const override;

    // The file type a category of that index is kept in.
    static quint32 FileTypeOf(qint32 index);
    // The body of a category file after its header, in either direction:
    // account number, history file name (without folder), category tuple.
    static void ExchangeBody(CExpenseArchive& archive, int context, QString& accountNumber,
                             QString& historyFileName, CCategory& category);

    QString GetAccountNumber() const { return accountNumber_; }
    void SetAccountNumber(const QString& accountNumber);
    CHistory& GetDescriptionHistory() { return descriptionHistory_; }
    const CHistory& GetDescriptionHistory() const { return descriptionHistory_; }

    // True when `name` can be the name of a file in the data folder: not
    // empty, not "." or "..", and without the characters that a file name on
    // this or the handheld's file system cannot hold (\ / : * ? " < > | and
    // control characters).
    static bool IsUsableName(const QString& name);
    // "<name>.dat" in the data folder; empty when the name is not usable or
    // there is no data folder.
    QString GetFilePath() const;

    // Reads the category from its file, unless it is loaded already, then
    // with `withHistory` its description history (a missing history file is
    // created empty). A missing or empty file leaves the category as it is,
    // and so does a file of the other kind of category or of another list
    // (left to whoever owns it). A file that cannot be read is kept beside itself
    // (KeepUnreadableFile) and the category, unchanged, is written in its
    // place; when it cannot be kept, the category is marked not valid and is
    // not overwritten without asking. False when nothing was read, or a
    // needed write failed. Never for a category that is not persistent.
    bool Load(bool withHistory, bool reportErrors = false);
    // Reads the description history alone (see Load).
    bool LoadHistory(bool reportErrors = false);
    // When modified, writes the category's file and, with `withHistory`, its
    // history (which never reports errors); true when all needed writes
    // succeeded. Refuses to overwrite a data file of another kind, and,
    // without `reportErrors`, a file that failed to load. Never for a
    // category that is not persistent.
    bool Save(bool withHistory, bool reportErrors = false);

    // The path of a history file for `name` (else the category's name, else
    // "TempCat"): "<name> Desc.dat" in the data folder, or with `unique`
    // the first of that, "<name> Desc1.dat", "<name> Desc2.dat" ... that is
    // not taken. Empty when the name is not usable or there is no data folder.
    QString MakeHistoryFileName(const QString& name, bool unique) const;

    // Moves the category's files to `newName`: the history file to a free
    // history name for it, then the category's file. False, with the old
    // name kept, when the category has no file yet; also false, changing
    // nothing, for a name that is not usable. Failed file renames are not
    // reported.
    bool Rename(const QString& newName);
    // Deletes the category's file and its history file; true when both went.
    // Files of another kind are never deleted.
    bool DeleteFiles();

private:
    // Reads the file at `path`, known to hold something; see Load.
    bool LoadFromFile(const QString& path, bool reportErrors);
    // Writes the category's own file; see Save.
    bool SaveOwnFile(bool reportErrors);

    QString accountNumber_;
    CHistory descriptionHistory_;
};
