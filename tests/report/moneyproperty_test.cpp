#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "lists/category.h"
#include "lists/currencytable.h"
#include "lists/expensetypemanager.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/expensereportinfo.h"
#include "report/expensetotals.h"
#include "report/report.h"
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

namespace {

// What a user or a script may give: amounts typed digit by digit, rates and
// readings within the bounds and now and then beyond them, as the entry
// rules must see them.
class EntryInputs {
public:
    explicit EntryInputs(unsigned seed) : engine_(seed), values_(seed + 1) {}

    // A number as typed: a sign now and then, 1 to 18 digits, 0 to 4
    // decimals.
    QString AmountText() {
        QString text = Chance(10) ? QStringLiteral("-") : QString();
        const int whole = Between(1, 18);
        for (int i = 0; i < whole; ++i) {
            text += QChar(u'0' + Between(i == 0 ? 1 : 0, 9));
        }
        if (const int decimals = Between(0, 4); decimals > 0) {
            text += QLatin1Char('.');
            for (int i = 0; i < decimals; ++i) {
                text += QChar(u'0' + Between(0, 9));
            }
        }
        return text;
    }
    // A value of `kind` within its bounds, or now and then beyond them, or
    // 0 where a stored value may be 0.
    double Value(Kind kind) {
        if (Chance(8)) {
            const double beyond[] = {-1.0, MoneyBounds::Highest(kind) * 1.5, 1e-12, 1e300};
            return beyond[Between(0, 3)];
        }
        return Chance(5) ? 0.0 : values_.Next(kind);
    }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }

private:
    std::mt19937_64 engine_;
    BoundedValues values_;
};

constexpr int kEntryReports = 40;
constexpr int kEntriesPerReport = 100;

}  // namespace

// 4,000 expenses and 40 cash advances through the rules every writer asks
// first (the slip, the Miles Pad, the report dialog, the command-line tool):
// whatever they accept is written and read back unchanged, so no input can
// make a report that will not open.
TEST(MoneyProperties, EveryExpenseTheEntryRulesAcceptIsWrittenAndReadAgain) {
    TestPlatform platform;
    EntryInputs inputs(20261208);
    int accepted = 0;
    int refused = 0;
    for (int r = 0; r < kEntryReports; ++r) {
        CExpenseReport report;
        CExpenseReportInfo header;
        QString error;
        const QString title = QStringLiteral("Entries %1").arg(r);
        ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), title, false, error));
        const double advance = inputs.AmountText().toDouble();
        if (CExpenseReportInfo::CashAdvanceProblem(advance).isEmpty()) {
            header.SetCashAdvance(Amount(advance));
        } else {
            EXPECT_EQ(CExpenseReportInfo::CashAdvanceProblem(advance),
                      MoneyBounds::Message(Kind::kCashAdvance));
        }
        ASSERT_TRUE(report.CreateNew(header, false));
        std::vector<CExpenseRecord> kept;
        for (int i = 0; i < kEntriesPerReport; ++i) {
            CExpenseRecord record;
            if (inputs.Chance(30)) {
                CCategory mileage;
                mileage.SetIndex(CCategory::kMileageIndex);
                record.SetCategory(mileage);
                const double start = inputs.Value(Kind::kOdometer);
                const double distance = inputs.Value(Kind::kDistance);
                const double rate = inputs.Value(Kind::kMileageRate);
                record.SetOdometerStart(start);
                record.SetOdometerEnd(start + distance);
                record.SetMileageRate(Amount(rate));
                Amount due(distance * rate);
                due.Round(2);
                record.SetAmount(due);
                record.SetExchangeRate(Amount(1.0));
            } else {
                Amount amount(inputs.AmountText().toDouble());
                amount.Round(inputs.Between(0, 3));
                record.SetAmount(amount);
                record.SetExchangeRate(Amount(inputs.Value(Kind::kRate)));
            }
            if (!record.GetValueProblem().isEmpty()) {
                ++refused;
                ASSERT_FALSE(record.HasStoredValues());
                continue;
            }
            ++accepted;
            kept.push_back(record);
            report.GetRecords().Add(std::make_unique<CExpenseRecord>(record), false);
        }
        ASSERT_TRUE(report.Save(false)) << title.toStdString();
        CExpenseReport reread;
        ASSERT_TRUE(reread.Open(report.GetHeader().GetPath(), false)) << title.toStdString();
        EXPECT_EQ(reread.GetHeader().GetCashAdvance().GetValue(),
                  report.GetHeader().GetCashAdvance().GetValue());
        ASSERT_EQ(reread.GetRecords().GetCount(false), int(kept.size()));
        for (int i = 0; i < int(kept.size()); ++i) {
            const CExpenseRecord* read = reread.GetRecords().GetAt(i, false);
            EXPECT_EQ(read->GetAmount(false).GetValue(), kept[i].GetAmount(false).GetValue());
            EXPECT_EQ(read->GetExchangeRate().GetValue(), kept[i].GetExchangeRate().GetValue());
            EXPECT_EQ(read->GetOdometerEnd(), kept[i].GetOdometerEnd());
            EXPECT_EQ(read->GetMileageRate().GetValue(), kept[i].GetMileageRate().GetValue());
        }
    }
    // Both answers were given often enough to mean something.
    EXPECT_GT(accepted, kEntryReports * kEntriesPerReport / 4);
    EXPECT_GT(refused, kEntryReports * kEntriesPerReport / 10);
}
