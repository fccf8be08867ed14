#include "money/numericeditrules.h"

#include <gtest/gtest.h>

#include <limits>

#include "money/currencyformat.h"
#include "money/moneybounds.h"
#include "support/testplatform.h"
#include "testlocales.h"

namespace {

using Kind = NumericEditRules::Kind;

// Settings that differ from a new number control.
struct Settings {
    int digits = 2;
    int leadingZero = 1;
    int grouping = 3;
    int maxIntegerDigits = -1;
    bool commaDecimals = false;  // "1 234,50"
    bool acceptPeriod = true;
    bool overwrite = false;
};

NumericEditRules Make(const Settings& settings) {
    NumericEditRules rules;
    rules.SetDigits(settings.digits);
    rules.SetLeadingZero(settings.leadingZero);
    rules.SetGrouping(settings.grouping);
    rules.SetMaxIntegerDigits(settings.maxIntegerDigits);
    if (settings.commaDecimals) {
        rules.SetThousandSeparator(' ');
        rules.SetDecimalSeparator(',');
    }
    rules.SetAcceptPeriod(settings.acceptPeriod);
    rules.SetOverwrite(settings.overwrite);
    return rules;
}

// The text with the caret drawn as "|".
QString Shown(const NumericEditRules& rules) {
    return rules.GetText().insert(rules.GetCaret(), QLatin1Char('|'));
}

// Puts the text of `shown` ("1,2|34.00") in place, caret at the "|".
void Show(NumericEditRules& rules, const char* shown) {
    const QString text = QString::fromLatin1(shown);
    rules.SetTypedText(QString(text).remove(QLatin1Char('|')));
    rules.SetCaret(static_cast<int>(text.indexOf(QLatin1Char('|'))));
}

}  // namespace

TEST(NumericEditRules, NormalisesTheTypedText) {
    const QByteArray nines(400, '9');
    struct Case {
        const char* name;
        Settings settings;
        const char* raw;
        const char* text;  // nullptr: not checked
        double value;
    } cases[] = {
        {"groups by three", {}, "12345", "12,345.00", 12345},
        {"a leading minus", {}, "-12345", "-12,345.00", -12345},
        {"a minus elsewhere is dropped", {}, "5-", "5.00", 5},
        {"leading zeros", {}, "0012.5", "12.50", 12.5},
        {"right-most separator wins", {}, "1.2.3", "12.30", 12.3},
        {"old grouping and letters go", {}, "1,2a3,4", "1,234.00", 1234},
        {"nothing", {}, "", "0.00", 0},
        {"decimals cut", {}, "12.345", "12.34", 12.34},
        {"no integer digit", {}, ".5", "0.50", 0.5},
        {"no leading zero", {.leadingZero = 0}, "0.5", ".50", 0.5},
        {"no digits", {.digits = 0}, "12.7", "12", 12},
        {"no digits, nothing", {.digits = 0}, "", "0", 0},
        {"no digits, no leading zero", {.digits = 0, .leadingZero = 0}, "", "", 0},
        {"integer limit keeps the last digits",
         {.maxIntegerDigits = 3},
         "12345.6",
         "345.60",
         345.6},
        {"integer limit, below one", {.maxIntegerDigits = 3}, "0.5", "0.50", 0.5},
        {"groups of two", {.grouping = 2}, "1234567", "1,23,45,67.00", 1234567},
        {"no grouping", {.grouping = 0}, "1234567", "1234567.00", 1234567},
        {"comma decimals", {.commaDecimals = true}, "-1 234,5", "-1 234,50", -1234.5},
        {"hundreds of digits hold no value", {}, nines.constData(), nullptr, 0},
    };
    for (const Case& c : cases) {
        NumericEditRules rules = Make(c.settings);
        rules.SetTypedText(QString::fromLatin1(c.raw));
        if (c.text) {
            EXPECT_EQ(rules.GetText(), QString::fromLatin1(c.text)) << c.name;
        }
        EXPECT_EQ(rules.GetValue(), c.value) << c.name;
    }
}

TEST(NumericEditRules, ShowsValuesAndTogglesTheSign) {
    NumericEditRules rules;
    rules.SetValue(12345);
    EXPECT_EQ(rules.GetText(), "12,345.00");
    rules.SetValue(-12345);
    EXPECT_EQ(rules.GetText(), "-12,345.00");
    EXPECT_TRUE(rules.TypeCharacter('-', rules.GetCaret()));
    EXPECT_EQ(rules.GetText(), "12,345.00");
    EXPECT_EQ(rules.GetValue(), 12345);
    EXPECT_TRUE(rules.TypeCharacter('-', rules.GetCaret()));
    EXPECT_EQ(rules.GetValue(), -12345);

    // A positive value after a negative one is positive again, and a value
    // that rounds to nothing has no sign.
    rules.SetValue(7.5);
    EXPECT_EQ(rules.GetText(), "7.50");
    rules.SetValue(-0.001);
    EXPECT_EQ(rules.GetText(), "0.00");
    EXPECT_FALSE(rules.IsNegative());
    rules.SetValue(2.675);  // the double is 2.67499999...
    EXPECT_EQ(rules.GetText(), "2.67");
    // An amount beyond its bounds is held at them.
    rules.SetValue(1e20);
    EXPECT_EQ(rules.GetText(), "999,999,999,999.99");
    rules.SetValue(std::nan(""));
    EXPECT_EQ(rules.GetText(), "0.00");

    NumericEditRules money(Kind::kCurrency);
    EXPECT_EQ(money.GetText(), "$0.00");
    money.SetValue(-1234.5);
    EXPECT_EQ(money.GetPrefix(), "($");
    EXPECT_EQ(money.GetSuffix(), ")");
    money.SetSymbol("kr");
    EXPECT_EQ(money.GetText(), "(kr1,234.50)");
}

TEST(NumericEditRules, Typing) {
    struct Case {
        const char* name;
        Settings settings;
        const char* before;
        const char* keys;
        const char* after;
        bool taken;  // the last key
    } cases[] = {
        {"a digit replaces the lone zero", {}, "0|.00", "5", "5|.00", true},
        {"also from in front of it", {}, "|0.00", "5", "5|.00", true},
        {"digits group as they come", {}, "0|.00", "1234", "1,234|.00", true},
        {"in front", {}, "|1,234.00", "9", "9|1,234.00", true},
        {"between groups", {}, "12|,345.00", "9", "129,|345.00", true},
        {"separator jumps to the decimals", {}, "1,2|34.00", ".", "1,234.|00", true},
        {"decimals push the last one out", {}, "1.|00", "5", "1.5|0", true},
        {"no third decimal", {}, "1.|00", "567", "1.56|", false},
        {"minus keeps the caret among the digits", {}, "1,2|34.00", "-", "-1,2|34.00", true},
        {"letters are refused", {}, "1|.00", "a", "1|.00", false},
        {"so is the thousands separator", {}, "1|.00", ",", "1|.00", false},
        {"overwrite a digit", {.overwrite = true}, "1,2|34.00", "9", "1,29|4.00", true},
        {"overwrite steps over a group separator",
         {.overwrite = true},
         "1|,234.00",
         "9",
         "1,9|34.00",
         true},
        {"overwrite at the end inserts",
         {.overwrite = true},
         "1,234|.00",
         "9",
         "12,349|.00",
         true},
        {"overwrite a decimal", {.overwrite = true}, "1.|23", "9", "1.9|3", true},
        {"integer limit", {.maxIntegerDigits = 3}, "123|.00", "4", "123|.00", false},
        {"integer limit, overwriting",
         {.maxIntegerDigits = 3, .overwrite = true},
         "1|23.00",
         "9",
         "19|3.00",
         true},
        {"no digits, no separator", {.digits = 0}, "12|", ".", "12|", false},
        {"no leading zero", {.leadingZero = 0}, "|.00", "5", "5|.00", true},
        {"a period counts as the separator",
         {.commaDecimals = true},
         "1 2|34,00",
         ".",
         "1 234,|00",
         true},
        {"unless periods are refused",
         {.commaDecimals = true, .acceptPeriod = false},
         "1 2|34,00",
         ".",
         "1 2|34,00",
         false},
    };
    for (const Case& c : cases) {
        NumericEditRules rules = Make(c.settings);
        Show(rules, c.before);
        bool taken = false;
        for (const char* key = c.keys; *key; ++key) {
            taken = rules.TypeCharacter(QLatin1Char(*key), rules.GetCaret());
        }
        EXPECT_EQ(Shown(rules), QString::fromLatin1(c.after)) << c.name;
        EXPECT_EQ(taken, c.taken) << c.name;
    }
}

TEST(NumericEditRules, DeleteKey) {
    struct Case {
        const char* name;
        const char* before;
        const char* after;
        bool taken;
    } cases[] = {
        {"a digit", "1,2|34.00", "12|4.00", true},
        {"the digit behind a group separator", "1|,234.00", "1|34.00", true},
        {"a decimal", "1.|23", "1.|30", true},
        {"the separator joins the decimals", "12|.34", "1,2|34.00", true},
        {"nothing at the end", "12.34|", "12.34|", false},
    };
    for (const Case& c : cases) {
        NumericEditRules rules;
        Show(rules, c.before);
        EXPECT_EQ(rules.DeleteRight(rules.GetCaret()), c.taken) << c.name;
        EXPECT_EQ(Shown(rules), QString::fromLatin1(c.after)) << c.name;
    }
}

TEST(NumericEditRules, TheCaretStaysInTheTypedRegion) {
    NumericEditRules money(Kind::kCurrency);
    money.SetValue(-5);
    money.SetCaret(0);
    EXPECT_EQ(Shown(money), "($|5.00)");
    money.SetCaret(99);
    EXPECT_EQ(Shown(money), "($5.00|)");
    EXPECT_TRUE(money.TypeCharacter('1', 0));
    EXPECT_EQ(Shown(money), "($1|5.00)");
    EXPECT_TRUE(money.TypeCharacter('-', money.GetCaret()));
    EXPECT_EQ(Shown(money), "$1|5.00");
}

TEST(NumericEditRules, SettersRefuseWhatWouldBreakTheText) {
    NumericEditRules rules;
    for (QChar c : {QChar('5'), QChar('-'), QChar(','), QChar()}) {
        EXPECT_FALSE(rules.SetDecimalSeparator(c)) << int(c.unicode());
    }
    for (QChar c : {QChar('7'), QChar('-'), QChar('.'), QChar()}) {
        EXPECT_FALSE(rules.SetThousandSeparator(c)) << int(c.unicode());
    }
    EXPECT_FALSE(rules.SetMaxIntegerDigits(-2));
    EXPECT_FALSE(rules.SetNegativePattern("(x)"));
    EXPECT_FALSE(rules.SetPositivePattern("1,1"));
    EXPECT_FALSE(rules.SetNegativeOrder(16));
    EXPECT_FALSE(rules.SetPositiveOrder(-1));
    EXPECT_EQ(rules.GetText(), "0.00");

    // A change of format writes the value again in the new one.
    rules.SetValue(-1234.5);
    EXPECT_TRUE(rules.SetThousandSeparator(' '));
    EXPECT_TRUE(rules.SetDecimalSeparator(','));
    EXPECT_TRUE(rules.SetNegativePattern("[1.1]"));
    rules.SetDigits(3);
    EXPECT_EQ(rules.GetText(), "[1 234,500]");
    rules.SetDigits(12);
    EXPECT_EQ(rules.GetDigits(), 9);
    rules.SetDigits(1);
    EXPECT_TRUE(rules.SetPositiveOrder(3));
    rules.SetNegative(false);
    EXPECT_EQ(rules.GetText(), "1 234,5 $") << "a number control keeps \"$\" as it is";
}

TEST(NumericEditRules, SetFormatTakesTheDevicesSeparators) {
    CCurrencyFormat euro;
    euro.SetDecimalSeparator(",");
    euro.SetThousandSeparator(".");
    euro.SetGroupingText("3;0");
    euro.SetDigits(2);
    euro.SetLeadingZero(1);
    euro.SetNegativeOrder(8);
    euro.SetPositiveOrder(3);
    euro.SetSymbol(QString::fromUtf8("€"));

    TestPlatform platform;  // U.S. English
    NumericEditRules money(Kind::kCurrency);
    money.SetValue(-1234.5);
    money.SetFormat(euro);
    EXPECT_EQ(money.GetText(), QString::fromUtf8("-1,234.50 €"));

    // A device without monetary separators leaves the format's.
    LocaleInfo device = UsEnglishLocale();
    device.Clear(LocaleItem::MonDecimal);
    device.Set(LocaleItem::MonThousand, "");
    money.SetFormat(euro, device);
    EXPECT_EQ(money.GetText(), QString::fromUtf8("-1.234,50 €"));

    euro.SetDecimalSeparator(QString());
    money.SetFormat(euro, device);
    EXPECT_EQ(money.GetText(), QString::fromUtf8("-1.235 €")) << "no decimal separator, no digits";
}

TEST(NumericEditRules, RefreshFollowsTheDeviceWhereTheProgramDidNotChoose) {
    LocaleInfo german = LocaleWith({
        {LocaleItem::Decimal, ","},
        {LocaleItem::Thousand, "."},
        {LocaleItem::Grouping, "3;0"},
        {LocaleItem::Digits, "3"},
        {LocaleItem::LeadingZero, "0"},
        {LocaleItem::NegativeNumber, "3"},
        {LocaleItem::CurrencyDigits, "7"},  // not a number control's item
    });
    NumericEditRules followed;
    followed.SetValue(-0.5);
    followed.RefreshFromDevice(german);
    EXPECT_EQ(followed.GetText(), ",500-");

    NumericEditRules chosen;
    chosen.SetDigits(1);  // the program's own
    chosen.SetValue(-1234.5);
    chosen.RefreshFromDevice(german);
    EXPECT_EQ(chosen.GetText(), "1.234,5-");
    german.Set(LocaleItem::Digits, "4");
    chosen.RefreshFromDevice(german);
    EXPECT_EQ(chosen.GetDigits(), 1);
    // Set back to what the device last had, it follows the device again.
    chosen.SetDigits(4);
    german.Set(LocaleItem::Digits, "2");
    chosen.RefreshFromDevice(german);
    chosen.RefreshFromDevice(LocaleInfo());  // nothing supplied, nothing changes
    EXPECT_EQ(chosen.GetText(), "1.234,50-");

    // The program's thousands separator gives way to a clashing decimal one.
    NumericEditRules clash;
    clash.SetThousandSeparator('\'');
    clash.SetValue(1234.5);
    clash.RefreshFromDevice(LocaleWith({{LocaleItem::Decimal, "'"}}));
    EXPECT_EQ(clash.GetText(), "1234'50");
}

TEST(NumericEditRules, CurrencyRefreshReadsTheMonetaryItems) {
    LocaleInfo device = LocaleWith({
        {LocaleItem::MonDecimal, ","},
        {LocaleItem::MonThousand, ""},
        {LocaleItem::MonGrouping, "3;2;0"},
        {LocaleItem::NegativeCurrency, "8"},
        {LocaleItem::PositiveCurrency, "3"},
        {LocaleItem::CurrencySymbol, "kr"},
        {LocaleItem::Decimal, ";"},  // a number control's item
    });
    NumericEditRules money(Kind::kCurrency);
    money.SetValue(-1234567.5);
    money.RefreshFromDevice(device);
    EXPECT_EQ(money.GetText(), "-1234567,50 kr");

    device.Set(LocaleItem::MonThousand, ".");
    money.RefreshFromDevice(device);
    money.SetValue(1234567.5);
    EXPECT_EQ(money.GetText(), "1.234.567,50 kr") << "threes then twos, as threes";
}

TEST(NumericEditRules, TheNumberNeverGrowsBeyondTheBoundsOfItsKind) {
    using Bound = MoneyBounds::Kind;
    NumericEditRules amount;
    ASSERT_TRUE(amount.SetTypedText("999999999999.99"));
    const QString top = amount.GetText();
    // A twelfth integer digit, a larger decimal, a deletion that joins the
    // decimals to the integer: each would pass the bounds, each is refused.
    EXPECT_FALSE(amount.TypeCharacter('9', amount.GetPrefix().size()));
    EXPECT_EQ(amount.GetRefusal(), MoneyBounds::Message(Bound::kAmount));
    EXPECT_EQ(amount.GetText(), top);
    EXPECT_FALSE(amount.DeleteRight(top.indexOf('.')));
    EXPECT_EQ(amount.GetText(), top);
    EXPECT_EQ(amount.GetValue(), 999999999999.99);
    // The sign does not change the size; a digit that stays within does.
    EXPECT_TRUE(amount.TypeCharacter('-', 0));
    EXPECT_EQ(amount.GetValue(), -999999999999.99);
    EXPECT_TRUE(amount.GetRefusal().isEmpty());
    EXPECT_FALSE(amount.SetTypedText(QString(400, '9')));
    EXPECT_FALSE(amount.SetTypedText("1000000000000"));
    EXPECT_EQ(amount.GetValue(), -999999999999.99);

    // A rate field holds nine decimals and no more than a billion; on its
    // way to a small rate it passes through 0.
    NumericEditRules rate;
    rate.SetLimit(Bound::kRate);
    rate.SetDigits(9);
    rate.SetValue(5e12);
    EXPECT_EQ(rate.GetValue(), 1e9);
    EXPECT_FALSE(rate.TypeCharacter('1', rate.GetPrefix().size() + 1));
    EXPECT_EQ(rate.GetRefusal(), MoneyBounds::Message(Bound::kRate));
    EXPECT_TRUE(rate.SetTypedText("0.000000001"));
    EXPECT_EQ(rate.GetValue(), 1e-9);
    EXPECT_TRUE(rate.SetTypedText("0"));
    EXPECT_EQ(rate.GetValue(), 0.0);
    rate.SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(rate.GetValue(), 1e9);
}
