#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "export/reportexporter.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "samplereport.h"
#include "support/testplatform.h"

namespace {

using Format = CReportExporter::Format;

CReportExporter::Result Export(CExpenseReport& report, Format format, const QString& output = {}) {
    CReportExporter::Request request;
    request.format = format;
    request.outputPath = output;
    return CReportExporter::Export(report, request);
}

// The files of a folder, by name.
QStringList Files(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

TEST(ReportExporter, ExportsGoToTheExportsFolderUnderFreeNames) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Taxi"), 30);
    // The folder is made when the first export needs it.
    EXPECT_FALSE(IsDirectory(platform.Root() + "/Scripts"));
    const QStringList expected = {"Trip.csv", "Trip (2).csv", "Trip (3).csv"};
    for (const QString& name : expected) {
        const CReportExporter::Result result = Export(report.Get(), Format::kCsv);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.path, ExportsPath(name));
        EXPECT_EQ(result.expenseCount, 1);
    }
    EXPECT_EQ(Export(report.Get(), Format::kPdf).path, ExportsPath("Trip.pdf"));
    // Nothing else is left behind: no temporary files.
    EXPECT_EQ(Files(GetExportsDirectory()),
              (QStringList{"Trip (2).csv", "Trip (3).csv", "Trip.csv", "Trip.pdf"}));
}

TEST(ReportExporter, TheCallerChoosesAFileOrAFolder) {
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Taxi"), 30);
    const QString folder = platform.Path("handed-in");
    QDir().mkpath(folder);

    // A folder gets a free name in it.
    EXPECT_EQ(Export(report.Get(), Format::kCsv, folder).path, folder + "/Trip.csv");
    EXPECT_EQ(Export(report.Get(), Format::kCsv, folder).path, folder + "/Trip (2).csv");

    // A file is written, or replaced, under that very name.
    const QString file = folder + "/march.txt";
    ASSERT_TRUE(WriteFileBytes(file, "old"));
    const CReportExporter::Result replaced = Export(report.Get(), Format::kCsv, file);
    EXPECT_EQ(replaced.path, file);
    EXPECT_TRUE(
        ReadFileBytes(file).startsWith("\xEF\xBB\xBF"
                                       "Date,"));
}

TEST(ReportExporter, RefusalsLeaveEveryFileAsItWas) {
    struct Case {
        const char* name;
        QString output;
        const char* error;
    };
    TestPlatform platform;
    SampleReport report;
    report.Add(QStringLiteral("Taxi"), 30);
    const QString reportPath = report.Get().GetHeader().GetPath();
    const QByteArray reportBytes = ReadFileBytes(reportPath);
    const Case cases[] = {
        {"a folder that does not exist", platform.Path("nowhere/Trip.csv"), "does not exist"},
        {"the report's own file", reportPath, "cannot replace the report"},
        {"the report's file by another way", GetReportsDirectory() + "/../Outlaysheet/Trip.xpf",
         "cannot replace the report"},
    };
    for (const Case& c : cases) {
        for (Format format : {Format::kCsv, Format::kPdf}) {
            SCOPED_TRACE(c.name);
            const CReportExporter::Result result = Export(report.Get(), format, c.output);
            EXPECT_FALSE(result.ok);
            EXPECT_TRUE(result.path.isEmpty());
            EXPECT_TRUE(result.error.contains(QString::fromLatin1(c.error)))
                << result.error.toStdString();
        }
    }
    EXPECT_EQ(ReadFileBytes(reportPath), reportBytes);
    EXPECT_FALSE(FileExists(platform.Path("nowhere")));

    // Without an open report there is nothing to export.
    CExpenseReport closed;
    const CReportExporter::Result none = Export(closed, Format::kCsv);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.error, "There is no open report to export.");
}

TEST(ReportExporter, AFullFolderOfCopiesIsRefused) {
    TestPlatform platform;
    SampleReport report;
    const QString folder = platform.Path("crowded");
    QDir().mkpath(folder);
    ASSERT_TRUE(WriteFileBytes(folder + "/Trip.csv", {}));
    for (int copy = 2; copy <= 1000; ++copy) {
        ASSERT_TRUE(WriteFileBytes(folder + QStringLiteral("/Trip (%1).csv").arg(copy), {}));
    }
    const CReportExporter::Result result = Export(report.Get(), Format::kCsv, folder);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains("too many exports")) << result.error.toStdString();
    EXPECT_EQ(Files(folder).size(), 1000);
}

TEST(ReportExporter, FormatsByName) {
    EXPECT_EQ(CReportExporter::FormatFromName("csv"), Format::kCsv);
    EXPECT_EQ(CReportExporter::FormatFromName("PDF"), Format::kPdf);
    EXPECT_EQ(CReportExporter::FormatFromName("Package"), Format::kPackage);
    EXPECT_EQ(CReportExporter::FormatFromName("xls"), std::nullopt);
    EXPECT_EQ(CReportExporter::FormatFromName(""), std::nullopt);
}
