#include "platform/installation.h"

#include <gtest/gtest.h>

#include "platform/platformpaths.h"
#include "platform/screen.h"
#include "support/testplatform.h"

TEST(Installation, AppPathFromEitherKey) {
    TestPlatform platform;
    EXPECT_EQ(GetAppPath(), QString());
    Registry& registry = platform.GetRegistry();
    registry.WriteString(RegistryHive::LocalMachine, "Software\\Apps\\Tillhouse Outlaysheet",
                         "App Path", "/opt/old");
    EXPECT_EQ(GetAppPath(), "/opt/old");
    registry.WriteString(RegistryHive::LocalMachine, "Software\\Apps\\Outlaysheet", "App Path",
                         "");
    EXPECT_EQ(GetAppPath(), "/opt/old");  // empty counts as missing
    EXPECT_TRUE(SetAppPath("/opt/new"));
    EXPECT_EQ(GetAppPath(), "/opt/new");
    // Only a string counts.
    registry.WriteInteger(RegistryHive::LocalMachine, "Software\\Apps\\Outlaysheet", "App Path",
                          1);
    EXPECT_EQ(GetAppPath(), "/opt/old");
}

TEST(Installation, ModuleVersionFromTheVersionBlock) {
    // This test program carries the same version block as the programs.
    EXPECT_EQ(GetModuleVersion(), "1.0.0.0");
    EXPECT_EQ(GetModuleVersion("libnosuchmodule.so"), QString());
    // A loaded library without our block has no version.
    EXPECT_EQ(GetModuleVersion("libc.so.6"), QString());
}

TEST(Installation, PlatformEditions) {
    EXPECT_EQ(PlatformEditionFor(3, "PocketPC"), "Pocket PC 2002");
    EXPECT_EQ(PlatformEditionFor(3, "Palm-size PC"), "Pocket PC 2000");
    EXPECT_EQ(PlatformEditionFor(4, "PocketPC"), "Pocket PC 2003");
    EXPECT_EQ(PlatformEditionFor(4, "Smartphone"), "Unknown");
    EXPECT_EQ(PlatformEditionFor(5, "PocketPC"), "Unknown");
    EXPECT_EQ(GetPlatformEdition(), "Unknown");
}

TEST(Screen, LayoutsAndDpiScaling) {
    EXPECT_EQ(GetScreenLayout(240, 320), ScreenLayout::Portrait);
    EXPECT_EQ(GetScreenLayout(480, 640), ScreenLayout::Portrait);
    EXPECT_EQ(GetScreenLayout(320, 320), ScreenLayout::Portrait);  // tall enough wins
    EXPECT_EQ(GetScreenLayout(240, 240), ScreenLayout::Square);
    EXPECT_EQ(GetScreenLayout(320, 240), ScreenLayout::Landscape);
    EXPECT_EQ(GetScreenLayout(240, 319), ScreenLayout::Landscape);
    EXPECT_EQ(ScaleForDpi(13, 96), 13);
    EXPECT_EQ(ScaleForDpi(13, 192), 26);
    EXPECT_EQ(ScaleForDpi(13, 131), 18);  // (1703 + 48) / 96 = 18.2
    EXPECT_EQ(ScaleForDpi(1, 47), 0);
    EXPECT_EQ(ScaleForDpi(1, 48), 1);
}

TEST(PlatformPaths, CommandLineThenEnvironmentThenXdg) {
    TestPlatform platform;  // only for a temporary folder
    QStringList arguments = {"reports", "--root", platform.Path("r1"),
                             "--registry=" + platform.Path("g1")};
    qputenv("OUTLAYSHEET_ROOT", platform.Path("r2").toLocal8Bit());
    PlatformPaths paths = PlatformPaths::FromEnvironment(arguments);
    EXPECT_EQ(arguments, QStringList{"reports"});
    EXPECT_EQ(paths.documentsRoot, platform.Path("r1"));
    EXPECT_EQ(paths.registryFolder, platform.Path("g1"));
    EXPECT_FALSE(paths.systemFolder.isEmpty());

    arguments = {"reports"};
    paths = PlatformPaths::FromEnvironment(arguments);
    EXPECT_EQ(paths.documentsRoot, platform.Path("r2"));
    qunsetenv("OUTLAYSHEET_ROOT");

    // The test program's home is a temporary folder of its own.
    paths = PlatformPaths::FromEnvironment(arguments);
    EXPECT_EQ(paths.documentsRoot, qEnvironmentVariable("HOME") + "/Documents");
    EXPECT_EQ(paths.registryFolder,
              qEnvironmentVariable("XDG_CONFIG_HOME") + "/Tillhouse/registry");

    // An option without its folder is left for the caller to complain about.
    arguments = {"reports", "--root"};
    PlatformPaths::FromEnvironment(arguments);
    EXPECT_EQ(arguments, (QStringList{"reports", "--root"}));
}
