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

TEST(CliDump, HeadersOfDataAndReportFiles) {
    TestPlatform platform;
    struct Case {
        const char* name;
        QByteArray bytes;
        int exitCode;
        int fileType;
        int fileVersion;
        QString message;  // %1 is the path
    } cases[] = {
        {"preferences", QByteArray::fromHex("0a00000001000000000000000000000001000000"), 0, 10, 1,
         ""},
        // An empty report: header, no records, sort order, no query, no positions.
        {"report of the older version",
         QByteArray::fromHex("0600000001000000") + QByteArray(56, '\0') +
             QByteArray::fromHex("fffeff00fffeff00000000000000000000000000000000000100000000"
                                 "000000000000000000"),
         0, 6, 1, ""},
        {"report of a newer version", QByteArray::fromHex("0600000003000000"), 1, 0, 0,
         "%1 \n\r\n\rwas created with a newer version of Outlaysheet and cannot be opened. Any "
         "new information entered pertaining to this file will not be saved."},
        {"foreign", "PK\x03\x04 not ours", 1, 0, 0,
         "%1 \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new information "
         "entered pertaining to this file will not be saved."},
        {"reserved type", QByteArray::fromHex("0700000001000000"), 1, 0, 0,
         "%1 \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new information "
         "entered pertaining to this file will not be saved."},
        {"truncated", QByteArray::fromHex("0a000000"), 1, 0, 0,
         "Unexpected file format. \n\nFile: %1"},
        {"empty", QByteArray(), 1, 0, 0, "Unexpected file format. \n\nFile: %1"},
    };
    for (const Case& c : cases) {
        const QString path = platform.Path("file.dat");
        WriteFileBytes(path, c.bytes);
        const CliResult run = RunCli(platform, {"dump", path});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.name;
        if (c.exitCode == 0) {
            const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
            EXPECT_EQ(json["fileType"].toInt(), c.fileType) << c.name;
            EXPECT_EQ(json["fileVersion"].toInt(), c.fileVersion) << c.name;
            EXPECT_TRUE(run.err.isEmpty()) << c.name;
        } else {
            EXPECT_EQ(run.err.trimmed(), c.message.arg(path).trimmed()) << c.name;
            EXPECT_TRUE(run.out.isEmpty()) << c.name;
        }
    }
    const CliResult missing = RunCli(platform, {"dump", platform.Path("missing.dat")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err.trimmed(),
              "The file was not found.\r\nFile: " + platform.Path("missing.dat"));
    EXPECT_EQ(RunCli(platform, {"dump"}).exitCode, 2);
}

TEST(CliDump, ThePreferencesFileHoldsTheRateAndTheUnit) {
    TestPlatform platform;
    const QString path = platform.Path("Preferences.dat");
    // 0.5 per kilometre, written by hand.
    WriteFileBytes(path, QByteArray::fromHex("0a00000001000000000000000000e03f00000000"));
    const CliResult run = RunCli(platform, {"dump", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json["defaultMileageRate"].toDouble(), 0.5);
    EXPECT_EQ(json["distanceInMiles"].toBool(), false);
    EXPECT_EQ(ReadFileBytes(path).size(), 20);  // dumping never rewrites
}

TEST(Cli, ContactsListsTheAddressBook) {
    TestPlatform platform;
    const QString folder = platform.Path("contacts");
    WriteFileBytes(
        folder + "/people.vcf",
        "BEGIN:VCARD\r\nFN:Ann Lee\r\nEND:VCARD\r\nBEGIN:VCARD\r\nTEL:1\r\nEND:VCARD\r\n");
    qputenv("OUTLAYSHEET_CONTACTS", QFile::encodeName(folder));
    const CliResult run = RunCli(platform, {"contacts"});
    qunsetenv("OUTLAYSHEET_CONTACTS");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(run.out.toUtf8())["contacts"].toArray(),
              (QJsonArray{"Ann Lee", ""}));

    // Without an address book the tool says so and fails.
    const CliResult none = RunCli(platform, {"contacts"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.startsWith("The address book ")) << none.err.toStdString();
}
