#include "platform/numberformat.h"

#include <gtest/gtest.h>

#include "support/testplatform.h"

namespace {

CurrencyFmt Dollars(int negativeOrder = 0, int positiveOrder = 0) {
    CurrencyFmt format;  // 2 places, "3;0", ".", ",", "$"
    format.negativeOrder = negativeOrder;
    format.positiveOrder = positiveOrder;
    return format;
}

struct PatternCase {
    int order;
    const char* expected;
};

}  // namespace

TEST(CurrencyFormatting, AllSixteenNegativePatterns) {
    const PatternCase cases[] = {
        {0, "($1,234.50)"},  {1, "-$1,234.50"},   {2, "$-1,234.50"},    {3, "$1,234.50-"},
        {4, "(1,234.50$)"},  {5, "-1,234.50$"},   {6, "1,234.50-$"},    {7, "1,234.50$-"},
        {8, "-1,234.50 $"},  {9, "-$ 1,234.50"},  {10, "1,234.50 $-"},  {11, "$ 1,234.50-"},
        {12, "$ -1,234.50"}, {13, "1,234.50- $"}, {14, "($ 1,234.50)"}, {15, "(1,234.50 $)"},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(FormatCurrencyText(u"-1234.5", Dollars(c.order)), QString::fromUtf8(c.expected))
            << "negative order " << c.order;
    }
}

TEST(CurrencyFormatting, AllFourPositivePatterns) {
    const PatternCase cases[] = {
        {0, "$1,234.50"}, {1, "1,234.50$"}, {2, "$ 1,234.50"}, {3, "1,234.50 $"}};
    for (const PatternCase& c : cases) {
        EXPECT_EQ(FormatCurrencyText(u"1234.5", Dollars(0, c.order)),
                  QString::fromUtf8(c.expected))
            << "positive order " << c.order;
    }
}

TEST(CurrencyFormatting, PatternNumbersOutOfRangeFail) {
    EXPECT_FALSE(FormatCurrencyText(u"1", Dollars(16, 0)));
    EXPECT_FALSE(FormatCurrencyText(u"1", Dollars(0, 4)));
    EXPECT_FALSE(FormatCurrencyText(u"1", Dollars(-1, 0)));
}

TEST(CurrencyFormatting, RoundsHalfAwayFromZeroOnTheDecimalDigits) {
    struct Case {
        const char* value;
        int digits;
        const char* expected;
    } cases[] = {
        {"1234.5", 2, "$1,234.50"},
        {"-0.005", 2, "($0.01)"},
        {"0.005", 2, "$0.01"},
        {"0.0049999", 2, "$0.00"},
        {"2.675", 2, "$2.68"},
        {"9.995", 2, "$10.00"},
        {"999999.995", 2, "$1,000,000.00"},
        {"-0.001", 2, "$0.00"},  // rounds to zero, which has no sign
        {"1234.5", 0, "$1,235"},
        {"-1234.4", 0, "($1,234)"},
        {"0.123456789", 9, "$0.123456789"},
        {"12", 3, "$12.000"},
        {"0", 2, "$0.00"},
        {"-0", 2, "$0.00"},
        {".5", 2, "$0.50"},
        {"5.", 2, "$5.00"},
    };
    for (const Case& c : cases) {
        CurrencyFmt format = Dollars();
        format.digits = c.digits;
        EXPECT_EQ(FormatCurrencyText(QString::fromLatin1(c.value), format),
                  QString::fromLatin1(c.expected))
            << c.value << " at " << c.digits;
    }
}

TEST(CurrencyFormatting, GroupingLeadingZeroAndSeparators) {
    CurrencyFmt format = Dollars();
    format.grouping = 0;
    EXPECT_EQ(FormatCurrencyText(u"1234567.25", format), QStringLiteral("$1234567.25"));
    format.grouping = 2;
    EXPECT_EQ(FormatCurrencyText(u"1234567.25", format), QStringLiteral("$1,23,45,67.25"));
    format.grouping = 32;  // three, then twos
    EXPECT_EQ(FormatCurrencyText(u"123456789", format), QStringLiteral("$12,34,56,789.00"));
    format.grouping = 3;
    EXPECT_EQ(FormatCurrencyText(u"123", format), QStringLiteral("$123.00"));
    EXPECT_EQ(FormatCurrencyText(u"123456", format), QStringLiteral("$123,456.00"));

    format.leadingZero = 0;
    EXPECT_EQ(FormatCurrencyText(u"0.5", format), QStringLiteral("$.50"));
    format.digits = 0;  // nothing at all would be left: a zero stays
    EXPECT_EQ(FormatCurrencyText(u"0.4", format), QStringLiteral("$0"));

    CurrencyFmt euro;
    euro.decimalSeparator = QStringLiteral(",");
    euro.thousandSeparator = QStringLiteral(".");
    euro.symbol = QStringLiteral("€");
    euro.positiveOrder = 3;
    euro.negativeOrder = 8;
    EXPECT_EQ(FormatCurrencyText(u"-1234567.891", euro), QStringLiteral("-1.234.567,89 €"));
    euro.thousandSeparator.clear();
    EXPECT_EQ(FormatCurrencyText(u"1234567.891", euro), QStringLiteral("1234567,89 €"));
}

TEST(CurrencyFormatting, RefusesTextThatIsNotACNumber) {
    for (const char* text : {"", "-", ".", "1,5", "1.2.3", " 1", "1e5", "abc", "--1", "nan"}) {
        EXPECT_FALSE(FormatCurrencyText(QString::fromLatin1(text), Dollars())) << text;
    }
}

TEST(NumberFormatting, AllFiveNegativeNumberPatterns) {
    const PatternCase cases[] = {{0, "(1,234.50)"},
                                 {1, "-1,234.50"},
                                 {2, "- 1,234.50"},
                                 {3, "1,234.50-"},
                                 {4, "1,234.50 -"}};
    for (const PatternCase& c : cases) {
        NumberFmt format;
        format.negativeOrder = c.order;
        EXPECT_EQ(FormatNumberText(u"-1234.5", format), QString::fromLatin1(c.expected));
    }
    NumberFmt format;
    format.negativeOrder = 5;
    EXPECT_FALSE(FormatNumberText(u"-1", format));
    EXPECT_EQ(FormatNumberText(u"1234.5", NumberFmt()), QStringLiteral("1,234.50"));
}

TEST(NumberFormatting, DoublesRoundAsTheirDecimalTextDoes) {
    CurrencyFmt format = Dollars();
    EXPECT_EQ(FormatCurrency(2.675, format), QStringLiteral("$2.68"));
    EXPECT_EQ(FormatCurrency(-10.005, format), QStringLiteral("($10.01)"));
    EXPECT_EQ(FormatCurrency(10.0049, format), QStringLiteral("$10.00"));
    EXPECT_EQ(FormatCurrency(1e15, format), QStringLiteral("$1,000,000,000,000,000.00"));
    EXPECT_FALSE(FormatCurrency(std::numeric_limits<double>::infinity(), format));
    EXPECT_FALSE(FormatNumber(std::nan(""), NumberFmt()));
}

TEST(NumberFormatting, FormatsFromLocaleItems) {
    LocaleInfo german;
    german.Set(LocaleItem::MonDecimal, QStringLiteral(","));
    german.Set(LocaleItem::MonThousand, QStringLiteral("."));
    german.Set(LocaleItem::MonGrouping, QStringLiteral("3;0"));
    german.Set(LocaleItem::CurrencySymbol, QStringLiteral("€"));
    german.Set(LocaleItem::PositiveCurrency, QStringLiteral("3"));
    german.Set(LocaleItem::NegativeCurrency, QStringLiteral("8"));
    german.Set(LocaleItem::CurrencyDigits, QStringLiteral("2"));
    EXPECT_EQ(FormatCurrency(-1234.5, CurrencyFmt::FromLocale(german)),
              QStringLiteral("-1.234,50 €"));

    EXPECT_EQ(GroupingFromText(QStringLiteral("3;0")), 3);
    EXPECT_EQ(GroupingFromText(QStringLiteral("3;2;0")), 32);
    EXPECT_EQ(GroupingFromText(QStringLiteral("0;0")), 0);
    EXPECT_EQ(GroupingFromText(QString()), 0);
}
