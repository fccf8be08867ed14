#include "lists/paidwith.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/expensearchive.h"
#include "lists/expensetype.h"
#include "lists/expensetypemanager.h"
#include "support/testplatform.h"

namespace {

QByteArray Store(CExpenseObject& object) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    object.Serialize(archive, 0);
    archive.Close();
    return buffer.data();
}

void Load(CExpenseObject& object, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
    object.Serialize(archive, 0);
}

QString PaidWithFolder(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Images/paidwith/";
}

QString ExpenseTypeFolder(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Images/expensetype/";
}

// "Fleet", "PAIDWITH12U.BMP", business.
const QByteArray kFleetBody = QByteArray::fromHex(
    "fffeff05"
    "46006c00650065007400"
    "fffeff0f"
    "500041004900440057004900540048003100320055002e0042004d005000"
    "01000000");

}  // namespace

TEST(PaidWith, BodyIsNameImageAndPaymentTypeWithoutHeader) {
    TestPlatform platform;
    CPaidWith fleet("Fleet", "PAIDWITH12U.BMP", CPaidWith::kBusiness);
    EXPECT_EQ(Store(fleet), kFleetBody);

    CPaidWith read;
    Load(read, kFleetBody);
    EXPECT_TRUE(read.IsEqual(fleet));
    EXPECT_TRUE(read.IsBusinessPaid());

    // Defaults: empty name, the broken image, personal.
    EXPECT_EQ(Store(*std::make_unique<CPaidWith>()),
              QByteArray::fromHex("fffeff00"
                                  "fffeff10420052004f004b0045004e0049004d0041004700450055002e00"
                                  "42004d005000"
                                  "00000000"));
}

TEST(PaidWith, SettingAnImageKeepsOnlyTheFileName) {
    TestPlatform platform;
    const struct {
        const char* path;
        const char* kept;
    } cases[] = {
        {"PAIDWITH05U.BMP", "PAIDWITH05U.BMP"},
        {"\\My Documents\\Outlaysheet\\Images\\paidwith\\PAIDWITH05U.BMP", "PAIDWITH05U.BMP"},
        {"/home/me/pictures/card.bmp", "card.bmp"},
        // Whichever separator comes last ends the folder part.
        {"a/b\\c.bmp", "c.bmp"},
        {"a\\b/c.bmp", "c.bmp"},
        {"folder/", ""},
    };
    for (const auto& c : cases) {
        CPaidWith paidWith;
        paidWith.SetImageName(c.path);
        EXPECT_EQ(paidWith.GetImageName(), c.kept) << c.path;
        EXPECT_TRUE(paidWith.IsModified()) << c.path;
    }
    CExpenseType expenseType;
    expenseType.SetImageName("x\\y/ETDEDUCTIBLEU.BMP");
    EXPECT_EQ(expenseType.GetImageName(), "ETDEDUCTIBLEU.BMP");
}

TEST(PaidWith, ImageMissingFollowsThePaymentSourceImageFolder) {
    TestPlatform platform;
    ASSERT_TRUE(WriteFileBytes(PaidWithFolder(platform) + "PAIDWITH08U.BMP", "BM"));
    // The same name in another image folder does not count.
    ASSERT_TRUE(WriteFileBytes(ExpenseTypeFolder(platform) + "PAIDWITH11U.BMP", "BM"));

    CPaidWith cash("Cash", "PAIDWITH08U.BMP", CPaidWith::kPersonal);
    EXPECT_FALSE(cash.IsImageMissing());
    EXPECT_EQ(cash.GetImagePath(), PaidWithFolder(platform) + "PAIDWITH08U.BMP");
    EXPECT_EQ(cash.GetImageReference(), cash.GetImagePath());

    CPaidWith card("Card", "PAIDWITH11U.BMP", CPaidWith::kPersonal);
    EXPECT_TRUE(card.IsImageMissing());
    EXPECT_EQ(card.GetImagePath(), PaidWithFolder(platform) + "PAIDWITH11U.BMP");
    EXPECT_EQ(card.GetImageReference(), "PAIDWITH11U.BMP");

    // Recomputed by every change of image: setting, resetting and reading.
    card.SetImageName("elsewhere/PAIDWITH08U.BMP");
    EXPECT_FALSE(card.IsImageMissing());
    card.Reset();
    EXPECT_TRUE(card.IsImageMissing());
    EXPECT_FALSE(card.IsModified());
    EXPECT_EQ(card.GetImageName(), "BROKENIMAGEU.BMP");
    Load(card, QByteArray::fromHex("fffeff00fffeff0f"
                                   "500041004900440057004900540048003000380055002e0042004d005000"
                                   "00000000"));
    EXPECT_FALSE(card.IsImageMissing());

    // A folder is not an image, and an image name read from a file never
    // reaches outside the image folder.
    CPaidWith none("None", "", CPaidWith::kPersonal);
    EXPECT_TRUE(none.IsImageMissing());
    ASSERT_TRUE(WriteFileBytes(platform.Root() + "/Outlaysheet/Images/secret.bmp", "BM"));
    CPaidWith escaping("x", "..\\secret.bmp", CPaidWith::kPersonal);
    EXPECT_TRUE(escaping.IsImageMissing());
    EXPECT_EQ(escaping.GetImagePath(), PaidWithFolder(platform) + "secret.bmp");
}

TEST(PaidWith, EqualityIsExactOnNameAndImageAndComparesThePaymentType) {
    TestPlatform platform;
    const CPaidWith visa("Visa", "PAIDWITH14U.BMP", CPaidWith::kPersonal);
    const struct {
        const char* name;
        CPaidWith other;
        bool equal;
    } cases[] = {
        {"same", CPaidWith("Visa", "PAIDWITH14U.BMP", CPaidWith::kPersonal), true},
        {"image case", CPaidWith("Visa", "paidwith14u.bmp", CPaidWith::kPersonal), false},
        {"name case", CPaidWith("VISA", "PAIDWITH14U.BMP", CPaidWith::kPersonal), false},
        {"payment type", CPaidWith("Visa", "PAIDWITH14U.BMP", CPaidWith::kBusiness), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(visa.IsEqual(c.other), c.equal) << c.name;
    }
}

TEST(PaidWith, CopiesTakeFieldsAndChangeStateButNotTheFileStory) {
    TestPlatform platform;
    ASSERT_TRUE(WriteFileBytes(PaidWithFolder(platform) + "PAIDWITH14U.BMP", "BM"));
    CPaidWith original("Visa", "PAIDWITH14U.BMP", CPaidWith::kPersonal);
    original.SetPaymentType(CPaidWith::kBusiness);
    original.SetValid(false);
    original.SetLoaded(true);

    const CPaidWith copy(original);
    EXPECT_TRUE(copy.IsEqual(original));
    EXPECT_TRUE(copy.IsModified());
    EXPECT_FALSE(copy.IsImageMissing());
    EXPECT_TRUE(copy.IsValid());
    EXPECT_FALSE(copy.IsLoaded());

    CPaidWith assigned;
    assigned = original;
    EXPECT_TRUE(assigned.IsEqual(original));
    EXPECT_FALSE(assigned.IsImageMissing());

    const CPaidWith mileage = CPaidWith::ForMileage();
    EXPECT_TRUE(mileage.IsEqual(CPaidWith("None", "PAIDWITH01U.BMP", CPaidWith::kPersonal)));
}

TEST(ExpenseType, BodyAndTheImageLookedForEachTime) {
    TestPlatform platform;
    CExpenseType type("Personal Deductible", "Deductible", "ETDEDUCTIBLEU.BMP", 1);
    const QByteArray body = QByteArray::fromHex(
        "fffeff13"
        "50006500720073006f006e0061006c002000440065006400750063007400690062006c006500"
        "fffeff0a"
        "440065006400750063007400690062006c006500"
        "fffeff11"
        "45005400440045004400550043005400490042004c00450055002e0042004d005000"
        "01000000");
    EXPECT_EQ(Store(type), body);
    CExpenseType read;
    Load(read, body);
    EXPECT_EQ(read.GetName(), "Personal Deductible");
    EXPECT_EQ(read.GetShortName(), "Deductible");
    EXPECT_EQ(read.GetImageName(), "ETDEDUCTIBLEU.BMP");
    EXPECT_TRUE(read.IsPersonalDeductible());
    EXPECT_FALSE(read.IsBusinessReimbursable());
    EXPECT_FALSE(read.IsPersonalNonDeductible());

    EXPECT_TRUE(type.IsImageMissing());
    EXPECT_EQ(type.GetImageReference(), "ETDEDUCTIBLEU.BMP");
    ASSERT_TRUE(WriteFileBytes(ExpenseTypeFolder(platform) + "ETDEDUCTIBLEU.BMP", "BM"));
    EXPECT_FALSE(type.IsImageMissing());
    EXPECT_EQ(type.GetImageReference(), ExpenseTypeFolder(platform) + "ETDEDUCTIBLEU.BMP");

    type.Reset();
    EXPECT_EQ(type.GetTypeCode(), CExpenseType::kNone);
    EXPECT_EQ(type.GetImageName(), "BROKENIMAGEU.BMP");
    EXPECT_FALSE(type.IsModified());
}

TEST(ExpenseTypeManager, TheThreeBuiltInTypesAndOutOfRangePositions) {
    TestPlatform platform;
    const QString folder = ExpenseTypeFolder(platform);
    const struct {
        int position;
        const char* name;
        const char* shortName;
        QString image;
        int typeCode;
    } cases[] = {
        {-1, "", "", "", -1},
        {0, "Business Reimbursable", "Business", folder + "ETREIMBURSABLEU.BMP", 0},
        {1, "Personal Deductible", "Deductible", folder + "ETDEDUCTIBLEU.BMP", 1},
        {2, "Personal Non-Deductible", "Non-Deductible", folder + "ETNONDEDUCTIBLEU.BMP", 2},
        {3, "", "", "", -1},
    };
    EXPECT_EQ(CExpenseTypeManager::GetCount(), 3);
    for (const auto& c : cases) {
        EXPECT_EQ(CExpenseTypeManager::GetName(c.position), c.name) << c.position;
        EXPECT_EQ(CExpenseTypeManager::GetShortName(c.position), c.shortName) << c.position;
        EXPECT_EQ(CExpenseTypeManager::GetImage(c.position), c.image) << c.position;
        EXPECT_EQ(CExpenseTypeManager::GetTypeCode(c.position), c.typeCode) << c.position;
        const CExpenseType type = CExpenseTypeManager::GetExpenseType(c.position);
        EXPECT_EQ(type.GetName(), c.name) << c.position;
        EXPECT_EQ(type.GetTypeCode(), c.typeCode) << c.position;
    }
    // A copy is the caller's own: changing it leaves the table alone.
    CExpenseType copy = CExpenseTypeManager::GetExpenseType(0);
    copy.SetName("Changed");
    EXPECT_EQ(CExpenseTypeManager::GetName(0), "Business Reimbursable");
    EXPECT_FALSE(CExpenseTypeManager::GetExpenseType(0).IsModified());
}
