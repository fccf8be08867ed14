#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "lists/categoryexmanager.h"
#include "lists/classificationgroupmgr.h"
#include "lists/paidwithmanager.h"
#include "report/report.h"

class CExpenseRecord;

// The program's document: the open report with its currency table and
// preferences, and the three reference lists, for the whole run. Views and
// commands work on the user's data through it; it keeps the most recent
// report in the preferences and asks before the program exits unsaved.
class CExpenseDoc {
public:
    // The report dialog in its "New Report" form, filling the header of a
    // report about to be written; false for Cancel.
    using NewReportDialog = std::function<bool(CExpenseReportInfo& header)>;

    // Loads, without messages, the currency table, the preferences, the
    // categories, the payment sources and the classification groups; a list
    // whose file is missing or unreadable is rebuilt from its defaults.
    CExpenseDoc();
    // Writes the preferences' profile values.
    ~CExpenseDoc();
    CExpenseDoc(const CExpenseDoc&) = delete;
    CExpenseDoc& operator=(const CExpenseDoc&) = delete;

    CExpenseReport& GetReport() { return report_; }
    CExpenseRecords& GetRecords() { return report_.GetRecords(); }
    CCategoryExManager& GetCategories() { return categories_; }
    CPaidWithManager& GetPaymentSources() { return paymentSources_; }
    CClassificationGroupMgr& GetClassificationGroups() { return classificationGroups_; }
    CPreferences& GetPreferences() { return report_.GetPreferences(); }
    CCurrencyTable& GetCurrencyTable() { return report_.GetCurrencyTable(); }
    const CCurrencyTable& GetCurrencyTable() const { return report_.GetCurrencyTable(); }

    void SetNewReportDialog(NewReportDialog dialog) { newReportDialog_ = std::move(dialog); }

    // Each opens or creates a report and makes it the most recent file.
    bool OpenReport(const QString& path);
    // `path` when it opens, else the most recent file, else the first report
    // of the reports folder that opens. True when a report is open.
    bool OpenStartupReport(const QString& path);
    bool CreateReport(const CExpenseReportInfo& info);
    bool DeleteReport();
    bool CloseReport(bool saveFirst);
    // Saves the open report. Changes made with no report open ask for a new
    // report first; Cancel drops them.
    bool SaveReport(bool force);

    bool AddRecord(std::unique_ptr<CExpenseRecord> record, bool sort);
    bool ReplaceRecord(int index, std::unique_ptr<CExpenseRecord> record, bool resort);
    bool RemoveRecord(int index);
    // The same for the expense with identity `id` (CExpenseRecord::GetId),
    // wherever it is now; false when the report no longer holds it.
    bool ReplaceRecordById(quint64 id, std::unique_ptr<CExpenseRecord> record, bool resort);
    bool RemoveRecordById(quint64 id);
    void SortRecords();

    void SetModifiedFlag(bool modified);
    bool IsModified() const;
    // Before the program ends: true when it may end (saved, or the user
    // agreed to lose the changes).
    bool SaveModified();
    // After files were replaced behind the program's back: the open report
    // and every list are read again.
    void ReloadAll();

private:
    void LoadLists();

    CExpenseReport report_;
    CCategoryExManager categories_;
    CPaidWithManager paymentSources_;
    CClassificationGroupMgr classificationGroups_;
    bool modified_ = false;
    NewReportDialog newReportDialog_;
};
