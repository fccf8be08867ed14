#include "money/currencyformat.h"

#include <algorithm>
#include <climits>

#include "archive/expensearchive.h"
#include "money/moneybounds.h"
#include "platform/localeinfo.h"
#include "platform/platform.h"

namespace {

const QString kGroupEnd = QStringLiteral(";0");

// The whole number a text starts with, as the C runtime reads it: blanks,
// an optional sign and digits, 0 when there are none. "3;2" gives 3.
int LeadingInteger(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80; ++i) {
        value = std::min<qint64>(value * 10 + text[i].digitValue(), INT_MAX);
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

CCurrencyFormat::CCurrencyFormat(bool loadFromDevice) {
    if (loadFromDevice) {
        LoadFromLocale(Platform::Get().GetRegional().User());
        SetModified(false);
    }
}

CCurrencyFormat::CCurrencyFormat(const CCurrencyFormat& other) : CExpenseObject() {
    *this = other;
}

CCurrencyFormat& CCurrencyFormat::operator=(const CCurrencyFormat& other) {
    // Only the modified flag travels with the fields: whether a file stands
    // behind this object is its own business.
    digits_ = other.digits_;
    leadingZero_ = other.leadingZero_;
    negativeOrder_ = other.negativeOrder_;
    positiveOrder_ = other.positiveOrder_;
    grouping_ = other.grouping_;
    decimalSeparator_ = other.decimalSeparator_;
    thousandSeparator_ = other.thousandSeparator_;
    symbol_ = other.symbol_;
    code_ = other.code_;
    inUse_ = other.inUse_;
    SetModified(other.IsModified());
    return *this;
}

void CCurrencyFormat::Serialize(CExpenseArchive& archive, int) {
    // Values are kept as read, so a file read and written back is unchanged;
    // a value no currency can have is a damaged file, never a format.
    archive.Exchange(digits_);
    archive.CheckValue(digits_ <= static_cast<quint32>(MoneyBounds::kMaxDigits));
    archive.Exchange(leadingZero_);
    archive.CheckValue(leadingZero_ <= 1);
    archive.Exchange(negativeOrder_);
    archive.CheckValue(!NegativeCurrencyPattern(GetNegativeOrder()).isEmpty());
    archive.Exchange(positiveOrder_);
    archive.CheckValue(!PositiveCurrencyPattern(GetPositiveOrder()).isEmpty());
    archive.Exchange(grouping_);
    archive.Exchange(decimalSeparator_);
    archive.Exchange(thousandSeparator_);
    archive.Exchange(symbol_);
    archive.Exchange(code_);
    archive.Exchange(inUse_);
    archive.CheckValue(inUse_ == 0 || inUse_ == 1);
}

void CCurrencyFormat::Reset() {
    CExpenseObject::Reset();
    digits_ = 0;
    leadingZero_ = 0;
    negativeOrder_ = 0;
    positiveOrder_ = 0;
    grouping_.clear();
    decimalSeparator_.clear();
    thousandSeparator_.clear();
    symbol_.clear();
    code_.clear();
    inUse_ = 0;
}

void CCurrencyFormat::LoadFromLocale(const LocaleInfo& locale) {
    Reset();
    bool any = false;
    const auto number = [&](LocaleItem item, quint32& field) {
        if (const auto value = locale.Number(item)) {
            field = static_cast<quint32>(*value);
            any = true;
        }
    };
    const auto text = [&](LocaleItem item, QString& field) {
        if (const auto value = locale.Get(item)) {
            field = *value;
            any = true;
        }
    };
    number(LocaleItem::CurrencyDigits, digits_);
    number(LocaleItem::LeadingZero, leadingZero_);
    if (leadingZero_ > 1) {
        leadingZero_ = 1;
    }
    text(LocaleItem::MonGrouping, grouping_);
    text(LocaleItem::MonDecimal, decimalSeparator_);
    text(LocaleItem::MonThousand, thousandSeparator_);
    number(LocaleItem::NegativeCurrency, negativeOrder_);
    number(LocaleItem::PositiveCurrency, positiveOrder_);
    text(LocaleItem::CurrencySymbol, symbol_);
    if (any) {
        SetModified(true);
    }
}

int CCurrencyFormat::GetDigits() const {
    // A count beyond what any currency uses (a damaged regional setting)
    // must not reach the rounding and formatting of every amount.
    return decimalSeparator_.isEmpty()
               ? 0
               : static_cast<int>(std::min<quint32>(digits_, MoneyBounds::kMaxDigits));
}

void CCurrencyFormat::SetDigits(int n) {
    digits_ = static_cast<quint32>(std::max(n, 0));
    // Decimals need something to stand behind; pick the character that
    // cannot be mistaken for the thousands separator.
    if (decimalSeparator_.isEmpty()) {
        decimalSeparator_ =
            thousandSeparator_ == QLatin1String(".") ? QStringLiteral(",") : QStringLiteral(".");
    }
    SetModified(true);
}

void CCurrencyFormat::SetLeadingZero(int value) {
    Store(leadingZero_, value == 0 ? 0u : 1u);
}

int CCurrencyFormat::GetGrouping() const {
    const qsizetype end = grouping_.indexOf(kGroupEnd);
    return end < 0 ? 0 : LeadingInteger(QStringView(grouping_).left(end));
}

void CCurrencyFormat::SetGrouping(int n) {
    Store(grouping_, QString::number(n) + kGroupEnd);
}

void CCurrencyFormat::SetGroupingText(const QString& text) {
    Store(grouping_, text.size() >= 3 && text.endsWith(kGroupEnd) ? text : text + kGroupEnd);
}

int CCurrencyFormat::SymbolSide(bool positive) const {
    // Orders are unsigned in the file; past INT_MAX they turn negative here,
    // which the pattern tables answer with nothing, as for any unknown order.
    const QString pattern = positive ? PositiveCurrencyPattern(GetPositiveOrder())
                                     : NegativeCurrencyPattern(GetNegativeOrder());
    if (pattern.isEmpty()) {
        return 0;
    }
    return pattern.indexOf(QLatin1Char('$')) < pattern.indexOf(QLatin1String("1.1")) ? -1 : 1;
}

QString CCurrencyFormat::GetSymbolBefore(bool positive) const {
    return SymbolSide(positive) < 0 ? symbol_ : QString();
}

QString CCurrencyFormat::GetSymbolAfter(bool positive) const {
    return SymbolSide(positive) > 0 ? symbol_ : QString();
}

template <typename Format>
Format CCurrencyFormat::NumberItems() const {
    Format format;
    format.digits = GetDigits();
    format.leadingZero = GetLeadingZero();
    format.grouping = GetGrouping();
    format.decimalSeparator = decimalSeparator_;
    format.thousandSeparator = thousandSeparator_;
    return format;
}

CurrencyFmt CCurrencyFormat::ToCurrencyFormat() const {
    CurrencyFmt format = NumberItems<CurrencyFmt>();
    format.negativeOrder = GetNegativeOrder();
    format.positiveOrder = GetPositiveOrder();
    format.symbol = symbol_;
    return format;
}

NumberFmt CCurrencyFormat::ToNumberFormat() const {
    NumberFmt format = NumberItems<NumberFmt>();
    if (Platform::HasCurrent()) {
        const auto order = Platform::Get().GetRegional().User().Number(LocaleItem::NegativeNumber);
        if (order && !NegativeNumberPattern(*order).isEmpty()) {
            format.negativeOrder = *order;
        }
    }
    return format;
}
