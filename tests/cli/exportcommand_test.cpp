#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "support/clirunner.h"
#include "support/syscallinjection.h"
#include "support/testplatform.h"

namespace {

QJsonObject Succeed(const TestPlatform& platform, const QStringList& arguments) {
    const CliResult run = RunCli(platform, arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString() << ": "
                               << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

// A report of three expenses, one of them in euros, as after the first run.
void MakeTrip(const TestPlatform& platform) {
    Succeed(platform, {"init-data"});
    Succeed(platform, {"new-report", "Trip", "--location", "Oslo"});
    Succeed(platform, {"add-expense", "Trip", "--category", "Lunch", "--amount", "12.50",
                       "--description", "Soup, bread"});
    Succeed(platform, {"add-expense", "Trip", "--category", "Taxi", "--amount", "40", "--currency",
                       "Euro (Germany)", "--rate", "0.8", "--description", "Taxi"});
    Succeed(platform, {"add-expense", "Trip", "--category", "Lodging", "--amount", "150",
                       "--description", "Hotel"});
}

}  // namespace

TEST(CliExport, WritesTheReportOrItsSelectionAndPrintsThePath) {
    TestPlatform platform;
    MakeTrip(platform);
    const QString exports = platform.Root() + "/Scripts/";

    QJsonObject written = Succeed(platform, {"export", "Trip", "--format", "csv"});
    EXPECT_EQ(written["path"].toString(), exports + "Trip.csv");
    EXPECT_EQ(written["format"].toString(), "csv");
    EXPECT_EQ(written["count"].toInt(), 3);
    const QString csv = QString::fromUtf8(ReadFileBytes(exports + "Trip.csv"));
    EXPECT_TRUE(csv.contains("Taxi,40.00,Euro (Germany),0.8,50.00,")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\"Soup, bread\"")) << csv.toStdString();

    // The amounts of 100 or more.
    Succeed(platform, {"select", "Trip", "--field", "3", "--op", "4", "--value", "100"});
    written = Succeed(platform, {"export", "Trip", "--format", "csv", "--selected"});
    EXPECT_EQ(written["path"].toString(), exports + "Trip (2).csv");
    EXPECT_EQ(written["count"].toInt(), 1);

    // The PDF needs fonts, which the tool has without a display.
    const QString pdf = platform.Path("trip.pdf");
    written = Succeed(platform, {"export", "Trip", "--format", "pdf", "--output", pdf});
    EXPECT_EQ(written["path"].toString(), pdf);
    EXPECT_EQ(written["pages"].toInt(), 1);
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString content = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Trip", "Soup, bread", "Hotel", "Reimbursement Due"}) {
        EXPECT_TRUE(content.contains(expected)) << expected;
    }
}

TEST(CliExport, BadCommandLinesAndMissingReports) {
    TestPlatform platform;
    MakeTrip(platform);
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"export", "Trip"}, 2, "--format csv, --format pdf or --format package"},
        {{"export", "Trip", "--format", "xls"},
         1,
         "--format \"xls\": The format must be csv, pdf or package."},
        {{"export", "Trip", "--format", "pdf", "--folder"}, 2, "--folder is for --format package"},
        {{"export", "--format", "csv"}, 2, "export takes one report"},
        {{"export", "Trip", "--format", "csv", "--output"}, 2, "--output needs a value"},
        {{"export", "Trip", "--format", "csv", "--pages", "2"}, 2, "unknown option"},
        {{"export", "Nowhere", "--format", "csv"}, 1, "no report"},
        {{"export", "Trip", "--format", "pdf", "--output", platform.Path("no/such/x.pdf")},
         1,
         "does not exist"},
    };
    for (const Case& c : cases) {
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(CliExport, APackageHoldsTheReportAsPdfAndCsv) {
    TestPlatform platform;
    MakeTrip(platform);
    const QString exports = platform.Root() + "/Scripts/";

    QJsonObject written = Succeed(platform, {"export", "Trip", "--format", "Package"});
    EXPECT_EQ(written["path"].toString(), exports + "Trip.zip");
    EXPECT_EQ(written["format"].toString(), "package");
    EXPECT_EQ(written["count"].toInt(), 3);
    EXPECT_EQ(written["pages"].toInt(), 1);
    EXPECT_EQ(written["receipts"].toInt(), 0);
    EXPECT_FALSE(written["folder"].toBool());
    QProcess list;
    list.start("unzip", {"-Z1", exports + "Trip.zip"});
    ASSERT_TRUE(list.waitForFinished(60000));
    EXPECT_EQ(list.readAllStandardOutput(), "Trip.pdf\nTrip.csv\n");

    const QString folder = platform.Path("handed-in");
    written = Succeed(platform,
                      {"export", "Trip", "--format", "package", "--folder", "--output", folder});
    EXPECT_EQ(written["path"].toString(), folder);
    EXPECT_TRUE(written["folder"].toBool());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{"Trip.csv", "Trip.pdf"}));
    // The PDF of a package marks every expense without a receipt.
    QProcess text;
    text.start("pdftotext", {folder + "/Trip.pdf", "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput()).count("Missing"), 3);

    // A second folder never goes over the first.
    const CliResult again = RunCli(platform, {"export", "Trip", "--format", "package", "--folder",
                                              "--output", folder + "/Trip.csv"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("A package folder cannot replace the file"))
        << again.err.toStdString();
    EXPECT_TRUE(again.out.isEmpty());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"Trip.csv", "Trip.pdf"}));
}

TEST(CliExport, AFailedWriteIsReportedAndLeavesNoFile) {
    STRACE_FOR_INJECTION_OR_SKIP(strace)
    TestPlatform platform;
    MakeTrip(platform);
    const QString exports = platform.Root() + "/Scripts";
    for (const char* format : {"csv", "pdf"}) {
        int failures = 0;
        // Each write of the run fails in turn: the settings, the export, the
        // printed result.
        for (int n = 1; n <= 8; ++n) {
            QDir(exports).removeRecursively();
            QProcess process;
            process.start(strace,
                          {"-f", "-qq", "-o", "/dev/null", "-e",
                           QStringLiteral("inject=write:error=ENOSPC:when=%1").arg(n),
                           ProgramPath("outlaysheet-cli"), "--root", platform.Root(), "--registry",
                           platform.RegistryFolder(), "export", "Trip", "--format", format});
            ASSERT_TRUE(process.waitForFinished(120000));
            const QString what = QStringLiteral("%1, write %2 failing").arg(format).arg(n);
            const QStringList files = QDir(exports).entryList(QDir::Files | QDir::Hidden);
            if (process.exitCode() != 0) {
                ++failures;
                EXPECT_EQ(files, QStringList()) << what.toStdString();
                EXPECT_TRUE(process.readAllStandardError().contains(
                    "could not be written: No space left on device"))
                    << what.toStdString();
                continue;
            }
            // Success is claimed only for a whole file.
            ASSERT_EQ(files, QStringList{QStringLiteral("Trip.") + format}) << what.toStdString();
            const QByteArray bytes = ReadFileBytes(exports + "/" + files.first());
            EXPECT_TRUE(bytes.endsWith(format == QLatin1String("csv") ? "\r\n" : "%%EOF\n"))
                << what.toStdString();
        }
        EXPECT_GT(failures, 0) << format;
    }
}

TEST(CliExport, AFailedPackageLeavesNothingBehind) {
    STRACE_FOR_INJECTION_OR_SKIP(strace)
    TestPlatform platform;
    MakeTrip(platform);
    const QString exports = platform.Root() + "/Scripts";
    for (const bool folder : {false, true}) {
        int failures = 0;
        // The settings, the report's files beside the package, the package.
        for (int n = 1; n <= 10; ++n) {
            QDir(exports).removeRecursively();
            QStringList arguments{"-f",
                                  "-qq",
                                  "-o",
                                  "/dev/null",
                                  "-e",
                                  QStringLiteral("inject=write:error=ENOSPC:when=%1").arg(n),
                                  ProgramPath("outlaysheet-cli"),
                                  "--root",
                                  platform.Root(),
                                  "--registry",
                                  platform.RegistryFolder(),
                                  "export",
                                  "Trip",
                                  "--format",
                                  "package"};
            if (folder) {
                arguments << "--folder";
            }
            QProcess process;
            process.start(strace, arguments);
            ASSERT_TRUE(process.waitForFinished(120000));
            const QString what = QStringLiteral("folder %1, write %2 failing").arg(folder).arg(n);
            const QStringList entries =
                QDir(exports).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            if (process.exitCode() != 0) {
                ++failures;
                EXPECT_EQ(entries, QStringList()) << what.toStdString();
                EXPECT_TRUE(process.readAllStandardError().contains("No space left on device"))
                    << what.toStdString();
                continue;
            }
            ASSERT_EQ(entries, QStringList{folder ? "Trip" : "Trip.zip"}) << what.toStdString();
            if (folder) {
                EXPECT_EQ(QDir(exports + "/Trip").entryList(QDir::Files, QDir::Name),
                          (QStringList{"Trip.csv", "Trip.pdf"}));
            } else {
                QProcess test;
                test.start("unzip", {"-tq", exports + "/Trip.zip"});
                ASSERT_TRUE(test.waitForFinished(60000));
                EXPECT_EQ(test.exitCode(), 0) << what.toStdString();
            }
        }
        EXPECT_GT(failures, 0) << folder;
    }
}
