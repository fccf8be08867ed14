#include "money/numericeditrules.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "money/currencyformat.h"
#include "money/moneybounds.h"
#include "platform/localeinfo.h"
#include "platform/numberformat.h"
#include "platform/platform.h"

namespace {

const QString kNumberPlace = QStringLiteral("1.1");
constexpr int kMaxDigits = MoneyBounds::kMaxDigits;

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int CountDigits(QStringView text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), IsAsciiDigit));
}

// A separator must stay apart from what it separates and from the sign.
bool CanSeparate(QChar c) {
    return !c.isNull() && !c.isDigit() && c != QLatin1Char('-');
}

// Device items, or nothing when the device does not supply a usable one.
std::optional<QChar> DeviceDecimal(const std::optional<QString>& text) {
    if (!text || text->isEmpty() || !CanSeparate(text->at(0))) {
        return std::nullopt;
    }
    return text->at(0);
}

std::optional<QChar> DeviceThousand(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    if (text->isEmpty()) {
        return QChar();  // the device groups without a separator
    }
    return CanSeparate(text->at(0)) ? std::optional<QChar>(text->at(0)) : std::nullopt;
}

std::optional<int> DeviceGrouping(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    // The control groups at one level; "3;2;0" (coded 32) starts with threes.
    const int grouping = GroupingFromText(*text);
    return grouping == 32 ? 3 : std::max(grouping, 0);
}

std::optional<QString> DevicePattern(std::optional<int> order, QString (*table)(int)) {
    if (!order) {
        return std::nullopt;
    }
    const QString pattern = table(*order);
    return pattern.isEmpty() ? std::nullopt : std::optional<QString>(pattern);
}

// The refresh rule for one setting: it follows the device only while it
// still holds the device's value last seen.
template <typename T>
void Follow(T& own, T& lastSeen, const std::optional<T>& now) {
    if (!now) {
        return;
    }
    if (own == lastSeen) {
        own = *now;
    }
    lastSeen = *now;
}

QChar FirstChar(const QString& text) {
    return text.isEmpty() ? QChar() : text[0];
}

}  // namespace

NumericEditRules::NumericEditRules(Kind kind) : kind_(kind) {
    if (kind_ == Kind::kCurrency) {
        own_.negativePattern = QStringLiteral("($1.1)");
        own_.positivePattern = QStringLiteral("$1.1");
        own_.symbol = QStringLiteral("$");
    } else {
        own_.negativePattern = QStringLiteral("-1.1");
        own_.positivePattern = kNumberPlace;
    }
    device_ = own_;
    Redraw();
}

void NumericEditRules::SetCaret(int caret) {
    caret_ = std::clamp(caret, static_cast<int>(prefix_.size()),
                        static_cast<int>(prefix_.size() + typed_.size()));
}

qsizetype NumericEditRules::IntegerEnd() const {
    const qsizetype separator = typed_.indexOf(own_.decimalSeparator);
    return separator < 0 ? typed_.size() : separator;
}

NumericEditRules::Spot NumericEditRules::SpotAt(qsizetype typedCaret) const {
    const qsizetype integerEnd = IntegerEnd();
    if (typedCaret <= integerEnd) {
        return {false,
                CountDigits(QStringView(typed_).sliced(typedCaret, integerEnd - typedCaret))};
    }
    return {true, static_cast<int>(typedCaret - integerEnd - 1)};
}

void NumericEditRules::MoveTo(Spot spot) {
    const qsizetype integerEnd = IntegerEnd();
    qsizetype at = integerEnd;
    if (spot.decimals) {
        at = integerEnd < typed_.size() ? integerEnd + 1 + spot.count : integerEnd;
    } else {
        for (int seen = 0; at > 0 && seen < spot.count; --at) {
            seen += IsAsciiDigit(typed_[at - 1]) ? 1 : 0;
        }
    }
    SetCaret(static_cast<int>(prefix_.size() + at));
}

void NumericEditRules::Normalise(const QString& raw) {
    const QChar decimal = own_.decimalSeparator;
    // Only digits and the right-most decimal separator survive; a "-" in
    // front marks the number negative.
    QString kept;
    bool separatorKept = false;
    for (qsizetype i = raw.size() - 1; i >= 0; --i) {
        const QChar c = raw[i];
        if (IsAsciiDigit(c) || (c == decimal && !separatorKept)) {
            separatorKept = separatorKept || c == decimal;
            kept += c;
        } else if (i == 0 && c == QLatin1Char('-')) {
            negative_ = true;
        }
    }
    std::reverse(kept.begin(), kept.end());
    const qsizetype separator = kept.indexOf(decimal);
    QString integer = separator < 0 ? kept : kept.left(separator);
    QString decimals = separator < 0 ? QString() : kept.mid(separator + 1);

    while (integer.size() > 1 && integer[0] == QLatin1Char('0')) {
        integer.remove(0, 1);
    }
    decimals.truncate(own_.digits);
    if (maxIntegerDigits_ != -1 && !integer.startsWith(QLatin1Char('0')) &&
        integer.size() > maxIntegerDigits_) {
        integer = integer.right(maxIntegerDigits_);
    }
    if (integer.isEmpty() && own_.leadingZero == 1) {
        integer = QStringLiteral("0");
    } else if (integer == QLatin1String("0") && own_.leadingZero == 0 && own_.digits > 0) {
        integer.clear();
    }
    decimals = decimals.leftJustified(own_.digits, QLatin1Char('0'));

    typed_ = Grouped(integer);
    if (own_.digits > 0) {
        typed_ += decimal + decimals;
    }
    Frame();

    const QString number = (integer.isEmpty() ? QStringLiteral("0") : integer) +
                           (decimals.isEmpty() ? QString() : QLatin1Char('.') + decimals);
    // Hundreds of pasted digits would overflow; such a text holds no value.
    value_ = number.toDouble();
    if (!std::isfinite(value_)) {
        value_ = 0.0;
    }
    if (negative_) {
        value_ = -value_;
    }
}

QString NumericEditRules::Grouped(const QString& integer) const {
    const QChar thousand = own_.thousandSeparator;
    if (own_.grouping <= 0 || thousand.isNull()) {
        return integer;
    }
    QString grouped;
    for (qsizetype i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % own_.grouping == 0) {
            grouped += thousand;
        }
        grouped += integer[i];
    }
    return grouped;
}

void NumericEditRules::Frame() {
    const QString& pattern = negative_ ? own_.negativePattern : own_.positivePattern;
    const qsizetype place = pattern.indexOf(kNumberPlace);
    prefix_ = pattern.left(place);
    suffix_ = pattern.mid(place + kNumberPlace.size());
    if (kind_ == Kind::kCurrency) {
        prefix_.replace(QLatin1Char('$'), own_.symbol);
        suffix_.replace(QLatin1Char('$'), own_.symbol);
    }
}

void NumericEditRules::Renormalise() {
    const Spot spot = SpotAt(caret_ - prefix_.size());
    Normalise(typed_);
    MoveTo(spot);
}

void NumericEditRules::Write(double magnitude, bool negative) {
    // The C runtime's fixed-point text, with our separator for its point.
    QString raw = QString::asprintf("%.*f", own_.digits, magnitude);
    raw.replace(QLatin1Char('.'), own_.decimalSeparator);
    if (negative) {
        raw.prepend(QLatin1Char('-'));
    }
    const Spot spot = SpotAt(caret_ - prefix_.size());
    negative_ = false;
    Normalise(raw);
    MoveTo(spot);
}

void NumericEditRules::Redraw() {
    Write(std::fabs(value_), negative_);
}

void NumericEditRules::SetValue(double value) {
    if (std::isnan(value)) {
        value = 0.0;
    }
    Write(std::min(std::fabs(value), Largest()), value < 0);
    // A value that rounds to nothing at our digits has no sign to show.
    if (negative_ && value_ == 0.0) {
        SetNegative(false);
    }
}

void NumericEditRules::SetNegative(bool negative) {
    negative_ = negative;
    Renormalise();
}

bool NumericEditRules::SetTypedText(const QString& text) {
    const bool wasNegative = negative_;
    negative_ = false;
    if (!NormaliseWithin(text)) {
        negative_ = wasNegative;
        return false;
    }
    MoveTo({});
    return true;
}

double NumericEditRules::Largest() const {
    return std::max(std::fabs(MoneyBounds::Lowest(limit_)), MoneyBounds::Highest(limit_));
}

void NumericEditRules::SetLimit(MoneyBounds::Kind limit) {
    limit_ = limit;
    if (std::fabs(value_) > Largest()) {
        SetValue(negative_ ? -Largest() : Largest());
    }
}

bool NumericEditRules::NormaliseWithin(const QString& raw) {
    const QString prefix = prefix_;
    const QString typed = typed_;
    const QString suffix = suffix_;
    const double value = value_;
    const bool negative = negative_;
    refusal_.clear();
    Normalise(raw);
    // Digits too many for a double read as no value at all (Normalise); they
    // are beyond every limit too.
    const bool overflowed =
        value_ == 0.0 && std::any_of(typed_.begin(), typed_.end(), [](QChar c) {
            return c >= QLatin1Char('1') && c <= QLatin1Char('9');
        });
    if (std::fabs(value_) <= Largest() && !overflowed) {
        return true;
    }
    prefix_ = prefix;
    typed_ = typed;
    suffix_ = suffix;
    value_ = value;
    negative_ = negative;
    refusal_ = MoneyBounds::Message(limit_);
    return false;
}

bool NumericEditRules::TypeCharacter(QChar c, int caret) {
    refusal_.clear();
    SetCaret(caret);
    const qsizetype at = caret_ - prefix_.size();
    const qsizetype integerEnd = IntegerEnd();
    if (c == QLatin1Char('-')) {
        SetNegative(!negative_);
        return true;
    }
    if (c == own_.decimalSeparator || (acceptPeriod_ && c == QLatin1Char('.'))) {
        if (integerEnd < typed_.size()) {
            MoveTo({true, 0});
            return true;
        }
        if (own_.digits == 0) {
            return false;
        }
        Normalise(typed_ + own_.decimalSeparator);
        MoveTo({true, 0});
        return true;
    }
    if (!IsAsciiDigit(c)) {
        return false;
    }

    QString raw = typed_;
    Spot after;
    if (at > integerEnd) {
        const int decimalsBefore = static_cast<int>(at - integerEnd - 1);
        if (decimalsBefore >= own_.digits) {
            return false;
        }
        // Inserting pushes the last decimal out when the text is put in shape.
        if (overwrite_) {
            raw[at] = c;
        } else {
            raw.insert(at, c);
        }
        after = {true, decimalsBefore + 1};
    } else {
        const QStringView integer = QStringView(typed_).left(integerEnd);
        const int integerDigits = CountDigits(integer);
        qsizetype next = at;
        while (next < integerEnd && !IsAsciiDigit(typed_[next])) {
            ++next;
        }
        if (integer == QLatin1String("0")) {
            // The zero only stands for "no integer part".
            raw[0] = c;
            after = {false, 0};
        } else if (overwrite_ && next < integerEnd) {
            raw[next] = c;
            after = {false, CountDigits(integer.sliced(next + 1))};
        } else {
            if (maxIntegerDigits_ != -1 && integerDigits >= maxIntegerDigits_) {
                return false;
            }
            raw.insert(at, c);
            after = SpotAt(at);
        }
    }
    if (!NormaliseWithin(raw)) {
        return false;
    }
    MoveTo(after);
    return true;
}

bool NumericEditRules::DeleteRight(int caret) {
    refusal_.clear();
    SetCaret(caret);
    qsizetype at = caret_ - prefix_.size();
    if (at < typed_.size() && typed_[at] == own_.thousandSeparator) {
        ++at;
    }
    if (at >= typed_.size()) {
        return false;
    }
    const qsizetype integerEnd = IntegerEnd();
    Spot after = SpotAt(caret_ - prefix_.size());
    if (at == integerEnd) {
        // Without its separator the decimals join the integer part.
        after.count = static_cast<int>(typed_.size() - integerEnd - 1);
    } else if (!after.decimals) {
        after.count -= 1;
    }
    QString raw = typed_;
    raw.remove(at, 1);
    if (!NormaliseWithin(raw)) {
        return false;
    }
    MoveTo(after);
    return true;
}

void NumericEditRules::SetDigits(int digits) {
    own_.digits = std::clamp(digits, 0, kMaxDigits);
    Redraw();
}

void NumericEditRules::SetGrouping(int grouping) {
    own_.grouping = std::max(grouping, 0);
    Redraw();
}

bool NumericEditRules::SetDecimalSeparator(QChar separator) {
    if (!CanSeparate(separator) || separator == own_.thousandSeparator) {
        return false;
    }
    own_.decimalSeparator = separator;
    Redraw();
    return true;
}

bool NumericEditRules::SetThousandSeparator(QChar separator) {
    if (!CanSeparate(separator) || separator == own_.decimalSeparator) {
        return false;
    }
    own_.thousandSeparator = separator;
    Redraw();
    return true;
}

void NumericEditRules::SetLeadingZero(int leadingZero) {
    own_.leadingZero = leadingZero == 0 ? 0 : 1;
    Redraw();
}

bool NumericEditRules::SetMaxIntegerDigits(int maxIntegerDigits) {
    if (maxIntegerDigits < -1) {
        return false;
    }
    maxIntegerDigits_ = maxIntegerDigits;
    Redraw();
    return true;
}

bool NumericEditRules::SetNegativePattern(const QString& pattern) {
    if (!pattern.contains(kNumberPlace)) {
        return false;
    }
    own_.negativePattern = pattern;
    Renormalise();
    return true;
}

bool NumericEditRules::SetPositivePattern(const QString& pattern) {
    if (!pattern.contains(kNumberPlace)) {
        return false;
    }
    own_.positivePattern = pattern;
    Renormalise();
    return true;
}

void NumericEditRules::SetSymbol(const QString& symbol) {
    own_.symbol = symbol;
    Renormalise();
}

bool NumericEditRules::SetNegativeOrder(int order) {
    const QString pattern = NegativeCurrencyPattern(order);
    return !pattern.isEmpty() && SetNegativePattern(pattern);
}

bool NumericEditRules::SetPositiveOrder(int order) {
    const QString pattern = PositiveCurrencyPattern(order);
    return !pattern.isEmpty() && SetPositivePattern(pattern);
}

void NumericEditRules::SetFormat(const CCurrencyFormat& format, const LocaleInfo& device) {
    own_.symbol = format.GetSymbol();
    const QChar decimal =
        FirstChar(device.Text(LocaleItem::MonDecimal, format.GetDecimalSeparator()));
    if (CanSeparate(decimal)) {
        own_.decimalSeparator = decimal;
    }
    const QChar thousand =
        FirstChar(device.Text(LocaleItem::MonThousand, format.GetThousandSeparator()));
    own_.thousandSeparator = thousand.isNull() || CanSeparate(thousand) ? thousand : QChar();
    own_.grouping = std::max(format.GetGrouping(), 0);
    own_.leadingZero = format.GetLeadingZero() == 0 ? 0 : 1;
    if (const QString pattern = NegativeCurrencyPattern(format.GetNegativeOrder());
        !pattern.isEmpty()) {
        own_.negativePattern = pattern;
    }
    if (const QString pattern = PositiveCurrencyPattern(format.GetPositiveOrder());
        !pattern.isEmpty()) {
        own_.positivePattern = pattern;
    }
    own_.digits = std::clamp(format.GetDigits(), 0, kMaxDigits);
    Settle();
    Redraw();
}

void NumericEditRules::SetFormat(const CCurrencyFormat& format) {
    SetFormat(format, Platform::Get().GetRegional().User());
}

void NumericEditRules::RefreshFromDevice(const LocaleInfo& device) {
    const bool money = kind_ == Kind::kCurrency;
    const auto item = [&](LocaleItem number, LocaleItem currency) {
        return device.Get(money ? currency : number);
    };
    Follow(own_.decimalSeparator, device_.decimalSeparator,
           DeviceDecimal(item(LocaleItem::Decimal, LocaleItem::MonDecimal)));
    Follow(own_.thousandSeparator, device_.thousandSeparator,
           DeviceThousand(item(LocaleItem::Thousand, LocaleItem::MonThousand)));
    std::optional<int> leadingZero = device.Number(LocaleItem::LeadingZero);
    if (leadingZero) {
        leadingZero = *leadingZero == 0 ? 0 : 1;
    }
    Follow(own_.leadingZero, device_.leadingZero, leadingZero);
    Follow(own_.grouping, device_.grouping,
           DeviceGrouping(item(LocaleItem::Grouping, LocaleItem::MonGrouping)));
    std::optional<int> digits =
        device.Number(money ? LocaleItem::CurrencyDigits : LocaleItem::Digits);
    if (digits) {
        digits = std::clamp(*digits, 0, kMaxDigits);
    }
    Follow(own_.digits, device_.digits, digits);
    if (money) {
        Follow(
            own_.negativePattern, device_.negativePattern,
            DevicePattern(device.Number(LocaleItem::NegativeCurrency), NegativeCurrencyPattern));
        Follow(
            own_.positivePattern, device_.positivePattern,
            DevicePattern(device.Number(LocaleItem::PositiveCurrency), PositiveCurrencyPattern));
        Follow(own_.symbol, device_.symbol, device.Get(LocaleItem::CurrencySymbol));
    } else {
        Follow(own_.negativePattern, device_.negativePattern,
               DevicePattern(device.Number(LocaleItem::NegativeNumber), NegativeNumberPattern));
    }
    Settle();
    Redraw();
}

void NumericEditRules::Settle() {
    if (own_.thousandSeparator == own_.decimalSeparator) {
        own_.thousandSeparator = QChar();
    }
}
