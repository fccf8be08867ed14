#include "platform/directories.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

#include "platform/diagnosticslog.h"
#include "platform/filehelpers.h"
#include "support/testplatform.h"

namespace {

QStringList LogLines(const QString& folder) {
    QString text = QString::fromUtf8(ReadFileBytes(folder + "/OutlaysheetDevLog.txt"));
    QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    return lines;
}

}  // namespace

TEST(JoinPath, OneSeparatorBetweenTheParts) {
    EXPECT_EQ(JoinPath("/home/ann/", "/Outlaysheet"), "/home/ann/Outlaysheet");
    EXPECT_EQ(JoinPath("/home/ann///", "Outlaysheet/Data"), "/home/ann/Outlaysheet/Data");
    EXPECT_EQ(JoinPath("", "Outlaysheet"), "/Outlaysheet");
    EXPECT_EQ(JoinPath("/", "Scripts"), "/Scripts");
    EXPECT_EQ(JoinPath("a", ""), "a/");
}

TEST(Directories, TheTreeUnderTheRoot) {
    TestPlatform platform;
    const QString root = platform.Root();
    EXPECT_EQ(GetDocumentsRoot(), root);
    EXPECT_EQ(GetDocumentsRoot(true), root + "/");
    EXPECT_EQ(GetReportsDirectory(), root + "/Outlaysheet");
    EXPECT_EQ(GetReportsTempDirectory(), root + "/Outlaysheet");
    EXPECT_EQ(GetTrashDirectory(true), root + "/Outlaysheet/Trash/");
    EXPECT_EQ(GetDataDirectory(), root + "/Outlaysheet/Data");
    EXPECT_EQ(GetImagesSubdirectory(ImageFolder::ExpenseType, true),
              root + "/Outlaysheet/Images/expensetype/");
    for (const char* folder :
         {"Outlaysheet", "Outlaysheet/Trash", "Outlaysheet/Data", "Outlaysheet/Images/category",
          "Outlaysheet/Images/paidwith", "Outlaysheet/Images/class",
          "Outlaysheet/Images/expensetype", "Outlaysheet/Images/other"}) {
        EXPECT_TRUE(QFileInfo(root + "/" + folder).isDir()) << folder;
    }
    // Exports are made on first use only.
    EXPECT_FALSE(QFileInfo::exists(root + "/Scripts"));
    EXPECT_EQ(GetExportsDirectory(), root + "/Scripts");
    EXPECT_TRUE(QFileInfo(root + "/Scripts").isDir());
}

TEST(Directories, PathsAreCachedUntilInitDirectories) {
    TestPlatform platform;
    const QString reports = GetReportsDirectory();
    ASSERT_TRUE(QDir(reports).removeRecursively());
    // Cached: the getter neither checks nor creates again.
    EXPECT_EQ(GetReportsDirectory(), reports);
    EXPECT_FALSE(QFileInfo::exists(reports));

    // Reports Temp is the Reports folder: initialising both makes it once,
    // without a failure.
    platform.InstallAppPath();
    EXPECT_TRUE(InitDirectories(kInitReports));
    EXPECT_TRUE(QFileInfo(reports).isDir());
    EXPECT_TRUE(QFileInfo(reports + "/Trash").isDir());
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
}

TEST(Directories, ImageFoldersComeOnlyWithTheImagesPathAndOnlyWhenMissing) {
    TestPlatform platform;
    InitDirectories(kInitReports | kInitData);
    const QString images = platform.Root() + "/Outlaysheet/Images";
    EXPECT_FALSE(QFileInfo::exists(images));

    // A user's own picture in an existing sub-folder is left alone.
    ASSERT_TRUE(WriteFileBytes(images + "/class/MINE.BMP", "mine"));
    InitDirectories(kInitImages);
    EXPECT_EQ(ReadFileBytes(images + "/class/MINE.BMP"), "mine");
    for (const char* sub : {"category", "paidwith", "class", "expensetype", "other"}) {
        EXPECT_TRUE(QFileInfo(images + "/" + sub).isDir()) << sub;
    }
}

TEST(Directories, AFolderThatCannotBeMadeIsLogged) {
    TestPlatform platform;
    const QString install = platform.InstallAppPath();
    // A file where the tree should start blocks every folder, even for root.
    const QString top = platform.Root() + "/Outlaysheet";
    WriteFileBytes(top, "not a folder");
    EXPECT_TRUE(InitDirectories(kInitReports | kInitData));
    const QStringList lines = LogLines(install);
    const QStringList expected = {
        "Failed to create directory " + top + " for directory " + top +
            ". - GetLastError: File exists",
        "Reports Directory Failed to Initialize. - GetLastError: File exists",
        "Failed to create directory " + top + " for directory " + top +
            ". - GetLastError: File exists",
        "Reports Temp Directory Failed to Initialize. - GetLastError: File exists",
        "Failed to create directory " + top + "/Trash for directory " + top +
            "/Trash. - GetLastError: Not a directory",
        "Trash Directory Failed to Initialize. - GetLastError: Not a directory",
        "Failed to create directory " + top + "/Data for directory " + top +
            "/Data. - GetLastError: Not a directory",
        "Data Directory Failed to Initialize. - GetLastError: Not a directory",
    };
    ASSERT_EQ(lines.size(), expected.size()) << lines.join('\n').toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "03/14/2026 15:09:26 - " + expected[i]);
    }
    // The getters still answer with the paths, so later file work fails
    // with a clear message instead of writing elsewhere.
    EXPECT_EQ(GetDataDirectory(), top + "/Data");
}

TEST(Directories, AnUnresolvableRootPutsTheTreeAtTheTop) {
    TestPlatform platform;
    const bool root = geteuid() == 0;
    // Root makes the folders in a child that sees a temporary folder as "/",
    // so nothing is made at the real top of the file system; anyone else
    // cannot make them there at all, but gets the same paths.
    const QString jail = platform.Path("jail");
    QDir().mkpath(jail);
    PlatformPaths paths;
    const pid_t child = fork();
    if (child == 0) {
        if (root && (chroot(QFile::encodeName(jail).constData()) != 0 || chdir("/") != 0)) {
            _exit(3);
        }
        Platform inner(paths, std::make_unique<FixedClock>(kTestNow, TestTimeZone()),
                       std::make_unique<ScriptedPrompts>(), UsEnglishLocale());
        PlatformScope scope(inner);
        const bool ok = GetDocumentsRoot().isEmpty() && GetReportsDirectory() == "/Outlaysheet" &&
                        GetExportsDirectory(true) == "/Scripts/" && GetDocumentsRoot().isEmpty() &&
                        (!root || QFileInfo("/Outlaysheet/Data").isDir() == false);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    if (root) {
        EXPECT_TRUE(QFileInfo(jail + "/Outlaysheet").isDir());
        EXPECT_TRUE(QFileInfo(jail + "/Scripts").isDir());
    }
}

TEST(CreateDirectoryPath, MakesEveryMissingLevel) {
    TestPlatform platform;
    const QString deep = platform.Path("a/b/c/d");
    EXPECT_TRUE(CreateDirectoryPath(deep));
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(CreateDirectoryPath(deep + "/"));  // already there
    EXPECT_TRUE(CreateDirectoryPath(platform.Path("a//b/e/")));
    EXPECT_TRUE(QFileInfo(platform.Path("a/b/e")).isDir());
}

TEST(CreateDirectoryPath, FailuresAndTheEmptyPathAreLogged) {
    TestPlatform platform;
    const QString install = platform.InstallAppPath();
    WriteFileBytes(platform.Path("file"), "x");
    EXPECT_FALSE(CreateDirectoryPath(platform.Path("file/sub/deeper")));
    errno = ENOENT;
    EXPECT_TRUE(CreateDirectoryPath(QString()));
    const QStringList lines = LogLines(install);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "03/14/2026 15:09:26 - Failed to create directory " +
                            platform.Path("file/sub") + " for directory " +
                            platform.Path("file/sub/deeper") +
                            ". - GetLastError: Not a directory");
    EXPECT_EQ(lines[1],
              "03/14/2026 15:09:26 - Cannot create an empty directory. - GetLastError: "
              "No such file or directory");
}
