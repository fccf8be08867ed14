#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "export/receiptfile.h"
#include "lists/personalinfo.h"
#include "report/expensetotals.h"

class CExpenseRecord;
class CExpenseReport;
class CPaidWith;

// What an export shows: the expenses of a report (all of them, or the
// selection), their totals, and the traveller, with the texts that both the
// spreadsheet file and the printable report write for them.
class CExportContent {
public:
    // The report's expenses in its own order; with `selectedOnly` those of
    // the selection in force (all of them when there is none, as the lists
    // show them). The report must outlive the content.
    CExportContent(const CExpenseReport& report, bool selectedOnly, CPersonalInfo traveller);

    const CExpenseReport& GetReport() const { return report_; }
    const std::vector<const CExpenseRecord*>& GetExpenses() const { return expenses_; }
    // A selection was in force and asked for.
    bool IsSelection() const { return selection_; }
    // The six totals of the exported expenses, with the report's cash
    // advance, rounded at the home currency's decimals.
    const CExpenseTotals& GetTotals() const { return totals_; }
    const CPersonalInfo& GetTraveller() const { return traveller_; }
    // Asks `source` for the receipts of every exported expense; until then
    // none are known, and the expenses show only their receipt box.
    void SetReceipts(const ReceiptSource& source);
    bool KnowsReceipts() const { return knowsReceipts_; }
    // The receipts of the `expense`th exported expense; none when unknown.
    const std::vector<ReceiptFile>& ReceiptsOf(size_t expense) const;
    // All receipts of the exported expenses.
    int ReceiptCount() const;
    // What the `expense`th exported expense has of its receipts, once they
    // are known: "Yes", "Yes (N)" for several, or "Missing" whatever its
    // receipt box says, since the reader looks for the ones not attached.
    // Before, `withoutReceipts` or "Yes" as its box says.
    QString ReceiptText(size_t expense, const QString& withoutReceipts) const;

    // The report's title, or "Expense Report" for one that has no file yet.
    QString GetTitle() const;

    int GetHomeDigits() const;
    // An amount in the home currency's own format, with its symbol.
    QString FormatHome(const Amount& amount) const;
    // The expense's amount as entered, in its own currency's format.
    QString FormatEntered(const CExpenseRecord& record) const;
    // The amount as entered, at its currency's decimals, for a spreadsheet.
    QString PlainEntered(const CExpenseRecord& record) const;
    // The amount in the home currency, for a spreadsheet.
    QString PlainHome(const CExpenseRecord& record) const;
    // Entered in another currency than the home one (mileage never is).
    bool IsForeign(const CExpenseRecord& record) const;

    // The expense's day in local time.
    static QDate LocalDay(const CExpenseRecord& record);
    // "Personal" when the traveller paid, "Business" when the business did.
    static QString PaidByText(const CPaidWith& paidWith);
    // `value` rounded half away from zero at `decimals`, with "." and no
    // grouping, so that any spreadsheet reads it.
    static QString PlainNumber(double value, int decimals);
    // A rate as exactly as it is kept, without trailing zeros: "0.8", "1".
    static QString PlainRate(double value);

private:
    const CExpenseReport& report_;
    std::vector<const CExpenseRecord*> expenses_;
    bool selection_ = false;
    CExpenseTotals totals_;
    CPersonalInfo traveller_;
    bool knowsReceipts_ = false;
    std::vector<std::vector<ReceiptFile>> receipts_;
};
