#include "lists/paidwithmanager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

QString DataFile(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/PaidWith.dat";
}

// Header 8/1 and three payment sources, in the order the list keeps them
// (upper-cased names hash to buckets 1, 3 and 9).
const QByteArray kSmallFile = QByteArray::fromHex(
    "08000000"
    "01000000"
    "03000000"
    // "Corporate", "PAIDWITH05U.BMP", business
    "fffeff0943006f00720070006f007200610074006500"
    "fffeff0f500041004900440057004900540048003000350055002e0042004d005000"
    "01000000"
    // "Visa", "PAIDWITH14U.BMP", personal
    "fffeff045600690073006100"
    "fffeff0f500041004900440057004900540048003100340055002e0042004d005000"
    "00000000"
    // "Café Card", "PAIDWITH12U.BMP", personal
    "fffeff09430061006600e90020004300610072006400"
    "fffeff0f500041004900440057004900540048003100320055002e0042004d005000"
    "00000000");

// The five defaults as the program writes them: not in the order they are
// added (American Express, Cash, MasterCard, Visa, Checking) but in the
// list's order: VISA (bucket 3), CHECKING and CASH (bucket 4, the later one
// first), MASTERCARD (5), AMERICAN EXPRESS (11).
const QByteArray kDefaultFile = QByteArray::fromHex(
    "08000000"
    "01000000"
    "05000000"
    "fffeff045600690073006100"
    "fffeff0f500041004900440057004900540048003100340055002e0042004d005000"
    "00000000"
    "fffeff0843006800650063006b0069006e006700"
    "fffeff0f500041004900440057004900540048003000350055002e0042004d005000"
    "00000000"
    "fffeff044300610073006800"
    "fffeff0f500041004900440057004900540048003000380055002e0042004d005000"
    "00000000"
    "fffeff0a4d00610073007400650072004300610072006400"
    "fffeff0f500041004900440057004900540048003100310055002e0042004d005000"
    "00000000"
    "fffeff1041006d00650072006900630061006e0020004500780070007200650073007300"
    "fffeff0f500041004900440057004900540048003000330055002e0042004d005000"
    "00000000");

QStringList Names(const CPaidWithManager& manager) {
    QStringList names;
    for (const CPaidWith& paidWith : manager) {
        names << paidWith.GetName();
    }
    return names;
}

const QStringList kDefaultNames = {"Visa", "Checking", "Cash", "MasterCard", "American Express"};

}  // namespace

TEST(PaidWithManager, AHandWrittenFileIsReadAndWrittenBackByteForByte) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    ASSERT_TRUE(WriteFileBytes(path, kSmallFile));
    CPaidWithManager manager;
    EXPECT_EQ(manager.GetFilePath(), path);
    ASSERT_TRUE(manager.Load(false));
    EXPECT_EQ(Names(manager), (QStringList{"Corporate", "Visa", "Café Card"}));
    EXPECT_EQ(manager.Find("corporate")->GetPaymentType(), CPaidWith::kBusiness);
    EXPECT_EQ(manager.Find("CAFÉ CARD")->GetImageName(), "PAIDWITH12U.BMP");
    EXPECT_FALSE(manager.IsModified());

    // Written again only after a change.
    ASSERT_TRUE(WriteFileBytes(path, "stand-in"));
    EXPECT_TRUE(manager.Save(true));
    EXPECT_EQ(ReadFileBytes(path), "stand-in");
    manager.Find("Visa")->SetPaymentType(CPaidWith::kPersonal);
    EXPECT_TRUE(manager.IsModified());
    EXPECT_TRUE(manager.Save(true));
    EXPECT_EQ(ReadFileBytes(path), kSmallFile);
    EXPECT_FALSE(manager.IsModified());
    EXPECT_FALSE(manager.Find("Visa")->IsModified());
    // The stand-in was another writer's: kept beside the file, and said so.
    EXPECT_EQ(ReadFileBytes(path + ".other"), "stand-in");
    EXPECT_EQ(platform.Prompts().Messages().size(), 1u);
}

TEST(PaidWithManager, FilesWithoutUsablePaymentSourcesAreReplacedByTheDefaults) {
    struct Case {
        const char* name;
        std::optional<QByteArray> file;  // nothing: no file at all
        bool keptAside;                  // what it held is kept beside it
    } cases[] = {
        {"missing", std::nullopt, false},
        {"empty", QByteArray(), false},
        {"no payment sources", QByteArray::fromHex("080000000100000000000000"), false},
        {"classification groups", QByteArray::fromHex("040000000100000000000000"), true},
        {"newer version", QByteArray::fromHex("0800000002000000") + kSmallFile.mid(8), true},
        {"truncated", kSmallFile.left(kSmallFile.size() - 1), true},
        {"absurd count", QByteArray::fromHex("0800000001000000ffffffff") + kSmallFile.mid(12),
         true},
        {"short header", QByteArray::fromHex("080000"), true},
        {"a payment type of 2",
         QByteArray(kSmallFile)
             .replace(kSmallFile.indexOf(QByteArray::fromHex("01000000"), 12), 4,
                      QByteArray::fromHex("02000000")),
         true},
        {"not ours at all", "PK\x03\x04 an archive", true},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = DataFile(platform);
        if (c.file) {
            ASSERT_TRUE(WriteFileBytes(path, *c.file));
        }
        CPaidWithManager manager;
        EXPECT_TRUE(manager.Load(false)) << c.name;
        EXPECT_EQ(Names(manager), kDefaultNames) << c.name;
        EXPECT_EQ(ReadFileBytes(path), kDefaultFile) << c.name;
        EXPECT_FALSE(manager.IsModified()) << c.name;
        EXPECT_TRUE(manager.IsLoaded()) << c.name;
        EXPECT_TRUE(manager.IsValid()) << c.name;
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(path, c.keptAside)) << c.name;

        QStringList expectedFiles = {"PaidWith.dat"};
        if (c.keptAside) {
            expectedFiles << "PaidWith.dat.unreadable";
            EXPECT_EQ(ReadFileBytes(path + ".unreadable"), *c.file) << c.name;
        }
        EXPECT_EQ(QDir(platform.Root() + "/Outlaysheet/Data").entryList(QDir::Files),
                  expectedFiles)
            << c.name;
    }
}

TEST(PaidWithManager, ReportedFailuresAreShownOnceAndKeptFilesAreNeverOverwritten) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    const QByteArray foreign = QByteArray::fromHex("0400000001000000");
    ASSERT_TRUE(WriteFileBytes(path + ".unreadable", "first"));
    ASSERT_TRUE(WriteFileBytes(path, foreign));
    CPaidWithManager manager;
    EXPECT_TRUE(manager.Load(true));
    // The load's message, and no question about overwriting: nothing of the
    // old file is lost by writing the defaults.
    EXPECT_EQ(
        platform.Prompts().Texts(),
        (QStringList{path + " \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new "
                            "information entered pertaining to this file will not be saved.",
                     KeptMessage(path, path + ".unreadable2")}));
    EXPECT_EQ(ReadFileBytes(path), kDefaultFile);
    EXPECT_EQ(ReadFileBytes(path + ".unreadable"), "first");
    EXPECT_EQ(ReadFileBytes(path + ".unreadable2"), foreign);
}

TEST(PaidWithManager, WhatCannotBeKeptAsideIsNotOverwritten) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    ASSERT_TRUE(QDir().mkpath(path));  // a folder where the file should be
    CPaidWithManager manager;
    EXPECT_FALSE(manager.Load(false));
    EXPECT_TRUE(QFileInfo(path).isDir());
    // The program still has payment sources to offer.
    EXPECT_EQ(Names(manager), kDefaultNames);
    EXPECT_TRUE(manager.IsModified());
}

TEST(PaidWithManager, TheFileIsInTheDataFolderUnlessSetOtherwise) {
    TestPlatform platform;
    CPaidWithManager manager;
    manager.SetFilePath(platform.Path("elsewhere.dat"));
    EXPECT_EQ(manager.GetFilePath(), platform.Path("elsewhere.dat"));
    manager.SetFilePath(QString());
    EXPECT_EQ(manager.GetFilePath(), DataFile(platform));

    // Saving an unchanged list writes nothing, not even a missing file.
    EXPECT_TRUE(manager.Save(false));
    EXPECT_FALSE(QFile::exists(DataFile(platform)));
}

TEST(PaidWithManager, ReadingFilesEntriesByNameInTheListsOrder) {
    TestPlatform platform;
    const QString path = DataFile(platform);
    // Visa, then Corporate, then "VISA" again: the later one replaces the
    // first, and the list's order puts Corporate first.
    ASSERT_TRUE(WriteFileBytes(
        path, QByteArray::fromHex("080000000100000003000000"
                                  "fffeff045600690073006100fffeff00"
                                  "00000000"
                                  "fffeff0943006f00720070006f007200610074006500fffeff00"
                                  "01000000"
                                  "fffeff045600490053004100fffeff00"
                                  "01000000")));
    CPaidWithManager manager;
    ASSERT_TRUE(manager.Load(false));
    EXPECT_EQ(Names(manager), (QStringList{"Corporate", "VISA"}));
    EXPECT_EQ(manager.Find("visa")->GetPaymentType(), CPaidWith::kBusiness);

    // Single-byte strings of the device's code page are read too.
    ASSERT_TRUE(WriteFileBytes(
        path, QByteArray::fromHex("080000000100000001000000"
                                  "094361666520436172e9"  // "Cafe Car" + e-acute, 9 bytes
                                  "00"
                                  "00000000")));
    CPaidWithManager other;
    ASSERT_TRUE(other.Load(false));
    EXPECT_EQ(Names(other), QStringList{"Cafe Caré"});
}

TEST(PaidWithManager, AddFindRemoveAndRenameIgnoreLetterCase) {
    TestPlatform platform;
    CPaidWithManager manager;
    manager.CreateDefaults();
    EXPECT_EQ(manager.GetCount(), 5);
    EXPECT_TRUE(manager.IsModified());
    manager.SetModified(false);

    // Adding "visa" replaces "Visa".
    const CPaidWith lower("visa", "PAIDWITH14U.BMP", CPaidWith::kBusiness);
    CPaidWith* added = manager.Add(&lower);
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, &lower);
    EXPECT_EQ(manager.GetCount(), 5);
    EXPECT_EQ(manager.Find("VISA")->GetName(), "visa");
    EXPECT_TRUE(manager.IsModified());

    // Adding an entry of the list to itself keeps it whole.
    manager.Add(manager.Find("Cash"));
    EXPECT_EQ(manager.GetCount(), 5);
    EXPECT_EQ(manager.Find("cash")->GetImageName(), "PAIDWITH08U.BMP");

    manager.SetModified(false);
    EXPECT_EQ(manager.Add(nullptr), nullptr);
    EXPECT_FALSE(manager.Remove("Diners"));
    EXPECT_EQ(manager.Rename("Diners", "Club"), nullptr);
    EXPECT_FALSE(manager.IsModified());

    // A renamed payment source is the same object under its new name.
    CPaidWith* checking = manager.Find("checking");
    EXPECT_EQ(manager.Rename("CHECKING", "Savings"), checking);
    EXPECT_EQ(checking->GetName(), "Savings");
    EXPECT_FALSE(manager.Exists("Checking"));
    EXPECT_EQ(manager.Find("savings"), checking);
    EXPECT_TRUE(manager.IsModified());
    // Only the letter case changes: still one entry.
    EXPECT_EQ(manager.Rename("savings", "SAVINGS"), checking);
    EXPECT_EQ(manager.GetCount(), 5);
    // A name in use by another payment source is refused, so that renaming
    // never deletes anything.
    manager.SetModified(false);
    EXPECT_EQ(manager.Rename("Savings", "MASTERCARD"), nullptr);
    EXPECT_EQ(manager.GetCount(), 5);
    EXPECT_EQ(manager.Find("MasterCard")->GetName(), "MasterCard");
    EXPECT_EQ(checking->GetName(), "SAVINGS");
    EXPECT_FALSE(manager.IsModified());

    EXPECT_TRUE(manager.Remove("american EXPRESS"));
    EXPECT_EQ(manager.GetCount(), 4);
    manager.Reset();
    EXPECT_TRUE(manager.IsEmpty());
}

TEST(PaidWithManager, NamesDifferingBeyondSimpleLetterCaseStayApart) {
    TestPlatform platform;
    CPaidWithManager manager;
    const CPaidWith first("Straße", "", CPaidWith::kPersonal);
    const CPaidWith second("STRASSE", "", CPaidWith::kPersonal);
    const CPaidWith accented("café", "", CPaidWith::kPersonal);
    manager.Add(&first);
    manager.Add(&second);
    manager.Add(&accented);
    EXPECT_EQ(manager.GetCount(), 3);
    EXPECT_EQ(manager.Find("STRAßE")->GetName(), "Straße");
    EXPECT_EQ(manager.Find("CAFÉ")->GetName(), "café");
}

// Another program writes the list while it is open here: a list cannot be
// merged, so the version the save would overwrite is kept beside the file
// and the user told.
TEST(PaidWithManagerTest, AVersionAnotherWriterSavedMeanwhileIsKeptBesideTheFile) {
    TestPlatform platform;
    CPaidWithManager sources;
    ASSERT_TRUE(sources.Load(false));
    ASSERT_TRUE(WriteFileBytes(DataFile(platform), kSmallFile));
    const CPaidWith diners("Diners", "PAIDWITH14U.BMP", CPaidWith::kPersonal);
    sources.Add(&diners);
    ASSERT_TRUE(sources.Save(true));
    const QString kept = DataFile(platform) + ".other";
    EXPECT_EQ(ReadFileBytes(kept), kSmallFile);
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{DataFile(platform) +
                          " was changed by another program while this program had it open. "
                          "That version is kept as " +
                          kept + ", and this program's version was saved."});
    CPaidWithManager reread;
    ASSERT_TRUE(reread.Load(false));
    EXPECT_TRUE(reread.Exists("Diners"));
    // Saved again with nothing new from elsewhere: nothing more is kept.
    const CPaidWith eurocard("Eurocard", "PAIDWITH14U.BMP", CPaidWith::kPersonal);
    sources.Add(&eurocard);
    ASSERT_TRUE(sources.Save(true));
    EXPECT_FALSE(QFile::exists(kept + "-2"));
    EXPECT_EQ(platform.Prompts().Texts().size(), 1);
}
