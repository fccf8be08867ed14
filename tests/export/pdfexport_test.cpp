#include <gtest/gtest.h>

#include <QRegularExpression>

#include "export/pdfexport.h"
#include "export/reportexporter.h"
#include "exporttools.h"
#include "lists/personalinfo.h"
#include "report/expenserecord.h"
#include "samplereport.h"
#include "support/testplatform.h"

namespace {

CReportExporter::Result ExportPdf(CExpenseReport& report,
                                  const CPersonalInfo& traveller = CPersonalInfo()) {
    CReportExporter::Request request;
    request.format = CReportExporter::Format::kPdf;
    const CReportExporter::Result result = CReportExporter::Export(report, request, traveller);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    return result;
}

// pdftotext spreads a table row over one line with runs of blanks between
// the cells; one blank is enough to compare.
QString Squeezed(const QString& text) {
    return QString(text).replace(QRegularExpression(QStringLiteral("[ \\t]+")),
                                 QStringLiteral(" "));
}

}  // namespace

TEST(PdfExport, TheReportAManagerSignsHoldsEveryExpenseAndTheTotals) {
    TestPlatform platform;
    SampleReport report;
    report.Get().GetHeader().SetCashAdvance(Amount(100));
    report.Add(QStringLiteral("Taxi from the airport"), 35.5, 10);
    report.Add(QStringLiteral("Dinner with the client"), 80, 11, QStringLiteral("Euro"), 0.8);
    report
        .Add(QStringLiteral("Hotel night"), 150, 11, QStringLiteral("U.S. Dollars"), 1,
             QStringLiteral("Lodging"))
        .SetReceipt(true);
    report.Get().GetRecords().RecomputeTotals();
    CPersonalInfo traveller;
    traveller.SetName(QStringLiteral("Kari Nordmann"));
    traveller.SetCompany(QStringLiteral("Fjord Tools AS"));

    const CReportExporter::Result result = ExportPdf(report.Get(), traveller);
    EXPECT_EQ(result.path, ExportsPath("Trip.pdf"));
    EXPECT_EQ(result.pageCount, 1);
    const QString text = Squeezed(PdfText(result.path));
    for (const char* expected :
         {"Trip", "Kari Nordmann", "Fjord Tools AS", "Oslo", "Trade fair",
          "3/10/2026 \u2013 3/11/2026", "Not submitted", "Tuesday, 3/10/2026 $35.50",
          "Wednesday, 3/11/2026 $250.00", "Taxi from the airport", "Dinner with the client",
          "Hotel night",
          // The euros beside their home value.
          "80,00 \u20ac $100.00", "at 0.8", "Lodging (1) $150.00", "Lunch (2) $135.50",
          "Total Expenses $285.50", "Cash Advanced $100.00", "Business Paid $100.00",
          "Reimbursement Due $185.50", "Receipts: 1 of 3 expenses",
          "Employee signature: Kari Nordmann", "Approved by", "Page 1 of 1"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_EQ(PdfInfo(result.path, "Title"), "Trip");
}

TEST(PdfExport, FiveHundredExpensesRunOverNumberedPagesWithoutLosingOne) {
    TestPlatform platform;
    SampleReport report;
    constexpr int kExpenses = 500;
    for (int i = 1; i <= kExpenses; ++i) {
        // Some descriptions wrap, so rows differ in height.
        const QString description =
            i % 7 == 0 ? QStringLiteral(
                             "Expense %1 with a description long enough to take "
                             "several lines of its column")
                             .arg(i, 3, 10, QLatin1Char('0'))
                       : QStringLiteral("Expense %1").arg(i, 3, 10, QLatin1Char('0'));
        report.Add(description, i, 1 + i % 28);
    }
    const CReportExporter::Result result = ExportPdf(report.Get());
    const int pages = result.pageCount;
    ASSERT_GT(pages, 5);
    EXPECT_EQ(PdfInfo(result.path, "Pages").toInt(), pages);
    const QStringList pageTexts = PdfText(result.path).split(QLatin1Char('\f'));
    ASSERT_GE(pageTexts.size(), pages);
    for (int page = 1; page <= pages; ++page) {
        const QString text = pageTexts[page - 1];
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(pages))) << page;
        // Every page that goes on with the table repeats its column titles
        // and names the day before its first expense.
        const qsizetype firstExpense = text.indexOf(QStringLiteral("Expense "));
        if (page > 1 && firstExpense >= 0) {
            const qsizetype titles = text.indexOf(QStringLiteral("Description"));
            const qsizetype day = text.indexOf(QRegularExpression(QStringLiteral("day, 3/")));
            EXPECT_TRUE(titles >= 0 && titles < firstExpense) << page;
            EXPECT_TRUE(day >= 0 && day < firstExpense) << page;
        }
    }
    // Each expense is on exactly one page, whole.
    const QString all = Squeezed(PdfText(result.path));
    for (int i = 1; i <= kExpenses; ++i) {
        const QString id = QStringLiteral("Expense %1").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(all.count(id), 1) << id.toStdString();
    }
    EXPECT_TRUE(pageTexts[pages - 1].contains(QStringLiteral("Reimbursement Due")));
}

TEST(PdfExport, AnEmptyReportStillHasItsTotalsAndSignatures) {
    TestPlatform platform;
    SampleReport report;
    const QString text = Squeezed(PdfText(ExportPdf(report.Get()).path));
    for (const char* expected : {"No expenses.", "Dates None", "Total Expenses $0.00",
                                 "Reimbursement Due $0.00", "Employee signature"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
}

TEST(PdfExport, ThePaperIsTheRegionsOwn) {
    struct Case {
        const char* country;
        QPageSize::PageSizeId size;
    };
    const Case cases[] = {
        {"United States", QPageSize::Letter},
        {"Canada", QPageSize::Letter},
        {"mexico", QPageSize::Letter},
        {"Germany", QPageSize::A4},
        {"Japan", QPageSize::A4},
        {"", QPageSize::A4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPdfExport::PageSizeForCountry(QString::fromUtf8(c.country)), c.size)
            << c.country;
    }
    // The writer takes it from the regional settings.
    LocaleInfo norway = UsEnglishLocale();
    norway.Set(LocaleItem::EnglishCountryName, QStringLiteral("Norway"));
    for (const auto& [locale, size] :
         {std::pair{UsEnglishLocale(), "612 x 792"}, std::pair{norway, "595 x 842"}}) {
        TestPlatform platform(locale);
        SampleReport report;
        EXPECT_TRUE(PdfInfo(ExportPdf(report.Get()).path, "Page size").startsWith(size)) << size;
    }
}
