#include "platform/processlocale.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <set>

#include "support/testplatform.h"

namespace {

// Compiles a glibc locale into a temporary folder and points LOCPATH at it,
// so the test does not depend on the locales the machine has generated.
bool CompileLocale(const TestPlatform& platform, const QString& source, const QString& name) {
    if (!QFileInfo::exists("/usr/share/i18n/locales/" + source)) {
        return false;
    }
    const QString folder = platform.Path("locales");
    QDir().mkpath(folder);
    QProcess localedef;
    localedef.start("localedef", {"-i", source, "-f", "UTF-8", folder + "/" + name});
    if (!localedef.waitForFinished(60000) || localedef.exitCode() > 1) {
        return false;
    }
    qputenv("LOCPATH", folder.toLocal8Bit());
    return true;
}

}  // namespace

TEST(ProcessLocale, TheCLocaleHasNoMonetaryConventions) {
    const auto locale = ReadPosixLocale("C");
    ASSERT_TRUE(locale);
    EXPECT_EQ(locale->Get(LocaleItem::Decimal), ".");
    EXPECT_FALSE(locale->Has(LocaleItem::CurrencySymbol));
    EXPECT_FALSE(locale->Has(LocaleItem::MonDecimal));
    EXPECT_FALSE(locale->Has(LocaleItem::NegativeCurrency));
    EXPECT_EQ(locale->Get(LocaleItem::ShortDate), "MM/dd/yy");
    EXPECT_EQ(locale->Get(LocaleItem::DateSeparator), "/");
    EXPECT_EQ(locale->Get(LocaleItem::TimeFormat), "HH:mm:ss");
    EXPECT_EQ(locale->Get(MonthNameItem(1, false)), "January");
    EXPECT_EQ(locale->Get(DayNameItem(7, true)), "Sun");
    EXPECT_FALSE(ReadPosixLocale("xx_NOWHERE.UTF-8"));

    // As the device's system locale it still writes amounts with decimals.
    LocaleInfo device = *locale;
    AddInvariantMonetaryItems(device);
    EXPECT_EQ(device.Number(LocaleItem::CurrencyDigits), 2);
    EXPECT_EQ(device.Get(LocaleItem::MonDecimal), ".");
    EXPECT_EQ(device.Get(LocaleItem::MonThousand), ",");
    EXPECT_EQ(device.Get(LocaleItem::MonGrouping), "3;0");
    EXPECT_FALSE(device.Has(LocaleItem::CurrencySymbol));
    // A locale with conventions of its own keeps them.
    LocaleInfo german;
    german.Set(LocaleItem::MonDecimal, ",");
    AddInvariantMonetaryItems(german);
    EXPECT_FALSE(german.Has(LocaleItem::CurrencyDigits));
}

TEST(ProcessLocale, AGermanLocaleMapsToTheDevicesItems) {
    TestPlatform platform;
    if (!CompileLocale(platform, "de_DE", "de_DE.UTF-8")) {
        GTEST_SKIP() << "glibc's de_DE locale source is not installed";
    }
    const auto locale = ReadPosixLocale("de_DE.UTF-8");
    qunsetenv("LOCPATH");
    ASSERT_TRUE(locale);
    EXPECT_EQ(locale->Get(LocaleItem::CurrencySymbol), "€");
    EXPECT_EQ(locale->Get(LocaleItem::IntlSymbol), "EUR");
    EXPECT_EQ(locale->Get(LocaleItem::MonDecimal), ",");
    EXPECT_EQ(locale->Get(LocaleItem::MonThousand), ".");
    EXPECT_EQ(locale->Get(LocaleItem::MonGrouping), "3;0");
    EXPECT_EQ(locale->Number(LocaleItem::CurrencyDigits), 2);
    EXPECT_EQ(locale->Number(LocaleItem::PositiveCurrency), 3);  // "1.1 $"
    EXPECT_EQ(locale->Number(LocaleItem::NegativeCurrency), 8);  // "-1.1 $"
    EXPECT_EQ(locale->Get(LocaleItem::ShortDate), "dd.MM.yyyy");
    EXPECT_EQ(locale->Get(LocaleItem::DateSeparator), ".");
    EXPECT_EQ(locale->Get(LocaleItem::TimeFormat), "HH:mm:ss");
    EXPECT_EQ(locale->Get(LocaleItem::EnglishCountryName), "Germany");
    EXPECT_EQ(locale->Get(LocaleItem::EnglishLanguageName), "German");
    EXPECT_EQ(locale->Get(MonthNameItem(3, false)), "März");
    EXPECT_EQ(locale->Get(DayNameItem(1, false)), "Montag");
}

TEST(ProcessLocale, StrftimeFormatsBecomePictures) {
    const std::pair<const char*, const char*> cases[] = {
        {"%m/%d/%y", "MM/dd/yy"},
        {"%d.%m.%Y", "dd.MM.yyyy"},
        {"%Y-%m-%d", "yyyy-MM-dd"},
        {"%e/%m/%Y", "d/MM/yyyy"},
        {"%F", "yyyy-MM-dd"},
        {"%D", "MM/dd/yy"},
        {"%r", "hh:mm:ss tt"},
        {"%I:%M:%S %p", "hh:mm:ss tt"},
        {"%T", "HH:mm:ss"},
        {"%Hh%M", "HH'h'mm"},
        {"%Y年%m月%d日", "yyyy'年'MM'月'dd'日'"},
        {"%a %d %b %Y", "ddd dd MMM yyyy"},
        {"%d/%m/%Y %Z", "dd/MM/yyyy"},
        {"%Ey", "yy"},
    };
    for (const auto& [format, picture] : cases) {
        EXPECT_EQ(PictureFromStrftime(QString::fromUtf8(format)), QString::fromUtf8(picture))
            << format;
    }
}

TEST(ProcessLocale, GroupingAndCurrencyPlacement) {
    EXPECT_EQ(GroupingFromPosix("\x03\x03"), "3;0");
    EXPECT_EQ(GroupingFromPosix("\x03"), "3;0");
    EXPECT_EQ(GroupingFromPosix("\x03\x02"), "3;2;0");
    EXPECT_EQ(GroupingFromPosix(QByteArray("\x03\x7f", 2)), "3");
    EXPECT_EQ(GroupingFromPosix(""), "0;0");

    EXPECT_EQ(PositiveCurrencyOrder(true, 0), 0);
    EXPECT_EQ(PositiveCurrencyOrder(false, 0), 1);
    EXPECT_EQ(PositiveCurrencyOrder(true, 1), 2);
    EXPECT_EQ(PositiveCurrencyOrder(false, 1), 3);
    // Every device pattern is reached from some POSIX placement.
    std::set<int> reached;
    for (bool precedes : {false, true}) {
        for (int space : {0, 1}) {
            for (int sign = 0; sign <= 4; ++sign) {
                reached.insert(NegativeCurrencyOrder(precedes, space, sign));
            }
        }
    }
    EXPECT_EQ(reached.size(), 16u);
    EXPECT_EQ(NegativeCurrencyOrder(true, 0, 1), 1);    // en_US: -$1.1
    EXPECT_EQ(NegativeCurrencyOrder(false, 1, 1), 8);   // de_DE: -1.1 $
    EXPECT_EQ(NegativeCurrencyOrder(true, 1, 4), 12);   // $ -1.1
    EXPECT_EQ(NegativeCurrencyOrder(false, 1, 0), 15);  // (1.1 $)
}
