#pragma once

#include <QList>
#include <QStringList>

#include "archive/expenseobject.h"
#include "lists/currencytable.h"
#include "platform/filestamp.h"
#include "report/expenserecords.h"
#include "report/expensereportinfo.h"
#include "report/preferences.h"
#include "report/reportlistener.h"

// The open expense report: its header and records, which make up the report
// file, with the currency table and the preferences that travel with it
// (each kept in a file of its own).
class CExpenseRecord;

class CExpenseReport : public CExpenseObject {
public:
    CExpenseReport();
    CExpenseReport(const CExpenseReport&) = delete;
    CExpenseReport& operator=(const CExpenseReport&) = delete;

    // The report file: the header's serialisation, then the records'.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Clears `modified`, then resets the header and the records.
    void Reset() override;
    // The flag of the records, the header and the report itself.
    void SetModified(bool modified) override;
    bool IsModified() const override;

    bool IsOpen() const { return open_; }
    void SetOpen(bool open) { open_ = open; }

    // What ApplyListChange brings up to date, and where.
    enum ListChange : int {
        kAllReports = 0x01,
        kOpenReport = 0x02,
        kSelectedOnly = 0x04,
        kMileageRate = 0x10,
        kPaymentSource = 0x20,
        kClassification = 0x40,
        kCurrencyRate = 0x80,
        kCurrencyTable = 0x100,
    };

    // Writes the report to `path`. With `force` a report whose file failed
    // to load is written without asking; without it an unmodified report is
    // not written at all. Success leaves the report open and unmodified.
    bool SaveAs(const QString& path, bool force);
    bool Save(bool force) { return SaveAs(header_.GetPath(), force); }
    // Opens the report file `path`, closing the open report first (saved
    // when `saveCurrent`; when that save fails the open report stays open).
    // Stored totals that differ from the records' (rounded at the home
    // currency's decimals) are corrected and the file is rewritten at once,
    // in the current version, unless the currency table stands in for a
    // damaged one.
    bool Open(const QString& path, bool saveCurrent);
    // Writes an empty report with the present header to `path`, closing the
    // open report first. `path` must be the header's own path, or a free
    // report name in a folder.
    bool New(const QString& path, bool saveCurrent);
    // A new report with the header `info` (its path included).
    bool CreateNew(const CExpenseReportInfo& info, bool saveCurrent);
    // Back to no report; with `saveFirst` only once the save succeeded.
    bool Close(bool saveFirst);
    // Closes the open report and moves its file into the trash, under a free
    // name when its own is taken there.
    bool DeleteCurrent();

    // The headers of the report files of `directory`, in the file system's
    // order, each with its path; unreadable ones are left out (and reported
    // when `reportErrors`). True when any was read.
    static bool ListReports(QList<CExpenseReportInfo>& list, const QString& directory,
                            bool reportErrors);
    // The number of report files in the reports folder.
    static int CountReports();

    // Brings stored expenses up to date after a list or a rate changed: the
    // templates carry the old and the new value, `flags` are ListChange bits.
    // False when a report that changed could not be saved.
    bool ApplyListChange(const CExpenseRecord& oldTemplate, const CExpenseRecord& newTemplate,
                         int flags);

    // What the user is told when `count` edited expenses were changed or
    // deleted by another program while they were being edited.
    static QString EditKeptMessage(int count);

    // What follows the report's expenses beside its file (not owned); none
    // by default. The listener takes itself off before it goes.
    void SetListener(ReportListener* listener) { listener_ = listener; }
    ReportListener* GetListener() const { return listener_; }
    // A listener for another report this one opens to change it, from this
    // report's own listener; none without one.
    std::unique_ptr<ReportListener> FollowerFor(CExpenseReport& other) const;

    CExpenseReportInfo& GetHeader() { return header_; }
    const CExpenseReportInfo& GetHeader() const { return header_; }
    CExpenseRecords& GetRecords() { return records_; }
    const CExpenseRecords& GetRecords() const { return records_; }
    CCurrencyTable& GetCurrencyTable() { return currencyTable_; }
    const CCurrencyTable& GetCurrencyTable() const { return currencyTable_; }
    CPreferences& GetPreferences() { return preferences_; }
    const CPreferences& GetPreferences() const { return preferences_; }

private:
    // Before writing `path`: when it is the file last read or written and
    // another writer changed it since, it is read again and this report's
    // own changes are put on top of it. A file that cannot be read any more
    // is left alone and `path` becomes a free copy's. False to give up.
    bool BringUpToDateWithFile(QString& path);
    // The header fields this report left as they were take `theirs`.
    void MergeHeader(const CExpenseReportInfo& theirs);
    // Puts the damaged records read into `records` beside `path`, adding
    // what the user is told to `messages`; true when they are safe there.
    bool KeepDamaged(CExpenseRecords& records, const QString& path, QStringList& messages);
    // The save itself, under the file's lock.
    bool WriteMerged(const QString& path);
    void RememberStored(const QString& path, const FileStamp& stamp);

    // The change to this report's records, looking rates up in `rates`;
    // nothing is saved.
    void ApplyChangeTo(const CExpenseRecord& oldTemplate, const CExpenseRecord& newTemplate,
                       int flags, const CCurrencyTable& rates);
    // The updates of `flags` to one record; false when none applied.
    static bool ApplyChangeToRecord(CExpenseRecord& record, const CExpenseRecord& oldTemplate,
                                    const CExpenseRecord& newTemplate, int flags,
                                    const CCurrencyTable& rates);

    CExpenseReportInfo header_;
    CExpenseRecords records_;
    CCurrencyTable currencyTable_;
    CPreferences preferences_;
    bool open_ = false;
    // The file as last read or written: its path, stamp and header.
    QString storedPath_;
    FileStamp stamp_;
    CExpenseReportInfo storedHeader_;
    QStringList afterSave_;               // told once the save lets go of the lock
    ReportListener* listener_ = nullptr;  // not owned
};
