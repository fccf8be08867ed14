#include "app/syncprovider.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/installation.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

constexpr qint64 kLongAgo = 1000000000;

QString ProviderIn(const TestPlatform& platform) {
    return platform.Path("system/DurEdodavuDido.dll");
}

QString Registered(TestPlatform& platform, const QString& name) {
    return platform.GetRegistry().ReadString(
        RegistryHive::LocalMachine, "Windows CE Services\\Synchronization\\Objects\\Outlaysheet",
        name, "missing");
}

void MakeOld(const QString& path) {
    ASSERT_TRUE(WriteFileBytes(path, "x")) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(kLongAgo),
                                 QFileDevice::FileModificationTime));
}

qint64 Modified(const QString& path) {
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

}  // namespace

TEST(SyncProvider, MissingProviderIsReportedAndNotRegistered) {
    TestPlatform platform;
    EXPECT_EQ(CheckSyncProvider(), SyncProviderStatus::Missing);
    ASSERT_EQ(platform.Prompts().Messages().size(), 1u);
    const ScriptedPrompts::Message& message = platform.Prompts().Messages()[0];
    EXPECT_EQ(message.text, "Syncronization will not work because the file \"" +
                                ProviderIn(platform) +
                                "\" is missing or corrupt, please re-install the application.");
    EXPECT_EQ(message.buttons, PromptButtons::Ok);
    EXPECT_EQ(message.icon, PromptIcon::None);
    EXPECT_EQ(Registered(platform, "Store"), "missing");
}

TEST(SyncProvider, ProvidersAreRegisteredThenLoadedAndTheirVersionCompared) {
    ASSERT_EQ(GetModuleVersion(), "1.0.0.0");
    const QString incorrect =
        " has the incorrect version, please re-install the application."
        "\n\nExpense.exe - 1.0.0.0\nDurEdodavuDido.dll - ";
    struct Case {
        const char* name;
        QString library;  // copied in; empty: a text file instead
        SyncProviderStatus status;
        QString message;  // after "Syncronization ... the file "<path>""
    } cases[] = {
        {"not a library", "", SyncProviderStatus::NotLoadable,
         " could not be loaded, please re-install the application."},
        {"another version", TEST_PROVIDER_OTHER_VERSION, SyncProviderStatus::WrongVersion,
         incorrect + "9.9.9.9"},
        {"no version export", TEST_PROVIDER_WITHOUT_VERSION, SyncProviderStatus::WrongVersion,
         incorrect + "0.0.0.0"},
        {"this build's provider", TEST_PROVIDER_REAL, SyncProviderStatus::Ready, ""},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = ProviderIn(platform);
        if (c.library.isEmpty()) {
            ASSERT_TRUE(WriteFileBytes(path, "not a shared object")) << c.name;
        } else {
            ASSERT_TRUE(QFile::copy(c.library, path)) << c.name;
        }
        EXPECT_EQ(CheckSyncProvider(), c.status) << c.name;
        if (c.message.isEmpty()) {
            EXPECT_TRUE(platform.Prompts().Texts().isEmpty()) << c.name;
        } else {
            const QString lead = c.status == SyncProviderStatus::NotLoadable
                                     ? "Syncronization will not work because the file \""
                                     : "Syncronization may not work because the file \"";
            EXPECT_EQ(platform.Prompts().Texts(), QStringList{lead + path + "\"" + c.message})
                << c.name;
            EXPECT_EQ(platform.Prompts().Messages()[0].icon, PromptIcon::None) << c.name;
        }
        // Registered before loading, so even a broken provider is.
        EXPECT_EQ(Registered(platform, "Store"), path) << c.name;
        EXPECT_EQ(Registered(platform, "Display Name"), "Outlaysheet") << c.name;
    }
}

TEST(SyncProvider, TheBuildPlacesItsProviderBesideThePrograms) {
    EXPECT_EQ(QFileInfo(TEST_PROVIDER_REAL).absolutePath(),
              QFileInfo(ProgramPath("outlaysheet-cli")).absolutePath());
    EXPECT_EQ(QFileInfo(TEST_PROVIDER_REAL).fileName(), "DurEdodavuDido.dll");
}

TEST(ForceSynchronization, TouchesReportsAndListsAndPicturesOnlyWhenAsked) {
    TestPlatform platform;
    const QString reports = platform.Root() + "/Outlaysheet/";
    const QStringList listed = {reports + "Boston.xpf", reports + "AUSTIN.XPF",
                                reports + "Data/Categories.dat", reports + "Data/Rates.Dat"};
    const QStringList pictures = {reports + "Images/category/Lunch.bmp",
                                  reports + "Images/paidwith/VISA.BMP"};
    const QStringList others = {reports + "notes.txt", reports + "Trash/Old.xpf",
                                reports + "Data/readme.txt", reports + "Images/other/x.png",
                                reports + "Images/Loose.bmp"};
    for (const QStringList& files : {listed, pictures, others}) {
        for (const QString& file : files) {
            MakeOld(file);
        }
    }

    EXPECT_EQ(ForceSynchronization(false), 4);
    for (const QString& file : listed) {
        EXPECT_EQ(Modified(file), kTestNow) << file.toStdString();
    }
    for (const QStringList& files : {pictures, others}) {
        for (const QString& file : files) {
            EXPECT_EQ(Modified(file), kLongAgo) << file.toStdString();
        }
    }

    EXPECT_EQ(ForceSynchronization(true), 6);
    for (const QString& file : pictures) {
        EXPECT_EQ(Modified(file), kTestNow) << file.toStdString();
    }
    for (const QString& file : others) {
        EXPECT_EQ(Modified(file), kLongAgo) << file.toStdString();
    }
    EXPECT_TRUE(platform.Prompts().Texts().isEmpty());
}

TEST(ForceSynchronization, NothingToTouchDoesNothing) {
    TestPlatform platform;
    EXPECT_EQ(ForceSynchronization(true), 0);
    EXPECT_TRUE(platform.Prompts().Texts().isEmpty());
}

TEST(ShellCli, InstallRecordsTheProgramFolderAndForceSyncCounts) {
    TestPlatform platform;
    const CliResult install = RunCli(platform, {"install"});
    ASSERT_EQ(install.exitCode, 0) << install.err.toStdString();
    const QJsonObject installed = QJsonDocument::fromJson(install.out.toUtf8()).object();
    const QString bin = QFileInfo(ProgramPath("outlaysheet-cli")).canonicalPath();
    EXPECT_EQ(installed["appPath"].toString(), bin);
    EXPECT_EQ(GetAppPath(), bin);
    EXPECT_TRUE(installed["currencyTable"].toObject()["installed"].toBool());
    EXPECT_TRUE(installed["personalInfo"].toObject()["saved"].toBool());
    EXPECT_TRUE(installed["distanceUnit"].toObject()["distanceInMiles"].toBool());

    const CliResult init = RunCli(platform, {"init"});
    ASSERT_EQ(init.exitCode, 0) << init.err.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(init.out.toUtf8())["currencyTable"]["kept"].toBool());

    // The lists the first run wrote, and the shipped pictures with --images.
    const CliResult lists = RunCli(platform, {"force-sync"});
    ASSERT_EQ(lists.exitCode, 0) << lists.err.toStdString();
    const int listCount = QJsonDocument::fromJson(lists.out.toUtf8())["touched"].toInt();
    EXPECT_GT(listCount, 0);
    const CliResult all = RunCli(platform, {"force-sync", "--images"});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_GT(QJsonDocument::fromJson(all.out.toUtf8())["touched"].toInt(), listCount);

    // The provider beside the tool is the program's own: no message, and it
    // is registered.
    const CliResult check = RunCli(platform, {"check-sync"});
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(QJsonDocument::fromJson(check.out.toUtf8())["status"].toString(), "ready");
    EXPECT_EQ(platform.GetRegistry().ReadString(RegistryHive::LocalMachine, kSyncRegistrationKey,
                                                "Display Name", {}),
              "Outlaysheet");

    EXPECT_EQ(RunCli(platform, {"force-sync", "--pictures"}).exitCode, 2);
    EXPECT_EQ(RunCli(platform, {"init", "extra"}).exitCode, 2);
}
