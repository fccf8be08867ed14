#include "app/commandlineinfo.h"

#include <gtest/gtest.h>

#include "support/qtprinters.h"

TEST(CommandLineInfo, InitFilesSwitchAndFileName) {
    struct Case {
        const char* name;
        QStringList arguments;
        bool initFiles;
        QString fileName;
    } cases[] = {
        {"nothing", {}, false, ""},
        {"bare word", {"InitFiles"}, true, ""},
        {"slash switch, any case", {"/initfiles"}, true, ""},
        {"dash switch, any case", {"-INITFILES"}, true, ""},
        {"mixed case", {"-iNiTfIlEs"}, true, ""},
        {"longer word", {"/InitFilesX"}, false, ""},
        // One prefix character is a switch's; the second is part of its name.
        {"double dash", {"--initfiles"}, false, ""},
        {"other switches are ignored", {"-p", "/dde"}, false, ""},
        {"file name", {"Oslo.xpf"}, false, "Oslo.xpf"},
        {"absolute path is no switch", {"/home/me/Oslo.xpf"}, false, "/home/me/Oslo.xpf"},
        {"both", {"/InitFiles", "/tmp/Oslo.xpf"}, true, "/tmp/Oslo.xpf"},
        {"first file name wins", {"initfiles", "a.xpf", "-initfiles", "b.xpf"}, true, "a.xpf"},
    };
    for (const Case& c : cases) {
        CExpenseCommandLineInfo info;
        info.Parse(c.arguments);
        EXPECT_EQ(info.InitFiles, c.initFiles) << c.name;
        EXPECT_EQ(info.fileName, c.fileName) << c.name;
        // A file name never asks the framework to open it: the start-up step
        // that opens the first report does.
        EXPECT_EQ(info.shellCommand, CExpenseCommandLineInfo::FileNothing) << c.name;
    }
}
