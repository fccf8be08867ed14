#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QStringList>

#include "receipts/receipt.h"
#include "receipts/receiptimport.h"
#include "receipts/receiptindex.h"
#include "report/reportlistener.h"

class CExpenseReport;

// The receipts of one open report, following it: installed as the report's
// listener, it keeps the ties of the report's receipts folder in step with
// every load, save, edit, sort and move of the expenses, and with the
// report's file when it goes into the trash.
//
// Files are stored as soon as they are attached; a tie is written into the
// folder's index when the report is saved (or Commit is called), so a slip
// that is cancelled leaves nothing behind. Receipts whose expense another
// program changed or deleted are kept as unmatched, never deleted; only an
// expense deleted for good takes its receipts with it, and a stored file
// goes only once nothing refers to it any more.
class CReceiptKeeper : public ReportListener {
public:
    // Installs itself as the report's listener until it goes, when the
    // listener before it comes back. One keeper follows a report at a time:
    // screens share the one the main window keeps.
    explicit CReceiptKeeper(CExpenseReport& report);  // not owned
    ~CReceiptKeeper() override;
    CReceiptKeeper(const CReceiptKeeper&) = delete;
    CReceiptKeeper& operator=(const CReceiptKeeper&) = delete;

    // The receipts folder of the open report; empty when none is open.
    QString Folder() const;

    // The receipts of the expense with identity `expenseId`
    // (CExpenseRecord::GetId), in the order they were attached.
    QList<Receipt> ReceiptsOf(quint64 expenseId) const;
    bool HasReceipts(quint64 expenseId) const;
    // The expenses (the selected ones when `selected`) with no receipt file.
    int CountWithoutReceipts(bool selected) const;
    QList<quint64> ExpensesWithoutReceipts(bool selected) const;

    // Stores the chosen files and ties them to the expense, which need not
    // be in the report yet (a new slip's record keeps its identity once
    // added). All or nothing: false, with the message, and nothing attached
    // when any file is refused.
    bool Attach(quint64 expenseId, const QStringList& files, const ImportOptions& options,
                QString& error);
    // A picture taken with the camera.
    bool AttachImage(quint64 expenseId, const QImage& photo, QString& error);
    bool AttachImage(quint64 expenseId, const QImage& photo, const ImportOptions& options,
                     QString& error);
    // Unties the receipt with the stored path `receiptPath` from the expense.
    bool Detach(quint64 expenseId, const QString& receiptPath, QString& error);
    // The expense was deleted for good: its receipts go with the next save.
    void ForgetExpense(quint64 expenseId);
    // A slip was cancelled: what it attached or detached since the last save
    // is undone.
    void DiscardPending(quint64 expenseId);

    // Receipts whose expense could not be found, kept for the user.
    QList<Receipt> Unmatched() const;
    // Ties an unmatched receipt to an expense (written with the next save
    // or Commit).
    bool AttachUnmatched(const QString& receiptPath, quint64 expenseId, QString& error);
    // Deletes an unmatched receipt the user no longer wants, at once.
    bool RemoveUnmatched(const QString& receiptPath, QString& error);

    // Writes the changes of expenses the report file holds as they are now
    // into the index without saving the report (the command-line tool, and
    // an attach to an unchanged expense). Changes of expenses not yet saved
    // wait for the save. False, with the reason, when the index could not
    // be written.
    bool Commit(QString& error);

    // ReportListener
    void ReportLoaded(CExpenseReport& report, const QString& path) override;
    void ReportWriting(CExpenseReport& report, const QString& path) override;
    void ReportWritten(CExpenseReport& report, const QString& path) override;
    void ReportClosed(CExpenseReport& report) override;
    void ReportMoved(const QString& from, const QString& to) override;
    void RecordReplaced(quint64 oldId, quint64 newId) override;
    void RecordRemoved(quint64 id) override;
    void RecordCopied(const CExpenseRecord& from, CExpenseReport& target, quint64 copyId) override;
    std::unique_ptr<ReportListener> FollowerFor(CExpenseReport& other) override;

private:
    struct Tie {
        QString file;  // the stored file's name
        QString originalName;
        Receipt::Kind kind = Receipt::Kind::Image;
        TimeStamp added = 0;
    };
    // Where an expense's ties stand in the index: the digest of its bytes
    // in the report file and its rank among the expenses with that digest.
    struct Key {
        quint64 digest = 0;
        int rank = 0;
        bool operator==(const Key& other) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed) {
        return qHashMulti(seed, key.digest, key.rank);
    }

    static Tie FromEntry(const CReceiptIndex::Entry& entry);
    static CReceiptIndex::Entry ToEntry(const Tie& tie, const Key& key);
    static bool Holds(const QList<Tie>& ties, const QString& file);
    Receipt ToReceipt(const Tie& tie) const;
    QList<Tie> TiesOf(quint64 expenseId) const;

    // Every expense of the report with its key in the file as last read
    // or written.
    QHash<quint64, Key> KeysOfRecords() const;
    // Reads the folder's index for the report just read from `path`.
    void Load(const QString& path);
    // Takes `index` as what the folder holds for the report as it is now.
    void TakeIndex(const CReceiptIndex& index);
    bool Store(const ReceiptImport::Imported& imported, Tie& tie, QString& error);
    bool AddTies(quint64 expenseId, const QList<Tie>& ties, QString& error);
    // The index with this keeper's changes; with `afterWrite` the report
    // file was just written anew and every expense takes its new key.
    bool WriteIndex(bool afterWrite, QString& error);
    // Deletes the stored files of `candidates` that `index` and the changes
    // waiting here no longer refer to.
    void RemoveUnreferenced(const QStringList& candidates, const CReceiptIndex& index) const;
    void Warn(const QString& error) const;

    CExpenseReport& report_;    // not owned
    ReportListener* previous_;  // not owned
    QString reportPath_;        // the report file the ties belong to
    QString folder_;
    // The ties as the index last read or written holds them, by expense,
    // the key each expense had there, and the receipts of no expense.
    QHash<quint64, QList<Tie>> stored_;
    QHash<quint64, Key> keys_;
    QList<Tie> unmatched_;
    // Changes since: ties added and untied by expense, expenses deleted for
    // good, unmatched receipts tied again.
    QHash<quint64, QList<Tie>> added_;
    QHash<quint64, QStringList> removed_;
    QSet<quint64> forgotten_;
    QSet<QString> claimed_;
    // Before a write: the key each expense had in the file being replaced.
    QHash<quint64, Key> beforeWrite_;
};
