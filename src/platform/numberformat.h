#pragma once

#include <QString>
#include <QStringView>
#include <optional>

class LocaleInfo;

// How a plain number is written: the device's number-format structure.
struct NumberFmt {
    int digits = 2;       // decimal places, 0 to 9
    int leadingZero = 1;  // 1: "0.5", 0: ".5"
    int grouping = 3;     // digits per group, 0 for none; 32 groups 3 then 2s
    QString decimalSeparator = QStringLiteral(".");
    QString thousandSeparator = QStringLiteral(",");
    int negativeOrder = 1;  // negative number pattern 0 to 4

    // The number items of a locale; missing items keep the defaults above.
    static NumberFmt FromLocale(const LocaleInfo& locale);
};

// How an amount of money is written: the device's currency-format structure.
struct CurrencyFmt {
    int digits = 2;
    int leadingZero = 1;
    int grouping = 3;
    QString decimalSeparator = QStringLiteral(".");
    QString thousandSeparator = QStringLiteral(",");
    int negativeOrder = 0;  // negative currency pattern 0 to 15
    int positiveOrder = 0;  // positive currency pattern 0 to 3
    QString symbol = QStringLiteral("$");

    // The monetary items of a locale; missing items keep the defaults above.
    static CurrencyFmt FromLocale(const LocaleInfo& locale);
};

// The first number of a grouping text: "3;0" and "3;2;0" give 3. The device
// pattern "3;2;0" gives 32, its code for grouping by three then by twos.
int GroupingFromText(const QString& grouping);

// Formats `value`, a decimal number in C notation ("-1234.5"), rounding half
// away from zero at the requested places. Nothing comes back when the text is
// not such a number or a pattern number is out of range.
std::optional<QString> FormatNumberText(QStringView value, const NumberFmt& format);
std::optional<QString> FormatCurrencyText(QStringView value, const CurrencyFmt& format);

// The pattern texts, in which "1.1" stands for the number and "$" for the
// symbol; empty for a pattern number out of range.
QString NegativeNumberPattern(int order);
QString PositiveCurrencyPattern(int order);
QString NegativeCurrencyPattern(int order);

// The same for a double, written with enough places to round correctly.
std::optional<QString> FormatNumber(double value, const NumberFmt& format);
std::optional<QString> FormatCurrency(double value, const CurrencyFmt& format);
