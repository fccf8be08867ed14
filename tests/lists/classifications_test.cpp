#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <optional>

#include "archive/expensearchive.h"
#include "listfilebytes.h"
#include "lists/classification.h"
#include "lists/classificationgroup.h"
#include "lists/classificationgroupmgr.h"
#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

QString DataFile(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/Classifications.dat";
}

QStringList Names(const CClassificationGroup& group) {
    QStringList names;
    for (const CClassification& classification : group) {
        names << classification.GetName();
    }
    return names;
}

QStringList GroupNames(const CClassificationGroupMgr& manager) {
    QStringList names;
    for (const CClassificationGroup& group : manager) {
        names << group.GetName();
    }
    return names;
}

const QStringList kDefaultNames = {"Client 1", "Client 2", "Client 3", "None"};

}  // namespace

TEST(ClassificationGroupMgr, AHandWrittenFileIsReadAndWrittenBackByteForByte) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    ASSERT_TRUE(WriteFileBytes(path, kClassificationsFile));
    CClassificationGroupMgr manager;
    EXPECT_EQ(manager.GetFilePath(), path);
    ASSERT_TRUE(manager.Load(false));
    EXPECT_FALSE(manager.IsModified());
    EXPECT_EQ(GroupNames(manager), (QStringList{"Regions", "Custom Class"}));
    EXPECT_EQ(manager.GetCurrentGroupName(), "Regions");
    // South and None share a bucket and still keep the order of the file.
    EXPECT_EQ(Names(*manager.FindGroup("regions")), (QStringList{"West", "South", "None"}));
    EXPECT_EQ(manager.FindClassification("REGIONS", "south")->GetImageName(),
              "CLASSIFICATION03U.BMP");
    EXPECT_EQ(manager.GetGroupCount("Custom Class"), 1);

    // Unchanged, nothing is written; once changed, the same bytes are.
    ASSERT_TRUE(WriteFileBytes(path, "sentinel"));
    ASSERT_TRUE(manager.Save(false));
    EXPECT_EQ(ReadFileBytes(path), "sentinel");
    manager.SetModified(true);
    ASSERT_TRUE(manager.Save(false));
    EXPECT_EQ(ReadFileBytes(path), kClassificationsFile);
    EXPECT_FALSE(manager.IsModified());
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(ClassificationGroupMgr, FilesWithoutUsableGroupsAreReplacedByTheDefaults) {
    const QByteArray groupless = QByteArray::fromHex("0400000001000000fffeff0158000000000000");
    const UnusableFile files[] = {
        {"missing", std::nullopt, false},
        {"empty", QByteArray(), false},
        {"without groups", groupless, false},
        {"foreign type", QByteArray::fromHex("0800000001000000") + kClassificationsFile.mid(8),
         true},
        {"newer version", QByteArray::fromHex("0400000002000000") + kClassificationsFile.mid(8),
         true},
        {"truncated", kClassificationsFile.left(kClassificationsFile.size() - 1), true},
        {"absurd group count", kClassificationsFile.left(26) + QByteArray::fromHex("ffffffff"),
         true},
        {"absurd classification count",
         kClassificationsFile.left(48) + QByteArray::fromHex("ffffff7f"), true},
    };
    for (const UnusableFile& file : files) {
        TestPlatform platform;
        const QString path = DataFile(platform);
        PlaceFile(path, file);
        CClassificationGroupMgr manager;
        EXPECT_TRUE(manager.Load(false)) << file.name;
        EXPECT_EQ(GroupNames(manager), QStringList{"Custom Class"}) << file.name;
        EXPECT_EQ(manager.GetCurrentGroupName(), "Custom Class") << file.name;
        EXPECT_EQ(Names(*manager.GetCurrentGroup()), kDefaultNames) << file.name;
        EXPECT_FALSE(manager.IsModified()) << file.name;
        EXPECT_TRUE(manager.IsValid()) << file.name;
        ExpectReplaced(path, kDefaultClassificationsFile, file);
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(path, file.kept)) << file.name;
    }
}

TEST(ClassificationGroupMgr, AReportedFailureIsShownAndAFileThatCannotBeKeptIsNotOverwritten) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    const QByteArray foreign = QByteArray::fromHex("0600000002000000");
    WriteFileBytes(path, foreign);
    CClassificationGroupMgr manager;
    EXPECT_TRUE(manager.Load(true));
    EXPECT_EQ(
        platform.Prompts().Texts(),
        (QStringList{path + " \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new "
                            "information entered pertaining to this file will not be saved.",
                     KeptMessage(path)}));
    EXPECT_EQ(ReadFileBytes(path + ".unreadable"), foreign);

    // A folder in the file's place can neither be read nor moved aside.
    TestPlatform other;
    const QString folder = DataFile(other);
    ASSERT_TRUE(QDir().mkpath(folder));
    CClassificationGroupMgr blocked;
    EXPECT_FALSE(blocked.Load(false));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(GroupNames(blocked), QStringList{"Custom Class"});
}

TEST(ClassificationGroupMgr, TheCurrentGroupIsAlwaysOneThatExists) {
    TestPlatform platform;
    CClassificationGroupMgr manager;
    manager.CreateDefaults();
    manager.SetModified(false);

    EXPECT_FALSE(manager.SetCurrentGroup("Projects"));
    EXPECT_EQ(manager.GetCurrentGroupName(), "Custom Class");
    EXPECT_FALSE(manager.IsModified());

    manager.CreateGroup("Projects");
    EXPECT_TRUE(manager.SetCurrentGroup("PROJECTS"));
    EXPECT_EQ(manager.GetCurrentGroupName(), "Projects");  // the group's own spelling

    // Renaming the current group keeps it current under its new name.
    manager.CreateGroup("Trips");
    ASSERT_NE(manager.RenameGroup("projects", "Cost Centres"), nullptr);
    EXPECT_EQ(manager.GetCurrentGroupName(), "Cost Centres");

    // Removing it makes another group current; with none left an empty
    // "Custom Class" comes back.
    EXPECT_TRUE(manager.RemoveGroup("Custom Class"));
    manager.SetModified(false);
    EXPECT_TRUE(manager.RemoveGroup("Cost Centres"));
    EXPECT_EQ(manager.GetCurrentGroupName(), "Trips");
    EXPECT_EQ(manager.GetCurrentGroup()->GetName(), "Trips");
    manager.RemoveAll();
    manager.SetModified(false);
    EXPECT_EQ(manager.GetCurrentGroupName(), "Custom Class");
    EXPECT_EQ(manager.GetCount(), 1);
    EXPECT_TRUE(manager.IsGroupEmpty("Custom Class"));
    EXPECT_TRUE(manager.IsModified());
}

TEST(ClassificationGroupMgr, GroupsAndClassificationsIgnoreLetterCase) {
    TestPlatform platform;
    CClassificationGroupMgr manager;
    manager.CreateDefaults();

    // Adding "client 1" replaces "Client 1".
    manager.AddClassification("custom class",
                              CClassification("client 1", "CLASSIFICATION05U.BMP"));
    CClassificationGroup& group = *manager.GetCurrentGroup();
    EXPECT_EQ(group.GetCount(), 4);
    EXPECT_EQ(group.Find("CLIENT 1")->GetName(), "client 1");
    EXPECT_EQ(group.Find("Client 1")->GetImageName(), "CLASSIFICATION05U.BMP");

    // Renaming may change the letter case, but never files one over another.
    EXPECT_EQ(group.Rename("client 1", "Client 2"), nullptr);
    EXPECT_EQ(group.Find("Client 2")->GetImageName(), "CLASSIFICATION11U.BMP");
    EXPECT_EQ(group.GetCount(), 4);
    ASSERT_NE(group.Rename("client 1", "CLIENT 1"), nullptr);
    EXPECT_EQ(group.Find("client 1")->GetName(), "CLIENT 1");
    ASSERT_NE(group.Rename("None", "Internal"), nullptr);
    EXPECT_FALSE(group.Exists("None"));
    EXPECT_EQ(group.Rename("None", "Other"), nullptr);

    manager.CreateGroup("Projects");
    EXPECT_EQ(manager.RenameGroup("Projects", "CUSTOM CLASS"), nullptr);
    EXPECT_EQ(manager.GetGroupCount("Custom Class"), 4);
    // Creating a group of an existing name starts it afresh.
    manager.CreateGroup("custom CLASS");
    EXPECT_EQ(manager.GetGroupCount("Custom Class"), 0);
    EXPECT_EQ(manager.FindGroup("Custom Class")->GetName(), "custom CLASS");

    // Without the group, the forwarding operations give null, false or 0.
    EXPECT_EQ(manager.AddClassification("Nowhere", CClassification("A", "B")), nullptr);
    EXPECT_EQ(manager.FindClassification("Nowhere", "A"), nullptr);
    EXPECT_FALSE(manager.ClassificationExists("Nowhere", "A"));
    EXPECT_FALSE(manager.RemoveClassification("Nowhere", "A"));
    EXPECT_FALSE(manager.IsGroupEmpty("Nowhere"));
    EXPECT_EQ(manager.GetGroupCount("Nowhere"), 0);
    EXPECT_FALSE(manager.ClearGroup("Nowhere"));
    EXPECT_FALSE(manager.RemoveGroup("Nowhere"));
}

TEST(ClassificationGroupMgr, AChangeAnywhereIsSavedAndSavingClearsEveryFlag) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    CClassificationGroupMgr manager;
    ASSERT_TRUE(manager.Load(false));
    ASSERT_FALSE(manager.IsModified());

    // An image changed through a found classification still reaches the file.
    manager.FindClassification("Custom Class", "None")->SetImageName("CLASSIFICATION16U.BMP");
    EXPECT_TRUE(manager.IsModified());
    ASSERT_TRUE(manager.Save(false));
    EXPECT_FALSE(manager.IsModified());
    EXPECT_FALSE(manager.FindClassification("Custom Class", "None")->IsModified());

    CClassificationGroupMgr reread;
    ASSERT_TRUE(reread.Load(false));
    EXPECT_EQ(reread.FindClassification("custom class", "none")->GetImageName(),
              "CLASSIFICATION16U.BMP");

    // A group stored again from itself survives its own replacement.
    CClassificationGroup* group = reread.FindGroup("Custom Class");
    CClassificationGroup* stored = reread.AddGroup(*group);
    EXPECT_EQ(Names(*stored), kDefaultNames);
}

TEST(Classification, ImagesAreLookedUpByFileNameInTheClassificationFolder) {
    TestPlatform platform;
    const QString folder = platform.Root() + "/Outlaysheet/Images/class/";
    ASSERT_TRUE(WriteFileBytes(folder + "CLASSIFICATION09U.BMP", "BM"));

    CClassification present("Client 1", "CLASSIFICATION09U.BMP");
    EXPECT_FALSE(present.IsImageMissing());
    EXPECT_EQ(present.GetImagePath(), folder + "CLASSIFICATION09U.BMP");
    EXPECT_EQ(present.GetImageReference(), folder + "CLASSIFICATION09U.BMP");

    CClassification missing;
    EXPECT_EQ(missing.GetImageName(), "BROKENIMAGEU.BMP");
    EXPECT_TRUE(missing.IsImageMissing());
    EXPECT_EQ(missing.GetImageReference(), "BROKENIMAGEU.BMP");

    struct Case {
        const char* name;
        QString path;
        QString imageName;
    } cases[] = {
        {"backslashes", "\\Windows\\Images\\CLASSIFICATION09U.BMP", "CLASSIFICATION09U.BMP"},
        {"slashes", "/tmp/pictures/CLASSIFICATION09U.BMP", "CLASSIFICATION09U.BMP"},
        {"both, slash last", "a\\b/CLASSIFICATION09U.BMP", "CLASSIFICATION09U.BMP"},
        {"a bare name", "CLASSIFICATION09U.BMP", "CLASSIFICATION09U.BMP"},
    };
    for (const Case& c : cases) {
        missing.SetImageName(c.path);
        EXPECT_EQ(missing.GetImageName(), c.imageName) << c.name;
        EXPECT_FALSE(missing.IsImageMissing()) << c.name;
        EXPECT_TRUE(missing.IsModified()) << c.name;
    }

    // A name read from a file is kept as it is, but never leads out of the
    // folder.
    const QByteArray body = QByteArray::fromHex(
        "fffeff014100"  // "A", "../../CLASSIFICATION09U.BMP"
        "fffeff1b2e002e002f002e002e002f0043004c0041005300530049004600490043004100540049004f00"
        "4e003000390055002e0042004d005000");
    QBuffer source;
    source.setData(body);
    source.open(QIODevice::ReadOnly);
    CExpenseArchive reading(source, CExpenseArchive::Mode::kLoad);
    CClassification read;
    read.Serialize(reading, 0);
    EXPECT_EQ(read.GetImageName(), "../../CLASSIFICATION09U.BMP");
    EXPECT_EQ(read.GetImagePath(), folder + "CLASSIFICATION09U.BMP");
    EXPECT_FALSE(read.IsImageMissing());
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    CExpenseArchive writing(target, CExpenseArchive::Mode::kStore);
    read.Serialize(writing, 0);
    writing.Close();
    EXPECT_EQ(target.data(), body);
}

TEST(Classification, CopiesTakeValuesAndChangeStateAndEqualityIsExact) {
    TestPlatform platform;
    CClassification original("Client 1", "CLASSIFICATION09U.BMP");
    original.SetName("Client 1");
    original.SetValid(false);
    original.SetLoaded(true);
    const CClassification copy(original);
    EXPECT_TRUE(copy.IsEqual(original));
    EXPECT_TRUE(copy.IsModified());
    EXPECT_TRUE(copy.IsValid());
    EXPECT_FALSE(copy.IsLoaded());
    EXPECT_FALSE(copy.IsEqual(CClassification("client 1", "CLASSIFICATION09U.BMP")));
    EXPECT_FALSE(copy.IsEqual(CClassification("Client 1", "classification09u.bmp")));
}
