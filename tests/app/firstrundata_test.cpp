#include "app/firstrundata.h"

#include <gtest/gtest.h>

#include <QFile>

#include "app/ownerinfo.h"
#include "lists/currencytable.h"
#include "lists/personalinfo.h"
#include "report/preferences.h"
#include "support/testplatform.h"

namespace {

QByteArray OwnerRecord(const QString& name, const QString& company, const QString& address) {
    QByteArray record(640, '\0');
    const std::pair<int, const QString*> fields[] = {{0, &name}, {72, &company}, {144, &address}};
    for (const auto& [offset, text] : fields) {
        int at = offset;
        for (const QChar c : *text) {
            record[at++] = static_cast<char>(c.unicode() & 0xFF);
            record[at++] = static_cast<char>(c.unicode() >> 8);
        }
    }
    return record;
}

void SetOwner(TestPlatform& platform, const QByteArray& record) {
    platform.GetRegistry().WriteBinary(RegistryHive::CurrentUser, COwnerInfo::kOwnerKey,
                                       COwnerInfo::kOwnerValue, record);
}

CPersonalInfo StoredPersonalInfo() {
    CPersonalInfo info;
    EXPECT_TRUE(info.Load(false));
    return info;
}

}  // namespace

TEST(FirstRunData, FillsTheEmptyPersonalFieldsFromTheOwner) {
    TestPlatform platform;
    SetOwner(platform, OwnerRecord("Ada Lovelace", "Analytical Engines",
                                   "1 Main St\r\nSpringfield, IL 62701"));
    {
        CPersonalInfo mine;
        mine.SetName("Grace");
        mine.SetDepartment("Research");
        ASSERT_TRUE(mine.Save(false));
    }
    const FirstRunResult result = RunFirstRunDataStep();
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.ownerRecordFound);
    // The user's own name stays; the record has no telephone or e-mail.
    EXPECT_EQ(result.filledFields,
              (QStringList{"company", "address", "city", "stateOrRegion", "zipOrPostalCode"}));
    const CPersonalInfo info = StoredPersonalInfo();
    EXPECT_EQ(info.GetName(), "Grace");
    EXPECT_EQ(info.GetCompany(), "Analytical Engines");
    EXPECT_EQ(info.GetDepartment(), "Research");
    EXPECT_EQ(info.GetAddress(), "1 Main St");
    EXPECT_EQ(info.GetCity(), "Springfield");
    EXPECT_EQ(info.GetStateOrRegion(), "IL");
    EXPECT_EQ(info.GetZipOrPostalCode(), "62701");

    // A second run finds nothing left to fill and changes nothing.
    SetOwner(platform, OwnerRecord("Someone Else", "Other Co", "2 Elm St"));
    const FirstRunResult again = RunFirstRunDataStep();
    EXPECT_TRUE(again.Succeeded());
    EXPECT_TRUE(again.filledFields.isEmpty());
    EXPECT_EQ(StoredPersonalInfo().GetCompany(), "Analytical Engines");
    EXPECT_TRUE(again.shippedData.currencyTable.kept);
}

TEST(FirstRunData, TheDistanceUnitFollowsTheInstalledCurrencyTable) {
    // A device at home in France, whose currency only the full shipped table
    // knows with a rate: the unit becomes kilometres only when the shipped
    // table is in place before the table is first loaded.
    LocaleInfo french = UsEnglishLocale();
    french.Clear(LocaleItem::EnglishCurrencyName);
    french.Set(LocaleItem::EnglishCountryName, "France");
    french.Set(LocaleItem::IntlSymbol, "EUR");
    struct Case {
        const char* name;
        LocaleInfo locale;
        bool traveler;
    } cases[] = {
        {"at home in the United States", UsEnglishLocale(), false},
        {"at home in France", french, true},
    };
    for (const Case& c : cases) {
        TestPlatform platform(c.locale);
        const FirstRunResult result = RunFirstRunDataStep();
        EXPECT_TRUE(result.shippedData.currencyTable.installed) << c.name;
        EXPECT_GT(result.shippedData.images.installed, 0) << c.name;
        EXPECT_EQ(result.internationalTraveler, c.traveler) << c.name;
        EXPECT_EQ(result.distanceInMiles, !c.traveler) << c.name;
        CPreferences preferences;
        ASSERT_TRUE(preferences.LoadAll()) << c.name;
        EXPECT_EQ(preferences.GetDistanceInMiles(), !c.traveler) << c.name;
        CCurrencyTable table;
        ASSERT_TRUE(table.Load(false));
        EXPECT_GT(table.GetFormatCount(), 10) << c.name;  // the full list, not the fallback
    }
}

TEST(FirstRunData, TheDistanceUnitIsChosenOnlyOnce) {
    TestPlatform platform;
    ASSERT_TRUE(RunFirstRunDataStep().distanceInMiles);
    CCurrencyTable table;
    ASSERT_TRUE(table.Load(false));
    table.SetInternationalTraveler(true);
    ASSERT_TRUE(table.Save(false));
    const FirstRunResult again = RunFirstRunDataStep();
    EXPECT_TRUE(again.internationalTraveler);
    EXPECT_TRUE(again.distanceInMiles);
}
