#pragma once

#include <QList>
#include <QString>

#include "receipts/receipt.h"

// The ties of one receipts folder, kept in a small JSON file inside it:
// each stored file with the expense it belongs to, named by the digest of
// the expense's bytes in the report file and its rank among the expenses
// with the same digest (in file order). Receipts whose expense could not
// be found are kept as unmatched.
class CReceiptIndex {
public:
    struct Entry {
        quint64 digest = 0;
        int rank = 0;
        QString file;  // the stored file's name in the folder
        QString originalName;
        Receipt::Kind kind = Receipt::Kind::Image;
        TimeStamp added = 0;
    };

    // The index file's name inside a receipts folder.
    static QString FileName();

    // Reads the index of `folder`; a missing one is empty. False, with the
    // reason, for one that cannot be read (it is then not written over).
    bool Read(const QString& folder, QString& error);
    // The same from the index file `path` (a copy from a backup).
    bool ReadFile(const QString& path, QString& error);
    // Writes it crash-safe; an empty index removes the file. The caller
    // holds the report file's lock.
    bool Write(const QString& folder, QString& error) const;
    // The bytes Write puts in the file, and reading them back.
    QByteArray ToJson() const;
    bool FromJson(const QByteArray& json, QString& error);

    // Whether any entry, tied or not, names the stored file `file`.
    bool References(const QString& file) const;
    bool IsEmpty() const { return ties.isEmpty() && unmatched.isEmpty(); }

    QList<Entry> ties;
    QList<Entry> unmatched;  // digest and rank unused
};
