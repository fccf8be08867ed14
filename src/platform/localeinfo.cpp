#include "localeinfo.h"

namespace {

constexpr std::array<const char*, static_cast<int>(LocaleItem::MonthName1)> kScalarNames = {
    "sDecimal",     "sThousand",    "sGrouping",   "iDigits",        "iLZero",
    "iNegNumber",   "sCurrency",    "sIntlSymbol", "sMonDecimalSep", "sMonThousandSep",
    "sMonGrouping", "iCurrDigits",  "iCurrency",   "iNegCurr",       "sShortDate",
    "sLongDate",    "sDate",        "sTimeFormat", "sTime",          "s1159",
    "s2359",        "sEngCurrName", "sEngCountry", "sEngLanguage"};

struct NumberedName {
    LocaleItem first;
    int count;
    const char* stem;
};

constexpr std::array<NumberedName, 4> kNumberedNames = {{
    {LocaleItem::MonthName1, 12, "sMonthName"},
    {LocaleItem::AbbrevMonthName1, 12, "sAbbrevMonthName"},
    {LocaleItem::DayName1, 7, "sDayName"},
    {LocaleItem::AbbrevDayName1, 7, "sAbbrevDayName"},
}};

}  // namespace

QString LocaleItemName(LocaleItem item) {
    const int index = static_cast<int>(item);
    if (index < static_cast<int>(kScalarNames.size())) {
        return QString::fromLatin1(kScalarNames[index]);
    }
    for (const NumberedName& numbered : kNumberedNames) {
        const int offset = index - static_cast<int>(numbered.first);
        if (offset >= 0 && offset < numbered.count) {
            return QString::fromLatin1(numbered.stem) + QString::number(offset + 1);
        }
    }
    return {};
}

std::optional<LocaleItem> LocaleItemFromName(const QString& name) {
    for (int index = 0; index < kLocaleItemCount; ++index) {
        const auto item = static_cast<LocaleItem>(index);
        if (LocaleItemName(item).compare(name, Qt::CaseInsensitive) == 0) {
            return item;
        }
    }
    return std::nullopt;
}

LocaleItem MonthNameItem(int month, bool abbreviated) {
    const LocaleItem first = abbreviated ? LocaleItem::AbbrevMonthName1 : LocaleItem::MonthName1;
    return static_cast<LocaleItem>(static_cast<int>(first) + std::clamp(month, 1, 12) - 1);
}

LocaleItem DayNameItem(int dayOfWeek, bool abbreviated) {
    const LocaleItem first = abbreviated ? LocaleItem::AbbrevDayName1 : LocaleItem::DayName1;
    return static_cast<LocaleItem>(static_cast<int>(first) + std::clamp(dayOfWeek, 1, 7) - 1);
}

QString LocaleInfo::Text(LocaleItem item, const QString& fallback) const {
    const auto& value = values_[Index(item)];
    return value && !value->isEmpty() ? *value : fallback;
}

std::optional<int> LocaleInfo::Number(LocaleItem item) const {
    const auto& value = values_[Index(item)];
    if (!value) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = value->trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

void LocaleInfo::Merge(const LocaleInfo& overrides) {
    for (int index = 0; index < kLocaleItemCount; ++index) {
        if (overrides.values_[index]) {
            values_[index] = overrides.values_[index];
        }
    }
}
