#include "samplereports.h"

#include <memory>
#include <vector>

#include "lists/categoryexmanager.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"

namespace {

struct SampleExpense {
    int category;  // built-in index
    double amount;
};

void MakeReport(const QString& title, double cashAdvance,
                const std::vector<SampleExpense>& expenses) {
    CExpenseDoc document;
    CExpenseReportInfo header;
    QString error;
    if (!header.ValidateName(GetReportsDirectory(), title, false, error)) {
        qFatal("sample report %s: %s", qPrintable(title), qPrintable(error));
    }
    header.SetCashAdvance(Amount(cashAdvance));
    document.CreateReport(header);
    const TimeStamp now = Platform::Get().GetClock().Now();
    int day = 0;
    for (const SampleExpense& expense : expenses) {
        const CCategoryEx* category = document.GetCategories().Find(
            CCategoryExManager::GetBuiltInShortName(expense.category));
        auto record = std::make_unique<CExpenseRecord>();
        if (category != nullptr) {
            record->SetCategory(*category);
        }
        record->SetDate(now - day++ * 86400);
        record->SetDescription(QStringLiteral("Sample %1").arg(day));
        record->SetAmount(Amount(expense.amount));
        record->SetExchangeRate(Amount(1.0));
        record->SetCurrencyName(document.GetCurrencyTable().GetHomeCurrency());
        document.AddRecord(std::move(record), false);
    }
    document.SortRecords();
    if (!document.SaveReport(true)) {
        qFatal("sample report %s could not be saved", qPrintable(title));
    }
}

}  // namespace

void MakeSampleReports() {
    MakeReport(QStringLiteral("Boston Trip"), 150,
               {{4, 12.35}, {3, 7.5}, {10, 189}, {6, 23.8}, {1, 412.17}, {4, 9.99}});
    MakeReport(QStringLiteral("March"), 0, {{2, 4.25}, {5, 61.4}, {16, 0.01}});
    MakeReport(QStringLiteral("Empty"), 0, {});
}
