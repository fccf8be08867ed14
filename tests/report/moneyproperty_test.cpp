#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lists/currencytable.h"
#include "lists/expensetypemanager.h"
#include "money/moneybounds.h"
#include "report/expenserecord.h"
#include "report/expensetotals.h"
#include "support/testplatform.h"

namespace {

using Kind = MoneyBounds::Kind;

// Random values within the bounds of a kind, spread over every order of
// magnitude rather than crowded at the top, with the bounds themselves and
// 0 among them.
class BoundedValues {
public:
    explicit BoundedValues(unsigned seed) : engine_(seed) {}

    double Next(Kind kind) {
        const double low = MoneyBounds::Lowest(kind);
        const double high = MoneyBounds::Highest(kind);
        switch (std::uniform_int_distribution<int>(0, 9)(engine_)) {
            case 0:
                return low;
            case 1:
                return high;
            case 2:
                return std::max(low, 0.0);
            default:
                break;
        }
        const double smallest = low > 0 ? low : 1e-9;
        const double exponent = std::uniform_real_distribution<double>(std::log10(smallest),
                                                                       std::log10(high))(engine_);
        double value = std::pow(10.0, exponent);
        if (low < 0 && std::uniform_int_distribution<int>(0, 1)(engine_) == 1) {
            value = -value;
        }
        return std::clamp(value, low, high);
    }

    int Digits() { return std::uniform_int_distribution<int>(0, 9)(engine_); }
    int Index(int count) { return std::uniform_int_distribution<int>(0, count - 1)(engine_); }

private:
    std::mt19937_64 engine_;
};

constexpr int kRounds = 20000;

}  // namespace

TEST(MoneyProperties, ConversionAndRoundingOfBoundedValuesStayFiniteAndBounded) {
    BoundedValues values(20260314);
    for (int i = 0; i < kRounds; ++i) {
        const double amount = values.Next(Kind::kAmount);
        const double rate = values.Next(Kind::kRate);
        const int digits = values.Digits();
        const Amount converted =
            CCurrencyTable::ConvertToHome(Amount(amount), Amount(rate), digits);
        ASSERT_TRUE(MoneyBounds::Contains(Kind::kAmount, converted.GetValue()))
            << amount << " / " << rate << " at " << digits;
        // Rounding moves a value by half a unit of its last decimal at most
        // (the very top of the bounds may so land just beyond them).
        Amount rounded(amount);
        rounded.Round(digits);
        ASSERT_TRUE(std::isfinite(rounded.GetValue())) << amount << " at " << digits;
        ASSERT_LE(std::fabs(rounded.GetValue() - amount), 0.5 * std::pow(10.0, -digits) + 1e-3)
            << amount << " at " << digits;
        // Whatever a damaged setting asks for, rounding never overflows.
        Amount wild(amount);
        wild.Round(16711682 + digits);
        ASSERT_TRUE(std::isfinite(wild.GetValue())) << amount;
        const double distance = values.Next(Kind::kDistance);
        const double mileageRate = values.Next(Kind::kMileageRate);
        if (MoneyBounds::FitsProduct(distance, mileageRate)) {
            ASSERT_TRUE(MoneyBounds::Contains(Kind::kAmount, distance * mileageRate));
        }
    }
}

TEST(MoneyProperties, TotalsOfBoundedRecordsStayFiniteAndBounded) {
    TestPlatform platform;
    BoundedValues values(7);
    for (int report = 0; report < 200; ++report) {
        CExpenseTotals totals;
        const double advance = values.Next(Kind::kCashAdvance);
        const int digits = values.Digits();
        for (int i = 0; i < 100; ++i) {
            CExpenseRecord record;
            record.SetExpenseType(CExpenseTypeManager::GetExpenseType(values.Index(3)));
            CPaidWith paidWith = record.GetPaidWith();
            paidWith.SetPaymentType(values.Index(2));
            record.SetPaidWith(paidWith);
            const Amount amount = CCurrencyTable::ConvertToHome(
                Amount(values.Next(Kind::kAmount)), Amount(values.Next(Kind::kRate)), digits);
            totals.TakeOutAdvance(Amount(advance));
            totals.AddRecord(record, amount);
            totals.PutBackAdvance(Amount(advance));
            totals.Round(digits);
        }
        for (const Amount* figure :
             {&totals.GetTotal(), &totals.GetReimbursementDue(), &totals.GetBusinessPaid(),
              &totals.GetDeductible(), &totals.GetNonDeductible(), &totals.GetReimbursable()}) {
            ASSERT_TRUE(MoneyBounds::ContainsTotal(figure->GetValue())) << report;
        }
    }
}

TEST(MoneyProperties, RebasingBoundedRatesKeepsThemRates) {
    TestPlatform platform;
    BoundedValues values(11);
    for (int table = 0; table < 200; ++table) {
        CCurrencyTable rates(QString{});
        for (int i = 0; i < 20; ++i) {
            const QString name = QStringLiteral("Currency %1").arg(i);
            CCurrencyFormat format;
            format.SetCode(QStringLiteral("C%1").arg(i));
            rates.SetFormat(name, format);
            rates.SetRate(name, CurrencyRate(values.Next(Kind::kRate)), false, false);
        }
        const QString home = QStringLiteral("Currency %1").arg(values.Index(20));
        ASSERT_TRUE(rates.SetHomeCurrency(home, true));
        for (const auto& entry : rates.Rates()) {
            ASSERT_TRUE(MoneyBounds::Contains(Kind::kRate, entry.value.GetValue()))
                << entry.key.toStdString() << " " << entry.value.GetValue();
        }
        CurrencyRate homeRate;
        ASSERT_TRUE(rates.GetHomeRate(homeRate));
        EXPECT_EQ(homeRate.GetValue(), 1.0);
    }
}
