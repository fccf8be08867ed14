#include <gtest/gtest.h>

#include <QFile>

#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "reportbytes.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

const QString kUnexpectedFormat = QStringLiteral("Unexpected file format. \n\nFile: %1");

// The sample report with the bytes at `offset` after the first `marker`
// replaced by `bytes`.
QByteArray Damaged(const QByteArray& marker, qsizetype offset, const QByteArray& bytes) {
    QByteArray sample = SampleReport(2);
    const qsizetype at = sample.indexOf(marker);
    EXPECT_GE(at, 0);
    return sample.replace(at + offset, bytes.size(), bytes);
}

// Where the sample's values are.
const QByteArray kLunchCategory = Hex("02000000 01000000") + Str("Lunch");
const QByteArray kLunchMoney = Hex("0000000000005440 9a9999999999e93f");
const QByteArray kTripReadings = Hex("0000000000408f40 0000000000089140");
const QByteArray kLunchPaidWith = Str("PAIDWITH08U.BMP");
const QByteArray kStatus = Str("Berlin") + Str("Kickoff");
const QByteArray kTripCategory = Hex("09000000 05000000") + Str("Mileage");
// What follows the records: the sort order, the selection and its positions.
const qsizetype kTrailerSize = 8 + 8 + 12 + Str("Air").size() + 16 + 6;

QString ReportPath(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf"));
}

}  // namespace

// The sample's two expenses as its file holds them.
QByteArray LunchBytes(const QByteArray& report) {
    const qsizetype start = SampleReport(2).indexOf(kLunchCategory);
    return report.mid(start, SampleReport(2).indexOf(kTripCategory) - start);
}

QByteArray TripBytes(const QByteArray& report) {
    const qsizetype start = SampleReport(2).indexOf(kTripCategory);
    return report.mid(start, SampleReport(2).size() - kTrailerSize - start);
}

TEST(DamagedValues, AnExpenseHoldingAValueNoFieldCanTakeIsSetAsideAndTheRestOpens) {
    const QByteArray nan = Hex("000000000000f87f");
    const QByteArray infinity = Hex("000000000000f07f");
    struct Case {
        const char* name;
        QByteArray bytes;
        bool lunch;  // the damaged expense: the lunch, or else the trip
    } cases[] = {
        {"an amount that is no number", Damaged(kLunchMoney, 0, nan), true},
        {"an amount of 8.96e245", Damaged(kLunchMoney, 0, Hex("f9771bad26670073")), true},
        {"an amount just beyond its bound", Damaged(kLunchMoney, 0, Hex("000000a2941a6d42")),
         true},
        {"an infinite rate", Damaged(kLunchMoney, 8, infinity), true},
        {"a negative rate", Damaged(kLunchMoney, 8, Hex("000000000000f0bf")), true},
        {"a rate of 1e-300", Damaged(kLunchMoney, 8, Hex("59f3f8c21f6ea501")), true},
        {"a rate that takes the amount out of bounds",
         Damaged(kLunchMoney, 0, Hex("00e0ffa1941a6d42") + Hex("95d626e80b2e113e")), true},
        {"a category index of 1,912,628,480", Damaged(kLunchCategory, 0, Hex("00650072")), true},
        {"a category index of -1", Damaged(kLunchCategory, 0, Hex("ffffffff")), true},
        {"a category group of 13", Damaged(kLunchCategory, 4, Hex("0d000000")), true},
        {"a receipt flag of 2",
         Damaged(kLunchCategory, 8 + Str("Lunch").size() + Str("CATFOODU.BMP").size(),
                 Hex("02000000")),
         true},
        {"a payment type of 2", Damaged(kLunchPaidWith, kLunchPaidWith.size(), Hex("02000000")),
         true},
        {"an expense type of 3",
         Damaged(Str("ETREIMBURSABLEU.BMP"), Str("ETREIMBURSABLEU.BMP").size(), Hex("03000000")),
         true},
        {"a negative odometer reading", Damaged(kTripReadings, 0, Hex("000000000000f0bf")), false},
        {"an odometer reading of 1e308", Damaged(kTripReadings, 8, Hex("a0c8eb85f3cce17f")),
         false},
        {"a mileage rate that is no number", Damaged(kTripReadings, 16, nan), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        const QString path = ReportPath(QStringLiteral("Berlin"));
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(path, true));
        ASSERT_EQ(report.GetRecords().GetCount(false), 1);
        EXPECT_EQ(report.GetRecords().GetAt(0, false)->GetDescription(),
                  c.lunch ? QStringLiteral("Airport run") : QStringLiteral("Team lunch"));
        // Only the healthy expense counts: the trip of 30.00, or the lunch of
        // 80 euros at 0.8.
        EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), c.lunch ? 30.0 : 100.0);
        const QString kept = path + QStringLiteral(".damaged");
        EXPECT_EQ(platform.Prompts().Texts(),
                  QStringList{QStringLiteral("1 expense in Berlin holds values no expense can "
                                             "have and was left out of the report. It is kept, "
                                             "byte for byte, in %1.")
                                  .arg(kept)});
        EXPECT_EQ(ReadFileBytes(kept),
                  Hex("06000000 02000000") + (c.lunch ? LunchBytes(c.bytes) : TripBytes(c.bytes)));
        // The report was rewritten with its corrected totals; opened again it
        // is whole, and the kept file is not written twice.
        CExpenseReport again;
        again.GetCurrencyTable().Load(false);
        ASSERT_TRUE(again.Open(path, true));
        EXPECT_EQ(again.GetRecords().GetCount(false), 1);
        EXPECT_EQ(platform.Prompts().Texts().size(), 1);
        EXPECT_FALSE(FileExists(kept + QStringLiteral("-2")));
    }
}

TEST(DamagedValues, AReportWhoseHeaderHoldsAValueNoFieldCanTakeIsRefusedAndLeftAsItIs) {
    const QByteArray nan = Hex("000000000000f87f");
    struct Case {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"a cash advance of -2.7e305", Damaged(QByteArray(), 8, Hex("22d96388879b58ff"))},
        {"a cash advance that is no number", Damaged(QByteArray(), 8, nan)},
        {"a stored total that is infinite", Damaged(QByteArray(), 16, Hex("000000000000f07f"))},
        {"a submitted flag of 7", Damaged(kStatus, kStatus.size(), Hex("07000000"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        const QString path = ReportPath(QStringLiteral("Berlin"));
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        EXPECT_FALSE(report.Open(path, true));
        EXPECT_FALSE(report.IsOpen());
        EXPECT_EQ(platform.Prompts().Texts(), QStringList{kUnexpectedFormat.arg(path)});
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
        // Nor is it listed with its header, nor written by a later save.
        QList<CExpenseReportInfo> headers;
        EXPECT_FALSE(CExpenseReport::ListReports(headers, GetReportsDirectory(), false));
        report.Save(false);
        EXPECT_EQ(ReadFileBytes(path), c.bytes);
    }
}

TEST(DamagedValues, AValidReportOpenedAndSavedUntouchedKeepsItsBytes) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    // Totals whose sum is not exactly what is stored: 0.1 + 0.2 is
    // 0.30000000000000004, the stored total 0.3.
    {
        CExpenseReport report;
        CExpenseReportInfo header;
        QString error;
        ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), "Sums", false, error));
        ASSERT_TRUE(report.CreateNew(header, true));
        for (double amount : {0.1, 0.2, 0.7}) {
            auto record = std::make_unique<CExpenseRecord>();
            record->SetAmount(Amount(amount));
            report.GetRecords().Add(std::move(record), false);
        }
        ASSERT_TRUE(report.Save(false));
    }
    const QByteArray written = ReadFileBytes(ReportPath("Sums"));
    for (const QString& title : {QStringLiteral("Sums"), QStringLiteral("Berlin")}) {
        if (title == QLatin1String("Berlin")) {
            ASSERT_TRUE(WriteFileBytes(ReportPath(title), SampleReport(2)));
        }
        const QByteArray before = ReadFileBytes(ReportPath(title));
        CExpenseReport report;
        ASSERT_TRUE(report.Open(ReportPath(title), true));
        EXPECT_FALSE(report.IsModified()) << title.toStdString();
        ASSERT_TRUE(report.Save(true));
        EXPECT_EQ(ReadFileBytes(ReportPath(title)), before) << title.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(ReportPath("Sums")), written);
}

TEST(DamagedValues, ACurrencyTableClaimingMillionsOfDigitsIsKeptAsideAndNothingSpreads) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    const QByteArray table = HugeDigitsCurrencyTable();
    const QString tablePath = JoinPath(GetDataDirectory(true), "CurrencyTable.dat");
    ASSERT_TRUE(WriteFileBytes(tablePath, table));
    // A stale total, which a good table would have corrected in the file at
    // once; the table standing in for the damaged one must not.
    QByteArray report = SampleReport(2);
    report.replace(16, 8, Hex("0000000000000000"));
    const QString path = ReportPath("Berlin");
    ASSERT_TRUE(WriteFileBytes(path, report));

    CExpenseDoc doc;
    EXPECT_EQ(ReadFileBytes(tablePath + ".unreadable"), table);
    EXPECT_NE(ReadFileBytes(tablePath), table);
    EXPECT_TRUE(platform.Prompts().Texts().join('\n').contains("CurrencyTable.dat.unreadable"));
    ASSERT_TRUE(doc.OpenReport(path));
    const CExpenseTotals& totals = doc.GetReport().GetHeader().GetTotals();
    EXPECT_EQ(totals.GetTotal().GetValue(), 130.0);
    EXPECT_EQ(totals.GetDeductible().GetValue(), 0.0);
    EXPECT_EQ(ReadFileBytes(path), report);
}

TEST(DamagedValues, ListChangesLeaveARecordAloneWhenItsAmountWouldLeaveTheBounds) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    CExpenseReportInfo header;
    QString error;
    ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), "Far", false, error));
    ASSERT_TRUE(report.CreateNew(header, true));
    for (double distance : {90'000'000.0, 100.0}) {
        auto trip = std::make_unique<CExpenseRecord>();
        CCategory mileage;
        mileage.SetIndex(CCategory::kMileageIndex);
        trip->SetCategory(mileage);
        trip->SetOdometerEnd(distance);
        trip->SetAmount(Amount(distance * 0.5));
        trip->SetMileageRate(Amount(0.5));
        report.GetRecords().Add(std::move(trip), false);
    }
    auto euros = std::make_unique<CExpenseRecord>();
    euros->SetCurrencyName("Euro");
    euros->SetAmount(Amount(800'000'000'000.0));
    euros->SetExchangeRate(Amount(0.9));
    report.GetRecords().Add(std::move(euros), false);
    ASSERT_TRUE(report.Save(false));

    // 90,000,000 x 100,000 is beyond any amount; 100 x 100,000 is not.
    CExpenseRecord rate;
    rate.SetAmount(Amount(100'000.0));
    ASSERT_TRUE(report.ApplyListChange(
        rate, rate, CExpenseReport::kOpenReport | CExpenseReport::kMileageRate));
    const CExpenseRecords& records = report.GetRecords();
    EXPECT_EQ(records.GetAt(0, false)->GetAmount(false).GetValue(), 45'000'000.0);
    EXPECT_EQ(records.GetAt(0, false)->GetMileageRate().GetValue(), 0.5);
    EXPECT_EQ(records.GetAt(1, false)->GetAmount(false).GetValue(), 10'000'000.0);
    // 800,000,000,000 euros at 0.5 would be 1.6e12 at home.
    CExpenseRecord oldRate;
    oldRate.SetCurrencyName("Euro");
    CExpenseRecord newRate(oldRate);
    newRate.SetExchangeRate(Amount(0.5));
    ASSERT_TRUE(report.ApplyListChange(
        oldRate, newRate, CExpenseReport::kOpenReport | CExpenseReport::kCurrencyRate));
    EXPECT_EQ(records.GetAt(2, false)->GetExchangeRate().GetValue(), 0.9);

    CExpenseReport reread;
    EXPECT_TRUE(reread.Open(ReportPath("Far"), false));
    EXPECT_EQ(reread.GetRecords().GetCount(false), 3);
}
