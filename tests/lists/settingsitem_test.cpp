#include "lists/settingsitem.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/testplatform.h"

TEST(SettingsItem, EveryTypeHasItsCaptionAndPicture) {
    TestPlatform platform;
    const struct Case {
        int type;
        QString caption;
        QString image;
    } cases[] = {
        {1, "Personal Info", "OTHERPERSONALINFOU.BMP"},
        {2, "Payment Sources", "OTHERPAYMENTSU.BMP"},
        {3, "General", "OTHERGENERALU.BMP"},
        {4, "Classification", "OTHERCLASSU.BMP"},
        {5, " Currency ", "OTHERCURRENCYU.BMP"},
        {6, "Account Numbers", "OTHERACCOUNTSU.BMP"},
        {7, "Custom Categories", "OTHERCUSTOMU.BMP"},
        {8, "Reports", "OTHERREPORTSU.BMP"},
        {9, "Backup", "OTHERBACKUPU.BMP"},
        {10, "", "BROKENIMAGEU.BMP"},
        {0, "", "BROKENIMAGEU.BMP"},
        {11, "", "BROKENIMAGEU.BMP"},
        {-1, "", "BROKENIMAGEU.BMP"},
    };
    const QString folder = platform.Root() + "/Outlaysheet/Images/other/";
    for (const Case& c : cases) {
        const SettingsItem item(c.type);
        EXPECT_EQ(item.GetCaption(), c.caption) << c.type;
        EXPECT_EQ(item.GetName(), c.caption) << c.type;
        EXPECT_EQ(item.GetImageName(), c.image) << c.type;
        EXPECT_EQ(item.GetImagePath(), folder + c.image) << c.type;
        EXPECT_TRUE(item.IsImageMissing()) << c.type;
        EXPECT_EQ(item.GetImageReference(), c.image) << c.type;
    }
}

TEST(SettingsItem, ThePictureIsLookedForWhenTheTypeIsSet) {
    TestPlatform platform;
    const QString picture = platform.Root() + "/Outlaysheet/Images/other/OTHERGENERALU.BMP";
    ASSERT_TRUE(WriteFileBytes(picture, "BM"));

    SettingsItem item(SettingsItem::kPersonalInfo);
    EXPECT_TRUE(item.IsImageMissing());
    item.SetType(SettingsItem::kGeneral);
    EXPECT_FALSE(item.IsImageMissing());
    EXPECT_EQ(item.GetImageReference(), picture);

    // Taken away behind the item's back: the flag changes with the next type.
    ASSERT_TRUE(QFile::remove(picture));
    EXPECT_FALSE(item.IsImageMissing());
    item.SetType(SettingsItem::kGeneral);
    EXPECT_TRUE(item.IsImageMissing());
    EXPECT_FALSE(item.IsModified());
}
