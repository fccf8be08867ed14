#include "lists/category.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/expensearchive.h"
#include "archive/fileerrors.h"
#include "platform/directories.h"
#include "platform/profile.h"
#include "samplecategory.h"
#include "support/testplatform.h"

namespace {

// The tuple of a user-defined category "Cab" as an expense carries it.
const QByteArray kCabTuple = QByteArray::fromHex(
    "110000000c000000"                                                            // 17, 12
    "fffeff03430061006200"                                                        // "Cab"
    "fffeff1043004100540043005500530054004f004d003000330055002e0042004d005000"    // image
    "01000000"                                                                    // receipt
    "fffeff04410063006d006500fffeff06430032002e0042004d005000"                    // "Acme"
    "fffeff1350006500720073006f006e0061006c002000440065006400750063007400690062"  // expense
    "006c006500fffeff0a440065006400750063007400690062006c006500fffeff1145005400"  // type
    "440045004400550043005400490042004c00450055002e0042004d00500001000000"
    "fffeff045600690073006100fffeff0f500041004900440057004900540048003100340055"  // "Visa"
    "002e0042004d00500001000000"
    "07000000");  // reserved

QByteArray Stored(CCategory& category) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    category.Serialize(archive, 0);
    archive.Close();
    return buffer.data();
}

// Reads `bytes` into `category`; the bytes that were left unread.
qint64 Load(CCategory& category, const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
    category.Serialize(archive, 0);
    return archive.BytesLeft();
}

void SetLocalTime(TestPlatform& platform, int hour, int minute) {
    platform.Clock().Set(platform.Clock().FromLocal(QDate(2026, 3, 14), QTime(hour, minute)));
}

}  // namespace

TEST(Category, TheTupleIsWrittenAndReadInItsOwnOrder) {
    TestPlatform platform;
    CCategory cab = SampleCab();
    EXPECT_EQ(Stored(cab), kCabTuple);

    CCategory read;
    EXPECT_EQ(Load(read, kCabTuple + "tail"), 4);
    EXPECT_EQ(read.GetIndex(), 17);
    EXPECT_EQ(read.GetGroup(), 12);
    EXPECT_EQ(read.GetName(), "Cab");
    EXPECT_EQ(read.GetImageName(), "CATCUSTOM03U.BMP");
    EXPECT_EQ(read.GetReceipt(), 1);
    EXPECT_EQ(read.GetClassification().GetImageName(), "C2.BMP");
    EXPECT_EQ(read.GetExpenseType().GetShortName(), "Deductible");
    EXPECT_EQ(read.GetPaidWith().GetPaymentType(), CPaidWith::kBusiness);
    EXPECT_EQ(read.GetReserved(), 7);

    // A truncated tuple ends the read.
    CCategory truncated;
    EXPECT_THROW(Load(truncated, kCabTuple.left(kCabTuple.size() - 1)), CArchiveException);
}

TEST(Category, ATemporaryCopyNeitherWritesNorReadsAnything) {
    TestPlatform platform;
    CCategory temporary = SampleCab();
    temporary.SetPersistent(false);
    EXPECT_EQ(Stored(temporary), QByteArray());
    EXPECT_EQ(Load(temporary, kCabTuple), kCabTuple.size());
    EXPECT_EQ(temporary.GetName(), "Cab");

    // A copy starts persistent; assignment leaves the target's own setting.
    CCategory copy(temporary);
    EXPECT_TRUE(copy.IsPersistent());
    CCategory target;
    target.SetPersistent(false);
    target = SampleCab();
    EXPECT_FALSE(target.IsPersistent());
    EXPECT_EQ(target.GetReserved(), 7);
}

TEST(Category, TheThreeValuesCountAsChangesOfTheCategory) {
    TestPlatform platform;
    CCategory category("Cab", 17, 12);
    EXPECT_FALSE(category.IsModified());
    category.GetPaidWith().SetPaymentType(CPaidWith::kBusiness);
    EXPECT_TRUE(category.IsModified());
    // A copy carries the change with it.
    EXPECT_TRUE(CCategory(category).IsModified());
    category.SetModified(false);
    EXPECT_FALSE(category.IsModified());
    EXPECT_FALSE(category.GetPaidWith().IsModified());
    category.GetClassification().SetName("Acme");
    EXPECT_TRUE(category.IsModified());
    category.Reset();
    EXPECT_FALSE(category.IsModified());
    EXPECT_EQ(category.GetName(), "");
    EXPECT_EQ(category.GetClassification().GetName(), "Client1");
}

TEST(Category, TheImageIsLookedForInTheCategoryImageFolder) {
    TestPlatform platform;
    const QString folder = GetImagesSubdirectory(ImageFolder::Category, true);
    ASSERT_TRUE(WriteFileBytes(folder + "CATTAXIU.BMP", "BM"));
    CCategory category("Taxi", 10, 6);
    EXPECT_TRUE(category.IsImageMissing());
    EXPECT_EQ(category.GetImageReference(), "BROKENIMAGEU.BMP");

    struct Case {
        const char* path;
        const char* imageName;
        bool missing;
    } cases[] = {
        {"CATTAXIU.BMP", "CATTAXIU.BMP", false},
        {"\\Windows\\CATTAXIU.BMP", "CATTAXIU.BMP", false},
        {"/somewhere/else/CATTAXIU.BMP", "CATTAXIU.BMP", false},
        {"..\\CATFUELU.BMP", "CATFUELU.BMP", true},
    };
    for (const Case& c : cases) {
        category.SetImageName(c.path);
        EXPECT_EQ(category.GetImageName(), c.imageName) << c.path;
        EXPECT_EQ(category.IsImageMissing(), c.missing) << c.path;
        EXPECT_EQ(category.GetImagePath(), folder + c.imageName) << c.path;
        EXPECT_EQ(category.GetImageReference(), c.missing ? c.imageName : folder + c.imageName)
            << c.path;
    }
    // A copy takes the flag; a reset looks again.
    category.SetImageName("CATTAXIU.BMP");
    EXPECT_FALSE(CCategory(category).IsImageMissing());
    category.Reset();
    EXPECT_TRUE(category.IsImageMissing());
}

TEST(Category, TheMealButtonFollowsTheLocalHour) {
    TestPlatform platform;
    const CCategory dinner("Dinner", 3, CCategory::kMealsGroup);
    struct Case {
        int hour;
        int minute;
        const char* shown;
    } cases[] = {
        {11, 30, "Breakfast"}, {12, 0, "Lunch"},    {16, 59, "Lunch"}, {17, 0, "Dinner"},
        {23, 59, "Dinner"},    {0, 0, "Dinner"},    {1, 59, "Dinner"}, {2, 0, "Snacks"},
        {4, 59, "Snacks"},     {5, 0, "Breakfast"},
    };
    for (const Case& c : cases) {
        SetLocalTime(platform, c.hour, c.minute);
        EXPECT_EQ(dinner.GetDisplayName(), c.shown) << c.hour << ":" << c.minute;
    }
    // A remembered choice does not move the meal.
    dinner.RememberGroupChoice();
    SetLocalTime(platform, 12, 0);
    EXPECT_EQ(dinner.GetDisplayName(), "Lunch");
}

TEST(Category, TheFuelAndMiscButtonsShowTheLastChoiceOfTheirGroup) {
    TestPlatform platform;
    const CCategory fuel("Fuel", 8, CCategory::kFuelGroup);
    const CCategory mileage("Mileage", 9, CCategory::kFuelGroup);
    const CCategory misc("Misc", 16, CCategory::kMiscGroup);
    const CCategory limo("Limo", 17, CCategory::kMiscGroup);
    const CCategory taxi("Taxi", 10, 6);
    EXPECT_EQ(mileage.GetDisplayName(), "Mileage");
    EXPECT_EQ(misc.GetDisplayName(), "Misc");

    mileage.RememberGroupChoice();
    limo.RememberGroupChoice();
    taxi.RememberGroupChoice();  // a group without memory records nothing
    EXPECT_EQ(fuel.GetDisplayName(), "Mileage");
    EXPECT_EQ(misc.GetDisplayName(), "Limo");
    EXPECT_EQ(taxi.GetDisplayName(), "Taxi");
    EXPECT_EQ(Profile::GetString("Categories", "Group 5"), "Mileage");
    EXPECT_EQ(Profile::GetString("Categories", "Group 12"), "Limo");
    EXPECT_EQ(Profile::GetString("Categories", "Group 6", "none"), "none");
}
