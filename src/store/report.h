#pragma once

#include "lists/currencytable.h"
#include "store/expenseobject.h"
#include "store/expenserecords.h"
#include "store/expensereportinfo.h"
#include "store/preferences.h"

// The open expense report: its header and records, which make up the report
// file, with the currency table and the preferences that travel with it
// (each kept in a file of its own).
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

    CExpenseReportInfo& GetHeader() { return header_; }
    const CExpenseReportInfo& GetHeader() const { return header_; }
    CExpenseRecords& GetRecords() { return records_; }
    const CExpenseRecords& GetRecords() const { return records_; }
    CCurrencyTable& GetCurrencyTable() { return currencyTable_; }
    const CCurrencyTable& GetCurrencyTable() const { return currencyTable_; }
    CPreferences& GetPreferences() { return preferences_; }
    const CPreferences& GetPreferences() const { return preferences_; }

private:
    CExpenseReportInfo header_;
    CExpenseRecords records_;
    CCurrencyTable currencyTable_;
    CPreferences preferences_;
    bool open_ = false;
};
