#include "numberformat.h"

#include <QLatin1StringView>
#include <QStringList>
#include <algorithm>
#include <array>

#include "localeinfo.h"

namespace {

struct Digits {
    QString integer;   // without leading zeros, may be empty
    QString fraction;  // exactly the requested places
    bool negative = false;
};

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Splits and rounds a C-notation number. The rounding works on the decimal
// digits themselves, so "2.675" rounds to 2.68 whatever its binary value.
std::optional<Digits> RoundDecimal(QStringView value, int places) {
    Digits result;
    qsizetype i = 0;
    if (i < value.size() && value[i] == QLatin1Char('-')) {
        result.negative = true;
        ++i;
    }
    QString integer;
    QString fraction;
    bool point = false;
    for (; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
        } else if (IsAsciiDigit(c)) {
            (point ? fraction : integer) += c;
        } else {
            return std::nullopt;
        }
    }
    if (integer.isEmpty() && fraction.isEmpty()) {
        return std::nullopt;
    }
    const bool roundUp = fraction.size() > places && fraction[places] >= QLatin1Char('5');
    fraction = fraction.left(places).leftJustified(places, QLatin1Char('0'));
    if (roundUp) {
        QString all = integer + fraction;
        qsizetype k = all.size() - 1;
        for (; k >= 0 && all[k] == QLatin1Char('9'); --k) {
            all[k] = QLatin1Char('0');
        }
        if (k < 0) {
            all.prepend(QLatin1Char('1'));
        } else {
            all[k] = QChar(all[k].unicode() + 1);
        }
        integer = all.left(all.size() - places);
        fraction = all.right(places);
    }
    qsizetype firstSignificant = 0;
    while (firstSignificant < integer.size() && integer[firstSignificant] == QLatin1Char('0')) {
        ++firstSignificant;
    }
    result.integer = integer.mid(firstSignificant);
    result.fraction = fraction;
    // "-0.001" at two places is zero, and zero has no sign.
    const bool zero =
        result.integer.isEmpty() && std::all_of(fraction.begin(), fraction.end(),
                                                [](QChar c) { return c == QLatin1Char('0'); });
    result.negative = result.negative && !zero;
    return result;
}

QString Grouped(const QString& integer, int grouping, const QString& separator) {
    if (grouping <= 0 || separator.isEmpty()) {
        return integer;
    }
    // Groups are counted from the decimal separator leftwards; 32 is the
    // device's code for a group of three followed by groups of two.
    int size = grouping == 32 ? 3 : grouping;
    const int rest = grouping == 32 ? 2 : grouping;
    QStringList groups;
    qsizetype end = integer.size();
    while (end > size) {
        groups.prepend(integer.mid(end - size, size));
        end -= size;
        size = rest;
    }
    groups.prepend(integer.left(end));
    return groups.join(separator);
}

// The digits of a number, grouped and with its decimal part, but unsigned.
template <typename Format>
std::optional<std::pair<QString, bool>> Body(QStringView value, const Format& format) {
    const int places = std::clamp(format.digits, 0, 9);
    const auto digits = RoundDecimal(value, places);
    if (!digits) {
        return std::nullopt;
    }
    QString body = Grouped(digits->integer, format.grouping, format.thousandSeparator);
    if (body.isEmpty() && (format.leadingZero != 0 || places == 0)) {
        body = QStringLiteral("0");
    }
    if (places > 0) {
        body += format.decimalSeparator + digits->fraction;
    }
    return std::make_pair(body, digits->negative);
}

// Fills a pattern in which "1.1" stands for the number and "$" for the symbol.
QString Fill(QLatin1StringView pattern, const QString& number, const QString& symbol) {
    QString result;
    result.reserve(number.size() + symbol.size() + 4);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern.sliced(i).startsWith(QLatin1StringView("1.1"))) {
            result += number;
            i += 2;
        } else if (pattern[i] == QLatin1Char('$')) {
            result += symbol;
        } else {
            result += QLatin1Char(pattern[i]);
        }
    }
    return result;
}

constexpr std::array<const char*, 5> kNegativeNumber = {"(1.1)", "-1.1", "- 1.1", "1.1-", "1.1 -"};
constexpr std::array<const char*, 4> kPositiveCurrency = {"$1.1", "1.1$", "$ 1.1", "1.1 $"};
constexpr std::array<const char*, 16> kNegativeCurrency = {
    "($1.1)", "-$1.1",  "$-1.1",  "$1.1-",  "(1.1$)", "-1.1$",  "1.1-$",   "1.1$-",
    "-1.1 $", "-$ 1.1", "1.1 $-", "$ 1.1-", "$ -1.1", "1.1- $", "($ 1.1)", "(1.1 $)"};

template <std::size_t N>
QString PatternText(const std::array<const char*, N>& patterns, int order) {
    return order >= 0 && order < int(N) ? QString::fromLatin1(patterns[order]) : QString();
}

// Enough places that rounding the text at up to nine places is exact.
QString CNotation(double value) {
    return QString::asprintf("%.15f", value);
}

}  // namespace

int GroupingFromText(const QString& grouping) {
    if (grouping.trimmed().startsWith(QLatin1String("3;2;0"))) {
        return 32;
    }
    return grouping.section(QLatin1Char(';'), 0, 0).trimmed().toInt();
}

NumberFmt NumberFmt::FromLocale(const LocaleInfo& locale) {
    NumberFmt format;
    format.digits = locale.Number(LocaleItem::Digits).value_or(format.digits);
    format.leadingZero = locale.Number(LocaleItem::LeadingZero).value_or(format.leadingZero);
    if (const auto grouping = locale.Get(LocaleItem::Grouping)) {
        format.grouping = GroupingFromText(*grouping);
    }
    format.decimalSeparator = locale.Get(LocaleItem::Decimal).value_or(format.decimalSeparator);
    format.thousandSeparator = locale.Get(LocaleItem::Thousand).value_or(format.thousandSeparator);
    format.negativeOrder =
        locale.Number(LocaleItem::NegativeNumber).value_or(format.negativeOrder);
    return format;
}

CurrencyFmt CurrencyFmt::FromLocale(const LocaleInfo& locale) {
    CurrencyFmt format;
    format.digits = locale.Number(LocaleItem::CurrencyDigits).value_or(format.digits);
    format.leadingZero = locale.Number(LocaleItem::LeadingZero).value_or(format.leadingZero);
    if (const auto grouping = locale.Get(LocaleItem::MonGrouping)) {
        format.grouping = GroupingFromText(*grouping);
    }
    format.decimalSeparator = locale.Get(LocaleItem::MonDecimal).value_or(format.decimalSeparator);
    format.thousandSeparator =
        locale.Get(LocaleItem::MonThousand).value_or(format.thousandSeparator);
    format.negativeOrder =
        locale.Number(LocaleItem::NegativeCurrency).value_or(format.negativeOrder);
    format.positiveOrder =
        locale.Number(LocaleItem::PositiveCurrency).value_or(format.positiveOrder);
    format.symbol = locale.Get(LocaleItem::CurrencySymbol).value_or(format.symbol);
    return format;
}

std::optional<QString> FormatNumberText(QStringView value, const NumberFmt& format) {
    if (format.negativeOrder < 0 || format.negativeOrder >= int(kNegativeNumber.size())) {
        return std::nullopt;
    }
    const auto body = Body(value, format);
    if (!body) {
        return std::nullopt;
    }
    if (!body->second) {
        return body->first;
    }
    return Fill(QLatin1StringView(kNegativeNumber[format.negativeOrder]), body->first, {});
}

std::optional<QString> FormatCurrencyText(QStringView value, const CurrencyFmt& format) {
    if (format.negativeOrder < 0 || format.negativeOrder >= int(kNegativeCurrency.size()) ||
        format.positiveOrder < 0 || format.positiveOrder >= int(kPositiveCurrency.size())) {
        return std::nullopt;
    }
    const auto body = Body(value, format);
    if (!body) {
        return std::nullopt;
    }
    const char* pattern = body->second ? kNegativeCurrency[format.negativeOrder]
                                       : kPositiveCurrency[format.positiveOrder];
    return Fill(QLatin1StringView(pattern), body->first, format.symbol);
}

QString NegativeNumberPattern(int order) {
    return PatternText(kNegativeNumber, order);
}

QString PositiveCurrencyPattern(int order) {
    return PatternText(kPositiveCurrency, order);
}

QString NegativeCurrencyPattern(int order) {
    return PatternText(kNegativeCurrency, order);
}

std::optional<QString> FormatNumber(double value, const NumberFmt& format) {
    return FormatNumberText(CNotation(value), format);
}

std::optional<QString> FormatCurrency(double value, const CurrencyFmt& format) {
    return FormatCurrencyText(CNotation(value), format);
}
