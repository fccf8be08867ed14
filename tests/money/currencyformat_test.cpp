#include "money/currencyformat.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/expensearchive.h"
#include "archive/fileerrors.h"
#include "money/amount.h"
#include "platform/localeinfo.h"
#include "support/testplatform.h"
#include "testlocales.h"

namespace {

// The body of a euro format: 2 digits, leading zero, negative order 8,
// positive order 3, "3;0", ",", ".", "€", "EUR", in use.
const QByteArray kEuroBody = QByteArray::fromHex(
    "02000000"
    "01000000"
    "08000000"
    "03000000"
    "fffeff03"
    "33003b003000"
    "fffeff01"
    "2c00"
    "fffeff01"
    "2e00"
    "fffeff01"
    "ac20"
    "fffeff03"
    "450055005200"
    "01000000");

// Values no setter would store but a format may hold: 9 digits without a
// decimal separator, no strings at all.
const QByteArray kOddBody = QByteArray::fromHex(
    "09000000"
    "00000000"
    "0f000000"
    "03000000"
    "fffeff00"
    "fffeff00"
    "fffeff00"
    "fffeff00"
    "fffeff00"
    "00000000");

CCurrencyFormat Read(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
    CCurrencyFormat format;
    format.Serialize(archive, 0);
    EXPECT_EQ(archive.BytesLeft(), 0);
    return format;
}

QByteArray Written(CCurrencyFormat& format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    format.Serialize(archive, 0);
    archive.Close();
    return buffer.data();
}

}  // namespace

TEST(CurrencyFormatFile, ReadsTheTenFieldsInOrderAndWritesThemBack) {
    CCurrencyFormat euro = Read(kEuroBody);
    EXPECT_EQ(euro.GetDigits(), 2);
    EXPECT_EQ(euro.GetLeadingZero(), 1);
    EXPECT_EQ(euro.GetNegativeOrder(), 8);
    EXPECT_EQ(euro.GetPositiveOrder(), 3);
    EXPECT_EQ(euro.GetGroupingText(), "3;0");
    EXPECT_EQ(euro.GetDecimalSeparator(), ",");
    EXPECT_EQ(euro.GetThousandSeparator(), ".");
    EXPECT_EQ(euro.GetSymbol(), QString::fromUtf8("€"));
    EXPECT_EQ(euro.GetCode(), "EUR");
    EXPECT_EQ(euro.GetInUse(), 1);
    EXPECT_EQ(Written(euro), kEuroBody);

    // Whatever a format may hold comes back unchanged, even values the
    // setters would never store.
    CCurrencyFormat odd = Read(kOddBody);
    EXPECT_EQ(odd.GetNegativeOrder(), 15);
    EXPECT_EQ(odd.GetDigits(), 0) << "no decimal separator";
    EXPECT_EQ(Written(odd), kOddBody);
}

TEST(CurrencyFormatFile, ValuesNoCurrencyCanHaveAreADamagedFile) {
    struct Case {
        const char* name;
        qsizetype offset;
        QByteArray value;
    } cases[] = {
        {"ten digits", 0, QByteArray::fromHex("0a000000")},
        {"16,711,682 digits", 0, QByteArray::fromHex("0200ff00")},
        {"a leading zero of 5", 4, QByteArray::fromHex("05000000")},
        {"negative order 16", 8, QByteArray::fromHex("10000000")},
        {"negative order 0xFFFFFFFF", 8, QByteArray::fromHex("ffffffff")},
        {"positive order 4", 12, QByteArray::fromHex("04000000")},
        {"an in-use flag of -2", kEuroBody.size() - 4, QByteArray::fromHex("feffffff")},
    };
    for (const Case& c : cases) {
        QByteArray data = kEuroBody;
        data.replace(c.offset, 4, c.value);
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
        CCurrencyFormat format;
        try {
            format.Serialize(archive, 0);
            ADD_FAILURE() << c.name << " was read";
        } catch (const CArchiveException& error) {
            EXPECT_EQ(error.GetCause(), CArchiveException::kBadValue) << c.name;
        }
    }
}

TEST(CurrencyFormat, DigitsBeyondNineAreNeverUsed) {
    CCurrencyFormat format;
    format.SetDigits(16711682);
    EXPECT_EQ(format.GetDigits(), 9);
}

TEST(CurrencyFormat, GroupingText) {
    struct Case {
        const char* name;
        const char* stored;  // through SetGroupingText
        const char* text;    // what is kept
        int grouping;        // GetGrouping
    } cases[] = {
        {"a bare size gets its end", "3", "3;0", 3},
        {"a complete text stays", "3;0", "3;0", 3},
        {"three then twos reads as three", "3;2;0", "3;2;0", 3},
        {"too short to end in ;0", ";0", ";0;0", 0},
        {"nothing", "", ";0", 0},
        {"two digits", "12;0", "12;0", 12},
    };
    for (const Case& c : cases) {
        CCurrencyFormat format;
        format.SetGroupingText(QString::fromLatin1(c.stored));
        EXPECT_EQ(format.GetGroupingText(), QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(format.GetGrouping(), c.grouping) << c.name;
    }
    CCurrencyFormat format;
    format.SetGrouping(4);
    EXPECT_EQ(format.GetGroupingText(), "4;0");
    EXPECT_TRUE(format.IsModified());
}

TEST(CurrencyFormat, DigitsNeedADecimalSeparator) {
    struct Case {
        const char* name;
        const char* decimal;
        const char* thousand;
        int set;
        int digits;
        const char* decimalAfter;
    } cases[] = {
        {"dot thousands get a comma", "", ".", 9, 9, ","},
        {"comma thousands get a dot", "", ",", 9, 9, "."},
        {"no thousands get a dot", "", "", 2, 2, "."},
        {"an existing separator stays", ";", ".", 3, 3, ";"},
        {"negative counts as none", ".", ",", -4, 0, "."},
    };
    for (const Case& c : cases) {
        CCurrencyFormat format;
        format.SetDecimalSeparator(QString::fromLatin1(c.decimal));
        format.SetThousandSeparator(QString::fromLatin1(c.thousand));
        format.SetModified(false);
        EXPECT_EQ(format.GetDigits(), 0) << c.name;
        format.SetDigits(c.set);
        EXPECT_EQ(format.GetDigits(), c.digits) << c.name;
        EXPECT_EQ(format.GetDecimalSeparator(), QString::fromLatin1(c.decimalAfter)) << c.name;
        EXPECT_TRUE(format.IsModified()) << c.name;
    }
    CCurrencyFormat format;
    format.SetLeadingZero(2);
    EXPECT_EQ(format.GetLeadingZero(), 1);
}

TEST(CurrencyFormat, LoadsTheMonetaryItemsOfALocale) {
    CCurrencyFormat format;
    format.SetCode("XYZ");
    format.LoadFromLocale(LocaleWith({
        {LocaleItem::CurrencyDigits, "2"},
        {LocaleItem::LeadingZero, "1"},
        {LocaleItem::MonGrouping, "3;0"},
        {LocaleItem::MonDecimal, ","},
        {LocaleItem::MonThousand, "."},
        {LocaleItem::NegativeCurrency, "8"},
        {LocaleItem::PositiveCurrency, "3"},
        {LocaleItem::CurrencySymbol, "€"},
        {LocaleItem::IntlSymbol, "EUR"},
        {LocaleItem::Decimal, ";"},  // number items are not the money's
    }));
    EXPECT_TRUE(format.IsModified());
    CCurrencyFormat expected = Read(kEuroBody);
    expected.SetCode(QString());
    expected.SetInUse(0);
    EXPECT_EQ(Written(format), Written(expected)) << "everything but the code, reset first";

    // What the locale lacks stays at the defaults; nothing at all, no change.
    format.LoadFromLocale(LocaleWith({{LocaleItem::CurrencyDigits, "not a number"}}));
    EXPECT_EQ(format.GetSymbol(), QString());
    EXPECT_FALSE(format.IsModified());

    TestPlatform platform;  // U.S. English
    const CCurrencyFormat device(true);
    EXPECT_FALSE(device.IsModified());
    EXPECT_EQ(Amount(-1234.5).FormatCurrency(device, 0), "($1,234.50)");
}

TEST(CurrencyFormat, SymbolSideForEveryPattern) {
    // B: before the number, A: after it, -: no pattern.
    const char positive[] = "BABA--";
    const char negative[] = "BBBBAAAAABABBABA--";
    CCurrencyFormat format;
    format.SetSymbol("kr");
    for (int order = 0; order < 6; ++order) {
        format.SetPositiveOrder(order);
        EXPECT_EQ(format.GetSymbolBefore(true), positive[order] == 'B' ? "kr" : "") << order;
        EXPECT_EQ(format.GetSymbolAfter(true), positive[order] == 'A' ? "kr" : "") << order;
    }
    for (int order = -1; order < 18; ++order) {
        format.SetNegativeOrder(order);
        const char side = order < 0 ? '-' : negative[order];
        EXPECT_EQ(format.GetSymbolBefore(false), side == 'B' ? "kr" : "") << order;
        EXPECT_EQ(format.GetSymbolAfter(false), side == 'A' ? "kr" : "") << order;
    }
}

TEST(CurrencyFormat, PlatformStructures) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Set(LocaleItem::NegativeNumber, "3");
    TestPlatform platform(locale);
    CCurrencyFormat format = Read(kEuroBody);
    format.SetGroupingText("3;2;0");
    EXPECT_EQ(FormatCurrency(-1234567.5, format.ToCurrencyFormat()),
              QString::fromUtf8("-1.234.567,50 €"));
    EXPECT_EQ(FormatCurrency(1234.5, format.ToCurrencyFormat()), QString::fromUtf8("1.234,50 €"));
    // The number structure takes the device's negative-number pattern.
    EXPECT_EQ(FormatNumber(-1234.5, format.ToNumberFormat()), "1.234,50-");
    format.SetDecimalSeparator(QString());
    EXPECT_EQ(format.ToCurrencyFormat().digits, 0);
}

TEST(CurrencyFormat, CopiesTheFieldsAndTheModifiedFlag) {
    CCurrencyFormat original = Read(kEuroBody);
    original.SetModified(true);
    original.SetLoaded(true);
    original.SetValid(false);
    const CCurrencyFormat copy(original);
    EXPECT_TRUE(copy.IsModified());
    EXPECT_FALSE(copy.IsLoaded());
    EXPECT_TRUE(copy.IsValid());

    CCurrencyFormat assigned;
    original.SetModified(false);
    assigned = original;
    EXPECT_FALSE(assigned.IsModified());
    EXPECT_EQ(Written(assigned), kEuroBody);

    assigned.Reset();
    CCurrencyFormat fresh;
    EXPECT_EQ(Written(assigned), Written(fresh));
}
