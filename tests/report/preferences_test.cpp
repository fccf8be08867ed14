#include "report/preferences.h"

#include <gtest/gtest.h>

#include <QFile>

#include "platform/profile.h"
#include "support/testplatform.h"

namespace {

const QString kUserKey = "Software\\Tillhouse\\Outlaysheet for Pocket PC";

// Header 10/1, rate 0.345, miles.
const QByteArray kDefaultFile = QByteArray::fromHex(
    "0a00000001000000"
    "14ae47e17a14d63f"
    "01000000");

QString ReadUserString(TestPlatform& platform, const QString& section, const QString& name) {
    return platform.GetRegistry()
        .ReadString(RegistryHive::CurrentUser, kUserKey + "\\" + section, name)
        .value_or("<missing>");
}

}  // namespace

TEST(Preferences, AFirstStartWritesTheDefaultsAtOnce) {
    TestPlatform platform;
    CPreferences preferences;
    EXPECT_EQ(preferences.GetFilePath(), platform.Root() + "/Outlaysheet/Data/Preferences.dat");
    EXPECT_TRUE(preferences.LoadAll());
    EXPECT_TRUE(preferences.GetPlaySounds());
    EXPECT_TRUE(preferences.GetGridLines());
    EXPECT_TRUE(preferences.GetSubtotalAllDates());
    EXPECT_TRUE(preferences.GetShowGraph());
    EXPECT_TRUE(preferences.GetDistanceInMiles());
    EXPECT_EQ(preferences.GetDefaultMileageRate().GetValue(), 0.345);
    EXPECT_EQ(preferences.GetSubtotalTo(), kTestNow);
    EXPECT_EQ(preferences.GetSubtotalFrom(), kTestNow);
    EXPECT_EQ(ReadFileBytes(preferences.GetFilePath()), kDefaultFile);
    EXPECT_FALSE(preferences.IsModified());
    EXPECT_TRUE(platform.Prompts().Messages().empty());

    // Saved only when modified: profile-only changes do not touch the file.
    WriteFileBytes(preferences.GetFilePath(), kDefaultFile + "trailer");
    preferences.SetPlaySounds(false);
    EXPECT_TRUE(preferences.SaveToFile(false));
    EXPECT_EQ(ReadFileBytes(preferences.GetFilePath()), kDefaultFile + "trailer");
}

TEST(Preferences, TheFileHoldsTheRateAndTheUnit) {
    TestPlatform platform;
    CPreferences preferences;
    // 0.5 per kilometre, written by hand.
    WriteFileBytes(preferences.GetFilePath(), QByteArray::fromHex("0a00000001000000"
                                                                  "000000000000e03f"
                                                                  "00000000"));
    ASSERT_TRUE(preferences.LoadFromFile(true));
    EXPECT_EQ(preferences.GetDefaultMileageRate().GetValue(), 0.5);
    EXPECT_FALSE(preferences.GetDistanceInMiles());
    preferences.SetDefaultMileageRate(Amount(0.345));
    preferences.SetDistanceInMiles(true);
    ASSERT_TRUE(preferences.SaveToFile(true));
    EXPECT_EQ(ReadFileBytes(preferences.GetFilePath()), kDefaultFile);
}

TEST(Preferences, AnUnreadableFileIsKeptAsideAndReplacedAndTheProfileIsKept) {
    struct Case {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"a newer version", QByteArray::fromHex("0a000000020000000000000000000840 00000000")},
        {"a wrong type", QByteArray::fromHex("0600000002000000")},
        {"another list's type", QByteArray::fromHex("0b000000010000000000000000000840 00000000")},
        {"a unit that is neither 0 nor 1",
         QByteArray::fromHex("0a000000010000000000000000000840 07000000")},
        {"a rate that is no number",
         QByteArray::fromHex("0a00000001000000000000000000f87f 01000000")},
        {"a negative rate", QByteArray::fromHex("0a00000001000000000000000000f0bf 01000000")},
        {"a rate of 1e-300", QByteArray::fromHex("0a0000000100000059f3f8c21f6ea501 01000000")},
        {"cut short", QByteArray::fromHex("0a000000010000000000000000")},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        Profile::WriteInt("Display", "CurrentView", 1);
        Profile::WriteInt("General", "PlaySounds", 0);
        CPreferences preferences;
        ASSERT_TRUE(WriteFileBytes(preferences.GetFilePath(), c.file)) << c.name;
        EXPECT_TRUE(preferences.LoadAll()) << c.name;
        EXPECT_EQ(ReadFileBytes(preferences.GetFilePath()), kDefaultFile) << c.name;
        EXPECT_EQ(ReadFileBytes(preferences.GetFilePath() + ".unreadable"), c.file) << c.name;
        EXPECT_EQ(preferences.GetDefaultMileageRate().GetValue(), 0.345) << c.name;
        EXPECT_EQ(preferences.GetCurrentView(), 1) << c.name;
        EXPECT_FALSE(preferences.GetPlaySounds()) << c.name;
        ASSERT_EQ(platform.Prompts().Messages().size(), 1u) << c.name;
        EXPECT_TRUE(platform.Prompts().Messages()[0].text.contains("Preferences.dat.unreadable"))
            << c.name;
    }
}

TEST(Preferences, AnEmptyFileIsReplacedWithoutAWord) {
    TestPlatform platform;
    CPreferences preferences;
    ASSERT_TRUE(WriteFileBytes(preferences.GetFilePath(), QByteArray()));
    EXPECT_TRUE(preferences.LoadAll());
    EXPECT_EQ(ReadFileBytes(preferences.GetFilePath()), kDefaultFile);
    EXPECT_FALSE(QFile::exists(preferences.GetFilePath() + ".unreadable"));
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(Preferences, ProfileValuesRoundTrip) {
    TestPlatform platform;
    Profile::WriteString("Mileage", "Beginning", "12345.67");
    Profile::WriteString("Reports", "MRUFile", "/r/Outlaysheet/Trip.xpf");
    Profile::WriteInt("Totals", "SubtotalTo", -1);     // a time after 2038 as 32 bits
    Profile::WriteString("Totals", "ShowGraph", "0");  // text where a number belongs
    CPreferences preferences;
    ASSERT_TRUE(preferences.ReadRegistry());
    EXPECT_EQ(preferences.GetMileageBeginning(), 12345.67);
    EXPECT_EQ(preferences.GetMruFile(), "/r/Outlaysheet/Trip.xpf");
    EXPECT_EQ(preferences.GetSubtotalTo(), 0xFFFFFFFFLL);
    EXPECT_TRUE(preferences.GetShowGraph());  // another type reads as missing

    preferences.SetCurrentView(1);
    ASSERT_TRUE(preferences.WriteRegistry());
    EXPECT_EQ(ReadUserString(platform, "Mileage", "Beginning"), "12345.7");
    EXPECT_EQ(Profile::GetInt("Display", "CurrentView", -1), 1);
    EXPECT_EQ(Profile::GetInt("Totals", "SubtotalTo", 0), -1);

    Profile::WriteString("Mileage", "Beginning", "not a number");
    preferences.ReadRegistry();
    EXPECT_EQ(preferences.GetMileageBeginning(), 0);
    EXPECT_EQ(CPreferences::FormatMileageBeginning(0), "0.0");
    EXPECT_EQ(CPreferences::FormatMileageBeginning(-2.26), "-2.3");

    CPreferences::SetSelectedCurrency("Euro (Germany)");
    EXPECT_EQ(CPreferences::GetSelectedCurrency(), "Euro (Germany)");
    EXPECT_EQ(ReadUserString(platform, "ExpenseSlip", "SelectedCurrency"), "Euro (Germany)");
}

TEST(Preferences, TheDistanceUnitIsChosenOnceOnTheFirstRun) {
    struct Case {
        const char* name;
        std::optional<QString> initMileage;
        bool traveller;
        bool miles;
        QString initAfter;
    } cases[] = {
        {"first run at home", std::nullopt, false, true, "0"},
        {"first run abroad", std::nullopt, true, false, "0"},
        {"flag still set", QString("1"), true, false, "0"},
        {"chosen before", QString("0"), true, true, "0"},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        if (c.initMileage) {
            Profile::WriteString(QString(), "Init Mileage", *c.initMileage);
        }
        CPreferences preferences;
        preferences.LoadAll();
        preferences.InitDistanceUnit(c.traveller);
        EXPECT_EQ(preferences.GetDistanceInMiles(), c.miles) << c.name;
        EXPECT_EQ(Profile::GetString(QString(), "Init Mileage"), c.initAfter) << c.name;
        CPreferences reread;
        reread.LoadAll();
        EXPECT_EQ(reread.GetDistanceInMiles(), c.miles) << c.name;
    }
}
