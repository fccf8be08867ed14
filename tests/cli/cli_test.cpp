#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

TEST(Cli, HelpAndUsageErrors) {
    TestPlatform platform;
    const CliResult help = RunCli(platform, {"help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: outlaysheet-cli"));

    const CliResult none = RunCli(platform, {});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("no command given"));

    const CliResult unknown = RunCli(platform, {"frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("unknown command \"frobnicate\""));
    EXPECT_TRUE(unknown.out.isEmpty());
}

TEST(Cli, ReportsListsTheReportFilesOfTheReportsFolder) {
    TestPlatform platform;
    const QString reports = platform.Root() + "/Outlaysheet";
    WriteFileBytes(reports + "/Boston.xpf", "12345");
    WriteFileBytes(reports + "/Austin.xpf", "1");
    WriteFileBytes(reports + "/notes.txt", "not a report");
    WriteFileBytes(reports + "/Trash/Old.xpf", "in the trash");

    const CliResult run = RunCli(platform, {"reports"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(result["folder"].toString(), reports);
    const QJsonArray files = result["reports"].toArray();
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0].toObject()["file"].toString(), "Austin.xpf");
    EXPECT_EQ(files[1].toObject()["file"].toString(), "Boston.xpf");
    EXPECT_EQ(files[1].toObject()["size"].toInt(), 5);
}

TEST(Cli, AReportsFolderThatCannotExistFails) {
    TestPlatform platform;
    WriteFileBytes(platform.Root() + "/Outlaysheet", "a file, not a folder");
    const CliResult run = RunCli(platform, {"reports"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("is not available"));
}
