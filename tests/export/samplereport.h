#pragma once

#include <QString>

#include "report/report.h"

class CExpenseRecord;

// An open report in the test platform's reports folder, with U.S. dollars at
// home (two decimals) and euros at hand, to fill with expenses.
class SampleReport {
public:
    explicit SampleReport(const QString& title = QStringLiteral("Trip"));

    CExpenseReport& Get() { return report_; }

    // An expense of the category `category` on day `day` of March 2026
    // (noon in the tests' zone), in `currency` at `rate`; it joins the
    // selection in force.
    CExpenseRecord& Add(const QString& description, double amount, int day = 14,
                        const QString& currency = QStringLiteral("U.S. Dollars"), double rate = 1,
                        const QString& category = QStringLiteral("Lunch"));

private:
    CExpenseReport report_;
};

// The path of `name` in the Exports folder.
QString ExportsPath(const QString& name);
