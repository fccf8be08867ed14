#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "money/amount.h"
#include "report/expenserecord.h"
#include "report/expensereportinfo.h"

class CCurrencyTable;
class CExpenseReport;

// A new home currency carried into every report of the reports folder. The
// currency table is shared by all reports, so a report left behind would show
// its old home money as money of the new home currency.
//
// Every expense keeps its worth: its own rate is re-based by the factor the
// table's rates were re-based by, and what is counted in the home currency
// itself (trips and their mileage rates, cash advances) is converted at the
// new rate. Plan works all of it out in memory and checks every new value
// against MoneyBounds; Apply writes the reports, then the table, and puts
// back what it wrote when a write fails.
class CHomeCurrencyChange {
public:
    // `open` is the program's report, open or not (not owned). Its currency
    // table is the shared one and already holds the new home currency with
    // its rates re-based; `oldHome` is the home currency the reports were
    // written in. `rebasedBy`, what the table's rates were multiplied by,
    // stands in for the old home currency's rate when the table holds none.
    CHomeCurrencyChange(CExpenseReport& open, QString oldHome, double rebasedBy = 0);
    ~CHomeCurrencyChange();
    CHomeCurrencyChange(const CHomeCurrencyChange&) = delete;
    CHomeCurrencyChange& operator=(const CHomeCurrencyChange&) = delete;

    // Reads every report and converts it in memory. False when the change
    // cannot be made, GetProblem saying why (a value beyond its bounds, no
    // rate between the two currencies). Nothing is changed or written.
    bool Plan();
    const QString& GetProblem() const { return problem_; }
    // Whether any report holds something to convert or cannot be read.
    bool HasWork() const { return !planned_.empty() || !unreadable_.isEmpty(); }
    int GetExpenseCount() const { return expenses_; }
    int GetReportCount() const { return static_cast<int>(planned_.size()); }
    // Units of the new home currency one unit of the old one buys.
    double GetRate() const { return factor_ > 0 ? 1.0 / factor_ : 0.0; }
    // What every rate is multiplied by: the old home currency's rate in the
    // re-based table; 0 when it has none.
    double GetFactor() const { return factor_; }
    // The titles of the reports that cannot be read; they stay as they are.
    const QStringList& GetUnreadable() const { return unreadable_; }
    // What the change converts, at what rate, and what it leaves alone.
    QString GetQuestion() const;

    // Writes every planned report, then the preferences with their default
    // mileage rate converted, then the table. When a write fails, the
    // reports and preferences already written are written back as they
    // were, the open report holds what it held, the table's file is not
    // written, and the user is told; the result is then false.
    bool Apply();

    // An expense's own rate re-based by `factor`. A rate of 0 counted the
    // amount as typed, as money of the old home currency: it becomes that
    // currency's rate, so the amount keeps its worth.
    static double RebaseRate(double rate, double factor) {
        return rate == 0.0 ? factor : rate * factor;
    }
    // One expense converted: `factor` is the old home currency's rate in
    // the re-based table, `digits` the new home currency's decimals. An empty
    // result, or the message of the bound a new value would break.
    static QString ConvertRecord(CExpenseRecord& record, double factor, int digits,
                                 const QString& home);

private:
    struct Planned {
        CExpenseReport* report = nullptr;  // the open report or `owned`
        std::unique_ptr<CExpenseReport> owned;
        CExpenseReportInfo headerBefore;
        std::vector<CExpenseRecord> before;
        std::vector<CExpenseRecord> after;
        Amount advanceAfter;
    };

    // Reads and converts one report; false when a value would leave its
    // bounds (problem_ says which).
    bool PlanReport(Planned& planned);
    static void Assign(Planned& planned, const std::vector<CExpenseRecord>& records);
    // Puts back the first `written` reports' files and every report's
    // memory; the titles of the files that could not be put back.
    QStringList Restore(size_t written, bool preferencesTried);

    CExpenseReport& open_;   // not owned
    CCurrencyTable& table_;  // not owned: the open report's
    QString oldHome_;
    double rebasedBy_;
    double factor_ = 0;
    std::vector<Planned> planned_;
    QStringList unreadable_;
    QString problem_;
    int expenses_ = 0;
    Amount mileageRateBefore_;
    Amount mileageRateAfter_;
    bool openWasModified_ = false;
};
