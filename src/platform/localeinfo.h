#pragma once

#include <QString>
#include <algorithm>
#include <array>
#include <optional>

// The items of the device's regional settings. Their names (LocaleItemName)
// are the ones the settings panel stores, so that overrides read naturally.
enum class LocaleItem {
    Decimal,                             // sDecimal: number decimal separator
    Thousand,                            // sThousand: number thousands separator
    Grouping,                            // sGrouping: number grouping, "3;0"
    Digits,                              // iDigits: number decimal places
    LeadingZero,                         // iLZero: 1 = "0.5", 0 = ".5"
    NegativeNumber,                      // iNegNumber: negative number pattern 0 to 4
    CurrencySymbol,                      // sCurrency
    IntlSymbol,                          // sIntlSymbol: ISO 4217 code
    MonDecimal,                          // sMonDecimalSep
    MonThousand,                         // sMonThousandSep
    MonGrouping,                         // sMonGrouping
    CurrencyDigits,                      // iCurrDigits
    PositiveCurrency,                    // iCurrency: positive currency pattern 0 to 3
    NegativeCurrency,                    // iNegCurr: negative currency pattern 0 to 15
    ShortDate,                           // sShortDate: picture such as "M/d/yyyy"
    LongDate,                            // sLongDate
    DateSeparator,                       // sDate
    TimeFormat,                          // sTimeFormat: picture such as "h:mm:ss tt"
    TimeSeparator,                       // sTime
    AmSymbol,                            // s1159
    PmSymbol,                            // s2359
    EnglishCurrencyName,                 // sEngCurrName
    EnglishCountryName,                  // sEngCountry
    EnglishLanguageName,                 // sEngLanguage
    MonthName1,                          // sMonthName1 .. sMonthName12
    AbbrevMonthName1 = MonthName1 + 12,  // sAbbrevMonthName1 .. 12
    DayName1 = AbbrevMonthName1 + 12,    // sDayName1 (Monday) .. sDayName7 (Sunday)
    AbbrevDayName1 = DayName1 + 7,       // sAbbrevDayName1 .. 7
    Count = AbbrevDayName1 + 7
};

constexpr int kLocaleItemCount = static_cast<int>(LocaleItem::Count);

QString LocaleItemName(LocaleItem item);
std::optional<LocaleItem> LocaleItemFromName(const QString& name);

// month 1..12
LocaleItem MonthNameItem(int month, bool abbreviated);
// dayOfWeek 1 (Monday) .. 7 (Sunday)
LocaleItem DayNameItem(int dayOfWeek, bool abbreviated);

// One set of regional settings. An item is either supplied or missing; a
// missing item leaves whatever reads it at its own default.
class LocaleInfo {
public:
    bool Has(LocaleItem item) const { return values_[Index(item)].has_value(); }
    std::optional<QString> Get(LocaleItem item) const { return values_[Index(item)]; }
    // The item's text, or `fallback` when it is missing or empty.
    QString Text(LocaleItem item, const QString& fallback = {}) const;
    // The item as a whole number, when it is supplied and is one.
    std::optional<int> Number(LocaleItem item) const;

    void Set(LocaleItem item, const QString& value) { values_[Index(item)] = value; }
    void Clear(LocaleItem item) { values_[Index(item)].reset(); }
    // Items supplied by `overrides` replace ours.
    void Merge(const LocaleInfo& overrides);

private:
    static int Index(LocaleItem item) { return static_cast<int>(item); }
    std::array<std::optional<QString>, kLocaleItemCount> values_;
};
