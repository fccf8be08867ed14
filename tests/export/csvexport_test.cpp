#include <gtest/gtest.h>

#include <QJsonArray>

#include "export/csvexport.h"
#include "export/reportexporter.h"
#include "exporttools.h"
#include "lists/paidwith.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "samplereport.h"
#include "support/testplatform.h"

namespace {

QString ExportCsv(CExpenseReport& report, bool selectedOnly = false) {
    CReportExporter::Request request;
    request.selectedOnly = selectedOnly;
    const CReportExporter::Result result = CReportExporter::Export(report, request);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    return result.path;
}

// The data rows as Python reads them, each as column name to text.
QList<QMap<QString, QString>> Rows(const QString& path) {
    const QJsonArray table = ReadCsvWithPython(path);
    QList<QMap<QString, QString>> rows;
    if (table.isEmpty()) {
        ADD_FAILURE() << "no header row";
        return rows;
    }
    const QJsonArray header = table.first().toArray();
    for (qsizetype i = 1; i < table.size(); ++i) {
        const QJsonArray cells = table[i].toArray();
        EXPECT_EQ(cells.size(), header.size()) << "row " << i;
        QMap<QString, QString> row;
        for (qsizetype c = 0; c < header.size() && c < cells.size(); ++c) {
            row.insert(header[c].toString(), cells[c].toString());
        }
        rows.append(row);
    }
    return rows;
}

}  // namespace

TEST(CsvExport, TextsRoundTripThroughPythonsCsvModule) {
    TestPlatform platform;
    SampleReport report;
    struct Case {
        QString text;
        QString read;  // what a reader gets back
    };
    const Case cases[] = {
        {"Dinner, \"La Maison\"\nwith the client", "Dinner, \"La Maison\"\nwith the client"},
        {"Caf\u00e9 cr\u00e8me \u2013 \u65e5\u672c", "Caf\u00e9 cr\u00e8me \u2013 \u65e5\u672c"},
        {"ends in a quote\"", "ends in a quote\""},
        {"line\r\nbreak", "line\r\nbreak"},
        {"a = b", "a = b"},
        // A spreadsheet would run these as formulas; the apostrophe marks
        // them as text.
        {"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"},
        {"+1 guest", "'+1 guest"},
        {"@sum", "'@sum"},
        {"", ""},
    };
    for (const Case& c : cases) {
        report.Add(c.text, 10);
    }
    const QString path = ExportCsv(report.Get());
    const auto rows = Rows(path);
    ASSERT_EQ(rows.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(rows[i]["Description"], cases[i].read) << i;
    }
    // Spreadsheets look for the byte-order mark and rows end in CRLF.
    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_TRUE(
        bytes.startsWith("\xEF\xBB\xBF"
                         "Date,Category,Description,Amount,"));
    EXPECT_TRUE(bytes.endsWith(",Client1,No,,,,,,\r\n"));
}

TEST(CsvExport, AmountsShowAsEnteredAndInTheHomeCurrency) {
    struct Case {
        const char* name;
        const char* currency;
        double amount;
        double rate;
        const char* entered;
        const char* rateText;
        const char* home;
    };
    const Case cases[] = {
        {"home currency", "U.S. Dollars", 1234.5, 1, "1234.50", "1", "1234.50"},
        {"euros at 0.8", "Euro", 40, 0.8, "40.00", "0.8", "50.00"},
        {"a rate of 0 leaves the amount unconverted", "Euro", 40, 0, "40.00", "0", "40.00"},
        {"converted amounts round half away from zero", "Euro", 10.05, 2, "10.05", "2", "5.03"},
        {"negative amounts", "Euro", -8, 0.8, "-8.00", "0.8", "-10.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SampleReport report;
        report.Add(QStringLiteral("x"), c.amount, 14, QString::fromUtf8(c.currency), c.rate);
        const auto rows = Rows(ExportCsv(report.Get()));
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows[0]["Amount"], c.entered);
        EXPECT_EQ(rows[0]["Currency"], c.currency);
        EXPECT_EQ(rows[0]["Rate"], c.rateText);
        EXPECT_EQ(rows[0]["Home Amount"], c.home);
    }
}

TEST(CsvExport, NumbersIgnoreTheRegionalSeparators) {
    LocaleInfo german = UsEnglishLocale();
    german.Set(LocaleItem::Decimal, QStringLiteral(","));
    german.Set(LocaleItem::Thousand, QStringLiteral("."));
    german.Set(LocaleItem::MonDecimal, QStringLiteral(","));
    german.Set(LocaleItem::MonThousand, QStringLiteral("."));
    TestPlatform platform(german);
    SampleReport report;
    report.Add(QStringLiteral("x"), 1234.5, 14, QStringLiteral("Euro"), 0.8);
    const auto rows = Rows(ExportCsv(report.Get()));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["Amount"], "1234.50");
    EXPECT_EQ(rows[0]["Home Amount"], "1543.13");
}

TEST(CsvExport, EveryColumnOfAMileageExpense) {
    TestPlatform platform;
    SampleReport report;
    CExpenseRecord& trip =
        report.Add(QStringLiteral("To the fair"), 41.4, 12, QStringLiteral("U.S. Dollars"), 1,
                   QStringLiteral("Mileage"));
    CCategory mileage = trip.GetCategory();
    mileage.SetIndex(CCategory::kMileageIndex);
    mileage.SetPaidWith(CPaidWith(QStringLiteral("Company car"), {}, CPaidWith::kBusiness));
    trip.SetCategory(mileage);
    trip.SetReceipt(true);
    trip.SetOdometerStart(1000);
    trip.SetOdometerEnd(1120);
    trip.SetMileageRate(Amount(0.345));
    trip.SetLocation(QStringLiteral("Lillestr\u00f8m"));
    trip.SetPurpose(QStringLiteral("Booth"));
    trip.SetContacts(QStringLiteral("Ann, Bob"));
    const auto rows = Rows(ExportCsv(report.Get()));
    ASSERT_EQ(rows.size(), 1);
    const QMap<QString, QString> expected = {
        {"Date", "2026-03-12"},
        {"Category", "Mileage"},
        {"Description", "To the fair"},
        {"Amount", "41.40"},
        {"Currency", "U.S. Dollars"},
        {"Rate", "1"},
        {"Home Amount", "41.40"},
        {"Payment Source", "Company car"},
        {"Paid By", "Business"},
        {"Expense Type", "Business Reimbursable"},
        {"Classification", "Client1"},
        {"Receipt", "Yes"},
        {"Location", QStringLiteral("Lillestr\u00f8m")},
        {"Purpose", "Booth"},
        {"Contacts", "Ann, Bob"},
        {"Odometer Start", "1000.0"},
        {"Odometer End", "1120.0"},
        {"Mileage Rate", "0.345"},
    };
    EXPECT_EQ(rows[0], expected);
    EXPECT_EQ(QStringList(expected.keys()).size(), CCsvExport::ColumnNames().size());
}

TEST(CsvExport, TheSelectionExportsOnlyTheExpensesTheListShows) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Taxi"), 30);
    report.Add(QStringLiteral("Hotel"), 200);
    report.Add(QStringLiteral("Dinner"), 80);
    CExpenseRecords& records = report.Get().GetRecords();

    // No selection in force: --selected shows what the list shows, everything.
    EXPECT_EQ(Rows(ExportCsv(report.Get(), true)).size(), 3);

    records.GetQuery().AddCondition(CRecordQuery::Number(3, 4, 50.0));  // amount >= 50
    records.RunQuery();
    ASSERT_TRUE(records.GetQuery().IsActive());
    QStringList selected;
    for (const auto& row : Rows(ExportCsv(report.Get(), true))) {
        selected << row["Description"];
    }
    EXPECT_EQ(selected, (QStringList{"Hotel", "Dinner"}));
    EXPECT_EQ(Rows(ExportCsv(report.Get(), false)).size(), 3);
}

TEST(CsvExport, AnEmptyReportGivesTheHeaderRowOnly) {
    TestPlatform platform;
    SampleReport report;
    const QByteArray bytes = ReadFileBytes(ExportCsv(report.Get()));
    EXPECT_EQ(bytes, "\xEF\xBB\xBF" + CCsvExport::ColumnNames().join(',').toUtf8() + "\r\n");
}
