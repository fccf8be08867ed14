#include "report/expenserecord.h"

#include <gtest/gtest.h>

#include "report/report.h"
#include "reportbytes.h"
#include "support/testplatform.h"

namespace {

CCategory Mileage() {
    return CCategory("Mileage", 9, 5);
}

}  // namespace

TEST(ExpenseRecord, AmountsConvertedAndAsEntered) {
    TestPlatform platform;
    struct Case {
        const char* name;
        bool mileage;
        double amount;
        double rate;
        bool convert;
        double expected;
    } cases[] = {
        {"another currency", false, 100, 0.8, true, 125.00},
        {"as entered", false, 100, 0.8, false, 100},
        {"rate 0: not converted", false, 100, 0, true, 100},
        {"mileage is never converted", true, 30, 0.8, true, 30},
    };
    for (const Case& c : cases) {
        CExpenseRecord record;
        if (c.mileage) {
            record.SetCategory(Mileage());
        }
        record.SetAmount(Amount(c.amount));
        record.SetExchangeRate(Amount(c.rate));
        EXPECT_DOUBLE_EQ(record.GetAmount(c.convert).GetValue(), c.expected) << c.name;
    }

    // The decimals are the home currency's of the report that holds it.
    CExpenseReport report;
    CCurrencyFormat yen;
    yen.SetDigits(0);
    report.GetCurrencyTable().SetFormat("Yen", yen);
    report.GetCurrencyTable().SetHomeCurrency("Yen", false);
    CExpenseRecord record(&report.GetRecords());
    record.SetAmount(Amount(100));
    record.SetExchangeRate(Amount(0.8));
    EXPECT_EQ(record.GetAmount(true).GetValue(), 125.0);
    record.SetExchangeRate(Amount(0.3));
    EXPECT_EQ(record.GetAmount(true).GetValue(), 333.0);
}

TEST(ExpenseRecord, OdometerReadingsAndDistance) {
    TestPlatform platform;
    struct Case {
        const char* name;
        QString start;
        QString end;
        double distance;
        QString startText;
        QString distanceText;
    } cases[] = {
        {"a trip", "1000", "1090.5", 90.5, "1000.0", "90.5"},
        {"the end before the start", "500", "400", 0, "500.0", "0.0"},
        {"not a number", "twelve", "15", 15, "0.0", "15.0"},
        {"blanks around", "  12.5 ", "20", 7.5, "12.5", "7.5"},
        {"no number is infinite", "inf", "nan", 0, "0.0", "0.0"},
        {"a long reading keeps its digits", "12345678", "12345679.5", 1.5, "12345678.0", "1.5"},
    };
    for (const Case& c : cases) {
        CExpenseRecord record;
        record.SetOdometerStart(c.start);
        record.SetOdometerEnd(c.end);
        EXPECT_DOUBLE_EQ(record.GetDistance(), c.distance) << c.name;
        EXPECT_EQ(record.GetOdometerStartText(), c.startText) << c.name;
        EXPECT_EQ(record.GetDistanceText(), c.distanceText) << c.name;
    }
}

TEST(ExpenseRecord, DefaultsCopiesAndTheDateText) {
    TestPlatform platform;
    CExpenseRecord record;
    EXPECT_EQ(record.GetDate(), kTestNow);
    EXPECT_EQ(record.GetCategory().GetIndex(), 0);
    EXPECT_EQ(record.GetClassification().GetName(), "Client1");
    EXPECT_EQ(record.GetPaidWith().GetName(), "Cash");
    EXPECT_EQ(record.GetExpenseType().GetTypeCode(), 0);
    EXPECT_TRUE(record.IsBusinessReimbursable());
    EXPECT_FALSE(record.IsModified());
    EXPECT_EQ(record.GetDateText(), "3/14");

    record.SetDescription("Taxi");
    record.SetDate(kLunchTime);
    CExpenseRecords records;
    record.SetOwner(&records);
    const CExpenseRecord copy(record);
    EXPECT_EQ(copy.GetDescription(), "Taxi");
    EXPECT_EQ(copy.GetOwner(), &records);
    EXPECT_TRUE(copy.IsModified());

    platform.Clock().Set(kTripTime);
    record.Reset();
    EXPECT_EQ(record.GetDescription(), "");
    EXPECT_EQ(record.GetDate(), kTripTime);
    EXPECT_FALSE(record.IsModified());
    EXPECT_TRUE(records.IsModified());
}
