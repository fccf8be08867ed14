#include <gtest/gtest.h>

#include <QSet>
#include <limits>

#include "lists/expensetypemanager.h"
#include "lists/paidwith.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "report/subtotals.h"
#include "report/totalssummary.h"
#include "support/testplatform.h"

namespace {

struct Expense {
    const char* category;
    double amount;
    int day = 14;  // of March 2026
    bool receipt = false;
    qint32 typeCode = CExpenseType::kBusinessReimbursable;
    qint32 paymentType = CPaidWith::kPersonal;
};

TimeStamp March(int day) {
    return Platform::Get().GetClock().FromLocal(QDate(2026, 3, day), QTime(9, 30));
}

class SubtotalsTest : public ::testing::Test {
protected:
    void Add(const Expense& expense) {
        auto record = std::make_unique<CExpenseRecord>();
        CCategory category(QString::fromLatin1(expense.category), 4, 1);
        category.SetExpenseType(CExpenseTypeManager::GetExpenseType(expense.typeCode));
        category.SetPaidWith(
            CPaidWith(expense.paymentType == CPaidWith::kBusiness ? "Business Card" : "Cash",
                      "PAIDWITH02U.BMP", expense.paymentType));
        record->SetCategory(category);
        record->SetReceipt(expense.receipt);
        record->SetDate(March(expense.day));
        record->SetAmount(Amount(expense.amount));
        record->SetExchangeRate(Amount(1));
        report_.GetRecords().Add(std::move(record), false);
    }
    void Add(std::initializer_list<Expense> expenses) {
        for (const Expense& expense : expenses) {
            Add(expense);
        }
    }
    QList<GraphItem> Groups(qint32 groupBy) {
        return CSubtotals::Group(report_.GetRecords(), groupBy);
    }
    static QStringList Labels(const QList<GraphItem>& items) {
        QStringList labels;
        for (const GraphItem& item : items) {
            labels << item.label;
        }
        return labels;
    }

    TestPlatform platform_;
    CExpenseReport report_;
};

TEST_F(SubtotalsTest, GroupsKeepOrderOfFirstAppearanceAndSumEachGroup) {
    Add({{"Lunch", 10.00}, {"Dinner", 7.00}, {"Lunch", 5.50}});
    QList<GraphItem> items = Groups(kFieldCategory);
    ASSERT_EQ(Labels(items), QStringList({"Lunch", "Dinner"}));
    EXPECT_DOUBLE_EQ(items[0].value, 15.50);
    EXPECT_DOUBLE_EQ(items[1].value, 7.00);
    EXPECT_DOUBLE_EQ(CSubtotals::ShownTotal(items), 22.50);
    items[1].shown = false;
    EXPECT_DOUBLE_EQ(CSubtotals::ShownTotal(items), 15.50);
}

TEST_F(SubtotalsTest, KeysOfEveryGroupingCompareWithLetterCase) {
    Add({{"Taxi", 1, 14, false},
         {"taxi", 2, 14, true, CExpenseType::kPersonalDeductible, CPaidWith::kBusiness},
         {"Taxi", 4, 14, true}});
    const struct {
        qint32 groupBy;
        QStringList labels;
    } cases[] = {
        {kFieldCategory, {"Taxi", "taxi"}},
        {kFieldReceipt, {"No Receipt", "Receipt"}},
        {kFieldExpenseType, {"Business", "Deductible"}},
        {kFieldPaidWith, {"Cash", "Business Card"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Labels(Groups(c.groupBy)), c.labels) << c.groupBy;
    }
    EXPECT_DOUBLE_EQ(Groups(kFieldCategory)[0].value, 5);
}

TEST_F(SubtotalsTest, ReceiptGroupsFollowTheFirstExpenseOfEachKind) {
    Add({{"Taxi", 1, 14, true}, {"Taxi", 2, 14, false}});
    EXPECT_EQ(Labels(Groups(kFieldReceipt)), QStringList({"Receipt", "No Receipt"}));
}

TEST_F(SubtotalsTest, DateRangeLeavesOutBothOfItsDays) {
    Add({{"Lunch", 1, 1}, {"Lunch", 2, 2}, {"Lunch", 4, 15}, {"Lunch", 8, 30}, {"Lunch", 16, 31}});
    CPreferences& preferences = report_.GetPreferences();
    preferences.SetSubtotalAllDates(false);
    preferences.SetSubtotalFrom(March(1));
    preferences.SetSubtotalTo(March(31));
    CSubtotals::ApplyDateRange(report_.GetRecords(), preferences);
    ASSERT_TRUE(report_.GetRecords().GetQuery().IsActive());
    EXPECT_EQ(report_.GetRecords().GetCount(true), 3);
    EXPECT_DOUBLE_EQ(Groups(kFieldCategory)[0].value, 2 + 4 + 8);

    preferences.SetSubtotalAllDates(true);
    CSubtotals::ApplyDateRange(report_.GetRecords(), preferences);
    EXPECT_FALSE(report_.GetRecords().GetQuery().IsActive());
    EXPECT_TRUE(report_.GetRecords().GetQuery().GetConditions().isEmpty());
    EXPECT_DOUBLE_EQ(Groups(kFieldCategory)[0].value, 31);
}

TEST_F(SubtotalsTest, DateRangeIgnoresConditionsLeftWithoutASelection) {
    Add({{"Lunch", 1, 14}});
    // Conditions that select nothing, but were never evaluated.
    report_.GetRecords().GetQuery().AddCondition(
        CRecordQuery::Text(kFieldCategory, kOpEqual, QStringLiteral("Dinner")));
    CPreferences& preferences = report_.GetPreferences();
    preferences.SetSubtotalAllDates(false);
    preferences.SetSubtotalFrom(March(1));
    preferences.SetSubtotalTo(March(31));
    CSubtotals::ApplyDateRange(report_.GetRecords(), preferences);
    EXPECT_EQ(report_.GetRecords().GetCount(true), 1);
}

TEST_F(SubtotalsTest, GroupConditionSelectsTheGroupsExpenses) {
    Add({{"Lunch", 1, 14, true, CExpenseType::kPersonalDeductible},
         {"Dinner", 2, 14, false},
         {"Lunch", 4, 14, false}});
    const struct {
        qint32 groupBy;
        const char* label;
        double selected;
    } cases[] = {
        {kFieldCategory, "Lunch", 5},       {kFieldReceipt, "Receipt", 1},
        {kFieldReceipt, "No Receipt", 6},   {kFieldExpenseType, "Deductible", 1},
        {kFieldExpenseType, "Business", 6},
    };
    for (const auto& c : cases) {
        CRecordsQuery& query = report_.GetRecords().GetQuery();
        query.Discard();
        query.AddCondition(CSubtotals::GroupCondition(c.groupBy, QString::fromLatin1(c.label)));
        query.Evaluate();
        EXPECT_DOUBLE_EQ(CSubtotals::ShownTotal(Groups(kFieldCategory)), c.selected) << c.label;
    }
}

TEST(SubtotalColours, ThreeCyclesOfDistinctColours) {
    QList<GraphItem> three(3);
    CSubtotals::AssignColours(three);
    // 13172585 / 4 = 3293146 apart: 150, one step on, two steps on.
    EXPECT_EQ(three[0].colour, 150u);
    EXPECT_EQ(three[1].colour, 3293296u);
    EXPECT_EQ(three[2].colour, 6586442u);
    for (int n = 1; n <= 40; ++n) {
        QList<GraphItem> items(n);
        CSubtotals::AssignColours(items);
        QSet<quint32> colours;
        for (const GraphItem& item : items) {
            colours.insert(item.colour);
            EXPECT_LE(item.colour, 0xFFFFFFu) << n;
        }
        EXPECT_EQ(colours.size(), n) << n << " groups share a colour";
    }
}

TEST(SubtotalChart, BarsFollowTheSumsAndTheAxisFitsTheLargest) {
    EXPECT_LT(CSubtotals::ChartValue(150.0), CSubtotals::ChartValue(160.0));
    EXPECT_EQ(CSubtotals::ChartValue(151.75), 151);
    EXPECT_EQ(CSubtotals::ChartValue(-12.0), 0);
    EXPECT_EQ(CSubtotals::ChartValue(1e12), 2147483647);
    EXPECT_EQ(CSubtotals::ChartValue(std::numeric_limits<double>::quiet_NaN()), 0);
    const struct {
        int dataMax;
        bool portrait;
        int maximum, interval;
    } cases[] = {
        {0, true, 0, 1},          {7, true, 10, 1},     {73, false, 80, 10},
        {99, true, 100, 10},      {100, true, 200, 20}, {1234, true, 1300, 130},
        {1234, false, 1300, 260},
    };
    for (const auto& c : cases) {
        const CSubtotals::Axis axis = CSubtotals::ValueAxis(c.dataMax, c.portrait);
        EXPECT_EQ(axis.maximum, c.maximum) << c.dataMax;
        EXPECT_EQ(axis.interval, c.interval) << c.dataMax;
    }
}

TEST_F(SubtotalsTest, TotalsPageFiguresOfABusinessCardReport) {
    report_.GetHeader().SetCashAdvance(Amount(200));
    Add({"Airfare", 1000, 14, false, CExpenseType::kBusinessReimbursable, CPaidWith::kBusiness});
    // An advance set on its own is not in the stored figures yet.
    EXPECT_TRUE(CTotalsSummary::Refresh(report_));
    const CTotalsSummary summary(report_);
    EXPECT_DOUBLE_EQ(summary.GetTotal().GetValue(), 1000);
    EXPECT_DOUBLE_EQ(summary.GetBusinessPaid().GetValue(), 1200);
    EXPECT_DOUBLE_EQ(summary.GetCashAdvance().GetValue(), 200);
    EXPECT_DOUBLE_EQ(summary.GetBusinessCard().GetValue(), 1000);
    EXPECT_DOUBLE_EQ(summary.GetReimbursementDue().GetValue(), -200);
}

TEST_F(SubtotalsTest, TotalsPageFiguresOfPersonalAndBusinessExpenses) {
    Add({{"Lunch", 50, 14, false, CExpenseType::kBusinessReimbursable, CPaidWith::kPersonal},
         {"Gift", 20, 14, false, CExpenseType::kPersonalDeductible, CPaidWith::kBusiness}});
    const CTotalsSummary summary(report_);
    EXPECT_DOUBLE_EQ(summary.GetReimbursementDue().GetValue(), 30);
    EXPECT_DOUBLE_EQ(summary.GetPersonal().GetValue(), 20);
    EXPECT_DOUBLE_EQ(summary.GetDeductible().GetValue(), 20);
    EXPECT_DOUBLE_EQ(summary.GetNonDeductible().GetValue(), 0);
}

TEST_F(SubtotalsTest, RefreshReplacesStoredTotalsThatDisagreeWithTheExpenses) {
    Add({{"Lunch", 10}, {"Dinner", 5}});
    EXPECT_FALSE(CTotalsSummary::Refresh(report_));
    CExpenseTotals wrong = report_.GetHeader().GetTotals();
    wrong.SetTotal(Amount(99));
    report_.GetHeader().SetTotals(wrong);
    EXPECT_TRUE(CTotalsSummary::Refresh(report_));
    EXPECT_DOUBLE_EQ(report_.GetHeader().GetTotals().GetTotal().GetValue(), 15);
    EXPECT_TRUE(report_.GetHeader().IsModified());
}

// Sums of cents are not whole in binary: the page's figures are the stored
// ones, rounded alike, and looking at them changes nothing.
TEST_F(SubtotalsTest, RefreshLeavesTotalsRoundedAsTheExpensesRoundThem) {
    Add({{"Lunch", 0.1}, {"Dinner", 0.2}});
    report_.GetHeader().SetModified(false);
    EXPECT_FALSE(CTotalsSummary::Refresh(report_));
    EXPECT_EQ(report_.GetHeader().GetTotals().GetTotal().GetValue(), 0.3);
    EXPECT_FALSE(report_.GetHeader().IsModified());
}

}  // namespace
