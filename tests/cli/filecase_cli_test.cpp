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

class InstalledPlatform : public TestPlatform {
public:
    InstalledPlatform() { EXPECT_EQ(RunCli(*this, {"init-data"}).exitCode, 0); }
    QString Reports() const { return Root() + "/Outlaysheet"; }
    QString CategoryImages() const { return Root() + "/Outlaysheet/Images/category"; }
};

// The "image" the lists command shows for a category.
QString CategoryImage(const CliResult& run, const QString& name) {
    for (const QJsonValue& category : Json(run)["categories"].toArray()) {
        if (category.toObject()["name"].toString() == name) {
            return category.toObject()["image"].toString();
        }
    }
    return QStringLiteral("no such category");
}

}  // namespace

TEST(CliFileCase, AReportIsFoundWhateverTheCaseOfItsExtension) {
    InstalledPlatform platform;
    ASSERT_EQ(RunCli(platform, {"new-report", "Trip"}).exitCode, 0);
    // As another device may write it.
    ASSERT_TRUE(QFile::rename(platform.Reports() + "/Trip.xpf", platform.Reports() + "/TRIP.XPF"));

    const QJsonArray reports = Json(RunCli(platform, {"reports"}))["reports"].toArray();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0].toObject()["file"].toString(), "TRIP.XPF");
    EXPECT_EQ(reports[0].toObject()["title"].toString(), "TRIP");

    for (const char* title : {"TRIP", "Trip"}) {
        SCOPED_TRACE(title);
        const CliResult added =
            RunCli(platform, {"add-expense", title, "--category", "Lunch", "--amount", "4"});
        EXPECT_EQ(added.exitCode, 0) << added.err.toStdString();
        const CliResult totals = RunCli(platform, {"totals", title});
        EXPECT_EQ(totals.exitCode, 0) << totals.err.toStdString();
    }
    EXPECT_EQ(Json(RunCli(platform, {"totals", "trip"}))["total"].toDouble(), 8.0);
    EXPECT_EQ(QDir(platform.Reports()).entryList(QDir::Files), QStringList{"TRIP.XPF"});

    // A new report may not take a name the device could not tell apart.
    const CliResult again = RunCli(platform, {"new-report", "trip"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains("A file with the same name already exists"));
}

TEST(CliFileCase, ATitleOfTwoFilesIsReportedNotGuessed) {
    InstalledPlatform platform;
    ASSERT_EQ(RunCli(platform, {"new-report", "Trip"}).exitCode, 0);
    ASSERT_TRUE(QFile::copy(platform.Reports() + "/Trip.xpf", platform.Reports() + "/Trip.XPF"));
    const QByteArray before = ReadFileBytes(platform.Reports() + "/Trip.xpf");
    struct Case {
        QStringList arguments;
        QString err;
    } cases[] = {
        {{"totals", "Trip"},
         "outlaysheet-cli: \"Trip\" could be any of the report files Trip.XPF, Trip.xpf in " +
             platform.Reports() + "; give the path of the one to use\n"},
        {{"add-expense", "trip", "--category", "Lunch", "--amount", "4"},
         "outlaysheet-cli: \"trip\" could be any of the report files Trip.XPF, Trip.xpf in " +
             platform.Reports() + "; give the path of the one to use\n"},
        {{"backup", platform.Path("all.xbf"), "--report", "Trip"},
         "outlaysheet-cli: \"Trip\" could be any of the reports Trip.XPF, Trip.xpf in " +
             platform.Reports() + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.err);
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(ReadFileBytes(platform.Reports() + "/Trip.xpf"), before);
    EXPECT_FALSE(QFile::exists(platform.Path("all.xbf")));
    // Named by its path, either one opens.
    const CliResult byPath = RunCli(platform, {"totals", platform.Reports() + "/Trip.XPF"});
    EXPECT_EQ(byPath.exitCode, 0) << byPath.err.toStdString();
}

TEST(CliFileCase, APictureIsFoundWhateverTheCaseOfItsNameUnlessTwoFilesCouldBeIt) {
    InstalledPlatform platform;
    const QString folder = platform.CategoryImages();
    const QString taxi = CategoryImage(RunCli(platform, {"lists"}), "Taxi");
    ASSERT_EQ(taxi, folder + "/CATTAXIU.BMP");

    ASSERT_TRUE(QFile::rename(taxi, folder + "/CatTaxiU.bmp"));
    CliResult run = RunCli(platform, {"lists"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(CategoryImage(run, "Taxi"), folder + "/CatTaxiU.bmp");
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    ASSERT_TRUE(QFile::copy(folder + "/CatTaxiU.bmp", folder + "/cattaxiu.BMP"));
    run = RunCli(platform, {"lists"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(CategoryImage(run, "Taxi"), "");
    EXPECT_EQ(run.err,
              "outlaysheet-cli: the picture \"CATTAXIU.BMP\" of \"Taxi\" could be any "
              "of CatTaxiU.bmp, cattaxiu.BMP in " +
                  folder + "; it counts as missing\n");

    // The exact name is the file it names, whatever else the folder holds.
    ASSERT_TRUE(QFile::copy(folder + "/CatTaxiU.bmp", folder + "/CATTAXIU.BMP"));
    run = RunCli(platform, {"lists"});
    EXPECT_EQ(CategoryImage(run, "Taxi"), folder + "/CATTAXIU.BMP");
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

TEST(CliFileCase, ADeletedReportComesBackFromTheTrashWhateverTheCaseOfItsExtension) {
    InstalledPlatform platform;
    ASSERT_TRUE(WriteFileBytes(platform.Reports() + "/Trash/OLD.XPF", "a deleted report"));
    const CliResult restored = RunCli(platform, {"trash", "restore", "Old"});
    EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(Json(restored)["restored"].toString(), "OLD.XPF");
    EXPECT_EQ(ReadFileBytes(platform.Reports() + "/OLD.XPF"), "a deleted report");

    ASSERT_TRUE(WriteFileBytes(platform.Reports() + "/Trash/Two.xpf", "one"));
    ASSERT_TRUE(WriteFileBytes(platform.Reports() + "/Trash/TWO.xpf", "other"));
    const CliResult two = RunCli(platform, {"trash", "restore", "two"});
    EXPECT_EQ(two.exitCode, 1);
    EXPECT_EQ(two.err,
              "outlaysheet-cli: \"two\" could be any of the reports TWO.xpf, Two.xpf in "
              "the trash\n");
    EXPECT_FALSE(QFile::exists(platform.Reports() + "/Two.xpf"));
}
