#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "report/report.h"
#include "reportbytes.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

const QString kExitQuestion =
    QStringLiteral("Are you sure you want to Exit without Saving the report?");

// The sample report with its stored total (offset 16) replaced by 0.
QByteArray StaleSample(int version) {
    QByteArray bytes = SampleReport(version);
    bytes.replace(16, 8, QByteArray(8, '\0'));
    return bytes;
}

QString ReportPath(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf"));
}

std::unique_ptr<CExpenseRecord> Expense(const QString& currency, double amount, double rate,
                                        qint32 categoryIndex = 2) {
    auto record = std::make_unique<CExpenseRecord>();
    CCategory category;
    category.SetIndex(categoryIndex);
    category.SetName(categoryIndex == CCategory::kMileageIndex ? QStringLiteral("Mileage")
                                                               : QStringLiteral("Lunch"));
    record->SetCategory(category);
    record->SetCurrencyName(currency);
    record->SetAmount(Amount(amount));
    record->SetExchangeRate(Amount(rate));
    return record;
}

CExpenseReportInfo NamedHeader(const QString& title) {
    CExpenseReportInfo header;
    QString error;
    EXPECT_TRUE(header.ValidateName(GetReportsDirectory(), title, false, error))
        << error.toStdString();
    return header;
}

}  // namespace

TEST(ReportDocument, OpeningRewritesAReportOnlyWhenItsStoredTotalsAreStale) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool rewritten;
    };
    const Case cases[] = {
        {"version 1 with stale totals", StaleSample(1), true},
        {"version 2 with stale totals", StaleSample(2), true},
        {"version 1 with right totals", SampleReport(1), false},
        {"version 2 with right totals", SampleReport(2), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        const QString path = ReportPath(QStringLiteral("Berlin"));
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        CExpenseReport report;
        ASSERT_TRUE(report.Open(path, true));
        EXPECT_TRUE(report.IsOpen());
        EXPECT_FALSE(report.IsModified());
        EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 130.0);
        EXPECT_TRUE(platform.Prompts().Messages().empty());

        const QByteArray onDisk = ReadFileBytes(path);
        if (c.rewritten) {
            // Now the current version, with the recomputed total, in full.
            EXPECT_EQ(onDisk.left(8), Hex("06000000 02000000"));
            EXPECT_EQ(onDisk.mid(16, 8), Hex("0000000000406040"));
            EXPECT_EQ(onDisk, SampleReport(2));
        } else {
            EXPECT_EQ(onDisk, c.bytes);
        }
    }
}

TEST(ReportDocument, AReportThatCannotBeReadLeavesNothingOpen) {
    TestPlatform platform;
    const QString path = ReportPath(QStringLiteral("Broken"));
    ASSERT_TRUE(WriteFileBytes(path, Hex("06000000 02000000 0000")));
    CExpenseReport report;
    EXPECT_FALSE(report.Open(path, true));
    EXPECT_FALSE(report.IsOpen());
    EXPECT_TRUE(report.GetHeader().GetPath().isEmpty());
    EXPECT_EQ(ReadFileBytes(path), Hex("06000000 02000000 0000"));
}

TEST(ReportDocument, DeletingMovesTheReportIntoTheTrashUnderAFreeName) {
    struct Case {
        const char* name;
        QStringList taken;
        QString expected;
    };
    const Case cases[] = {
        {"own name free", {}, QStringLiteral("Berlin.xpf")},
        {"own name taken", {QStringLiteral("Berlin.xpf")}, QStringLiteral("Berlin 1.xpf")},
        {"first two taken",
         {QStringLiteral("Berlin.xpf"), QStringLiteral("Berlin 1.xpf")},
         QStringLiteral("Berlin 2.xpf")},
        {"a gap is used",
         {QStringLiteral("Berlin.xpf"), QStringLiteral("Berlin 2.xpf")},
         QStringLiteral("Berlin 1.xpf")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        const QString path = ReportPath(QStringLiteral("Berlin"));
        ASSERT_TRUE(WriteFileBytes(path, SampleReport(2)));
        for (const QString& name : c.taken) {
            ASSERT_TRUE(WriteFileBytes(JoinPath(GetTrashDirectory(), name), "old"));
        }
        CExpenseReport report;
        ASSERT_TRUE(report.Open(path, true));
        ASSERT_TRUE(report.DeleteCurrent());
        EXPECT_FALSE(report.IsOpen());
        EXPECT_FALSE(FileExists(path));
        EXPECT_EQ(ReadFileBytes(JoinPath(GetTrashDirectory(), c.expected)), SampleReport(2));
        for (const QString& name : c.taken) {
            EXPECT_EQ(ReadFileBytes(JoinPath(GetTrashDirectory(), name)), "old");
        }
    }
}

TEST(ReportDocument, CreatingAReportWritesItsHeaderAndRefusesATakenName) {
    TestPlatform platform;
    CExpenseReportInfo info = NamedHeader(QStringLiteral("Oslo"));
    info.SetLocation(QStringLiteral("Oslo"));
    info.SetCashAdvance(Amount(25));
    CExpenseReport report;
    ASSERT_TRUE(report.CreateNew(info, true));
    EXPECT_TRUE(report.IsOpen());
    EXPECT_EQ(CExpenseReport::CountReports(), 1);

    QList<CExpenseReportInfo> headers;
    ASSERT_TRUE(CExpenseReport::ListReports(headers, GetReportsDirectory(), true));
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0].GetTitle(), "Oslo");
    EXPECT_EQ(headers[0].GetLocation(), "Oslo");
    EXPECT_EQ(headers[0].GetCashAdvance().GetValue(), 25.0);

    // New with a path of its own must not overwrite an existing report.
    ASSERT_TRUE(report.Close(true));
    EXPECT_FALSE(report.New(ReportPath(QStringLiteral("Oslo")), true));
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{QStringLiteral("A file with the same name already exists")});
    ASSERT_TRUE(CExpenseReport::ListReports(headers, GetReportsDirectory(), true));
    EXPECT_EQ(headers[0].GetCashAdvance().GetValue(), 25.0);
}

TEST(ReportDocument, AFailedSaveOnCloseKeepsTheChangedReportOpen) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    const QString path = ReportPath(QStringLiteral("Berlin"));
    ASSERT_TRUE(WriteFileBytes(path, SampleReport(2)));
    ASSERT_TRUE(WriteFileBytes(ReportPath(QStringLiteral("Oslo")), SampleReport(2)));
    CExpenseReport report;
    ASSERT_TRUE(report.Open(path, true));
    report.GetRecords().Add(Expense(QStringLiteral("U.S. Dollars"), 5, 0), false);
    report.SetValid(false);  // as after a failed load: saving asks first
    platform.Prompts().QueueAnswer(PromptAnswer::No);

    EXPECT_FALSE(report.Open(ReportPath(QStringLiteral("Oslo")), true));
    EXPECT_TRUE(report.IsOpen());
    EXPECT_EQ(report.GetHeader().GetPath(), path);
    EXPECT_EQ(report.GetRecords().GetCount(false), 3);
    EXPECT_EQ(ReadFileBytes(path), SampleReport(2));
}

TEST(ReportDocument, ACurrencyTableUpdateTouchesOnlyRecordsOfKnownCurrencies) {
    TestPlatform platform;
    CExpenseReport report;
    CCurrencyTable& table = report.GetCurrencyTable();
    ASSERT_TRUE(table.Load(false));
    ASSERT_TRUE(table.SetRate(QStringLiteral("Macau Pataca"), CurrencyRate(8.0), false, false));
    ASSERT_TRUE(report.CreateNew(NamedHeader(QStringLiteral("Macau")), true));
    report.GetRecords().Add(Expense(QStringLiteral("Macau Pataca"), 80, 0), false);
    report.GetRecords().Add(Expense(QStringLiteral("Martian Crowns"), 40, 0.5), false);
    report.GetRecords().Add(
        Expense(QStringLiteral("Macau Pataca"), 10, 0, CCategory::kMileageIndex), false);
    ASSERT_TRUE(report.Save(false));

    CExpenseRecord unused;
    ASSERT_TRUE(report.ApplyListChange(
        unused, unused, CExpenseReport::kOpenReport | CExpenseReport::kCurrencyTable));
    const CExpenseRecords& records = report.GetRecords();
    EXPECT_EQ(records.GetAt(0, false)->GetExchangeRate().GetValue(), 8.0);
    EXPECT_EQ(records.GetAt(0, false)->GetAmount(false).GetValue(), 80.0);
    EXPECT_EQ(records.GetAt(1, false)->GetCurrencyName(), "Martian Crowns");
    EXPECT_EQ(records.GetAt(1, false)->GetExchangeRate().GetValue(), 0.5);
    EXPECT_EQ(records.GetAt(1, false)->GetAmount(false).GetValue(), 40.0);
    EXPECT_EQ(records.GetAt(2, false)->GetCurrencyName(), table.GetHomeCurrency());
    // A trip of 10 patacas is worth 1.25 at 8 patacas to the home unit.
    EXPECT_EQ(records.GetAt(2, false)->GetAmount(false).GetValue(), 1.25);
    // 80 / 8 + 40 / 0.5 + 1.25, saved at once.
    EXPECT_EQ(report.GetHeader().GetTotals().GetTotal().GetValue(), 91.25);
    EXPECT_FALSE(report.IsModified());
}

TEST(ReportDocument, ListChangesReachTheChosenReportsAndRecords) {
    struct Case {
        const char* name;
        int flags;
        double openRate;   // the open report's Euro record afterwards
        double otherRate;  // the other report's Euro record afterwards
    };
    const Case cases[] = {
        {"no report chosen", CExpenseReport::kCurrencyRate, 0.8, 0.8},
        {"open report only", CExpenseReport::kOpenReport | CExpenseReport::kCurrencyRate, 0.5,
         0.8},
        {"all reports", CExpenseReport::kAllReports | CExpenseReport::kCurrencyRate, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        for (const QString& title : {QStringLiteral("Other"), QStringLiteral("Open")}) {
            CExpenseReport report;
            ASSERT_TRUE(report.CreateNew(NamedHeader(title), true));
            report.GetRecords().Add(Expense(QStringLiteral("Euro"), 80, 0.8), false);
            report.GetRecords().Add(Expense(QStringLiteral("Yen"), 800, 100), false);
            ASSERT_TRUE(report.Save(false));
        }
        CExpenseReport open;
        ASSERT_TRUE(open.Open(ReportPath(QStringLiteral("Open")), true));
        const auto before = Expense(QStringLiteral("Euro"), 0, 0.8);
        const auto after = Expense(QStringLiteral("Euro"), 0, 0.5);
        ASSERT_TRUE(open.ApplyListChange(*before, *after, c.flags));
        EXPECT_EQ(open.GetRecords().GetAt(0, false)->GetExchangeRate().GetValue(), c.openRate);
        EXPECT_EQ(open.GetRecords().GetAt(1, false)->GetExchangeRate().GetValue(), 100.0);
        EXPECT_FALSE(open.IsModified());

        CExpenseReport other;
        ASSERT_TRUE(other.Open(ReportPath(QStringLiteral("Other")), false));
        EXPECT_EQ(other.GetRecords().GetAt(0, false)->GetExchangeRate().GetValue(), c.otherRate);
        EXPECT_EQ(other.GetHeader().GetTotals().GetTotal().GetValue(), 80 / c.otherRate + 8);
    }
}

TEST(ReportDocument, ExitingWithNothingOpenAndNothingChangedAsksAndWritesNothing) {
    TestPlatform platform;
    CExpenseDoc doc;
    platform.Prompts().Clear();
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(platform.Prompts().Messages().empty());
    EXPECT_EQ(CExpenseReport::CountReports(), 0);
}

TEST(ReportDocument, ExitingAfterARefusedSaveAsksWhetherToExitUnsaved) {
    struct Case {
        const char* name;
        PromptAnswer exitAnswer;
        bool mayExit;
    };
    const Case cases[] = {
        {"yes exits", PromptAnswer::Yes, true},
        {"no stays", PromptAnswer::No, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        const QString path = ReportPath(QStringLiteral("Berlin"));
        ASSERT_TRUE(WriteFileBytes(path, SampleReport(2)));
        CExpenseDoc doc;
        ASSERT_TRUE(doc.OpenReport(path));
        ASSERT_TRUE(doc.AddRecord(Expense(QStringLiteral("U.S. Dollars"), 5, 0), false));
        doc.GetReport().SetValid(false);
        platform.Prompts().Clear();
        platform.Prompts().QueueAnswer(PromptAnswer::No);  // do not overwrite
        platform.Prompts().QueueAnswer(c.exitAnswer);

        EXPECT_EQ(doc.SaveModified(), c.mayExit);
        const QStringList texts = platform.Prompts().Texts();
        ASSERT_EQ(texts.size(), 2);
        EXPECT_EQ(texts[1], kExitQuestion);
        EXPECT_EQ(platform.Prompts().Messages()[1].icon, PromptIcon::Question);
        EXPECT_EQ(ReadFileBytes(path), SampleReport(2));
    }
}

TEST(ReportDocument, ChangesWithNoReportOpenAskForANewReport) {
    struct Case {
        const char* name;
        bool accept;
        int reports;
    };
    const Case cases[] = {{"cancel drops them", false, 0}, {"a name saves them", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        CExpenseDoc doc;
        doc.SetNewReportDialog([&](CExpenseReportInfo& header) {
            QString error;
            return c.accept && header.ValidateName(GetReportsDirectory(), QStringLiteral("Lima"),
                                                   false, error);
        });
        ASSERT_TRUE(doc.AddRecord(Expense(QStringLiteral("U.S. Dollars"), 5, 0), false));
        platform.Prompts().Clear();
        EXPECT_EQ(doc.SaveReport(false), c.accept);
        EXPECT_EQ(platform.Prompts().Texts().value(0),
                  "There are no active expense reports, please create a new expense report now.");
        EXPECT_EQ(CExpenseReport::CountReports(), c.reports);
    }
}

TEST(ReportDocument, StartupFallsBackToTheFirstReadableReport) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    ASSERT_TRUE(WriteFileBytes(ReportPath(QStringLiteral("Broken")), Hex("0900000001000000")));
    ASSERT_TRUE(WriteFileBytes(ReportPath(QStringLiteral("Berlin")), SampleReport(2)));
    {
        CExpenseDoc doc;
        doc.GetPreferences().SetMruFile(ReportPath(QStringLiteral("Gone")));
        ASSERT_TRUE(doc.OpenStartupReport(QString()));
        EXPECT_EQ(doc.GetReport().GetHeader().GetTitle(), "Berlin");
        EXPECT_EQ(doc.GetPreferences().GetMruFile(), ReportPath(QStringLiteral("Berlin")));
    }
    // The document wrote the most recent file back when it went.
    CPreferences preferences;
    ASSERT_TRUE(preferences.ReadRegistry());
    EXPECT_EQ(preferences.GetMruFile(), ReportPath(QStringLiteral("Berlin")));
}

TEST(ReportDocument, TheDocumentBuildsMissingListsFromTheirDefaults) {
    TestPlatform platform;
    CExpenseDoc doc;
    EXPECT_GT(doc.GetCurrencyTable().GetFormatCount(), 0);
    EXPECT_FALSE(doc.GetCategories().IsEmpty());
    EXPECT_FALSE(doc.GetPaymentSources().IsEmpty());
    const QDir data(GetDataDirectory());
    EXPECT_TRUE(data.exists(QStringLiteral("CurrencyTable.dat")));
    EXPECT_TRUE(data.exists(QStringLiteral("Preferences.dat")));
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(ReportDocument, EachListChangeUpdatesItsOwnFieldOfTheMatchingRecords) {
    struct Case {
        const char* name;
        int flags;
        QStringList paidWith;
        QStringList classifications;
        QList<double> amounts;
        double businessPaid;
    };
    const QStringList paidBefore{"Cash", "Visa", "Cash"};
    const QStringList classBefore{"Client1", "Client2", "Client2"};
    const QList<double> amountsBefore{10, 34.5, 20};
    const Case cases[] = {
        {"mileage rate", CExpenseReport::kMileageRate, paidBefore, classBefore, {10, 50, 20}, 0},
        {"payment source",
         CExpenseReport::kPaymentSource,
         {"AmEx", "Visa", "AmEx"},
         classBefore,
         amountsBefore,
         35},
        {"classification",
         CExpenseReport::kClassification,
         paidBefore,
         {"Client1", "Client9", "Client9"},
         amountsBefore,
         0},
        {"classification of the selected only",
         CExpenseReport::kClassification | CExpenseReport::kSelectedOnly,
         paidBefore,
         {"Client1", "Client2", "Client9"},
         amountsBefore,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        CExpenseReport report;
        ASSERT_TRUE(report.CreateNew(NamedHeader(QStringLiteral("Lists")), true));
        const double rates[] = {1, 0, 0.8};
        const qint32 categories[] = {2, CCategory::kMileageIndex, 10};
        for (int i = 0; i < 3; ++i) {
            auto record =
                Expense(QStringLiteral("U.S. Dollars"), amountsBefore[i], rates[i], categories[i]);
            record->SetPaidWith(CPaidWith(paidBefore[i], QStringLiteral("PAIDWITH08U.BMP"), 0));
            record->SetClassification(CClassification(classBefore[i], QString()));
            record->SetDescription(i == 2 ? QStringLiteral("Taxi home") : QString());
            record->SetOdometerEnd(i == 1 ? 100.0 : 0.0);
            report.GetRecords().Add(std::move(record), false);
        }
        report.GetRecords().GetQuery().AddCondition(
            CRecordQuery::Text(kFieldDescription, kOpContains, QStringLiteral("Taxi")));
        report.GetRecords().RunQuery();
        ASSERT_TRUE(report.Save(false));

        CExpenseRecord before;
        before.SetPaidWith(
            CPaidWith(QStringLiteral("Cash"), QStringLiteral("PAIDWITH08U.BMP"), 0));
        before.SetClassification(CClassification(QStringLiteral("Client2"), QString()));
        CExpenseRecord after;
        after.SetPaidWith(CPaidWith(QStringLiteral("AmEx"), QStringLiteral("PAIDWITH03U.BMP"), 1));
        after.SetClassification(CClassification(QStringLiteral("Client9"), QString()));
        after.SetAmount(Amount(0.5));
        ASSERT_TRUE(report.ApplyListChange(before, after, CExpenseReport::kOpenReport | c.flags));
        EXPECT_FALSE(report.IsModified());

        // What was saved, read back.
        CExpenseReport saved;
        ASSERT_TRUE(saved.Open(ReportPath(QStringLiteral("Lists")), false));
        for (int i = 0; i < 3; ++i) {
            const CExpenseRecord& record = *saved.GetRecords().GetAt(i, false);
            EXPECT_EQ(record.GetPaidWith().GetName(), c.paidWith[i]) << i;
            EXPECT_EQ(record.GetClassification().GetName(), c.classifications[i]) << i;
            EXPECT_EQ(record.GetAmount(false).GetValue(), c.amounts[i]) << i;
        }
        EXPECT_EQ(saved.GetHeader().GetTotals().GetBusinessPaid().GetValue(), c.businessPaid);
    }
}

TEST(ReportDocument, ANewReportWithACashAdvanceStoresTotalsThatNeedNoCorrection) {
    TestPlatform platform;
    SortOrderScope order;
    InitDirectories(1 | 2);
    CExpenseReportInfo header = NamedHeader(QStringLiteral("Advance"));
    header.SetCashAdvance(Amount(50));
    {
        CExpenseDoc document;
        ASSERT_TRUE(document.CreateReport(header));
        EXPECT_EQ(document.GetReport().GetHeader().GetTotals().GetReimbursementDue().GetValue(),
                  -50.0);
        document.AddRecord(Expense(document.GetCurrencyTable().GetHomeCurrency(), 30, 1), false);
        ASSERT_TRUE(document.SaveReport(false));
    }
    // Opening finds the stored totals right and leaves the file alone.
    const QByteArray written = ReadFileBytes(ReportPath(QStringLiteral("Advance")));
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    ASSERT_TRUE(report.Open(ReportPath(QStringLiteral("Advance")), false));
    EXPECT_EQ(report.GetHeader().GetTotals().GetReimbursementDue().GetValue(), -20.0);
    EXPECT_EQ(ReadFileBytes(ReportPath(QStringLiteral("Advance"))), written);
}
