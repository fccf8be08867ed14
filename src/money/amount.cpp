#include "money/amount.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

#include "archive/expensearchive.h"
#include "money/currencyformat.h"
#include "money/deviceseparators.h"
#include "money/moneybounds.h"
#include "platform/numberformat.h"

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qsizetype SkipBlanks(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos].isSpace()) {
        ++pos;
    }
    return pos;
}

qsizetype SkipDigits(const QString& text, qsizetype pos) {
    while (pos < text.size() && IsAsciiDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// Reads an unsigned number at `pos` as the C runtime's conversion does
// (digits, a point with more digits, an exponent) and stops at the first
// character that does not fit. `pos` moves behind what was read. The C
// runtime's own function would follow the process locale's decimal point,
// and would also take "inf", "nan" and hexadecimal, none of which is money.
std::optional<double> ReadNumber(const QString& text, qsizetype& pos) {
    const qsizetype start = pos;
    qsizetype end = SkipDigits(text, start);
    bool digits = end > start;
    if (end < text.size() && text[end] == QLatin1Char('.')) {
        const qsizetype fractionEnd = SkipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits) {
        return std::nullopt;
    }
    if (end < text.size() && (text[end] == QLatin1Char('e') || text[end] == QLatin1Char('E'))) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() &&
            (text[exponent] == QLatin1Char('+') || text[exponent] == QLatin1Char('-'))) {
            ++exponent;
        }
        const qsizetype exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toLatin1().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    pos = end;
    return value;
}

// Cuts the trailing zeros of the decimals down to two, leaving whatever
// follows the number (a symbol, a blank, a parenthesis) in place. The
// decimal separator is looked for behind any copies of it in a symbol that
// stands before the number.
QString CutTrailingZeros(const QString& text, const QString& separator,
                         const QString& symbolBefore) {
    if (separator.isEmpty()) {
        return text;
    }
    qsizetype at = text.indexOf(separator);
    for (qsizetype skip = symbolBefore.count(separator); skip > 0 && at >= 0; --skip) {
        at = text.indexOf(separator, at + separator.size());
    }
    if (at < 0) {
        return text;
    }
    const qsizetype first = at + separator.size();
    const qsizetype end = SkipDigits(text, first);
    qsizetype keep = end;
    while (keep - first > 2 && text[keep - 1] == QLatin1Char('0')) {
        --keep;
    }
    return text.left(keep) + text.mid(end);
}

// Whether a number in C notation is below zero once written: "-0.000" is not.
bool IsNegativeText(const QString& text) {
    if (!text.startsWith(QLatin1Char('-'))) {
        return false;
    }
    for (QChar c : text) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
            return true;
        }
    }
    return false;
}

// Whether a value scaled for rounding still has digits to round away. A
// double that large is a whole number already, and one that is no number at
// all has nothing to round; working on either could only overflow.
bool HasDecimalsAt(double scaled) {
    constexpr double kWholeFrom = 9007199254740992.0;  // 2^53
    return std::fabs(scaled) < kWholeFrom;
}

// The powers of ten rounding works with, each exactly the double that
// std::pow gives for it, without its cost: opening a report rounds every
// expense it converts into the totals.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
static_assert(std::size(kPowersOfTen) == MoneyBounds::kMaxDigits + 2);

}  // namespace

Amount::Amount(const QString& text, const CCurrencyFormat& format, bool useDeviceSeparators) {
    Parse(text, format, useDeviceSeparators);
}

void Amount::Serialize(CExpenseArchive& archive) {
    archive.Exchange(value_);
}

void Amount::Divide(const Amount& divisor) {
    value_ = divisor.value_ == 0.0 ? 0.0 : value_ / divisor.value_;
}

void Amount::DivideByInteger(int divisor) {
    value_ = divisor == 0 ? 0.0 : value_ / divisor;
}

void Amount::Round(int places) {
    places = std::clamp(places, 0, MoneyBounds::kMaxDigits);
    // Worked one digit further than asked, so that a value such as 2.675,
    // held as 2.67499999..., still rounds up.
    double scaled = value_ * kPowersOfTen[places + 1];
    if (!HasDecimalsAt(scaled)) {
        return;
    }
    scaled += value_ >= 0 ? 5.0 : -5.0;
    value_ = std::trunc(scaled * 0.1) / kPowersOfTen[places];
}

void Amount::Truncate(int places) {
    places = std::clamp(places, 0, MoneyBounds::kMaxDigits);
    const double scaled = value_ * kPowersOfTen[places + 1];
    if (!HasDecimalsAt(scaled)) {
        return;
    }
    value_ = std::trunc(scaled * 0.1) / kPowersOfTen[places];
}

QString Amount::ToText() const {
    return QString::asprintf("%f", value_);
}

QString Amount::FormatCurrency(const CCurrencyFormat& format, int flags) const {
    // Nine decimals in the text let the formatter round exactly as asked.
    const QString text = QString::asprintf("%.9f", value_);
    CCurrencyFormat working(format);
    if (flags & kPrecise) {
        working.SetDigits(9);
    }
    if (flags & kLeadingMinus) {
        working.SetNegativeOrder(2);
    }
    CurrencyFmt structure = working.ToCurrencyFormat();
    if (flags & kDeviceSeparators) {
        const DeviceSeparators device = DeviceSeparators::Current();
        structure.decimalSeparator = device.decimal.left(1);
        structure.thousandSeparator = device.thousand.left(1);
    }
    if (flags & (kNoSymbol | kPlainNumber)) {
        structure.symbol.clear();
    }
    if (flags & kPlainNumber) {
        structure.thousandSeparator.clear();
    }
    QString result = FormatCurrencyText(text, structure).value_or(QStringLiteral("0.00"));
    if (flags & kPrecise) {
        const QString symbolBefore = structure.symbol.isEmpty()
                                         ? QString()
                                         : working.GetSymbolBefore(!IsNegativeText(text));
        result = CutTrailingZeros(result, structure.decimalSeparator, symbolBefore);
    }
    return result.trimmed();
}

bool Amount::Parse(const QString& text, const CCurrencyFormat& format, bool useDeviceSeparators) {
    QString rest = text.trimmed();
    // The symbol goes first: one such as "kr." would not be found again once
    // the separators inside it were changed.
    if (!format.GetSymbol().isEmpty()) {
        rest.remove(format.GetSymbol());
    }
    DeviceSeparators separators{format.GetDecimalSeparator(), format.GetThousandSeparator()};
    if (useDeviceSeparators) {
        // FormatCurrency writes only their first characters.
        const DeviceSeparators device = DeviceSeparators::Current();
        separators = {device.decimal.left(1), device.thousand.left(1)};
    }
    if (!separators.thousand.isEmpty()) {
        rest.remove(separators.thousand);
    }
    if (!separators.decimal.isEmpty()) {
        rest.replace(separators.decimal, QStringLiteral("."));
    }
    // What is left is the number in one of the sign patterns: "-1.1", "- 1.1",
    // "(1.1)", "1.1-" or "1.1 -". Reading only up to the first character that
    // is not part of a number would turn every parenthesis and trailing minus
    // into a wrong value, so the sign is looked for on both sides.
    qsizetype pos = SkipBlanks(rest, 0);
    bool negative = false;
    if (pos < rest.size() && (rest[pos] == QLatin1Char('(') || rest[pos] == QLatin1Char('-'))) {
        negative = true;
        pos = SkipBlanks(rest, pos + 1);
    } else if (pos < rest.size() && rest[pos] == QLatin1Char('+')) {
        ++pos;
    }
    const std::optional<double> number = ReadNumber(rest, pos);
    if (!number) {
        value_ = 0.0;
        return false;
    }
    pos = SkipBlanks(rest, pos);
    negative = negative || (pos < rest.size() && rest[pos] == QLatin1Char('-'));
    value_ = negative ? -*number : *number;
    return true;
}
