#include "lists/categoryexmanager.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

QString DataFolder(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/";
}

// A category file: header `type`/`version`, account "A-17", history
// "Cab Desc1.dat", then `name` with index 10 (type 2) or 17 (type 3), group
// 12, the default tuple values but for paid with "Visa".
QByteArray CategoryFile(quint32 type, const QString& name = "Cab", quint32 version = 1) {
    QByteArray file(8, '\0');
    file[0] = char(type);
    file[4] = char(version);
    file += QByteArray::fromHex(
        "fffeff0441002d0031003700"
        "fffeff0d4300610062002000440065007300630031002e00640061007400");
    file += QByteArray::fromHex(type == 2 ? "0a000000" : "11000000");
    file += QByteArray::fromHex("0c000000fffeff") + char(name.size());
    file += QByteArray(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    return file + QByteArray::fromHex(
                      "fffeff1043004100540043005500530054004f004d003000330055002e0042004d005000"
                      "00000000"
                      "fffeff0743006c00690065006e0074003100fffeff00"
                      "fffeff00fffeff00fffeff0000000000"
                      "fffeff045600690073006100fffeff0000000000"
                      "00000000");
}

QStringList Names(const CCategoryExManager& manager) {
    QStringList names;
    for (const CCategoryEx& category : manager) {
        names << category.GetName();
    }
    return names;
}

// The built-in categories as the list keeps them: by bucket of the
// upper-cased name, the later one first within a bucket.
const QStringList kBuiltInOrder = {
    "Taxi",  "Mileage", "Dinner", "Breakfast", "Lodging", "Rental", "Fuel",     "Snacks",
    "Lunch", "Tips",    "Phone",  "Entert",    "Parking", "Misc",   "Supplies", "Fares"};

}  // namespace

TEST(CategoryExManager, TheBuiltInTableIsLookedUpByIndex) {
    struct Case {
        int index;
        const char* shortName;
        const char* fullName;
        const char* imageName;
        int group;
    } cases[] = {
        {0, "None", "None", "CATNONEU.BMP", 0},
        {1, "Breakfast", "Breakfast", "CATFOODU.BMP", 1},
        {7, "Entert", "Entertainment", "CATENTERTU.BMP", 4},
        {12, "Rental", "Rental", "CATCARRENTALU.BMP", 8},
        {16, "Misc", "Miscellaneous", "CATMISCU.BMP", 12},
        {17, "", "", "", -1},
        {-1, "", "", "", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CCategoryExManager::GetBuiltInShortName(c.index), c.shortName) << c.index;
        EXPECT_EQ(CCategoryExManager::GetBuiltInFullName(c.index), c.fullName) << c.index;
        EXPECT_EQ(CCategoryExManager::GetBuiltInImageName(c.index), c.imageName) << c.index;
        EXPECT_EQ(CCategoryExManager::GetBuiltInGroup(c.index), c.group) << c.index;
    }
}

TEST(CategoryExManager, TheDefaultsAreTheSixteenBuiltInCategoriesInMapOrder) {
    TestPlatform platform;
    CCategoryExManager manager;
    manager.CreateDefaults();
    EXPECT_EQ(manager.GetCount(), 16);
    EXPECT_EQ(Names(manager), kBuiltInOrder);
    EXPECT_TRUE(manager.IsModified());
    for (const CCategoryEx& category : manager) {
        const int index = category.GetIndex();
        EXPECT_EQ(category.GetName(), CCategoryExManager::GetBuiltInShortName(index));
        EXPECT_EQ(category.GetGroup(), CCategoryExManager::GetBuiltInGroup(index));
        EXPECT_EQ(category.GetImageName(), CCategoryExManager::GetBuiltInImageName(index));
        EXPECT_TRUE(category.GetDescriptionHistory().IsModified());
        EXPECT_EQ(category.GetDescriptionHistory().GetFilePath(),
                  DataFolder(platform) + category.GetName() + " Desc.dat");
    }
    EXPECT_EQ(manager.Find("entert")->GetIndex(), 7);
    EXPECT_FALSE(manager.Exists("None"));
}

TEST(CategoryExManager, LoadingOverlaysTheBuiltInCategoriesWithTheFilesOfTheDataFolder) {
    struct Case {
        const char* name;
        const char* fileName;  // nullptr: an empty data folder
        QByteArray file;
        const char* added;        // a category beyond the built-in ones
        const char* taxiAccount;  // account number of "Taxi"
        const char* files;        // beside 15 built-in histories, "|" between
    } cases[] = {
        {"empty folder", nullptr, {}, nullptr, "", "Taxi Desc.dat"},
        {"built-in", "Taxi.dat", CategoryFile(2, "Taxi"), nullptr, "A-17",
         "Taxi.dat|Cab Desc1.dat"},
        {"built-in kind", "Cab.dat", CategoryFile(2), nullptr, "", "Cab.dat|Taxi Desc.dat"},
        {"user-defined", "Cab.dat", CategoryFile(3), "Cab", "",
         "Cab.dat|Cab Desc1.dat|Taxi Desc.dat"},
        {"upper-case", "Cab.DAT", CategoryFile(3), "Cab", "",
         "Cab.DAT|Cab Desc1.dat|Taxi Desc.dat"},
        {"newer", "Cab.dat", CategoryFile(3, "Cab", 2), nullptr, "", "Cab.dat|Taxi Desc.dat"},
        {"damaged", "Cab.dat", CategoryFile(3).chopped(1), nullptr, "",
         "Cab.dat.unreadable|Taxi Desc.dat"},
        {"replacing Taxi", "Taxi.dat", CategoryFile(3, "taxi"), nullptr, "A-17",
         "Taxi.dat|Cab Desc1.dat|Taxi Desc.dat"},
        {"a path", "Cab.dat", CategoryFile(3, "../Escape"), nullptr, "", "Cab.dat|Taxi Desc.dat"},
        {"no name", "Cab.dat", CategoryFile(3, ""), nullptr, "", "Cab.dat|Taxi Desc.dat"},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString data = DataFolder(platform);
        if (c.fileName != nullptr) {
            ASSERT_TRUE(WriteFileBytes(data + c.fileName, c.file));
        }
        CCategoryExManager manager;
        EXPECT_TRUE(manager.LoadAll(false)) << c.name;
        EXPECT_EQ(manager.GetCount(), c.added != nullptr ? 17 : 16) << c.name;
        if (c.added != nullptr) {
            ASSERT_TRUE(manager.Exists(c.added)) << c.name;
            const CCategoryEx& added = *manager.Find(c.added);
            EXPECT_EQ(added.GetAccountNumber(), "A-17") << c.name;
            EXPECT_EQ(added.GetPaidWith().GetName(), "Visa") << c.name;
            EXPECT_FALSE(added.IsModified()) << c.name;
        }
        EXPECT_EQ(manager.Find("Taxi")->GetAccountNumber(), c.taxiAccount) << c.name;

        // Nothing but the histories is written by a load; what was there stays.
        const QStringList leftBeside = QString(c.files).split('|');
        QStringList expected = leftBeside;
        for (const QString& name : kBuiltInOrder) {
            if (name != "Taxi") {
                expected << name + " Desc.dat";
            }
        }
        expected.sort();
        QStringList files = QDir(data).entryList(QDir::Files);
        files.sort();
        EXPECT_EQ(files, expected) << c.name;
        if (c.fileName != nullptr && leftBeside.contains(c.fileName)) {
            EXPECT_EQ(ReadFileBytes(data + c.fileName), c.file) << c.name;
        }
        EXPECT_EQ(QDir(data + "..").entryList(QDir::Files), QStringList()) << c.name;
        const bool kept = leftBeside.contains(QString(c.fileName) + ".unreadable");
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(data + c.fileName, kept)) << c.name;
    }
}

TEST(CategoryExManager, AddingANameInAnyCaseReplacesTheCategoryOfThatName) {
    TestPlatform platform;
    CCategoryExManager manager;
    manager.LoadAll(false);
    const CCategoryEx taxi("taxi", CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
    CCategoryEx* added = manager.Add(&taxi);
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, &taxi);
    EXPECT_EQ(manager.GetCount(), 16);
    EXPECT_EQ(manager.Find("TAXI"), added);
    EXPECT_EQ(added->GetName(), "taxi");
    EXPECT_EQ(added->GetIndex(), 17);
    // Adding an entry to itself keeps it.
    EXPECT_EQ(manager.Add(added)->GetName(), "taxi");

    // It comes back as it was after the next load.
    ASSERT_TRUE(manager.SaveAll(false));
    CCategoryExManager reloaded;
    reloaded.LoadAll(false);
    EXPECT_EQ(reloaded.GetCount(), 16);
    EXPECT_EQ(reloaded.Find("Taxi")->GetName(), "taxi");
    EXPECT_EQ(reloaded.Find("Taxi")->GetIndex(), 17);

    EXPECT_EQ(manager.Add(nullptr), nullptr);
    const CCategoryEx escape("../Escape", 17, 12);
    EXPECT_EQ(manager.Add(&escape), nullptr);
    EXPECT_EQ(manager.GetCount(), 16);
}

TEST(CategoryExManager, ANewCategoryIsFoundAgainThroughItsFile) {
    TestPlatform platform;
    CCategoryExManager manager;
    manager.LoadAll(false);
    CCategoryEx limo("Limo", CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
    limo.SetImageName("CATCUSTOM05U.BMP");
    manager.Add(&limo);
    ASSERT_TRUE(manager.SaveAll(false));
    EXPECT_EQ(ReadFileBytes(DataFolder(platform) + "Limo.dat").left(8),
              QByteArray::fromHex("0300000001000000"));

    CCategoryExManager reloaded;
    reloaded.LoadAll(false);
    ASSERT_TRUE(reloaded.Exists("limo"));
    EXPECT_EQ(reloaded.Find("Limo")->GetImageName(), "CATCUSTOM05U.BMP");
    // Bucket 16, where it goes before "Fares".
    QStringList order = kBuiltInOrder;
    order.insert(order.size() - 1, "Limo");
    EXPECT_EQ(Names(reloaded), order);
}

TEST(CategoryExManager, RenamingRefilesTheCategory) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    CCategoryExManager manager;
    manager.LoadAll(false);
    CCategoryEx limo("Limo", 17, 12);
    limo.SetImageName("CATCUSTOM05U.BMP");
    manager.Add(&limo);
    ASSERT_TRUE(manager.SaveAll(false));

    CCategoryEx* car = manager.Rename("LIMO", "Car");
    ASSERT_NE(car, nullptr);
    EXPECT_EQ(car->GetName(), "Car");
    EXPECT_EQ(manager.Find("car"), car);
    EXPECT_FALSE(manager.Exists("Limo"));
    EXPECT_TRUE(QFile::exists(data + "Car.dat"));
    EXPECT_FALSE(QFile::exists(data + "Limo.dat"));

    // A category that was never written takes the new name all the same.
    const CCategoryEx bus("Bus", 17, 12);
    manager.Add(&bus);
    CCategoryEx* van = manager.Rename("bus", "Van");
    ASSERT_NE(van, nullptr);
    EXPECT_EQ(van->GetName(), "Van");
    EXPECT_EQ(manager.Find("Van"), van);

    // Another category's name is refused: the renamed one would take over
    // its file.
    EXPECT_EQ(manager.Rename("Van", "taxi"), nullptr);
    EXPECT_EQ(manager.Find("Taxi")->GetIndex(), 10);
    EXPECT_EQ(manager.Find("Van"), van);
    EXPECT_EQ(manager.Rename("Nothing", "Else"), nullptr);
    EXPECT_EQ(manager.Rename("Car", "a/b"), nullptr);
    EXPECT_EQ(manager.Find("Car"), car);
    EXPECT_EQ(manager.GetCount(), 18);
}

TEST(CategoryExManager, SavingReportsEveryCategoryThatCouldNotBeWritten) {
    TestPlatform platform;
    const QString data = DataFolder(platform);
    const QByteArray paymentSources = QByteArray::fromHex("080000000100000000000000");
    ASSERT_TRUE(WriteFileBytes(data + "PaidWith.dat", paymentSources));
    CCategoryExManager manager;
    EXPECT_TRUE(manager.SaveAll(false));  // nothing to save
    manager.CreateDefaults();
    const CCategoryEx paidWith("PaidWith", 17, 12);
    manager.Add(&paidWith)->SetAccountNumber("1");
    EXPECT_FALSE(manager.SaveAll(false));
    EXPECT_EQ(ReadFileBytes(data + "PaidWith.dat"), paymentSources);
    // The others were written all the same.
    EXPECT_TRUE(QFile::exists(data + "Taxi.dat"));
    EXPECT_FALSE(manager.Find("Taxi")->IsModified());
    EXPECT_TRUE(manager.Find("PaidWith")->IsModified());
}
