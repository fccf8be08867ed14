#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

QJsonObject Json(const CliResult& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QString Reports(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet";
}

// Two reports and a data file, as the user left them.
void PutUserFiles(const TestPlatform& platform) {
    WriteFileBytes(Reports(platform) + "/Oslo.xpf", "oslo report");
    WriteFileBytes(Reports(platform) + "/Rome.xpf", "rome report");
    WriteFileBytes(Reports(platform) + "/Data/PaidWith.dat", "payment sources");
}

}  // namespace

TEST(CliBackup, BacksUpAndRestoresChosenFiles) {
    TestPlatform platform;
    PutUserFiles(platform);
    const QString archive = platform.Path("trip.xbf");

    CliResult run = RunCli(platform, {"backup", archive, "--report", "Oslo", "--data"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "Backup Was Successful\n");
    EXPECT_EQ(Json(run)["reports"].toArray(), QJsonArray{"Oslo.xpf"});
    EXPECT_EQ(Json(run)["fileTypesFlag"].toInt(), 3);

    // The entries in backup order, each with its category as comment.
    run = RunCli(platform, {"archive-list", archive});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray entries = Json(run)["entries"].toArray();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].toObject(),
              (QJsonObject{{"name", "Oslo.xpf"},
                           {"comment", "1"},
                           {"size", 11},
                           {"compressedSize", entries[0].toObject()["compressedSize"]},
                           {"method", "deflated"}}));
    EXPECT_EQ(entries[1].toObject()["name"].toString(), "PaidWith.dat");
    EXPECT_EQ(entries[1].toObject()["comment"].toString(), "2");
    EXPECT_EQ(RunCli(platform, {"archive-list", platform.Path("missing.xbf")}).exitCode, 1);

    // A second backup to the same archive asks first; the console's answer
    // is No, so the archive stays.
    run = RunCli(platform, {"backup", archive, "--all-reports"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, archive + " already exists. Do you want to replace it?\n");
    run = RunCli(platform, {"backup", archive, "--all-reports", "--data", "--overwrite"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();

    QDir(Reports(platform)).removeRecursively();
    run = RunCli(platform, {"restore", archive, "--report", "Rome.xpf"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "Restore Was Successful\n");
    EXPECT_EQ(Json(run)["restored"].toInt(), 1);
    EXPECT_EQ(QDir(Reports(platform)).entryList(QDir::Files), QStringList{"Rome.xpf"});

    run = RunCli(platform, {"restore", archive, "--all-reports", "--data"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Data/PaidWith.dat"), "payment sources");
    EXPECT_EQ(QDir(Reports(platform)).entryList(QDir::Files),
              (QStringList{"Oslo.xpf", "Rome.xpf"}));
}

TEST(CliBackup, RestoreReadsItsAnswersFromInput) {
    TestPlatform platform;
    PutUserFiles(platform);
    const QString archive = platform.Path("all.xbf");
    ASSERT_EQ(RunCli(platform, {"backup", archive, "--all-reports"}).exitCode, 0);
    WriteFileBytes(Reports(platform) + "/Oslo.xpf", "changed oslo");
    WriteFileBytes(Reports(platform) + "/Rome.xpf", "changed rome");

    // "maybe" is asked again; then No for Oslo and Yes for Rome.
    CliResult run =
        RunCli(platform, {"restore", archive, "--all-reports", "--ask"}, "maybe\nn\ny\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "Replace Existing File: " + Reports(platform) +
                           "/Oslo.xpf\n"
                           "Answer y, n or c.\n"
                           "Replace Existing File: " +
                           Reports(platform) +
                           "/Rome.xpf\n"
                           "Restore Was Successful\n");
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Oslo.xpf"), "changed oslo");
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Rome.xpf"), "rome report");

    WriteFileBytes(Reports(platform) + "/Rome.xpf", "changed rome");
    run = RunCli(platform, {"restore", archive, "--all-reports", "--ask"}, "c\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith("Restore Operation Was Canceled.\n")) << run.err.toStdString();

    // Without answers left, a question is answered No: nothing is replaced.
    run = RunCli(platform, {"restore", archive, "--all-reports", "--ask"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Rome.xpf"), "changed rome");

    // Without --ask existing files are replaced; with --no-replace kept.
    run = RunCli(platform, {"restore", archive, "--all-reports", "--no-replace"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Rome.xpf"), "changed rome");
    run = RunCli(platform, {"restore", archive, "--all-reports"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Rome.xpf"), "rome report");
}

TEST(CliBackup, RefusesBadRequests) {
    TestPlatform platform;
    PutUserFiles(platform);
    const QString archive = platform.Path("a.xbf");
    WriteFileBytes(platform.Path("foreign.xbf"), "not an archive");
    const struct {
        QStringList arguments;
        int exitCode;
        QString err;  // the start of standard error
    } cases[] = {
        {{"backup"}, 2, "outlaysheet-cli: backup takes one archive"},
        {{"backup", archive, "--all-reports", "--report", "Oslo"},
         2,
         "outlaysheet-cli: --all-reports and --report exclude each other"},
        {{"backup", archive}, 1, "Please select at least one check box to backup."},
        {{"backup", archive, "--report", "Paris"}, 1, "outlaysheet-cli: no report \"Paris\""},
        {{"restore", archive, "--data", "--ask", "--no-replace"}, 2, "outlaysheet-cli: --ask"},
        {{"restore", archive, "--data"},
         1,
         "Errors were encountered while trying to restore your files."},
        {{"restore", platform.Path("foreign.xbf"), "--all-reports"}, 1, "outlaysheet-cli: "},
        {{"restore", platform.Path("foreign.xbf"), "--images"},
         1,
         "Errors were encountered while trying to restore your files."},
        {{"trash", "burn"}, 2, "outlaysheet-cli: trash takes"},
    };
    for (const auto& test : cases) {
        const CliResult run = RunCli(platform, test.arguments);
        EXPECT_EQ(run.exitCode, test.exitCode) << test.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(test.err))
            << test.arguments.join(' ').toStdString() << ": " << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(archive));
}

TEST(CliTrash, ListsRestoresAndEmptiesTheTrash) {
    TestPlatform platform;
    const QString trash = Reports(platform) + "/Trash";
    WriteFileBytes(trash + "/Oslo.xpf", "deleted oslo");
    WriteFileBytes(trash + "/Rome.xpf", "deleted rome");
    WriteFileBytes(Reports(platform) + "/Rome.xpf", "current rome");

    CliResult run = RunCli(platform, {"trash", "list"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray listed = Json(run)["reports"].toArray();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].toObject()["file"].toString(), "Oslo.xpf");
    EXPECT_EQ(listed[0].toObject()["sizeText"].toString(), "12 bytes");

    run = RunCli(platform, {"trash", "restore", "Oslo"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Oslo.xpf"), "deleted oslo");
    run = RunCli(platform, {"trash", "restore", "Rome.xpf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              "The file 'Rome.xpf' already exists, please rename the existing file and "
              "try restoring again.\n");
    EXPECT_EQ(RunCli(platform, {"trash", "restore", "Oslo"}).exitCode, 1);

    run = RunCli(platform, {"trash", "empty"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(Json(run)["deleted"].toInt(), 1);
    run = RunCli(platform, {"trash", "empty"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "There are no files to delete.\n");
    EXPECT_EQ(ReadFileBytes(Reports(platform) + "/Rome.xpf"), "current rome");
}
