#include <gtest/gtest.h>

#include "archive/objectfile.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "reportbytes.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

const QString kUnexpectedFormat = QStringLiteral("Unexpected file format. \n\nFile: %1");

// Loads the bytes as the report file "Berlin.xpf" of the test's folder.
bool LoadReport(TestPlatform& platform, const QByteArray& bytes, CExpenseReport& report) {
    const QString path = platform.Path("Berlin.xpf");
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return LoadObjectFromFile(path, &report, false, true, true);
}

}  // namespace

TEST(ReportFile, AHandWrittenReportLoadsWithEveryFieldAndIsWrittenBackByteForByte) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CRecordSortOrder::Shared().SetStored(5, 0);
    CExpenseReport report;
    ASSERT_TRUE(LoadReport(platform, SampleReport(2), report));
    EXPECT_TRUE(platform.Prompts().Messages().empty());

    const CExpenseReportInfo& header = report.GetHeader();
    EXPECT_EQ(header.GetPath(), platform.Path("Berlin.xpf"));
    EXPECT_EQ(header.GetTitle(), "Berlin");
    EXPECT_EQ(header.GetCashAdvance().GetValue(), 50.0);
    EXPECT_EQ(header.GetLocation(), "Berlin");
    EXPECT_EQ(header.GetPurpose(), "Kickoff");
    EXPECT_TRUE(header.IsSubmitted());
    EXPECT_FALSE(header.IsReimbursed());
    const CExpenseTotals& totals = header.GetTotals();
    EXPECT_EQ(totals.GetTotal().GetValue(), 130.0);
    EXPECT_EQ(totals.GetDeductible().GetValue(), 0.0);
    EXPECT_EQ(totals.GetNonDeductible().GetValue(), 0.0);
    EXPECT_EQ(totals.GetReimbursable().GetValue(), 130.0);
    EXPECT_EQ(totals.GetReimbursementDue().GetValue(), 80.0);
    EXPECT_EQ(totals.GetBusinessPaid().GetValue(), 50.0);

    const CExpenseRecords& records = report.GetRecords();
    ASSERT_EQ(records.GetCount(false), 2);
    const CExpenseRecord& lunch = *records.GetAt(0, false);
    EXPECT_EQ(lunch.GetOwner(), &report.GetRecords());
    EXPECT_EQ(lunch.GetCategory().GetIndex(), 2);
    EXPECT_EQ(lunch.GetCategory().GetGroup(), 1);
    EXPECT_EQ(lunch.GetCategory().GetName(), "Lunch");
    EXPECT_EQ(lunch.GetCategory().GetImageName(), "CATFOODU.BMP");
    EXPECT_TRUE(lunch.GetReceipt());
    EXPECT_EQ(lunch.GetClassification().GetName(), "Client1");
    EXPECT_EQ(lunch.GetExpenseType().GetName(), "Business Reimbursable");
    EXPECT_EQ(lunch.GetExpenseType().GetTypeCode(), 0);
    EXPECT_EQ(lunch.GetPaidWith().GetName(), "Cash");
    EXPECT_EQ(lunch.GetPaidWith().GetPaymentType(), 0);
    EXPECT_EQ(lunch.GetDate(), kLunchTime);
    EXPECT_EQ(lunch.GetDescription(), "Team lunch");
    EXPECT_EQ(lunch.GetAmount(false).GetValue(), 80.0);
    EXPECT_EQ(lunch.GetAmount(true).GetValue(), 100.0);
    EXPECT_EQ(lunch.GetExchangeRate().GetValue(), 0.8);
    EXPECT_EQ(lunch.GetCurrencyName(), "Euro");
    EXPECT_EQ(lunch.GetPurpose(), "Kickoff");
    EXPECT_EQ(lunch.GetLocation(), "Berlin");
    EXPECT_EQ(lunch.GetContacts(), "Ann, Bob");
    EXPECT_EQ(lunch.GetMileageRate().GetValue(), 0.0);

    const CExpenseRecord& trip = *records.GetAt(1, false);
    EXPECT_TRUE(trip.IsMileage());
    EXPECT_EQ(trip.GetClassification().GetName(), "Client2");
    EXPECT_EQ(trip.GetPaidWith().GetName(), "None");
    EXPECT_EQ(trip.GetDate(), kTripTime);
    EXPECT_EQ(trip.GetDescription(), "Airport run");
    EXPECT_EQ(trip.GetAmount(true).GetValue(), 30.0);
    EXPECT_EQ(trip.GetCurrencyName(), "U.S. Dollars");
    EXPECT_EQ(trip.GetOdometerStart(), 1000.0);
    EXPECT_EQ(trip.GetOdometerEnd(), 1090.0);
    EXPECT_EQ(trip.GetDistanceText(), "90.0");
    EXPECT_EQ(trip.GetMileageRate().GetValue(), 0.333);
    EXPECT_EQ(trip.GetReserved(), 7);

    EXPECT_EQ(CExpenseRecords::GetSortField(), 0);
    EXPECT_EQ(CExpenseRecords::GetSortDirection(), 1);
    const CRecordsQuery& query = records.GetQuery();
    EXPECT_TRUE(query.IsActive());
    ASSERT_EQ(query.GetConditions().size(), 2);
    const CRecordQuery& text = query.GetConditions()[0];
    EXPECT_EQ(text.GetValueKind(), CRecordQuery::kKindText);
    EXPECT_EQ(text.GetFieldCode(), kFieldDescription);
    EXPECT_EQ(text.GetOperator(), kOpContains);
    EXPECT_EQ(text.GetTextValue(), "Air");
    const CRecordQuery& date = query.GetConditions()[1];
    EXPECT_EQ(date.GetValueKind(), CRecordQuery::kKindDate);
    EXPECT_EQ(date.GetFieldCode(), kFieldDate);
    EXPECT_EQ(date.GetOperator(), kOpGreater);
    EXPECT_EQ(date.GetDateValue(), kConditionDate);
    ASSERT_EQ(records.GetCount(true), 1);
    EXPECT_EQ(records.GetAt(0, true), &trip);

    // The stored totals are those the records make.
    CExpenseTotals computed;
    records.ComputeTotals(computed, false, true);
    EXPECT_EQ(computed, totals);
    EXPECT_FALSE(report.IsModified());

    const QString copy = platform.Path("Copy.xpf");
    ASSERT_TRUE(SaveObjectToFile(copy, &report, false));
    EXPECT_EQ(ReadFileBytes(copy), SampleReport(2));
}

TEST(ReportFile, AVersionOneReportReadsWithComputedMileageRatesAndIsWrittenAsVersionTwo) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CExpenseReport report;
    ASSERT_TRUE(LoadReport(platform, SampleReport(1), report));
    const CExpenseRecords& records = report.GetRecords();
    ASSERT_EQ(records.GetCount(false), 2);
    // 30.00 over 90.0, at three decimals; no distance, no rate.
    EXPECT_EQ(records.GetAt(1, false)->GetMileageRate().GetValue(), 0.333);
    EXPECT_EQ(records.GetAt(0, false)->GetMileageRate().GetValue(), 0.0);
    EXPECT_EQ(records.GetAt(1, false)->GetReserved(), 7);
    EXPECT_EQ(records.GetCount(true), 1);

    const QString copy = platform.Path("Copy.xpf");
    ASSERT_TRUE(SaveObjectToFile(copy, &report, false));
    EXPECT_EQ(ReadFileBytes(copy), SampleReport(2));
}

TEST(ReportFile, CountsTheBytesCannotHoldFailAtOnceAndLeaveAnEmptyReport) {
    // Everything before the record count of the sample, and a query and
    // position array of nothing.
    const QByteArray header =
        SampleReport(2).left(SampleReport(2).indexOf(Str("Kickoff")) + Str("Kickoff").size() + 8);
    const QByteArray noRecords = Hex("00000000");
    const QByteArray sortOrder = Hex("00000000 01000000");
    const QByteArray noQuery = Hex("00000000 00000000");
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"the most records a file may claim, and none there",
         header + Hex("0f3ef800") + sortOrder + noQuery + Hex("0000")},
        {"a thousand records and the bytes of two",
         header + Hex("e8030000") + SampleReport(2).mid(header.size() + 4)},
        {"the most conditions a file may claim, and none there",
         header + noRecords + sortOrder + Hex("01000000 0f3ef800") + Hex("0000")},
        {"four billion positions",
         header + noRecords + sortOrder + noQuery + Hex("ffff ffffffff") + Hex("00000000")},
        {"a condition cut short",
         header + noRecords + sortOrder + Hex("01000000 01000000 01000000 02000000")},
        {"no position array", header + noRecords + sortOrder + noQuery},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        SortOrderScope scope;
        CExpenseReport report;
        // Something in memory that a failed load has to clear.
        report.GetRecords().Add(std::make_unique<CExpenseRecord>(), false);
        report.GetRecords().GetQuery().AddCondition(CRecordQuery::Text(2, 1, "x"));
        report.GetRecords().RunQuery();
        EXPECT_FALSE(LoadReport(platform, c.bytes, report)) << c.name;
        EXPECT_EQ(platform.Prompts().Texts(),
                  QStringList{kUnexpectedFormat.arg(platform.Path("Berlin.xpf"))})
            << c.name;
        EXPECT_FALSE(report.IsValid()) << c.name;
        EXPECT_EQ(report.GetRecords().GetCount(false), 0) << c.name;
        EXPECT_EQ(report.GetRecords().GetCount(true), 0) << c.name;
        EXPECT_FALSE(report.GetRecords().GetQuery().IsActive()) << c.name;
        EXPECT_TRUE(report.GetRecords().GetQuery().GetConditions().isEmpty()) << c.name;
        EXPECT_EQ(report.GetHeader().GetLocation(), "") << c.name;
    }
}

TEST(ReportFile, ImpossibleCountsOfRecordsAndConditionsLoadAsNone) {
    const QByteArray sample = SampleReport(2);
    const QByteArray header =
        sample.left(sample.indexOf(Str("Kickoff")) + Str("Kickoff").size() + 8);
    const QByteArray sortOrder = Hex("00000000 01000000");
    struct Case {
        const char* name;
        QByteArray records;
        QByteArray conditions;
    } cases[] = {
        {"negative record count", Hex("ffffffff"), Hex("00000000")},
        {"one record more than the most", Hex("103ef800"), Hex("00000000")},
        {"negative condition count", Hex("00000000"), Hex("ffffffff")},
        {"one condition more than the most", Hex("00000000"), Hex("103ef800")},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        SortOrderScope scope;
        CExpenseReport report;
        const QByteArray bytes =
            header + c.records + sortOrder + Hex("01000000") + c.conditions + Hex("0000");
        EXPECT_TRUE(LoadReport(platform, bytes, report)) << c.name;
        EXPECT_EQ(report.GetRecords().GetCount(false), 0) << c.name;
        EXPECT_TRUE(report.GetRecords().GetQuery().GetConditions().isEmpty()) << c.name;
    }
}

TEST(ReportFile, PositionsThatNameNoRecordLoadAsEmptyEntriesThatNothingFollows) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    QByteArray bytes = SampleReport(2);
    // Positions 7, 1 and -1 instead of the sample's single 1.
    bytes.chop(6);
    bytes += Hex("0300 07000000 01000000 ffffffff");
    CExpenseReport report;
    ASSERT_TRUE(LoadReport(platform, bytes, report));
    CExpenseRecords& records = report.GetRecords();
    ASSERT_EQ(records.GetCount(true), 3);
    EXPECT_EQ(records.GetAt(0, true), nullptr);
    EXPECT_EQ(records.GetAt(1, true), records.GetAt(1, false));
    EXPECT_EQ(records.GetAt(2, true), nullptr);

    // Empty entries can be neither replaced nor removed, nor do they upset
    // sorting or the totals of the selection.
    EXPECT_FALSE(records.SetAt(0, std::make_unique<CExpenseRecord>(), false));
    EXPECT_FALSE(records.RemoveAt(2));
    records.SetSortOrder(kFieldDescription, 1);
    EXPECT_EQ(records.GetAt(0, true)->GetDescription(), "Airport run");
    CExpenseTotals selected;
    records.ComputeTotals(selected, true, true);
    EXPECT_EQ(selected.GetTotal().GetValue(), 30.0);
    EXPECT_EQ(records.GetCount(false), 2);
    EXPECT_EQ(records.GetAt(0, false), records.GetAt(0, true));

    // Saving keeps the selected record and drops what named nothing.
    ASSERT_TRUE(SaveObjectToFile(platform.Path("Copy.xpf"), &report, false));
    EXPECT_TRUE(ReadFileBytes(platform.Path("Copy.xpf")).endsWith(Hex("0100 00000000")));
}
