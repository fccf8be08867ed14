#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "platform/directories.h"
#include "platform/shippeddata.h"
#include "shippedfiles.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

const ImageFolder kFolders[] = {ImageFolder::Category, ImageFolder::Class, ImageFolder::PaidWith,
                                ImageFolder::ExpenseType, ImageFolder::Other};

int ShippedPictureCount() {
    int count = 0;
    for (const QString& folder : ImageFolderNames()) {
        count += int(ShippedPictures(folder).size());
    }
    return count;
}

QStringList NamesIgnoringCase(const QString& folder, const QString& name) {
    return QDir(folder).entryList({name}, QDir::Files);
}

}  // namespace

// Programs of this build run from its "bin" folder, so they find the data
// that the build generated beside it.
TEST(ShippedDataFolder, IsTheShareFolderBesideThePrograms) {
    EXPECT_EQ(GetShippedDataFolder(), ShareFolder());
}

TEST(InstallShippedImages, FillsEveryImageFolderWithItsPictures) {
    TestPlatform platform;
    const ImageInstallResult result = InstallShippedImages(ShareFolder());
    EXPECT_TRUE(result.Succeeded()) << result.failures.join('\n').toStdString();
    EXPECT_EQ(result.installed, ShippedPictureCount());
    EXPECT_EQ(result.kept, 0);
    for (ImageFolder folder : kFolders) {
        const QString name = ImageFolderName(folder);
        const QString target = GetImagesSubdirectory(folder);
        EXPECT_EQ(target, platform.Root() + "/Outlaysheet/Images/" + name);
        EXPECT_EQ(QDir(target).entryList(QDir::Files, QDir::Name), ShippedPictures(name))
            << name.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(GetImagesSubdirectory(ImageFolder::Category) + "/CATFOODU.BMP"),
              ReadFileBytes(ShareFolder() + "/images/category/CATFOODU.BMP"));
}

TEST(InstallShippedImages, NeverReplacesAPictureTheUserHas) {
    TestPlatform platform;
    const QString category = GetImagesSubdirectory(ImageFolder::Category);
    const QString paidWith = GetImagesSubdirectory(ImageFolder::PaidWith);
    ASSERT_TRUE(WriteFileBytes(category + "/CATFOODU.BMP", "my own food picture"));
    // The device ignores case: this is the user's cash picture.
    ASSERT_TRUE(WriteFileBytes(paidWith + "/paidwith08u.bmp", "my own cash picture"));

    const ImageInstallResult first = InstallShippedImages(ShareFolder());
    EXPECT_TRUE(first.Succeeded());
    EXPECT_EQ(first.kept, 2);
    EXPECT_EQ(first.installed, ShippedPictureCount() - 2);
    EXPECT_EQ(ReadFileBytes(category + "/CATFOODU.BMP"), "my own food picture");
    EXPECT_EQ(ReadFileBytes(paidWith + "/paidwith08u.bmp"), "my own cash picture");
    EXPECT_EQ(NamesIgnoringCase(paidWith, "PAIDWITH08U.BMP"), QStringList{"paidwith08u.bmp"});

    // A second run finds everything in place and changes nothing.
    const ImageInstallResult second = InstallShippedImages(ShareFolder());
    EXPECT_TRUE(second.Succeeded());
    EXPECT_EQ(second.installed, 0);
    EXPECT_EQ(second.kept, ShippedPictureCount());
    EXPECT_EQ(ReadFileBytes(category + "/CATFOODU.BMP"), "my own food picture");
}

TEST(InstallShippedImages, FailuresAreReportedAndTheRestIsInstalled) {
    struct Case {
        const char* name;
        QString dataFolder;
        bool blockClassFolder;
    };
    QTemporaryDir empty;
    const Case cases[] = {
        {"no data folder", "", false},
        {"a data folder without images", empty.path(), false},
        {"a file where an image folder belongs", ShareFolder(), true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TestPlatform fresh;
        if (test.blockClassFolder) {
            ASSERT_TRUE(WriteFileBytes(fresh.Root() + "/Outlaysheet/Images/class", "a file"));
        }
        const ImageInstallResult result = InstallShippedImages(test.dataFolder);
        EXPECT_FALSE(result.Succeeded());
        if (test.blockClassFolder) {
            EXPECT_EQ(result.failures, QStringList{"The image folder class is not available."});
            EXPECT_EQ(result.installed,
                      ShippedPictureCount() - int(ShippedPictures("class").size()));
        } else {
            EXPECT_EQ(result.installed, 0);
        }
    }
}

TEST(CliInitData, InstallsThePicturesOnceAndSaysSo) {
    TestPlatform platform;
    const CliResult first = RunCli(platform, {"init-data"});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QJsonObject images = QJsonDocument::fromJson(first.out.toUtf8())["images"].toObject();
    EXPECT_EQ(images["installed"].toInt(), ShippedPictureCount());
    EXPECT_EQ(images["kept"].toInt(), 0);
    EXPECT_TRUE(QFile::exists(platform.Root() + "/Outlaysheet/Images/other/OTHERGENERALU.BMP"));

    const CliResult second = RunCli(platform, {"init-data"});
    ASSERT_EQ(second.exitCode, 0);
    const QJsonObject again = QJsonDocument::fromJson(second.out.toUtf8())["images"].toObject();
    EXPECT_EQ(again["installed"].toInt(), 0);
    EXPECT_EQ(again["kept"].toInt(), ShippedPictureCount());

    const CliResult extra = RunCli(platform, {"init-data", "now"});
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_TRUE(extra.err.contains("init-data takes no arguments"));
}
