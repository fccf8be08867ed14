#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <limits>

#include "archive/objectfile.h"
#include "lists/currencytable.h"
#include "lists/shippedcurrencytable.h"
#include "platform/profile.h"
#include "platform/shippeddata.h"
#include "support/testplatform.h"
#include "unusablefile.h"

namespace {

// Traveler 1; "Euro (Germany)" (bucket 0) and "U.S. Dollars" (bucket 9), so
// the file is in map order; one rate, EUR 0.9 set at 1600000000; home
// "U.S. Dollars".
const QByteArray kSmallTable = QByteArray::fromHex(
    "0100000002000000"                                                  // type 1, version 2
    "01000000"                                                          // internationalTraveler
    "02000000"                                                          // two formats
    "fffeff0e4500750072006f00200028004700650072006d0061006e0079002900"  // Euro (Germany)
    "02000000010000000800000003000000"  // digits 2, leading zero, orders 8 and 3
    "fffeff0333003b003000"              // grouping "3;0"
    "fffeff012c00fffeff012e00"          // "," and "."
    "fffeff01ac20"                      // "€"
    "fffeff03450055005200"              // "EUR"
    "01000000"                          // in use
    "fffeff0c55002e0053002e00200044006f006c006c00610072007300"  // U.S. Dollars
    "02000000010000000000000000000000"  // digits 2, leading zero, orders 0 and 0
    "fffeff0333003b003000"              // grouping "3;0"
    "fffeff012e00fffeff012c00"          // "." and ","
    "fffeff012400"                      // "$"
    "fffeff03550053004400"              // "USD"
    "00000000"                          // not in use
    "01000000"                          // one rate
    "fffeff03450055005200"              // "EUR"
    "00105e5f"                          // updated 1600000000
    "cdccccccccccec3f"                  // 0.9
    "fffeff0c55002e0053002e00200044006f006c006c00610072007300");  // home

// Where the euro's rate is in kSmallTable: before the home currency's name.
const qsizetype kRateAt = kSmallTable.size() - 8 - 28;

// The name "U.S. Dollars" as the table holds it.
QByteArray Usd() {
    return QByteArray::fromHex("fffeff0c55002e0053002e00200044006f006c006c00610072007300");
}

// `bytes` with the bytes at `offset` replaced by those of `hex`.
QByteArray Patched(QByteArray bytes, qsizetype offset, const char* hex) {
    const QByteArray value = QByteArray::fromHex(hex);
    return bytes.replace(offset, value.size(), value);
}

// The same table layout with no entries at all.
const QByteArray kEmptyTable = QByteArray::fromHex(
    "0100000002000000"
    "00000000"
    "00000000"
    "00000000"
    "fffeff0c55002e0053002e00200044006f006c006c00610072007300");

// One format, "Gabon Francs" (XAF), and no rate: what a user of the fallback
// table has.
const QByteArray kFormatsWithoutRates = QByteArray::fromHex(
    "0100000002000000"
    "01000000"
    "01000000"
    "fffeff0c4700610062006f006e0020004600720061006e0063007300"  // Gabon Francs
    "02000000010000000500000001000000"
    "fffeff0333003b003000"
    "fffeff012e00fffeff012c00"
    "fffeff044300460041004600"  // "CFAF"
    "fffeff03580041004600"      // "XAF"
    "01000000"
    "00000000"
    "fffeff0c4700610062006f006e0020004600720061006e0063007300");

QString InitHomeCurrency(TestPlatform& platform) {
    return platform.GetRegistry().ReadString(
        RegistryHive::ClassesRoot, QString::fromLatin1(Profile::kApplicationKey),
        QString::fromLatin1(CCurrencyTable::kInitHomeCurrencyValue), QStringLiteral("missing"));
}

void SetInitHomeCurrency(TestPlatform& platform, const QString& value) {
    platform.GetRegistry().WriteString(
        RegistryHive::ClassesRoot, QString::fromLatin1(Profile::kApplicationKey),
        QString::fromLatin1(CCurrencyTable::kInitHomeCurrencyValue), value);
}

QStringList Names(const CCurrencyTable& table) {
    QStringList names;
    for (const auto& entry : table.Formats()) {
        names << entry.key;
    }
    return names;
}

// The path a user's table file has under the test platform.
QString TablePath() {
    return CCurrencyTable::DefaultFilePath();
}

}  // namespace

TEST(CurrencyTableFile, AHandWrittenTableIsReadAndWrittenBackByteForByte) {
    TestPlatform platform;
    SetInitHomeCurrency(platform, "0");
    ASSERT_TRUE(WriteFileBytes(TablePath(), kSmallTable));

    CCurrencyTable table;
    ASSERT_TRUE(table.Load(false));
    EXPECT_FALSE(table.IsModified());
    EXPECT_TRUE(table.GetInternationalTraveler());
    EXPECT_EQ(Names(table), (QStringList{"Euro (Germany)", "U.S. Dollars"}));
    // The format bodies are the formats' own business; a glance shows they
    // reached the right names.
    EXPECT_EQ(table.GetDecimalSeparator("Euro (Germany)"), ",");
    EXPECT_EQ(table.GetNegativeOrder("Euro (Germany)"), 8);
    EXPECT_EQ(table.GetCode("Euro (Germany)"), "EUR");
    EXPECT_EQ(table.GetSymbol("U.S. Dollars"), "$");
    EXPECT_EQ(table.GetCode("U.S. Dollars"), "USD");
    ASSERT_EQ(table.GetRateCount(), 1);
    CurrencyRate rate;
    ASSERT_TRUE(table.GetRateByCode("EUR", rate));
    EXPECT_EQ(rate.GetValue(), 0.9);
    EXPECT_EQ(rate.GetUpdated(), 1600000000);
    EXPECT_EQ(table.GetHomeCurrency(), "U.S. Dollars");

    // Nothing changed, so nothing is written...
    EXPECT_TRUE(QFile::remove(TablePath()));
    EXPECT_TRUE(table.Save(false));
    EXPECT_FALSE(QFile::exists(TablePath()));
    // ...and once asked to, the program writes exactly what it read.
    table.SetModified(true);
    ASSERT_TRUE(table.Save(false));
    EXPECT_FALSE(table.IsModified());
    EXPECT_EQ(ReadFileBytes(TablePath()), kSmallTable);
    EXPECT_TRUE(platform.Prompts().Messages().empty());
}

TEST(CurrencyTableFile, FilesThatCannotServeAreReplacedByTheFallbackAtOnce) {
    struct Case {
        const char* name;
        std::optional<QByteArray> file;  // nothing: no file at all
        bool kept;                       // moved aside before the fallback took its place
    } cases[] = {
        {"missing", std::nullopt, false},
        {"empty", QByteArray(), false},
        {"no entries at all", kEmptyTable, false},
        {"foreign", QByteArray::fromHex("0800000001000000") + kSmallTable.mid(8), true},
        {"newer version", QByteArray::fromHex("0100000003000000") + kSmallTable.mid(8), true},
        {"truncated", kSmallTable.left(kSmallTable.size() - 3), true},
        {"absurd count", QByteArray::fromHex("010000000200000000000000ffffffff"), true},
        {"not a data file", "Kurs: 1 EUR = 1,08 USD\n", true},
        // Values no table can hold: the file is damaged, whatever else it holds.
        {"a traveler flag of 2", Patched(kSmallTable, 8, "02000000"), true},
        {"16,711,682 digits",
         Patched(kSmallTable, kSmallTable.indexOf(Usd()) + Usd().size(), "0200ff00"), true},
        {"a positive order of 4",
         Patched(kSmallTable, kSmallTable.indexOf(Usd()) + Usd().size() + 12, "04000000"), true},
        {"a rate that is no number", Patched(kSmallTable, kRateAt, "000000000000f87f"), true},
        {"an infinite rate", Patched(kSmallTable, kRateAt, "000000000000f0ff"), true},
        {"a rate of 1e-300", Patched(kSmallTable, kRateAt, "59f3f8c21f6ea501"), true},
        {"a rate of 1e10", Patched(kSmallTable, kRateAt, "000000205fa00242"), true},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        SetInitHomeCurrency(platform, "1");
        const QString path = TablePath();
        if (c.file) {
            ASSERT_TRUE(WriteFileBytes(path, *c.file));
        }
        CCurrencyTable table;
        EXPECT_TRUE(table.Load(false)) << c.name;
        EXPECT_EQ(table.GetFormatCount(), 10) << c.name;
        EXPECT_EQ(table.GetRateCount(), 0) << c.name;
        EXPECT_TRUE(table.IsLoaded()) << c.name;
        EXPECT_TRUE(table.IsValid()) << c.name;
        EXPECT_FALSE(table.IsModified()) << c.name;
        EXPECT_EQ(InitHomeCurrency(platform), "0") << c.name;
        EXPECT_EQ(platform.Prompts().Texts(), KeptMessages(path, c.kept)) << c.name;

        // Written at once, and read back as it is now.
        CCurrencyTable reread;
        EXPECT_TRUE(reread.Load(false)) << c.name;
        // Reading files each entry at the head of its bucket, so names that
        // share one come back the other way round.
        QStringList names = Names(table);
        QStringList rereadNames = Names(reread);
        names.sort();
        rereadNames.sort();
        EXPECT_EQ(rereadNames, names) << c.name;
        EXPECT_EQ(ReadFileBytes(path).left(8), QByteArray::fromHex("0100000002000000"));

        EXPECT_EQ(QFile::exists(path + ".unreadable"), c.kept) << c.name;
        if (c.kept) {
            EXPECT_EQ(ReadFileBytes(path + ".unreadable"), *c.file) << c.name;
        }
    }
}

TEST(CurrencyTableFile, AFallbackTableKeepsWhatTheUserChoseSince) {
    TestPlatform platform;
    SetInitHomeCurrency(platform, "0");
    ASSERT_TRUE(WriteFileBytes(TablePath(), kFormatsWithoutRates));
    CCurrencyTable table;
    ASSERT_TRUE(table.Load(false));
    EXPECT_EQ(Names(table), QStringList{"Gabon Francs"});
    EXPECT_EQ(table.GetHomeCurrency(), "Gabon Francs");
    EXPECT_EQ(ReadFileBytes(TablePath()), kFormatsWithoutRates);
}

TEST(CurrencyTableFile, ATableThatCannotBeMovedAsideIsNotOverwritten) {
    TestPlatform platform;
    // A folder where the file should be: neither readable nor movable as a file.
    ASSERT_TRUE(QDir().mkpath(TablePath()));
    CCurrencyTable table;
    EXPECT_FALSE(table.Load(false));
    EXPECT_TRUE(QFileInfo(TablePath()).isDir());
    EXPECT_FALSE(QFile::exists(TablePath() + ".unreadable"));
}

TEST(CurrencyTableFile, ReportedFailuresAskBeforeAnythingIsLost) {
    TestPlatform platform;
    const QByteArray foreign = QByteArray::fromHex("0600000002000000");
    ASSERT_TRUE(WriteFileBytes(TablePath(), foreign));
    CCurrencyTable table;
    EXPECT_TRUE(table.Load(true));
    // The load's own message; the file was moved aside, so nothing is
    // overwritten and nothing needs asking.
    EXPECT_EQ(
        platform.Prompts().Texts(),
        (QStringList{TablePath() +
                         " \n\r\n\ris not an Outlaysheet file and cannot be opened. Any "
                         "new information entered pertaining to this file will not be saved.",
                     KeptMessage(TablePath())}));
    EXPECT_EQ(ReadFileBytes(TablePath() + ".unreadable"), foreign);
    EXPECT_EQ(table.GetFormatCount(), 10);
}

TEST(CurrencyTableFile, TheInitHomeCurrencyValueChoosesTheHomeCurrencyOnce) {
    LocaleInfo french = UsEnglishLocale();
    french.Clear(LocaleItem::EnglishCurrencyName);
    french.Set(LocaleItem::EnglishCountryName, "France");
    french.Set(LocaleItem::IntlSymbol, "EUR");
    struct Case {
        const char* name;
        std::optional<QString> value;  // nothing: no value at all
        bool chosen;
    } cases[] = {
        {"no value", std::nullopt, true},
        {"asked for", QString("1"), true},
        {"done before", QString("0"), false},
        {"something else", QString("yes"), false},
    };
    for (const Case& c : cases) {
        TestPlatform platform(french);
        if (c.value) {
            SetInitHomeCurrency(platform, *c.value);
        }
        ASSERT_TRUE(WriteFileBytes(TablePath(), kSmallTable));
        CCurrencyTable table;
        ASSERT_TRUE(table.Load(false)) << c.name;
        // "France" names no currency and the table's one EUR currency is taken.
        EXPECT_EQ(table.GetHomeCurrency(), c.chosen ? "Euro (Germany)" : "U.S. Dollars") << c.name;
        EXPECT_FALSE(table.IsModified()) << c.name;
        EXPECT_EQ(InitHomeCurrency(platform), c.chosen ? "0" : *c.value) << c.name;
        EXPECT_EQ(ReadFileBytes(TablePath()) == kSmallTable, !c.chosen) << c.name;
        if (c.chosen) {
            CCurrencyTable reread;
            ASSERT_TRUE(reread.Load(false));
            EXPECT_EQ(reread.GetHomeCurrency(), "Euro (Germany)");
            CurrencyRate dollar;
            ASSERT_TRUE(reread.GetRateByCode("EUR", dollar));
            EXPECT_EQ(dollar.GetValue(), 1.0);
        }
    }
}

TEST(CurrencyTableFile, RatesOfZeroOrLessAreReadAsOne) {
    struct Case {
        const char* name;
        const char* rateBytes;
        double stored;
    } cases[] = {
        {"zero", "0000000000000000", 0.0},
        {"negative", "000000000000f0bf", -1.0},
        {"the most negative", "ffffffffffffefff", -std::numeric_limits<double>::max()},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        SetInitHomeCurrency(platform, "0");
        QByteArray bytes = kSmallTable;
        const qsizetype rateAt = bytes.indexOf(QByteArray::fromHex("cdccccccccccec3f"));
        bytes.replace(rateAt, 8, QByteArray::fromHex(c.rateBytes));
        ASSERT_TRUE(WriteFileBytes(TablePath(), bytes));
        CCurrencyTable table;
        ASSERT_TRUE(table.Load(false)) << c.name;
        CCurrencyFormat format;
        CurrencyRate rate;
        ASSERT_TRUE(table.GetRate("Euro (Germany)", format, rate)) << c.name;
        EXPECT_EQ(rate.GetValue(), 1.0) << c.name;
        // The stored value itself stays as it was until the user sets a rate.
        const double stored = table.Rates().Find(QStringLiteral("EUR"))->GetValue();
        EXPECT_EQ(stored, c.stored) << c.name;
    }
}

TEST(ShippedCurrencyTable, HoldsTheWorldsCurrenciesWithTheDollarAsHome) {
    TestPlatform platform;
    const QString shipped = ShippedCurrencyTablePath(GetShippedDataFolder());
    ASSERT_TRUE(QFile::exists(shipped)) << shipped.toStdString();
    CCurrencyTable table(shipped);
    // Read as it is: Load would choose a home currency and write it back.
    ASSERT_TRUE(LoadObjectFromFile(shipped, &table, false, false, false));
    EXPECT_GT(table.GetFormatCount(), 150);
    EXPECT_EQ(table.GetHomeCurrency(), "U.S. Dollars");
    EXPECT_FALSE(table.GetInternationalTraveler());

    CCurrencyFormat dollars;
    CurrencyRate one;
    ASSERT_TRUE(table.GetRate("U.S. Dollars", dollars, one));
    EXPECT_EQ(dollars.GetCode(), "USD");
    EXPECT_EQ(dollars.GetSymbol(), "$");
    EXPECT_EQ(one.GetValue(), 1.0);
    EXPECT_FALSE(table.HasFormat("US Dollar"));

    QStringList euros;
    for (const auto& entry : table.Formats()) {
        // Every currency can be converted, and none is in use before the user says so.
        EXPECT_TRUE(table.Rates().Contains(entry.value.GetCode())) << entry.key.toStdString();
        EXPECT_EQ(entry.value.GetInUse(), 0) << entry.key.toStdString();
        if (entry.value.GetCode() == "EUR") {
            euros << entry.key;
        }
    }
    EXPECT_GE(euros.size(), 20);
    for (const char* country : {"Germany", "France", "Italy", "Spain", "Austria", "Ireland"}) {
        EXPECT_TRUE(euros.contains(QStringLiteral("Euro (%1)").arg(country))) << country;
    }
    // Each euro row writes amounts as its country does.
    EXPECT_EQ(table.GetDecimalSeparator("Euro (Germany)"), ",");
    EXPECT_EQ(table.GetPositiveOrder("Euro (Germany)"), 3);
    EXPECT_EQ(table.GetDecimalSeparator("Euro (Ireland)"), ".");
    EXPECT_EQ(table.GetPositiveOrder("Euro (Ireland)"), 0);
    EXPECT_EQ(table.GetDigits("Japanese Yen"), 0);

    // The rates are those of one day, at noon UTC.
    CurrencyRate euro;
    ASSERT_TRUE(table.GetRateByCode("EUR", euro));
    EXPECT_GT(euro.GetValue(), 0.5);
    EXPECT_LT(euro.GetValue(), 1.5);
    EXPECT_EQ(euro.GetUpdated() % 86400, 12 * 3600);
}
