#include "money/amount.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <cmath>
#include <limits>

#include "archive/expensearchive.h"
#include "money/amountlabel.h"
#include "money/currencyformat.h"
#include "money/deviceseparators.h"
#include "money/moneybounds.h"
#include "platform/localeinfo.h"
#include "platform/regionalsettings.h"
#include "support/testplatform.h"

namespace {

CCurrencyFormat Format(const char* symbol, const char* decimal, const char* thousand,
                       int digits = 2, int negativeOrder = 0, int positiveOrder = 0) {
    CCurrencyFormat format;
    format.SetSymbol(QString::fromUtf8(symbol));
    format.SetDecimalSeparator(QString::fromUtf8(decimal));
    format.SetThousandSeparator(QString::fromUtf8(thousand));
    format.SetDigits(digits);
    format.SetGroupingText("3;0");
    format.SetLeadingZero(1);
    format.SetNegativeOrder(negativeOrder);
    format.SetPositiveOrder(positiveOrder);
    return format;
}

CCurrencyFormat Dollars(int negativeOrder = 0, int positiveOrder = 0) {
    return Format("$", ".", ",", 2, negativeOrder, positiveOrder);
}

CCurrencyFormat Euros() {
    return Format("€", ",", ".", 2, 8, 3);
}

LocaleInfo WithMoneySeparators(const char* decimal, const char* thousand) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Set(LocaleItem::MonDecimal, QString::fromLatin1(decimal));
    locale.Set(LocaleItem::MonThousand, QString::fromLatin1(thousand));
    return locale;
}

CCurrencyFormat WithoutDecimalSeparator(CCurrencyFormat format) {
    format.SetDecimalSeparator(QString());
    return format;
}

double Rounded(double value, int places) {
    Amount amount(value);
    amount.Round(places);
    return amount.GetValue();
}

}  // namespace

TEST(Amount, RoundsHalfAwayFromZeroAndTruncatesTowardsIt) {
    struct Case {
        double value;
        int places;
        double rounded;
        double truncated;
    } cases[] = {
        {10.005, 2, 10.01, 10.0}, {2.675, 2, 2.68, 2.67},    {-10.005, 2, -10.01, -10.0},
        {10.0049, 2, 10.0, 10.0}, {-0.005, 2, -0.01, 0.0},   {1.005, 2, 1.01, 1.0},
        {1.239, 2, 1.24, 1.23},   {-1.239, 2, -1.24, -1.23}, {1.23, 2, 1.23, 1.23},
        {0.5, 0, 1.0, 0.0},       {-0.5, 0, -1.0, 0.0},      {1234.5678, 3, 1234.568, 1234.567},
        {0.29, 2, 0.29, 0.29},
    };
    for (const Case& c : cases) {
        Amount rounded(c.value);
        rounded.Round(c.places);
        EXPECT_EQ(rounded.GetValue(), c.rounded) << c.value << " at " << c.places;
        Amount truncated(c.value);
        truncated.Truncate(c.places);
        EXPECT_EQ(truncated.GetValue(), c.truncated) << c.value << " at " << c.places;
    }
}

TEST(Amount, DividingByZeroGivesZero) {
    Amount amount(7.0);
    amount.Divide(Amount(0.0));
    EXPECT_EQ(amount.GetValue(), 0.0);
    amount.SetValue(7.0);
    amount.DivideByInteger(0);
    EXPECT_EQ(amount.GetValue(), 0.0);
    amount.SetValue(-1.5);
    EXPECT_EQ(amount.ToText(), "-1.500000");
}

TEST(Amount, SerializesAsALittleEndianDouble) {
    const QByteArray bytes = QByteArray::fromHex("00000000004a9340");  // 1234.5
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        CExpenseArchive archive(out, CExpenseArchive::Mode::kStore);
        Amount(1234.5).Serialize(archive);
        archive.Close();
    }
    EXPECT_EQ(out.data(), bytes);

    QByteArray data = QByteArray::fromHex("000000000000f0bf");  // -1.0
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    CExpenseArchive archive(in, CExpenseArchive::Mode::kLoad);
    Amount amount(5.0);
    amount.Serialize(archive);
    EXPECT_EQ(amount.GetValue(), -1.0);
}

TEST(Amount, FormatCurrencyFlags) {
    TestPlatform platform;  // device separators "." and ","
    struct Case {
        const char* name;
        CCurrencyFormat format;
        double value;
        int flags;
        const char* expected;
    } cases[] = {
        {"plain", Dollars(), 1234.5, 0, "$1,234.50"},
        {"negative pattern", Dollars(), -1234.5, 0, "($1,234.50)"},
        {"rounds half away", Dollars(), 2.675, 0, "$2.68"},
        {"pattern with blank, trimmed", Euros(), 1234.5, 0, "1.234,50 €"},
        {"device separators", Euros(), 1234.5, 0x01, "1,234.50 €"},
        {"precise keeps two", Dollars(), 0.9, 0x04, "$0.90"},
        {"precise keeps what is there", Dollars(), 1.23456789, 0x04, "$1.23456789"},
        {"precise, whole number", Dollars(), 110, 0x04, "$110.00"},
        {"precise steps over the parenthesis", Dollars(), -0.9, 0x04, "($0.90)"},
        {"precise steps over the symbol", Euros(), 2.5, 0x04, "2,50 €"},
        {"precise with grouping", Euros(), -1234.125, 0x04, "-1.234,125 €"},
        {"symbol holding the separator", Format("Bs.", ".", ",", 2, 0, 2), 1.5, 0x04, "Bs. 1.50"},
        {"symbol after holding it", Format("kr.", ".", ",", 2, 0, 3), 1.5, 0x04, "1.50 kr."},
        {"no symbol, then trimmed", Euros(), -1234.5, 0x08, "-1.234,50"},
        {"plain number", Euros(), -1234.5, 0x10, "-1234,50"},
        {"leading minus", Euros(), -1234.5, 0x20, "€-1.234,50"},
        {"leading minus only for negatives", Euros(), 1234.5, 0x20, "1.234,50 €"},
        {"amount field", Euros(), -1234.5, 0x31, "-1234.50"},
        {"rate field", Euros(), 0.123456789, 0x35, "0.123456789"},
        {"rate field, negative", Euros(), -12345.6, 0x35, "-12345.60"},
        {"no symbol, device separators", Dollars(), 1234.5, 0x09, "1,234.50"},
        {"no decimal separator: no decimals", WithoutDecimalSeparator(Dollars()), 1234.5, 0,
         "$1,235"},
        {"no decimal separator, precise", WithoutDecimalSeparator(Format("$", ".", ".")), 1.5,
         0x04, "$1,50"},
        {"unknown pattern", Dollars(16), -1.0, 0, "0.00"},
        {"not a number", Dollars(), std::nan(""), 0, "0.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Amount(c.value).FormatCurrency(c.format, c.flags), QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST(Amount, FormatCurrencyTakesTheDevicesFirstCharacters) {
    TestPlatform platform(WithMoneySeparators(",x", " "));
    EXPECT_EQ(Amount(1234.5).FormatCurrency(Dollars(), 0x01), "$1 234,50");
    EXPECT_EQ(Amount(-1234.5).FormatCurrency(Dollars(), 0x35), "-1234,50");
    Amount parsed;
    EXPECT_TRUE(parsed.Parse("$1 234,50", Dollars(), true));
    EXPECT_EQ(parsed.GetValue(), 1234.5);
}

TEST(Amount, FormatThenParseRoundTripsForEveryPattern) {
    TestPlatform platform(WithMoneySeparators(",", "."));
    CCurrencyFormat noLeadingZero = Format("$", ".", ",");
    noLeadingZero.SetLeadingZero(0);
    const struct {
        const char* name;
        CCurrencyFormat format;
    } formats[] = {
        {"dollars", Dollars()},
        {"euros", Euros()},
        {"symbol holds the thousands separator", Format("kr.", ",", ".")},
        {"symbol holds the decimal separator", Format("Bs.", ".", ",")},
        {"blank thousands", Format("Kč", ",", " ")},
        {"no decimals", Format("¥", ".", ",", 0)},
        {"three decimals", Format("KD", ".", ",", 3)},
        {"no leading zero", noLeadingZero},
    };
    const double values[] = {0.0, 0.25, 1234.5, 1234567.891, 1e12};
    const int flagSets[] = {0x00, 0x01, 0x04, 0x08, 0x10, 0x20, 0x31, 0x35};
    for (const auto& [name, base] : formats) {
        for (int order = 0; order < 16; ++order) {
            CCurrencyFormat format(base);
            format.SetNegativeOrder(order);
            format.SetPositiveOrder(order % 4);
            for (const int flags : flagSets) {
                const int places = (flags & 0x04) ? 9 : format.GetDigits();
                for (const double magnitude : values) {
                    for (const double value : {magnitude, -magnitude}) {
                        const QString text = Amount(value).FormatCurrency(format, flags);
                        Amount parsed(5.0);
                        const bool read = parsed.Parse(text, format, (flags & 0x01) != 0);
                        EXPECT_TRUE(read) << name << " order " << order << " flags " << flags
                                          << ": " << text.toStdString();
                        EXPECT_DOUBLE_EQ(parsed.GetValue(), Rounded(value, places))
                            << name << " order " << order << " flags " << flags << ": "
                            << text.toStdString();
                    }
                }
            }
        }
    }
}

TEST(Amount, ParseReadsTheSignOnEitherSide) {
    TestPlatform platform;
    struct Case {
        const char* text;
        double value;
        bool read;
    } cases[] = {{"  $1,234.50  ", 1234.5, true},
                 {"($1,234.50)", -1234.5, true},
                 {"1.50-", -1.5, true},
                 {"1.50 -", -1.5, true},
                 {"- 1.50", -1.5, true},
                 {"+1.50", 1.5, true},
                 {".5", 0.5, true},
                 {"1e3", 1000.0, true},
                 {"12abc", 12.0, true},
                 {"12 abc -", 12.0, true},
                 {"", 0.0, false},
                 {"abc", 0.0, false},
                 {"--1", 0.0, false},
                 {"inf", 0.0, false},
                 {"nan", 0.0, false},
                 {"1e999", 0.0, false}};
    for (const Case& c : cases) {
        Amount amount(99.0);
        EXPECT_EQ(amount.Parse(QString::fromLatin1(c.text), Dollars(), false), c.read) << c.text;
        EXPECT_EQ(amount.GetValue(), c.value) << c.text;
    }
    // Construction from text reads the same way.
    EXPECT_EQ(Amount("1.234,50 €", Euros(), false).GetValue(), 1234.5);
    EXPECT_EQ(Amount("1,234.50 €", Euros(), true).GetValue(), 1234.5);
}

TEST(DeviceSeparators, UserThenSystemThenDefaults) {
    struct Case {
        const char* name;
        const char* systemDecimal;  // nullptr: missing
        const char* userDecimal;
        const char* decimal;
        const char* thousand;
    } cases[] = {
        {"user first", ".", ",", ",", "'"},
        {"user empty", ".", "", ".", "'"},
        {"user missing", ";", nullptr, ";", "'"},
        {"neither", nullptr, nullptr, ".", "'"},
    };
    for (const Case& c : cases) {
        LocaleInfo system;
        LocaleInfo user;
        if (c.systemDecimal) {
            system.Set(LocaleItem::MonDecimal, QString::fromLatin1(c.systemDecimal));
        }
        if (c.userDecimal) {
            user.Set(LocaleItem::MonDecimal, QString::fromLatin1(c.userDecimal));
        }
        system.Set(LocaleItem::MonThousand, "'");
        const DeviceSeparators separators = DeviceSeparators::From(RegionalSettings(system, user));
        EXPECT_EQ(separators.decimal, QString::fromLatin1(c.decimal)) << c.name;
        EXPECT_EQ(separators.thousand, QString::fromLatin1(c.thousand)) << c.name;
    }
    const DeviceSeparators none = DeviceSeparators::From(RegionalSettings());
    EXPECT_EQ(none.thousand, ",");
}

TEST(AmountLabel, FixedPointThenTheFormat) {
    CurrencyFmt dollars;  // "$", 2 digits, "3;0"
    CurrencyFmt broken;
    broken.negativeOrder = 99;
    struct Case {
        const char* name;
        double value;
        int digits;
        const CurrencyFmt* format;
        const char* expected;
    } cases[] = {
        {"with a format", 1234.5, 2, &dollars, "$1,234.50"},
        {"negative", -1234.5, 2, &dollars, "($1,234.50)"},
        {"the label's digits round first", 1234.56, 1, &dollars, "$1,234.60"},
        {"without a format", 1234.5, 2, nullptr, "1234.50"},
        {"a half goes away from zero", 2.5, 0, nullptr, "3"},
        {"a negative half too", -0.125, 2, nullptr, "-0.13"},
        {"digits held at 0", 7.25, -3, nullptr, "7"},
        {"a format that fails", -3.5, 2, &broken, "-3.50"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AmountLabelText(c.value, c.digits, c.format), QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST(Amount, RoundingNeverOverflowsWhateverItIsAskedFor) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        int places;
        double rounded;
    } cases[] = {
        {1e300, 2, 1e300},         // too large for decimals: unchanged
        {1.005, 16711682, 1.005},  // held at nine decimals
        {-1.5, -3, -2.0},          // held at none
        {999999999999.99, 2, 999999999999.99},
        {123456789.123456789, 9, 123456789.123456789},  // no decimals left to round
    };
    for (const Case& c : cases) {
        Amount rounded(c.value);
        rounded.Round(c.places);
        EXPECT_NEAR(rounded.GetValue(), c.rounded, std::fabs(c.rounded) * 1e-15)
            << c.value << " at " << c.places;
        Amount truncated(c.value);
        truncated.Truncate(c.places);
        EXPECT_FALSE(std::isnan(truncated.GetValue())) << c.value << " at " << c.places;
    }
    // What is no number stays what it was.
    Amount nan(std::nan(""));
    nan.Round(2);
    EXPECT_TRUE(std::isnan(nan.GetValue()));
    Amount infinite(inf);
    infinite.Round(2);
    EXPECT_EQ(infinite.GetValue(), inf);
}

TEST(MoneyBounds, EachKindHasItsBoundsAndAMessageNamingThem) {
    using Kind = MoneyBounds::Kind;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        Kind kind;
        double inside;
        double outside;
        bool zeroStored;  // 0 kept in a file as "none"
        const char* message;
    } cases[] = {
        {Kind::kAmount, -999999999999.99, 1e12, false,
         "An amount must be a number from -999,999,999,999.99 to 999,999,999,999.99."},
        {Kind::kCashAdvance, 999999999999.99, -1e12, false,
         "A cash advance must be a number from -999,999,999,999.99 to 999,999,999,999.99."},
        {Kind::kRate, 1e-9, 9e-10, true,
         "An exchange rate must be a number from 0.000000001 to 1,000,000,000."},
        {Kind::kMileageRate, 1e9, 1.000001e9, true,
         "A mileage rate must be 0 or a number from 0.000000001 to 1,000,000,000."},
        {Kind::kOdometer, 99999999.9, -0.1, false,
         "An odometer reading must be a number from 0 to 99,999,999.9."},
        {Kind::kDistance, 0.0, 1e8, false, "A distance must be a number from 0 to 99,999,999.9."},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(MoneyBounds::Contains(c.kind, c.inside)) << c.message;
        EXPECT_FALSE(MoneyBounds::Contains(c.kind, c.outside)) << c.message;
        for (double absurd : {std::nan(""), inf, -inf}) {
            EXPECT_FALSE(MoneyBounds::Contains(c.kind, absurd)) << c.message;
            EXPECT_FALSE(MoneyBounds::ContainsStored(c.kind, absurd)) << c.message;
        }
        EXPECT_EQ(MoneyBounds::ContainsStored(c.kind, 0.0),
                  c.zeroStored || MoneyBounds::Contains(c.kind, 0.0))
            << c.message;
        EXPECT_EQ(MoneyBounds::Message(c.kind), c.message);
        EXPECT_TRUE(MoneyBounds::Contains(c.kind, MoneyBounds::Clamp(c.kind, c.outside)));
    }
    EXPECT_FALSE(MoneyBounds::FitsConverted(999999999999.0, 0.5));
    EXPECT_TRUE(MoneyBounds::FitsConverted(999.0, 1e-9));
    EXPECT_FALSE(MoneyBounds::FitsProduct(99999999.9, 1e9));
}
