#include "lists/currencytable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "archive/objectfile.h"
#include "lists/shippedcurrencytable.h"
#include "platform/shippeddata.h"
#include "support/testplatform.h"

namespace {

CCurrencyFormat Format(const QString& code, int digits = 2) {
    CCurrencyFormat format;
    format.SetDecimalSeparator(QStringLiteral("."));
    format.SetThousandSeparator(QStringLiteral(","));
    format.SetDigits(digits);
    format.SetCode(code);
    return format;
}

// U.S. Dollars 1, Euro (Germany) and Euro (France) 0.9 (one code), Japanese
// Yen 110, and a currency without a rate.
CCurrencyTable SmallTable() {
    CCurrencyTable table{QString()};
    table.SetFormat("U.S. Dollars", Format("USD"));
    table.SetFormat("Euro (Germany)", Format("EUR"));
    table.SetFormat("Euro (France)", Format("EUR"));
    table.SetFormat("Japanese Yen", Format("JPY", 0));
    table.SetFormat("Gabon Francs", Format("XAF", 0));
    table.SetRate("USD", CurrencyRate(1.0, 100), false, true);
    table.SetRate("EUR", CurrencyRate(0.9, 200), false, true);
    table.SetRate("JPY", CurrencyRate(110.0, 300), false, true);
    table.SetModified(false);
    return table;
}

double Rate(const CCurrencyTable& table, const char* code) {
    const CurrencyRate* rate = table.Rates().Find(QString::fromLatin1(code));
    return rate == nullptr ? -1.0 : rate->GetValue();
}

// The shipped list, read as it is.
CCurrencyTable ShippedTable() {
    const QString path = ShippedCurrencyTablePath(GetShippedDataFolder());
    CCurrencyTable table(path);
    EXPECT_TRUE(LoadObjectFromFile(path, &table, false, false, false)) << path.toStdString();
    return table;
}

// A device whose regional settings give these names and code; the English
// names left out are missing, as on a Linux locale without them.
LocaleInfo Device(const char* currencyName, const char* country, const char* language,
                  const char* code) {
    LocaleInfo locale = UsEnglishLocale();
    const std::pair<LocaleItem, const char*> items[] = {
        {LocaleItem::EnglishCurrencyName, currencyName},
        {LocaleItem::EnglishCountryName, country},
        {LocaleItem::EnglishLanguageName, language},
        {LocaleItem::IntlSymbol, code},
    };
    for (const auto& [item, value] : items) {
        if (value == nullptr) {
            locale.Clear(item);
        } else {
            locale.Set(item, QString::fromUtf8(value));
        }
    }
    return locale;
}

}  // namespace

TEST(CurrencyRate, ANewRateIsOneSetOnTheDayTheListWasCompiled) {
    TestPlatform platform;
    const CurrencyRate rate;
    EXPECT_EQ(rate.GetValue(), 0.0);
    EXPECT_EQ(rate.GetRate(), 1.0);
    // 23 September 2002, 01:23 in the test zone, UTC-5.
    EXPECT_EQ(rate.GetUpdated(), 1032762180);
}

TEST(CurrencyTable, ChangingTheHomeCurrencyRebasesEveryRate) {
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    ASSERT_TRUE(table.SetHomeCurrency("Euro (Germany)", true));
    EXPECT_EQ(table.GetHomeCurrency(), "Euro (Germany)");
    EXPECT_TRUE(table.IsModified());
    EXPECT_NEAR(Rate(table, "JPY"), 122.2222, 0.0001);
    EXPECT_NEAR(Rate(table, "USD"), 1.1111, 0.0001);
    EXPECT_EQ(Rate(table, "EUR"), 1.0);
    // Re-basing is arithmetic, not a change by the user: the times stay.
    EXPECT_EQ(table.Rates().Find(QStringLiteral("JPY"))->GetUpdated(), 300);

    // Another currency of the same code is already at 1; back to the dollar
    // undoes the first change.
    ASSERT_TRUE(table.SetHomeCurrency("Euro (France)", true));
    EXPECT_EQ(Rate(table, "EUR"), 1.0);
    ASSERT_TRUE(table.SetHomeCurrency("U.S. Dollars", true));
    EXPECT_NEAR(Rate(table, "JPY"), 110.0, 1e-9);
    EXPECT_NEAR(Rate(table, "EUR"), 0.9, 1e-9);
    EXPECT_EQ(Rate(table, "USD"), 1.0);
}

TEST(CurrencyTable, HomeCurrencyChangesThatDoNotRebase) {
    struct Case {
        const char* name;
        const char* home;
        bool rebase;
        bool result;
        const char* homeAfter;
        double yenAfter;
    } cases[] = {
        {"the same currency", "U.S. Dollars", true, true, "U.S. Dollars", 110.0},
        {"an unknown name", "Euro", true, false, "U.S. Dollars", 110.0},
        {"letter case counts", "japanese yen", true, false, "U.S. Dollars", 110.0},
        {"without re-basing", "Japanese Yen", false, true, "Japanese Yen", 110.0},
        {"a home without a rate", "Gabon Francs", true, false, "Gabon Francs", 110.0},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        CCurrencyTable table = SmallTable();
        EXPECT_EQ(table.SetHomeCurrency(c.home, c.rebase), c.result) << c.name;
        EXPECT_EQ(table.GetHomeCurrency(), c.homeAfter) << c.name;
        EXPECT_EQ(Rate(table, "JPY"), c.yenAfter) << c.name;
        EXPECT_EQ(table.IsModified(), QString(c.homeAfter) != "U.S. Dollars") << c.name;
    }
}

TEST(CurrencyTable, TheHomeCurrencyComesFromTheRegionalSettings) {
    struct Case {
        const char* name;
        LocaleInfo device;
        const char* home;  // nullptr: the first euro of the table's order
    } cases[] = {
        {"a country among the euro rows", Device(nullptr, "Germany", "German", "EUR"),
         "Euro (Germany)"},
        {"another one", Device(nullptr, "France", "French", "EUR"), "Euro (France)"},
        {"hyphen and parentheses split words", Device(nullptr, "Austria-Hungary", "", "EUR"),
         "Euro (Austria)"},
        {"the currency name ties every euro", Device("Euro", "Italy", "Italian", "EUR"), nullptr},
        {"a country that shares the euro unlisted", Device(nullptr, "Kosovo", "", "EUR"), nullptr},
        {"the language when nothing else", Device(nullptr, nullptr, "Spain", "EUR"),
         "Euro (Spain)"},
        {"a currency named outright", Device("Japanese Yen", "Japan", "Japanese", "JPY"),
         "Japanese Yen"},
        {"one currency of the code", Device(nullptr, "United Kingdom", "English", "GBP"),
         "British Pounds"},
        {"US Dollar", Device("US Dollar", "United States", "English", "USD"), "U.S. Dollars"},
        {"United States", Device(nullptr, "United States", "English", "USD"), "U.S. Dollars"},
        {"no code", Device(nullptr, "Atlantis", "Atlantean", nullptr), "U.S. Dollars"},
        {"a code the table has no rate for", Device(nullptr, "Nowhere", "", "XXX"),
         "U.S. Dollars"},
    };
    for (const Case& c : cases) {
        TestPlatform platform(c.device);
        CCurrencyTable table = ShippedTable();
        QString firstEuro;
        for (const auto& entry : table.Formats()) {
            if (entry.value.GetCode() == "EUR") {
                firstEuro = entry.key;
                break;
            }
        }
        table.InitHomeCurrency();
        const QString expected = c.home == nullptr ? firstEuro : QString::fromUtf8(c.home);
        EXPECT_EQ(table.GetHomeCurrency(), expected) << c.name;
        EXPECT_EQ(table.GetInternationalTraveler(), expected != "U.S. Dollars") << c.name;
        // The chosen currency's rate is the unit of all others.
        CurrencyRate home;
        ASSERT_TRUE(table.GetHomeRate(home)) << c.name;
        EXPECT_EQ(home.GetValue(), 1.0) << c.name;
    }
}

TEST(CurrencyTable, TheUsDollarNeedsNoCurrencyOfItsNameInTheTable) {
    TestPlatform platform(Device("US Dollar", "United States", "English", "USD"));
    CCurrencyTable table = SmallTable();
    table.SetFormat("Dollars (United States)", Format("USD"));
    ASSERT_TRUE(table.SetHomeCurrency("Japanese Yen", true));
    table.InitHomeCurrency();
    EXPECT_EQ(table.GetHomeCurrency(), "U.S. Dollars");
    EXPECT_FALSE(table.GetInternationalTraveler());
    // Not re-based: the rates stay those of the yen.
    EXPECT_EQ(Rate(table, "JPY"), 1.0);

    // Only a currency of exactly the locale's name is taken by name.
    table.SetFormat("US Dollar", Format("USD"));
    table.InitHomeCurrency();
    EXPECT_EQ(table.GetHomeCurrency(), "US Dollar");
    EXPECT_TRUE(table.GetInternationalTraveler());
}

TEST(CurrencyTable, RatesAreSetByCodeOrByNameAndShared) {
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    EXPECT_TRUE(table.SetRate("Euro (France)", CurrencyRate(0.95, 5), true, false));
    CCurrencyFormat format;
    CurrencyRate rate;
    ASSERT_TRUE(table.GetRate("Euro (Germany)", format, rate));
    EXPECT_EQ(rate.GetValue(), 0.95);
    EXPECT_EQ(rate.GetUpdated(), kTestNow);
    EXPECT_TRUE(table.IsModified());

    EXPECT_TRUE(table.SetRate("CHF", CurrencyRate(0.88, 5), false, true));
    ASSERT_TRUE(table.GetRateByCode("CHF", rate));
    EXPECT_EQ(rate.GetUpdated(), 5);
    // A rate for a currency the table does not know would land under the
    // empty code; it is refused instead.
    EXPECT_FALSE(table.SetRate("Swiss Francs", CurrencyRate(0.88, 5), true, false));
    EXPECT_FALSE(table.Rates().Contains(QString()));
    EXPECT_FALSE(table.GetRate("Gabon Francs", format, rate));
    EXPECT_FALSE(table.GetRate("Swiss Francs", format, rate));
    EXPECT_EQ(table.GetCode("Swiss Francs"), "");
}

TEST(CurrencyTable, AnUnknownCurrencyIsWrittenTheDevicesWay) {
    LocaleInfo device = UsEnglishLocale();
    device.Set(LocaleItem::CurrencySymbol, "kr");
    device.Set(LocaleItem::CurrencyDigits, "3");
    device.Set(LocaleItem::MonDecimal, ",");
    device.Set(LocaleItem::PositiveCurrency, "3");
    TestPlatform platform(device);
    CCurrencyTable table = SmallTable();
    EXPECT_EQ(table.GetSymbol("Swiss Francs"), "kr");
    EXPECT_EQ(table.GetDigits("Swiss Francs"), 3);
    EXPECT_EQ(table.GetDecimalSeparator("Swiss Francs"), ",");
    EXPECT_EQ(table.GetPositiveOrder("Swiss Francs"), 3);
    EXPECT_EQ(table.GetDigits("Japanese Yen"), 0);
    EXPECT_EQ(table.GetHomeDigits(), 2);
}

TEST(CurrencyTable, ConvertingIntoTheHomeCurrency) {
    struct Case {
        const char* name;
        double amount;
        double rate;
        int digits;
        double converted;
    } cases[] = {
        {"half a cent up", 10.005, 1.0, 2, 10.01},
        {"half a cent away from zero", -10.005, 1.0, 2, -10.01},
        {"just below half", 10.0049, 1.0, 2, 10.00},
        {"euros into dollars", 90.0, 0.9, 2, 100.0},
        {"yen into a home without decimals", 1250.0, 100.0, 0, 13.0},
        {"negative into a home without decimals", -1250.0, 100.0, 0, -13.0},
        {"no rate: not converted", 10.005, 0.0, 2, 10.005},
        {"a damaged rate: not converted", 10.005, std::numeric_limits<double>::quiet_NaN(), 2,
         10.005},
        {"absurd digits are held to nine", 1.0 / 3.0, 1.0, 4000, 0.333333333},
    };
    for (const Case& c : cases) {
        const Amount converted =
            CCurrencyTable::ConvertToHome(Amount(c.amount), Amount(c.rate), c.digits);
        EXPECT_NEAR(converted.GetValue(), c.converted, 1e-12) << c.name;
    }

    // The table's own home decimals: none for a format without a decimal
    // separator.
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    EXPECT_NEAR(table.ConvertToHome(Amount(90.0), Amount(0.9)).GetValue(), 100.0, 1e-12);
    CCurrencyFormat bare = Format("USD");
    bare.SetDecimalSeparator(QString());
    table.SetFormat("U.S. Dollars", bare);
    EXPECT_EQ(table.ConvertToHome(Amount(10.5), Amount(1.0)).GetValue(), 11.0);
}

TEST(CurrencyTable, TheFallbackCurrencies) {
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    table.CreateDefaults();
    EXPECT_EQ(table.GetFormatCount(), 10);
    EXPECT_EQ(table.GetRateCount(), 0);
    EXPECT_TRUE(table.IsModified());
    EXPECT_EQ(table.GetHomeCurrency(), "U.S. Dollars");
    EXPECT_FALSE(table.GetInternationalTraveler());
    for (const auto& entry : table.Formats()) {
        EXPECT_EQ(entry.value.GetDigits(), 2);
        EXPECT_EQ(entry.value.GetLeadingZero(), 1);
        EXPECT_EQ(entry.value.GetGroupingText(), "3;0");
        EXPECT_EQ(entry.value.GetDecimalSeparator(), ".");
        EXPECT_EQ(entry.value.GetThousandSeparator(), ",");
        EXPECT_EQ(entry.value.GetInUse(), 0);
    }
    CCurrencyFormat faroe;
    ASSERT_TRUE(table.FindFormat(QString::fromUtf8("Færæ Islands"), faroe));
    EXPECT_EQ(faroe.GetCode(), "DKK");
    EXPECT_EQ(faroe.GetSymbol(), "Kr");
    EXPECT_EQ(faroe.GetNegativeOrder(), 8);
    EXPECT_EQ(faroe.GetPositiveOrder(), 3);
    EXPECT_EQ(table.GetSymbol("Macau Pataca"), "");
    EXPECT_EQ(table.GetCode(QString::fromUtf8("Zaïre New Zaire")), "ZRN");
}

TEST(CurrencyTable, InUseAndFormatting) {
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    EXPECT_TRUE(table.SetInUse("Japanese Yen", true));
    EXPECT_FALSE(table.SetInUse("Swiss Francs", true));
    CCurrencyFormat yen;
    ASSERT_TRUE(table.FindFormat("Japanese Yen", yen));
    EXPECT_EQ(yen.GetInUse(), 1);
    EXPECT_TRUE(table.IsModified());

    CCurrencyFormat dollars = Format("USD");
    dollars.SetSymbol("$");
    dollars.SetGroupingText("3");
    table.SetFormat("U.S. Dollars", dollars);
    EXPECT_EQ(table.FormatInHome(Amount(1234.5), 0), "$1,234.50");
}

TEST(CurrencyTable, TheListedCurrenciesAreThoseInUseAlphabeticallyThenTheHomeOne) {
    TestPlatform platform;
    CCurrencyTable table = SmallTable();
    EXPECT_EQ(table.GetListedCurrencies(), QStringList{"U.S. Dollars"});
    table.SetInUse("Japanese Yen", true);
    table.SetInUse("Euro (Germany)", true);
    EXPECT_EQ(table.GetListedCurrencies(),
              QStringList({"Euro (Germany)", "Japanese Yen", "U.S. Dollars"}));
    // The home currency in use is listed once, in its place.
    table.SetInUse("U.S. Dollars", true);
    table.SetInUse("Japanese Yen", false);
    EXPECT_EQ(table.GetListedCurrencies(), QStringList({"Euro (Germany)", "U.S. Dollars"}));
    // The rest, for a traveller to add.
    EXPECT_EQ(table.GetCurrencies(false),
              QStringList({"Euro (France)", "Gabon Francs", "Japanese Yen"}));
}
