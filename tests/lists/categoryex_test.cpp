#include "lists/categoryex.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "samplecategory.h"
#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

// Taxi.dat: the built-in category with an account number and its defaults.
const QByteArray kTaxiFile = QByteArray::fromHex(
    "0200000001000000"                                              // header 2/1
    "fffeff0354002d003100"                                          // "T-1"
    "fffeff0d5400610078006900200044006500730063002e00640061007400"  // "Taxi Desc.dat"
    "0a00000006000000"                                              // 10, 6
    "fffeff045400610078006900"                                      // "Taxi"
    "fffeff0c430041005400540041005800490055002e0042004d005000"      // "CATTAXIU.BMP"
    "00000000"                                                      // no receipt
    "fffeff0743006c00690065006e0074003100"                          // "Client1"
    "fffeff1543004c0041005300530049004600490043004100540049004f004e00300034005500"
    "2e0042004d005000"
    "fffeff1542007500730069006e0065007300730020005200650069006d0062007500720073"  // business
    "00610062006c006500fffeff0842007500730069006e00650073007300fffeff1345005400"  // type 0
    "5200450049004d004200550052005300410042004c00450055002e0042004d005000000000"
    "00"
    "fffeff044300610073006800"  // "Cash"
    "fffeff0f500041004900440057004900540048003000380055002e0042004d00500000000000"
    "00000000");  // reserved

// Cab.dat: a user-defined category whose history is "Cab Desc1.dat".
const QByteArray kCabFile = QByteArray::fromHex(
    "0300000001000000"                                              // header 3/1
    "fffeff0441002d0031003700"                                      // "A-17"
    "fffeff0d4300610062002000440065007300630031002e00640061007400"  // "Cab Desc1.dat"
    "110000000c000000"                                              // 17, 12
    "fffeff03430061006200"                                          // "Cab"
    "fffeff1043004100540043005500530054004f004d003000330055002e0042004d005000"
    "01000000"                                                  // receipt
    "fffeff04410063006d006500fffeff06430032002e0042004d005000"  // "Acme", "C2.BMP"
    "fffeff1350006500720073006f006e0061006c002000440065006400750063007400690062"
    "006c006500fffeff0a440065006400750063007400690062006c006500fffeff1145005400"
    "440045004400550043005400490042004c00450055002e0042004d00500001000000"
    "fffeff045600690073006100fffeff0f500041004900440057004900540048003100340055"
    "002e0042004d00500001000000"
    "07000000");

QString DataFolder(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/";
}

// Every file below the temporary folder, relative to it.
QStringList AllFiles(const TestPlatform& platform) {
    QStringList files;
    QDirIterator it(platform.TempFolder(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(platform.TempFolder()).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

}  // namespace

TEST(CategoryEx, HandWrittenFilesOfBothKindsAreReadAndWrittenBackByteForByte) {
    struct Case {
        const char* name;
        qint32 index;
        qint32 group;
        QByteArray file;
        const char* accountNumber;
        const char* historyFile;
        qint32 receipt;
        const char* paidWith;
    } cases[] = {
        {"Taxi", 10, 6, kTaxiFile, "T-1", "Taxi Desc.dat", 0, "Cash"},
        {"Cab", 17, 12, kCabFile, "A-17", "Cab Desc1.dat", 1, "Visa"},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = DataFolder(platform) + c.name + ".dat";
        ASSERT_TRUE(WriteFileBytes(path, c.file));
        CCategoryEx category(c.name, c.index, c.group);
        EXPECT_EQ(category.GetFilePath(), path);
        EXPECT_TRUE(category.Load(true)) << c.name;
        EXPECT_EQ(category.GetAccountNumber(), c.accountNumber) << c.name;
        EXPECT_EQ(category.GetDescriptionHistory().GetFilePath(),
                  DataFolder(platform) + c.historyFile)
            << c.name;
        EXPECT_EQ(category.GetReceipt(), c.receipt) << c.name;
        EXPECT_EQ(category.GetPaidWith().GetName(), c.paidWith) << c.name;
        EXPECT_FALSE(category.IsModified()) << c.name;
        // The missing history was created empty, under the name the file gave.
        EXPECT_EQ(ReadFileBytes(DataFolder(platform) + c.historyFile),
                  QByteArray::fromHex("05000000010000000000"))
            << c.name;

        // Not written while unchanged; written exactly as read once changed.
        ASSERT_TRUE(WriteFileBytes(path, "stand-in"));
        EXPECT_TRUE(category.Save(true));
        EXPECT_EQ(ReadFileBytes(path), "stand-in") << c.name;
        category.SetReserved(category.GetReserved());
        EXPECT_TRUE(category.Save(true));
        EXPECT_EQ(ReadFileBytes(path), c.file) << c.name;
        EXPECT_FALSE(category.IsModified()) << c.name;
        EXPECT_TRUE(platform.Prompts().Messages().empty()) << c.name;
    }
}

TEST(CategoryEx, ANewCategoryIsWrittenInTheUserDefinedLayout) {
    TestPlatform platform;
    ASSERT_TRUE(WriteFileBytes(DataFolder(platform) + "Cab Desc.dat", "taken"));
    CCategoryEx cab("Cab", 17, 12);
    cab.CCategory::operator=(SampleCab());
    cab.GetDescriptionHistory().SetFilePath(cab.MakeHistoryFileName("", true));
    cab.SetAccountNumber("A-17");
    ASSERT_TRUE(cab.Save(false));
    EXPECT_EQ(ReadFileBytes(DataFolder(platform) + "Cab.dat"), kCabFile);
}

TEST(CategoryEx, UnreadableFilesAreKeptAsideAndTheDefaultsWrittenInstead) {
    struct Case {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"truncated", kTaxiFile.left(kTaxiFile.size() - 1)},
        {"newer version", QByteArray::fromHex("0200000002000000") + kTaxiFile.mid(8)},
        {"not ours", "PK\x03\x04 an archive"},
        {"absurd string length", QByteArray::fromHex("0200000001000000fffeffffffffffffff7f")},
        {"a category index of 18",
         QByteArray(kTaxiFile).replace(kTaxiFile.indexOf(QByteArray::fromHex("0a00000006000000")),
                                       4, QByteArray::fromHex("12000000"))},
        {"a group of 13", QByteArray(kTaxiFile).replace(
                              kTaxiFile.indexOf(QByteArray::fromHex("0a00000006000000")) + 4, 4,
                              QByteArray::fromHex("0d000000"))},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = DataFolder(platform) + "Taxi.dat";
        ASSERT_TRUE(WriteFileBytes(path, c.file));
        CCategoryEx taxi("Taxi", 10, 6);
        taxi.SetImageName("CATTAXIU.BMP");
        taxi.SetAccountNumber("T-1");
        taxi.SetModified(false);
        EXPECT_TRUE(taxi.Load(false)) << c.name;
        EXPECT_EQ(taxi.GetName(), "Taxi") << c.name;
        EXPECT_EQ(taxi.GetIndex(), 10) << c.name;
        EXPECT_EQ(ReadFileBytes(path + ".unreadable"), c.file) << c.name;
        EXPECT_EQ(ReadFileBytes(path), kTaxiFile) << c.name;
        EXPECT_TRUE(taxi.IsValid()) << c.name;
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(path, true)) << c.name;
    }
}

TEST(CategoryEx, MissingEmptyOrForeignKindFilesLeaveTheCategoryAsItIs) {
    struct Case {
        const char* name;
        std::optional<QByteArray> file;
    } cases[] = {
        {"missing", std::nullopt},
        {"empty", QByteArray()},
        {"a user-defined category of the name", kCabFile},
        {"another list", QByteArray::fromHex("0500000001000000") + kTaxiFile.mid(8)},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = DataFolder(platform) + "Taxi.dat";
        if (c.file) {
            ASSERT_TRUE(WriteFileBytes(path, *c.file));
        }
        CCategoryEx taxi("Taxi", 10, 6);
        taxi.SetImageName("CATTAXIU.BMP");
        EXPECT_FALSE(taxi.Load(false, true)) << c.name;
        EXPECT_EQ(taxi.GetName(), "Taxi") << c.name;
        EXPECT_EQ(taxi.GetImageName(), "CATTAXIU.BMP") << c.name;
        EXPECT_TRUE(taxi.IsModified()) << c.name;
        EXPECT_TRUE(taxi.IsValid()) << c.name;
        EXPECT_EQ(QFile::exists(path), c.file.has_value()) << c.name;
        if (c.file) {
            EXPECT_EQ(ReadFileBytes(path), *c.file) << c.name;
        }
        EXPECT_TRUE(platform.Prompts().Messages().empty()) << c.name;
    }
}

TEST(CategoryEx, HistoryNamesAreMadeUniqueWithACounter) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    CCategoryEx food("Food", 17, 12);
    EXPECT_EQ(food.GetDescriptionHistory().GetFilePath(), data + "Food Desc.dat");
    EXPECT_EQ(food.MakeHistoryFileName("", true), data + "Food Desc.dat");
    ASSERT_TRUE(WriteFileBytes(data + "Food Desc.dat", ""));
    EXPECT_EQ(food.MakeHistoryFileName("", false), data + "Food Desc.dat");
    EXPECT_EQ(food.MakeHistoryFileName("", true), data + "Food Desc1.dat");
    ASSERT_TRUE(WriteFileBytes(data + "Food Desc1.dat", ""));
    EXPECT_EQ(food.MakeHistoryFileName("Food", true), data + "Food Desc2.dat");
    EXPECT_EQ(food.MakeHistoryFileName("Drinks", true), data + "Drinks Desc.dat");

    // A "%" in the name is text, not a place for the counter.
    ASSERT_TRUE(WriteFileBytes(data + "50%1 Desc.dat", ""));
    EXPECT_EQ(food.MakeHistoryFileName("50%1", true), data + "50%1 Desc1.dat");
    EXPECT_EQ(CCategoryEx().MakeHistoryFileName("", false), data + "TempCat Desc.dat");
    EXPECT_EQ(CCategoryEx().GetDescriptionHistory().GetFilePath(), "");
}

TEST(CategoryEx, NamesThatCannotBeFileNamesNeverReachTheFileSystem) {
    const char* names[] = {"",       ".",     "..",    "../Escape", "a/b", "a\\b",
                           "c:name", "what?", "tab\t", "<x>",       "a|b", "\"q\""};
    for (const char* name : names) {
        TestPlatform platform;
        EXPECT_FALSE(CCategoryEx::IsUsableName(name)) << name;
        CCategoryEx category(name, 17, 12);
        category.SetAccountNumber("x");
        EXPECT_EQ(category.GetFilePath(), "") << name;
        EXPECT_EQ(category.GetDescriptionHistory().GetFilePath(), "") << name;
        if (*name != '\0') {
            EXPECT_EQ(category.MakeHistoryFileName(name, true), "") << name;
        }
        const QStringList before = AllFiles(platform);
        EXPECT_FALSE(category.Save(true)) << name;
        EXPECT_FALSE(category.Load(true)) << name;
        EXPECT_FALSE(category.DeleteFiles()) << name;
        EXPECT_EQ(AllFiles(platform), before) << name;
        EXPECT_TRUE(platform.Prompts().Messages().empty()) << name;

        // Asked to report, the refusal is explained.
        category.Save(false, true);
        ASSERT_EQ(platform.Prompts().Messages().size(), 1u) << name;
        EXPECT_TRUE(platform.Prompts().Texts()[0].startsWith(
            "The file name is not valid, or the file could not be created."))
            << name;
    }
    for (const char* name : {"Café", "Car rental 2", "Trip. Misc", "#1 & more"}) {
        EXPECT_TRUE(CCategoryEx::IsUsableName(name)) << name;
    }
}

TEST(CategoryEx, AHistoryNameReadFromAFileStaysInTheDataFolder) {
    struct Case {
        const char* name;
        const char* historyName;  // the stored string
    } cases[] = {
        {"a parent's file", "fffeff042e002e002f007800"},  // "../x"
        {"the parent", "fffeff022e002e00"},               // ".."
        {"nothing", "fffeff00"},
        {"a sub-folder's file", "fffeff0361002f006200"},  // "a/b"
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString data = DataFolder(platform);
        const QByteArray file =
            kCabFile.left(8 + 12) + QByteArray::fromHex(c.historyName) + kCabFile.mid(8 + 12 + 30);
        ASSERT_TRUE(WriteFileBytes(data + "Cab.dat", file));
        CCategoryEx cab("Cab", 17, 12);
        EXPECT_TRUE(cab.Load(true)) << c.name;
        EXPECT_EQ(cab.GetDescriptionHistory().GetFilePath(), data + "Cab Desc.dat") << c.name;
        EXPECT_EQ(AllFiles(platform).filter("Desc"),
                  QStringList{"root/Outlaysheet/Data/Cab Desc.dat"})
            << c.name;
    }
}

TEST(CategoryEx, AnotherListsFileUnderTheCategorysNameIsNeverTouched) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    const QByteArray paymentSources = QByteArray::fromHex("080000000100000000000000");
    ASSERT_TRUE(WriteFileBytes(data + "PaidWith.dat", paymentSources));
    CCategoryEx paidWith("PaidWith", 17, 12);
    paidWith.SetAccountNumber("1");
    EXPECT_FALSE(paidWith.Save(true));
    EXPECT_FALSE(paidWith.DeleteFiles());
    EXPECT_EQ(ReadFileBytes(data + "PaidWith.dat"), paymentSources);

    // A category "Food Desc" owns the file that "Food" would keep its
    // history in; "Food" takes another.
    ASSERT_TRUE(WriteFileBytes(data + "Food Desc.dat", kCabFile));
    CCategoryEx food("Food", 17, 12);
    EXPECT_TRUE(food.LoadHistory());
    EXPECT_EQ(food.GetDescriptionHistory().GetFilePath(), data + "Food Desc1.dat");
    EXPECT_TRUE(food.IsModified());
    EXPECT_EQ(ReadFileBytes(data + "Food Desc.dat"), kCabFile);
}

TEST(CategoryEx, RenamingMovesTheFileAndTheHistory) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    CCategoryEx food("Food", 17, 12);
    food.GetDescriptionHistory().Add("Pizza");
    ASSERT_TRUE(food.Save(true));
    ASSERT_TRUE(WriteFileBytes(data + "Meals Desc.dat", "someone else's"));

    EXPECT_TRUE(food.Rename("Meals"));
    EXPECT_EQ(food.GetName(), "Meals");
    EXPECT_TRUE(food.IsModified());
    EXPECT_EQ(food.GetDescriptionHistory().GetFilePath(), data + "Meals Desc1.dat");
    EXPECT_TRUE(QFile::exists(data + "Meals.dat"));
    EXPECT_FALSE(QFile::exists(data + "Food.dat"));
    EXPECT_FALSE(QFile::exists(data + "Food Desc.dat"));
    EXPECT_EQ(ReadFileBytes(data + "Meals Desc.dat"), "someone else's");
    ASSERT_TRUE(food.Save(true));

    CCategoryEx meals("Meals", 17, 12);
    ASSERT_TRUE(meals.Load(true));
    EXPECT_EQ(meals.GetDescriptionHistory().GetItems(), QStringList{"Pizza"});

    EXPECT_FALSE(meals.Rename("Bad/Name"));
    EXPECT_TRUE(QFile::exists(data + "Meals.dat"));
    EXPECT_EQ(meals.GetName(), "Meals");
}

TEST(CategoryEx, DeletingRemovesBothFiles) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    CCategoryEx limo("Limo", 17, 12);
    limo.GetDescriptionHistory().Add("Airport");
    ASSERT_TRUE(limo.Save(true));
    ASSERT_TRUE(QFile::exists(data + "Limo Desc.dat"));
    EXPECT_TRUE(limo.DeleteFiles());
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList());
    // Nothing left to delete is a failure.
    EXPECT_FALSE(limo.DeleteFiles());
}

TEST(CategoryEx, ATemporaryCopyNeverCreatesFiles) {
    TestPlatform platform;
    CCategoryEx temporary("Cab", 17, 12);
    temporary.SetPersistent(false);
    temporary.SetAccountNumber("1");
    temporary.GetDescriptionHistory().Add("Airport");
    const QStringList before = AllFiles(platform);
    EXPECT_FALSE(temporary.Save(true, true));
    EXPECT_FALSE(temporary.Load(true, true));
    EXPECT_FALSE(temporary.Rename("Limo"));
    EXPECT_FALSE(temporary.DeleteFiles());
    EXPECT_EQ(AllFiles(platform), before);
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}
