#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/expensearchive.h"
#include "lists/paidwith.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "reportbytes.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

// 2026-03-11 in the tests' zone UTC-05:00.
constexpr TimeStamp kDay = 1773205200;
constexpr TimeStamp kMinute = 60;
constexpr TimeStamp kWholeDay = 24 * 60 * kMinute;

struct Fields {
    QString description;
    double amount = 0;
    double rate = 0;
    QString category = "Lunch";
    bool receipt = false;
    qint32 paymentType = CPaidWith::kPersonal;
    TimeStamp date = kDay + 12 * 60 * kMinute;
};

Fields WithAmount(double amount, double rate = 0) {
    Fields fields;
    fields.amount = amount;
    fields.rate = rate;
    return fields;
}

Fields InCategory(const QString& category) {
    Fields fields;
    fields.category = category;
    return fields;
}

Fields WithReceipt() {
    Fields fields;
    fields.receipt = true;
    return fields;
}

Fields PaidByTheBusiness() {
    Fields fields;
    fields.paymentType = CPaidWith::kBusiness;
    return fields;
}

Fields On(TimeStamp date) {
    Fields fields;
    fields.date = date;
    return fields;
}

std::unique_ptr<CExpenseRecord> MakeRecord(const Fields& fields) {
    auto record = std::make_unique<CExpenseRecord>();
    CCategory category(fields.category, 2, 1);
    category.SetReceipt(fields.receipt ? 1 : 0);
    category.SetPaidWith(CPaidWith("Card", "PAIDWITH02U.BMP", fields.paymentType));
    record->SetCategory(category);
    record->SetDescription(fields.description);
    record->SetAmount(Amount(fields.amount));
    record->SetExchangeRate(Amount(fields.rate));
    record->SetDate(fields.date);
    record->SetCurrencyName("Euro");
    record->SetContacts("Ann, Bob");
    record->SetLocation("Berlin");
    record->SetPurpose("Kickoff");
    return record;
}

}  // namespace

TEST(RecordQuery, MatchingEveryKindAndOperator) {
    TestPlatform platform;
    struct Case {
        const char* name;
        Fields record;
        CRecordQuery condition;
        bool passes;
    } cases[] = {
        {"ends with: abab ends with ab", {"abab"}, CRecordQuery::Text(2, 8, "ab"), true},
        {"ends with: b is shorter than ab", {"b"}, CRecordQuery::Text(2, 8, "ab"), false},
        {"ends with: letter case counts", {"xAB"}, CRecordQuery::Text(2, 8, "ab"), false},
        {"starts with nothing: any text", {"Taxi"}, CRecordQuery::Text(2, 7, ""), true},
        {"starts with nothing: empty text", {""}, CRecordQuery::Text(2, 7, ""), true},
        {"starts with", {"Airport run"}, CRecordQuery::Text(2, 7, "Air"), true},
        {"starts with: not in the middle", {"Fair"}, CRecordQuery::Text(2, 7, "air"), false},
        {"contains nothing", {"Taxi"}, CRecordQuery::Text(2, 5, ""), true},
        {"contains: letter case counts", {"Airport"}, CRecordQuery::Text(2, 5, "air"), false},
        {"does not contain nothing", {"Taxi"}, CRecordQuery::Text(2, 6, ""), false},
        {"does not contain", {"Taxi"}, CRecordQuery::Text(2, 6, "Bus"), true},
        {"category is: letter case counts", InCategory("meals"), CRecordQuery::Text(1, 1, "Meals"),
         false},
        {"category is", InCategory("Meals"), CRecordQuery::Text(1, 1, "Meals"), true},
        {"category is not", InCategory("meals"), CRecordQuery::Text(1, 2, "Meals"), true},
        {"payment source is", {}, CRecordQuery::Text(6, 1, "Card"), true},
        {"expense type is", {}, CRecordQuery::Text(7, 1, "Business Reimbursable"), true},
        {"classification is", {}, CRecordQuery::Text(5, 1, "Client1"), true},
        {"contacts", {}, CRecordQuery::Text(8, 5, "Bob"), true},
        {"location", {}, CRecordQuery::Text(9, 1, "Berlin"), true},
        {"purpose", {}, CRecordQuery::Text(10, 1, "Kickoff"), true},
        {"currency", {}, CRecordQuery::Text(11, 1, "Euro"), true},
        {"a field without text reads as empty", {}, CRecordQuery::Text(99, 1, ""), true},
        {"text with a number operator", {"Taxi"}, CRecordQuery::Text(2, 3, "Taxi"), false},
        {"less than takes in the value", WithAmount(25), CRecordQuery::Number(3, 3, 25), true},
        {"greater than takes in the value", WithAmount(25), CRecordQuery::Number(3, 4, 25), true},
        {"less than", WithAmount(25), CRecordQuery::Number(3, 3, 24.99), false},
        {"greater than", WithAmount(25), CRecordQuery::Number(3, 4, 25.01), false},
        {"amount is", WithAmount(25), CRecordQuery::Number(3, 1, 25), true},
        {"amount is not", WithAmount(25), CRecordQuery::Number(3, 2, 25), false},
        {"the amount as entered, never converted", WithAmount(100, 0.5),
         CRecordQuery::Number(3, 4, 120), false},
        {"receipt is available", WithReceipt(), CRecordQuery::Number(4, 1, 1.0), true},
        {"receipt is not available", WithReceipt(), CRecordQuery::Number(4, 2, 1.0), false},
        {"no receipt", {}, CRecordQuery::Number(4, 1, 1.0), false},
        {"paid by the business", PaidByTheBusiness(), CRecordQuery::Number(6, 1, 1.0), true},
        {"another field reads as 0", WithAmount(5), CRecordQuery::Number(2, 1, 0.0), true},
        {"number with a text operator", WithAmount(5), CRecordQuery::Number(3, 5, 5), false},
        {"same day, 23:59 and 00:01", On(kDay + kWholeDay - kMinute),
         CRecordQuery::Date(0, 1, kDay + kMinute), true},
        {"is not the same day", On(kDay), CRecordQuery::Date(0, 2, kDay + kMinute), false},
        {"is before: never the same day", On(kDay),
         CRecordQuery::Date(0, 3, kDay + kWholeDay - kMinute), false},
        {"is after: never the same day", On(kDay + kWholeDay - kMinute),
         CRecordQuery::Date(0, 4, kDay), false},
        {"is before the next day", On(kDay + kWholeDay - kMinute),
         CRecordQuery::Date(0, 3, kDay + kWholeDay), true},
        {"is after the day before", On(kDay), CRecordQuery::Date(0, 4, kDay - kMinute), true},
        {"a date on another field", On(kDay), CRecordQuery::Date(2, 1, kDay), false},
        {"date with a text operator", On(kDay), CRecordQuery::Date(0, 5, kDay), false},
    };
    for (const Case& c : cases) {
        const auto record = MakeRecord(c.record);
        EXPECT_EQ(c.condition.Passes(record.get()), c.passes) << c.name;
    }
    EXPECT_FALSE(CRecordQuery::Text(2, 5, "").Passes(nullptr));
    EXPECT_FALSE(CRecordQuery().Passes(MakeRecord({}).get()));
}

TEST(RecordQuery, StoredNumbersAndConditionsWithoutAValue) {
    TestPlatform platform;
    struct Case {
        const char* name;
        QByteArray bytes;
        qint32 kind;
    } cases[] = {
        {"number", Hex("02000000 03000000 04000000 0000000000003940"), 2},
        {"no value", Hex("00000000 ffffffff 00000000"), 0},
        {"a kind outside the table", Hex("07000000 02000000 01000000"), 7},
    };
    for (const Case& c : cases) {
        LoadingArchive loading(c.bytes);
        CRecordQuery condition;
        condition.Serialize(loading.archive, 0);
        EXPECT_EQ(loading.archive.BytesLeft(), 0) << c.name;
        EXPECT_EQ(condition.GetValueKind(), c.kind) << c.name;

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        CExpenseArchive storing(out, CExpenseArchive::Mode::kStore);
        condition.Serialize(storing, 0);
        storing.Close();
        EXPECT_EQ(out.data(), c.bytes) << c.name;
    }
}

TEST(RecordsQuery, SelectingAddingAndClearing) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CExpenseRecords records;
    records.Add(MakeRecord({"Taxi", 30}), false);
    records.Add(MakeRecord({"Taxi home", 12}), false);
    records.Add(MakeRecord({"Dinner", 45}), false);
    CRecordsQuery& query = records.GetQuery();

    // Without conditions there is no selection to speak of.
    records.RunQuery();
    EXPECT_FALSE(query.IsActive());
    EXPECT_EQ(records.GetCount(true), 3);

    // Conditions combine by "and", always over the whole collection.
    query.AddCondition(CRecordQuery::Text(2, 7, "Taxi"));
    records.RunQuery();
    EXPECT_EQ(records.GetCount(true), 2);
    query.AddCondition(CRecordQuery::Number(3, 4, 20));
    records.RunQuery();
    ASSERT_EQ(records.GetCount(true), 1);
    EXPECT_EQ(records.GetAt(0, true)->GetDescription(), "Taxi");

    // A new expense stays in view until the selection is made again.
    records.Add(MakeRecord({"Lunch", 8}), false);
    EXPECT_EQ(records.GetCount(true), 2);
    EXPECT_EQ(records.GetAt(1, true)->GetDescription(), "Lunch");
    records.RunQuery();
    EXPECT_EQ(records.GetCount(true), 1);

    ASSERT_NE(query.FindLastCondition(2), nullptr);
    EXPECT_EQ(query.FindLastCondition(2)->GetTextValue(), "Taxi");
    EXPECT_EQ(query.FindLastCondition(0), nullptr);

    // A selection of nothing is in force and shows nothing.
    query.AddCondition(CRecordQuery::Text(2, 1, "Nothing like it"));
    records.RunQuery();
    EXPECT_TRUE(query.IsActive());
    EXPECT_EQ(records.GetCount(true), 0);
    EXPECT_EQ(records.GetAt(0, true), nullptr);

    // "Select All Expenses".
    records.SetModified(false);
    records.ClearQuery();
    EXPECT_TRUE(records.IsModified());
    EXPECT_FALSE(query.IsActive());
    EXPECT_TRUE(query.GetConditions().isEmpty());
    EXPECT_EQ(records.GetCount(true), 4);

    // Clearing without a selection in force keeps the conditions.
    query.AddCondition(CRecordQuery::Text(2, 1, "Taxi"));
    records.ClearQuery();
    EXPECT_EQ(query.GetConditions().size(), 1);
    // Only a reset collection leaves nothing for the next report.
    records.Reset();
    EXPECT_TRUE(query.GetConditions().isEmpty());
    EXPECT_EQ(records.GetCount(false), 0);
}
