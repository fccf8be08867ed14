#include <gtest/gtest.h>

#include "lists/expensetypemanager.h"
#include "lists/paidwith.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

// An expense of `amount` of expense type `typeCode`, paid with `paymentType`.
std::unique_ptr<CExpenseRecord> Expense(double amount, qint32 typeCode = 0,
                                        qint32 paymentType = CPaidWith::kPersonal,
                                        double rate = 0) {
    auto record = std::make_unique<CExpenseRecord>();
    CCategory category("Lunch", 2, 1);
    category.SetExpenseType(CExpenseTypeManager::GetExpenseType(typeCode));
    category.SetPaidWith(CPaidWith("Card", "PAIDWITH02U.BMP", paymentType));
    record->SetCategory(category);
    record->SetAmount(Amount(amount));
    record->SetExchangeRate(Amount(rate));
    return record;
}

std::unique_ptr<CExpenseRecord> Described(const QString& description, TimeStamp date,
                                          double amount = 0) {
    auto record = Expense(amount);
    record->SetDescription(description);
    record->SetDate(date);
    return record;
}

struct Figures {
    double total, reimbursementDue, businessPaid, deductible, nonDeductible, reimbursable;
};

Figures Of(const CExpenseTotals& t) {
    return {t.GetTotal().GetValue(),         t.GetReimbursementDue().GetValue(),
            t.GetBusinessPaid().GetValue(),  t.GetDeductible().GetValue(),
            t.GetNonDeductible().GetValue(), t.GetReimbursable().GetValue()};
}

void ExpectFigures(const CExpenseTotals& totals, const Figures& expected, const char* name) {
    const Figures actual = Of(totals);
    EXPECT_EQ(actual.total, expected.total) << name;
    EXPECT_EQ(actual.reimbursementDue, expected.reimbursementDue) << name;
    EXPECT_EQ(actual.businessPaid, expected.businessPaid) << name;
    EXPECT_EQ(actual.deductible, expected.deductible) << name;
    EXPECT_EQ(actual.nonDeductible, expected.nonDeductible) << name;
    EXPECT_EQ(actual.reimbursable, expected.reimbursable) << name;
}

QStringList Descriptions(const CExpenseRecords& records, bool selected) {
    QStringList texts;
    for (int i = 0; i < records.GetCount(selected); ++i) {
        texts << records.GetAt(i, selected)->GetDescription();
    }
    return texts;
}

}  // namespace

TEST(ExpenseTotals, EveryTypeAndPaymentWithACashAdvance) {
    TestPlatform platform;
    struct Case {
        const char* name;
        qint32 typeCode;
        qint32 paymentType;
        Figures expected;  // with a cash advance of 50 and an expense of 100
    } cases[] = {
        {"reimbursable, paid personally", 0, CPaidWith::kPersonal, {100, 50, 50, 0, 0, 100}},
        {"reimbursable, paid by the business",
         0,
         CPaidWith::kBusiness,
         {100, -50, 150, 0, 0, 100}},
        {"deductible, paid by the business", 1, CPaidWith::kBusiness, {100, -150, 150, 100, 0, 0}},
        {"deductible, paid personally", 1, CPaidWith::kPersonal, {100, -50, 50, 100, 0, 0}},
        {"non-deductible, paid by the business",
         2,
         CPaidWith::kBusiness,
         {100, -150, 150, 0, 100, 0}},
        {"no expense type", -1, CPaidWith::kPersonal, {100, -50, 50, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        CExpenseReport report;
        report.GetHeader().SetCashAdvance(Amount(50));
        report.GetRecords().RecomputeTotals();
        auto record = Expense(100);
        CCategory category = record->GetCategory();
        CExpenseType type = CExpenseTypeManager::GetExpenseType(c.typeCode);
        type.SetTypeCode(c.typeCode);
        category.SetExpenseType(type);
        category.SetPaidWith(CPaidWith("Card", "PAIDWITH02U.BMP", c.paymentType));
        record->SetCategory(category);

        // The running totals and the totals computed afresh agree.
        report.GetRecords().Add(std::move(record), false);
        ExpectFigures(report.GetHeader().GetTotals(), c.expected, c.name);
        CExpenseTotals computed;
        report.GetRecords().ComputeTotals(computed, false, true);
        ExpectFigures(computed, c.expected, c.name);

        // Without its only record the report keeps the advance.
        ASSERT_TRUE(report.GetRecords().RemoveAt(0)) << c.name;
        ExpectFigures(report.GetHeader().GetTotals(), {0, -50, 50, 0, 0, 0}, c.name);
    }
}

TEST(ExpenseTotals, ConvertedAtTheHomeCurrencysDecimals) {
    TestPlatform platform;
    CExpenseReport report;
    CCurrencyFormat yen;
    yen.SetDigits(0);
    report.GetCurrencyTable().SetFormat("Yen", yen);
    ASSERT_TRUE(report.GetCurrencyTable().SetHomeCurrency("Yen", false));
    CExpenseRecords& records = report.GetRecords();
    records.Add(Expense(100, 0, CPaidWith::kPersonal, 0.3), false);
    records.Add(Expense(100, 0, CPaidWith::kPersonal, 0.3), false);
    // 333 twice: each record is rounded before it is added.
    EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 666.0);
    CExpenseTotals unconverted;
    records.ComputeTotals(unconverted, false, false);
    EXPECT_EQ(unconverted.GetTotal().GetValue(), 200.0);
    EXPECT_TRUE(report.GetHeader().GetTotals().IsChanged());

    // A free-standing collection has no totals to keep.
    CExpenseRecords alone;
    alone.Add(Expense(10), false);
    CExpenseTotals totals;
    alone.ComputeTotals(totals, false, true);
    EXPECT_EQ(totals.GetTotal().GetValue(), 10.0);
    EXPECT_EQ(totals.GetBusinessPaid().GetValue(), 0.0);
}

TEST(ExpenseRecords, ReplacingAndRemovingFollowTheSelection) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CExpenseReport report;
    CExpenseRecords& records = report.GetRecords();
    records.Add(Described("Taxi", kTestNow, 10), false);
    records.Add(Described("Dinner", kTestNow, 20), false);
    records.Add(Described("Taxi back", kTestNow, 30), false);
    records.GetQuery().AddCondition(CRecordQuery::Text(2, 7, "Taxi"));
    records.RunQuery();
    ASSERT_EQ(Descriptions(records, true), QStringList({"Taxi", "Taxi back"}));

    // Position 1 of the selection is the collection's third record.
    ASSERT_TRUE(records.SetAt(1, Described("Bus back", kTestNow, 5), false));
    EXPECT_EQ(Descriptions(records, false), QStringList({"Taxi", "Dinner", "Bus back"}));
    EXPECT_EQ(Descriptions(records, true), QStringList({"Taxi", "Bus back"}));
    EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 35.0);

    ASSERT_TRUE(records.RemoveAt(0));
    EXPECT_EQ(Descriptions(records, false), QStringList({"Dinner", "Bus back"}));
    EXPECT_EQ(Descriptions(records, true), QStringList({"Bus back"}));
    EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 25.0);

    EXPECT_FALSE(records.RemoveAt(1));
    EXPECT_FALSE(records.SetAt(-1, Expense(1), false));
    EXPECT_FALSE(records.SetAt(0, nullptr, false));
    EXPECT_FALSE(records.Add(nullptr, false));

    // Inserting puts the record at the same position of both lists.
    ASSERT_TRUE(records.InsertAt(-4, Described("First", kTestNow)));
    EXPECT_EQ(Descriptions(records, false), QStringList({"First", "Dinner", "Bus back"}));
    EXPECT_EQ(Descriptions(records, true), QStringList({"First", "Bus back"}));
    ASSERT_TRUE(records.InsertAt(99, Described("Last", kTestNow)));
    EXPECT_EQ(Descriptions(records, true), QStringList({"First", "Bus back", "Last"}));

    // Emptying leaves the totals alone.
    records.RemoveAll(true);
    EXPECT_EQ(records.GetCount(false), 0);
    EXPECT_EQ(records.GetCount(true), 0);
    EXPECT_TRUE(records.IsModified());
    EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 25.0);
}

TEST(ExpenseRecords, ARecordMadeToReplaceItselfAcrossAnInactiveSelectionLeavesNoStaleEntry) {
    TestPlatform platform;
    CExpenseRecords records;
    records.Add(Described("Taxi", kTestNow), false);
    records.Add(Described("Dinner", kTestNow), false);
    // A selection that is stored but not in force, as a file may hold it.
    CRecordsQuery& query = records.GetQuery();
    query.AppendResult(records.GetAt(0, false));
    ASSERT_TRUE(records.RemoveAt(0));
    EXPECT_EQ(query.ResultCount(), 0);
    query.AppendResult(records.GetAt(0, false));
    ASSERT_TRUE(records.SetAt(0, Described("Lunch", kTestNow), false));
    EXPECT_EQ(query.ResultAt(0), records.GetAt(0, false));
}

TEST(ExpenseRecords, SortingByEveryKindOfField) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    const TimeStamp day = 24 * 3600;
    struct Case {
        const char* name;
        qint32 field;
        qint32 direction;
        QStringList order;
    } cases[] = {
        {"date ascending", kFieldDate, 1, {"b taxi", "A taxi", "c dinner", "B taxi"}},
        {"date descending", kFieldDate, 0, {"B taxi", "c dinner", "A taxi", "b taxi"}},
        {"description without regard to case, ties by date",
         kFieldDescription,
         1,
         {"A taxi", "b taxi", "B taxi", "c dinner"}},
        {"description descending, ties by date descending",
         kFieldDescription,
         0,
         {"c dinner", "B taxi", "b taxi", "A taxi"}},
        {"amount", kFieldAmount, 1, {"c dinner", "b taxi", "B taxi", "A taxi"}},
        {"currency orders nothing", kFieldCurrency, 1, {"A taxi", "b taxi", "c dinner", "B taxi"}},
    };
    for (const Case& c : cases) {
        CExpenseRecords records;
        records.Add(Described("A taxi", kTestNow + day, 30), false);
        records.Add(Described("b taxi", kTestNow, 20), false);
        records.Add(Described("c dinner", kTestNow + 2 * day, 10), false);
        records.Add(Described("B taxi", kTestNow + 3 * day, 20), false);
        records.SetModified(false);
        records.SetSortOrder(c.field, c.direction);
        EXPECT_EQ(Descriptions(records, false), c.order) << c.name;
        EXPECT_TRUE(records.IsModified()) << c.name;
    }

    // A field outside the table is refused; the direction still changes.
    CExpenseRecords records;
    records.SetSortOrder(kFieldAmount, 1);
    records.SetSortOrder(12, 0);
    EXPECT_EQ(CExpenseRecords::GetSortField(), kFieldAmount);
    EXPECT_EQ(CExpenseRecords::GetSortDirection(), 0);
}

TEST(ExpenseRecords, SortingASelectionSortsItsResult) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CExpenseRecords records;
    records.Add(Described("Taxi 2", kTestNow), false);
    records.Add(Described("Dinner", kTestNow), false);
    records.Add(Described("Taxi 1", kTestNow), false);
    records.GetQuery().AddCondition(CRecordQuery::Text(2, 7, "Taxi"));
    records.RunQuery();
    records.SetSortOrder(kFieldDescription, 1);
    EXPECT_EQ(Descriptions(records, true), QStringList({"Taxi 1", "Taxi 2"}));
    // "Select All Expenses" sorts again by the order in force.
    CRecordSortOrder::Shared().SetDirection(CRecordSortOrder::kDescending);
    records.ClearQuery();
    EXPECT_EQ(Descriptions(records, false), QStringList({"Taxi 2", "Taxi 1", "Dinner"}));
}

TEST(ExpenseRecords, AChangeToAHeldRecordMarksTheReport) {
    TestPlatform platform;
    CExpenseReport report;
    report.GetRecords().Add(Expense(10), false);
    CExpenseRecord* record = report.GetRecords().GetAt(0, false);
    struct Case {
        const char* name;
        std::function<void()> change;
        bool marks;
    } cases[] = {
        {"description", [&] { record->SetDescription("x"); }, true},
        {"amount", [&] { record->SetAmount(Amount(3)); }, true},
        {"receipt", [&] { record->SetReceipt(true); }, true},
        {"payment source", [&] { record->SetPaidWith(CPaidWith()); }, true},
        {"odometer text", [&] { record->SetOdometerEnd(QStringLiteral("12.5")); }, true},
        {"reset", [&] { record->Reset(); }, true},
        {"mileage rate", [&] { record->SetMileageRate(Amount(0.5)); }, false},
        {"owner", [&] { record->SetOwner(&report.GetRecords()); }, false},
        {"a copy",
         [&] {
             CExpenseRecord copy(*record);
             copy.SetModified(false);
         },
         true},
    };
    for (const Case& c : cases) {
        report.SetModified(false);
        ASSERT_FALSE(report.IsModified());
        c.change();
        EXPECT_EQ(report.IsModified(), c.marks) << c.name;
    }
}

// Sorting compares folded texts plainly; that must order any two texts as
// the comparison without regard to case does.
TEST(ExpenseRecords, FoldedTextsOrderAsTheCaseInsensitiveComparison) {
    const QStringList texts{
        "",
        "a",
        "A",
        "b",
        "B taxi",
        "b Taxi",
        "\u00df",
        "ss",
        "SS",
        "\u1e9e",
        "\u03a3\u03b1",
        "\u03c3\u03b1",
        "\u03c2\u03b1",
        "\u0130",
        "i",
        "I",
        "\u0131",
        "\u00c9t\u00e9",
        "\u00e9T\u00c9",
        "Z",
        "_",
        "[",
        "\U00010400",
        "\U00010428",
        "\U0001F600",
        "\uFB00",
        "ff",
        "\u212A",
        "k",
        "K",
    };
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const QString& a : texts) {
        for (const QString& b : texts) {
            EXPECT_EQ(sign(QString::compare(CRecordSortOrder::FoldedForSort(a),
                                            CRecordSortOrder::FoldedForSort(b))),
                      sign(QString::compare(a, b, Qt::CaseInsensitive)))
                << a.toStdString() << " vs " << b.toStdString();
        }
    }
}
