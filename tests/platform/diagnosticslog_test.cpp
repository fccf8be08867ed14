#include "platform/diagnosticslog.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <cerrno>

#include "support/testplatform.h"

TEST(DiagnosticsLog, NothingIsWrittenWithoutAnInstallationFolder) {
    TestPlatform platform;
    EXPECT_EQ(LogFilePath(), QString());
    LogMessage("lost", true);
    EXPECT_TRUE(QDir(platform.TempFolder()).entryList({"*.txt"}, QDir::Files).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(platform.Path("install/OutlaysheetDevLog.txt")));
}

TEST(DiagnosticsLog, LinesCarryTheLocalDateTimeAndTheLastError) {
    TestPlatform platform;
    const QString install = platform.InstallAppPath();
    EXPECT_EQ(LogFilePath(), install + "/OutlaysheetDevLog.txt");
    LogMessage("first");
    platform.Clock().Advance(61);
    errno = EACCES;
    LogMessage("second", true);
    EXPECT_EQ(errno, EACCES);  // logging leaves the caller's error alone
    EXPECT_EQ(ReadFileBytes(LogFilePath()),
              "03/14/2026 15:09:26 - first\n"
              "03/14/2026 15:10:27 - second - GetLastError: Permission denied\n");
    DeleteLog();
    EXPECT_FALSE(QFileInfo::exists(LogFilePath()));
    DeleteLog();  // no file: nothing happens
}

TEST(DiagnosticsLog, TheLogRestartsOnlyPastItsLimit) {
    TestPlatform platform;
    platform.InstallAppPath();
    const QByteArray line = "03/14/2026 15:09:26 - next\n";

    ASSERT_TRUE(WriteFileBytes(LogFilePath(), QByteArray(kLogSizeLimit, 'x')));
    LogMessage("next");
    EXPECT_EQ(ReadFileBytes(LogFilePath()), QByteArray(kLogSizeLimit, 'x') + line);

    ASSERT_TRUE(WriteFileBytes(LogFilePath(), QByteArray(kLogSizeLimit + 1, 'x')));
    LogMessage("next");
    EXPECT_EQ(ReadFileBytes(LogFilePath()), line);
}

TEST(DiagnosticsLog, AnUnwritableLogIsSilentlySkipped) {
    TestPlatform platform;
    // The installation "folder" is a file: the line cannot be written.
    WriteFileBytes(platform.Path("notafolder"), "x");
    platform.GetRegistry().WriteString(RegistryHive::LocalMachine, "Software\\Apps\\Outlaysheet",
                                       "App Path", platform.Path("notafolder"));
    LogMessage("dropped", true);
    EXPECT_EQ(ReadFileBytes(platform.Path("notafolder")), "x");
}

TEST(DiagnosticsLog, ErrorTexts) {
    EXPECT_EQ(LastErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(LastErrorText(ENOSPC), "No space left on device");
    EXPECT_EQ(LastErrorText(99999), "Unknown error");
    EXPECT_EQ(LastErrorText(-1), "Unknown error");
}
