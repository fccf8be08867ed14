#include "archive/objectfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "archive/fileerrors.h"
#include "sampleobjects.h"
#include "support/testplatform.h"

namespace {

// Header 10/1, rate 1.5, miles 0, note "hi".
const QByteArray kSampleFile = QByteArray::fromHex(
    "0a00000001000000"
    "000000000000f83f"
    "00000000"
    "fffeff0268006900");

SampleObject Changed() {
    SampleObject object;
    object.rate = 9.0;
    object.miles = 7;
    object.note = "changed";
    return object;
}

bool IsDefault(const SampleObject& object) {
    return object.rate == 0.345 && object.miles == 1 && object.note == "default";
}

QString NotAnOutlaysheetFile(const QString& path) {
    return path +
           " \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new information "
           "entered pertaining to this file will not be saved.";
}

}  // namespace

TEST(LoadObjectFromFile, EveryOutcome) {
    struct Case {
        const char* name;
        std::optional<QByteArray> file;  // nothing: no file at all
        bool resetOnFailure;
        bool result;
        bool valid;
        bool loaded;
        bool reset;
        QString message;  // %1 is the path
    } cases[] = {
        {"missing, reset on failure", std::nullopt, true, false, false, false, true,
         "The file was not found.\r\nFile: %1"},
        {"missing, kept", std::nullopt, false, false, true, false, false,
         "The file was not found.\r\nFile: %1"},
        {"empty, reset on failure", QByteArray(), true, false, true, false, true, ""},
        {"empty, kept", QByteArray(), false, false, true, false, false, ""},
        {"foreign type", QByteArray::fromHex("0600000002000000") + kSampleFile.mid(8), true, false,
         false, false, true,
         "%1 \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new information "
         "entered pertaining to this file will not be saved."},
        {"newer version", QByteArray::fromHex("0a00000002000000") + kSampleFile.mid(8), true,
         false, false, false, true,
         "%1 \n\r\n\rwas created with a newer version of Outlaysheet and cannot be opened. Any "
         "new information entered pertaining to this file will not be saved."},
        {"truncated body", kSampleFile.left(kSampleFile.size() - 1), false, false, false, false,
         true, "Unexpected file format. \n\nFile: %1"},
        {"header only", kSampleFile.left(8), false, false, false, false, true,
         "Unexpected file format. \n\nFile: %1"},
        {"short header", kSampleFile.left(3), false, false, false, false, true,
         "Unexpected file format. \n\nFile: %1"},
        {"success", kSampleFile, true, true, true, true, false, ""},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = platform.Path("Preferences.dat");
        if (c.file) {
            ASSERT_TRUE(WriteFileBytes(path, *c.file));
        }
        SampleObject object = Changed();
        EXPECT_EQ(LoadObjectFromFile(path, &object, false, true, c.resetOnFailure), c.result)
            << c.name;
        EXPECT_EQ(object.IsValid(), c.valid) << c.name;
        EXPECT_EQ(object.IsLoaded(), c.loaded) << c.name;
        if (c.result) {
            EXPECT_EQ(object.rate, 1.5);
            EXPECT_EQ(object.miles, 0);
            EXPECT_EQ(object.note, "hi");
        } else {
            EXPECT_EQ(IsDefault(object), c.reset) << c.name;
        }
        const QStringList expected =
            c.message.isEmpty() ? QStringList() : QStringList{c.message.arg(path)};
        EXPECT_EQ(platform.Prompts().Texts(), expected) << c.name;
        for (const auto& message : platform.Prompts().Messages()) {
            EXPECT_EQ(message.icon, PromptIcon::Exclamation);
            EXPECT_EQ(message.buttons, PromptButtons::Ok);
        }
        // Loading never changes the file.
        EXPECT_EQ(QFile::exists(path), c.file.has_value()) << c.name;
    }
}

TEST(LoadObjectFromFile, QuietLoadsShowNothingAndLoadedObjectsAreNotReadAgain) {
    TestPlatform platform;
    const QString path = platform.Path("Preferences.dat");
    WriteFileBytes(path, QByteArray::fromHex("0300000001000000"));
    SampleObject object;
    EXPECT_FALSE(LoadObjectFromFile(path, &object, false, false, true));
    EXPECT_TRUE(platform.Prompts().Messages().empty());

    WriteFileBytes(path, kSampleFile);
    EXPECT_TRUE(LoadObjectFromFile(path, &object, false, false, true));
    const int calls = object.serializeCalls;
    EXPECT_TRUE(LoadObjectFromFile(path, &object, false, false, true));
    EXPECT_EQ(object.serializeCalls, calls);
    SampleObject other;
    EXPECT_FALSE(LoadObjectFromFile(QString(), &other, false, true, true));
}

TEST(LoadObjectFromFile, CreateIfMissingMakesAnEmptyFile) {
    TestPlatform platform;
    const QString path = platform.Path("History.dat");
    SampleObject object = Changed();
    EXPECT_FALSE(LoadObjectFromFile(path, &object, true, true, false));
    EXPECT_TRUE(object.IsValid());
    EXPECT_FALSE(object.IsLoaded());
    EXPECT_EQ(object.note, "changed");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(ReadFileBytes(path), QByteArray());
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(LoadObjectFromFile, AFolderIsNotAFile) {
    TestPlatform platform;
    SampleObject object;
    EXPECT_FALSE(LoadObjectFromFile(platform.TempFolder(), &object, false, true, true));
    EXPECT_FALSE(object.IsValid());
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{"Is a directory\r\nFile: " + platform.TempFolder()});
}

TEST(SaveObjectToFile, WritesTheObjectAndMarksItLoadedAndValid) {
    TestPlatform platform;
    const QString path = platform.Path("Preferences.dat");
    SampleObject object;
    object.rate = 1.5;
    object.miles = 0;
    object.note = "hi";
    ASSERT_TRUE(SaveObjectToFile(path, &object, true));
    EXPECT_EQ(ReadFileBytes(path), kSampleFile);
    EXPECT_TRUE(object.IsLoaded());
    EXPECT_TRUE(object.IsValid());
    EXPECT_TRUE(platform.Prompts().Messages().empty());
    // Nothing of the save is left beside the file.
    EXPECT_EQ(QDir(platform.TempFolder()).entryList(QDir::Files), QStringList{"Preferences.dat"});
    EXPECT_FALSE(SaveObjectToFile(QString(), &object, true));
    EXPECT_FALSE(SaveObjectToFile(path, nullptr, true));
}

TEST(SaveObjectToFile, AnObjectThatFailedToLoadAsksBeforeOverwriting) {
    TestPlatform platform;
    const QString path = platform.Path("Preferences.dat");
    const QByteArray foreign = QByteArray::fromHex("0600000002000000");
    WriteFileBytes(path, foreign);
    SampleObject object;
    LoadObjectFromFile(path, &object, false, false, true);
    ASSERT_FALSE(object.IsValid());

    const QString question = path +
                             " was not successfully opened.  Would you like to overwrite this "
                             "file with the new information?";
    platform.Prompts().QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(SaveObjectToFile(path, &object, true));
    EXPECT_EQ(ReadFileBytes(path), foreign);
    ASSERT_EQ(platform.Prompts().Messages().size(), 1u);
    EXPECT_EQ(platform.Prompts().Messages()[0].text, question);
    EXPECT_EQ(platform.Prompts().Messages()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(platform.Prompts().Messages()[0].icon, PromptIcon::Question);
    EXPECT_FALSE(object.IsValid());

    platform.Prompts().QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(SaveObjectToFile(path, &object, true));
    EXPECT_TRUE(object.IsValid());
    EXPECT_TRUE(object.IsLoaded());
    EXPECT_EQ(ReadFileBytes(path).left(8), kSampleFile.left(8));

    // Without prompting nothing is asked, and the file is overwritten.
    object.SetValid(false);
    platform.Prompts().Clear();
    EXPECT_TRUE(SaveObjectToFile(path, &object, false));
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(SaveObjectToFile, AReadOnlyFileOrAMissingFolderIsReportedAndLeftAlone) {
    TestPlatform platform;
    const QString path = platform.Path("Preferences.dat");
    WriteFileBytes(path, "old bytes");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    SampleObject object;
    EXPECT_FALSE(SaveObjectToFile(path, &object, true));
    EXPECT_EQ(ReadFileBytes(path), "old bytes");
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{"The file could not be saved because it is read-only or access to it "
                          "was denied.\r\nFile: " +
                          path});

    platform.Prompts().Clear();
    const QString nowhere = platform.Path("no/such/folder/Preferences.dat");
    EXPECT_FALSE(SaveObjectToFile(nowhere, &object, true));
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{"The file was not found.\r\nFile: " + nowhere});

    platform.Prompts().Clear();
    EXPECT_FALSE(SaveObjectToFile(nowhere, &object, false));
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(ProbeDataFileType, KnownTypesOfReadableVersions) {
    TestPlatform platform;
    struct Case {
        const char* name;
        QByteArray bytes;
        quint32 type;
    } cases[] = {
        {"preferences", QByteArray::fromHex("0a00000001000000"), 10},
        {"report, older version", QByteArray::fromHex("0600000001000000"), 6},
        {"report, current version", QByteArray::fromHex("0600000002000000"), 6},
        {"report, newer version", QByteArray::fromHex("0600000003000000"), 0},
        {"currency table, newer version", QByteArray::fromHex("0100000003000000"), 0},
        {"empty", QByteArray(), 0},
        {"short", QByteArray::fromHex("060000"), 0},
        {"unknown code with version 0", QByteArray::fromHex("6300000000000000"), 99},
        {"unknown code", QByteArray::fromHex("6300000001000000"), 0},
    };
    for (const Case& c : cases) {
        const QString path = platform.Path("probe.dat");
        WriteFileBytes(path, c.bytes);
        EXPECT_EQ(ProbeDataFileType(path), c.type) << c.name;
        EXPECT_EQ(IsKnownDataFile(path), c.type >= 1 && c.type <= 10) << c.name;
    }
    EXPECT_EQ(ProbeDataFileType(platform.Path("missing.dat")), 0u);
}

TEST(ReportFileError, MessagesForEachKindOfError) {
    TestPlatform platform;
    const QString path = "/r/Trip.xpf";
    const auto report = [&](const std::exception& error, bool saving) {
        return ReportFileError(path, error, saving, DefaultFileMessage::kFailedToSave, false);
    };
    EXPECT_EQ(report(CUserException(), true), QString());
    EXPECT_EQ(report(CArchiveException(CArchiveException::kBadClass), false),
              NotAnOutlaysheetFile(path));
    EXPECT_EQ(report(CArchiveException(CArchiveException::kGeneric), false),
              "The file could not be saved.\r\nFile: /r/Trip.xpf");
    EXPECT_EQ(report(CFileException(CFileException::kBadPath), false),
              "The file was not found.\r\nFile: /r/Trip.xpf");
    EXPECT_EQ(report(CFileException(CFileException::kAccessDenied), false),
              "The file could not be opened because access to it was denied.\r\nFile: "
              "/r/Trip.xpf");
    EXPECT_EQ(report(CFileException(CFileException::kDiskFull), true),
              "There is not enough space on the disk.\r\nFile: /r/Trip.xpf");
    EXPECT_EQ(report(CFileException::FromErrno(EIO), true),
              "Input/output error\r\nFile: /r/Trip.xpf");
    // A platform text that names the file already gets no second name.
    EXPECT_EQ(report(CFileException(CFileException::kGeneric, "cannot write /r/Trip.xpf"), true),
              "cannot write /r/Trip.xpf");
    EXPECT_EQ(report(std::runtime_error("odd"), true),
              "The file could not be saved.\r\nFile: /r/Trip.xpf");
    EXPECT_TRUE(platform.Prompts().Messages().empty());

    ReportFileError(path, CFileException(CFileException::kDiskFull), true,
                    DefaultFileMessage::kFailedToSave, true);
    ASSERT_EQ(platform.Prompts().Messages().size(), 1u);
    EXPECT_EQ(platform.Prompts().Messages()[0].icon, PromptIcon::Exclamation);
}
