#include "benchexpenses.h"

#include <memory>

#include "lists/category.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"

void AddBenchExpenses(CExpenseRecords& records, int count, std::mt19937& random) {
    const char* names[] = {"Taxi", "Lunch", "Lodging", "Fuel", "Phone", "Misc"};
    for (int i = 0; i < count; ++i) {
        auto record = std::make_unique<CExpenseRecord>();
        record->SetCategory(CCategory(names[i % 6], 10, 6));
        record->SetDate(1700000000 + static_cast<TimeStamp>(random() % 30000000));
        record->SetDescription(QStringLiteral("Expense number %1").arg(random() % 5000));
        record->SetAmount(Amount((random() % 100000) / 100.0));
        record->SetExchangeRate(Amount(1.0));
        record->SetCurrencyName("U.S. Dollars");
        records.Add(std::move(record), false);
    }
}
