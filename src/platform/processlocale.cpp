#include "processlocale.h"

#include <langinfo.h>
#include <locale.h>

#include <QByteArray>
#include <climits>

namespace {

QString Item(locale_t locale, nl_item item) {
    return QString::fromUtf8(nl_langinfo_l(item, locale));
}

// A numeric item of LC_MONETARY; CHAR_MAX means "not defined".
std::optional<int> Flag(locale_t locale, nl_item item) {
    const char* text = nl_langinfo_l(item, locale);
    if (text == nullptr) {
        return std::nullopt;
    }
    const int value = static_cast<unsigned char>(text[0]);
    if (value == CHAR_MAX || value == static_cast<unsigned char>(CHAR_MAX)) {
        return std::nullopt;
    }
    return static_cast<signed char>(text[0]);
}

void SetIfText(LocaleInfo& info, LocaleItem item, const QString& value) {
    if (!value.isEmpty()) {
        info.Set(item, value);
    }
}

// The first character of a picture that is not a field letter.
QString SeparatorOf(const QString& picture) {
    for (QChar c : picture) {
        if (!c.isLetter() && c != QLatin1Char('\'') && !c.isSpace()) {
            return QString(c);
        }
    }
    return {};
}

void ReadMonetary(LocaleInfo& info, locale_t locale) {
    SetIfText(info, LocaleItem::CurrencySymbol, Item(locale, CURRENCY_SYMBOL));
    SetIfText(info, LocaleItem::IntlSymbol, Item(locale, INT_CURR_SYMBOL).trimmed().left(3));
    SetIfText(info, LocaleItem::MonDecimal, Item(locale, MON_DECIMAL_POINT));
    const QString monThousand = Item(locale, MON_THOUSANDS_SEP);
    if (!info.Get(LocaleItem::MonDecimal)) {
        return;  // "C" and friends define no monetary conventions at all
    }
    info.Set(LocaleItem::MonThousand, monThousand);
    info.Set(LocaleItem::MonGrouping,
             GroupingFromPosix(QByteArray(nl_langinfo_l(MON_GROUPING, locale))));
    if (const auto digits = Flag(locale, FRAC_DIGITS)) {
        info.Set(LocaleItem::CurrencyDigits, QString::number(*digits));
    }
    const auto pPrecedes = Flag(locale, P_CS_PRECEDES);
    const auto pSpace = Flag(locale, P_SEP_BY_SPACE);
    if (pPrecedes && pSpace) {
        info.Set(LocaleItem::PositiveCurrency,
                 QString::number(PositiveCurrencyOrder(*pPrecedes != 0, *pSpace)));
    }
    const auto nPrecedes = Flag(locale, N_CS_PRECEDES);
    const auto nSpace = Flag(locale, N_SEP_BY_SPACE);
    const auto nSign = Flag(locale, N_SIGN_POSN);
    if (nPrecedes && nSpace && nSign) {
        info.Set(LocaleItem::NegativeCurrency,
                 QString::number(NegativeCurrencyOrder(*nPrecedes != 0, *nSpace, *nSign)));
    }
}

void ReadNumeric(LocaleInfo& info, locale_t locale) {
    SetIfText(info, LocaleItem::Decimal, Item(locale, RADIXCHAR));
    info.Set(LocaleItem::Thousand, Item(locale, THOUSEP));
    info.Set(LocaleItem::Grouping, GroupingFromPosix(QByteArray(nl_langinfo_l(GROUPING, locale))));
    // POSIX has no such items; every POSIX locale writes "-0.5" with two
    // places by default, which is what these say.
    info.Set(LocaleItem::Digits, QStringLiteral("2"));
    info.Set(LocaleItem::LeadingZero, QStringLiteral("1"));
    info.Set(LocaleItem::NegativeNumber, QStringLiteral("1"));
}

void ReadTime(LocaleInfo& info, locale_t locale) {
    const QString shortDate = PictureFromStrftime(Item(locale, D_FMT));
    SetIfText(info, LocaleItem::ShortDate, shortDate);
    SetIfText(info, LocaleItem::DateSeparator, SeparatorOf(shortDate));
    QString timeFormat = PictureFromStrftime(Item(locale, T_FMT));
    SetIfText(info, LocaleItem::TimeFormat, timeFormat);
    SetIfText(info, LocaleItem::TimeSeparator, SeparatorOf(timeFormat));
    SetIfText(info, LocaleItem::AmSymbol, Item(locale, AM_STR));
    SetIfText(info, LocaleItem::PmSymbol, Item(locale, PM_STR));
    for (int month = 1; month <= 12; ++month) {
        SetIfText(info, MonthNameItem(month, false), Item(locale, MON_1 + month - 1));
        SetIfText(info, MonthNameItem(month, true), Item(locale, ABMON_1 + month - 1));
    }
    // POSIX counts the days from Sunday, the device from Monday.
    for (int day = 1; day <= 7; ++day) {
        const int posixDay = day % 7;
        SetIfText(info, DayNameItem(day, false), Item(locale, DAY_1 + posixDay));
        SetIfText(info, DayNameItem(day, true), Item(locale, ABDAY_1 + posixDay));
    }
}

void ReadNames(LocaleInfo& info, locale_t locale) {
    SetIfText(info, LocaleItem::EnglishCountryName, Item(locale, _NL_IDENTIFICATION_TERRITORY));
    SetIfText(info, LocaleItem::EnglishLanguageName, Item(locale, _NL_IDENTIFICATION_LANGUAGE));
}

}  // namespace

std::optional<LocaleInfo> ReadPosixLocale(const QString& name) {
    const QByteArray localeName = name.toLocal8Bit();
    locale_t locale = newlocale(LC_ALL_MASK, localeName.constData(), locale_t(nullptr));
    if (locale == locale_t(nullptr)) {
        return std::nullopt;
    }
    LocaleInfo info;
    ReadNumeric(info, locale);
    ReadMonetary(info, locale);
    ReadTime(info, locale);
    ReadNames(info, locale);
    freelocale(locale);
    return info;
}

void AddInvariantMonetaryItems(LocaleInfo& locale) {
    if (locale.Has(LocaleItem::MonDecimal) || locale.Has(LocaleItem::CurrencyDigits)) {
        return;
    }
    locale.Set(LocaleItem::CurrencyDigits, QStringLiteral("2"));
    locale.Set(LocaleItem::MonDecimal, QStringLiteral("."));
    locale.Set(LocaleItem::MonThousand, QStringLiteral(","));
    locale.Set(LocaleItem::MonGrouping, QStringLiteral("3;0"));
}

LocaleInfo DeviceLocaleFromProcess() {
    LocaleInfo locale = ReadPosixLocale().value_or(LocaleInfo());
    AddInvariantMonetaryItems(locale);
    return locale;
}

QString PictureFromStrftime(const QString& format) {
    QString picture;
    QString literal;
    const auto flushLiteral = [&] {
        if (literal.isEmpty()) {
            return;
        }
        bool needsQuotes = false;
        for (QChar c : literal) {
            needsQuotes = needsQuotes || c.isLetter() || c == QLatin1Char('\'');
        }
        if (needsQuotes) {
            QString quoted = literal;
            quoted.replace(QLatin1String("'"), QLatin1String("''"));
            picture += QLatin1Char('\'') + quoted + QLatin1Char('\'');
        } else {
            picture += literal;
        }
        literal.clear();
    };
    const auto field = [&](const char* text) {
        flushLiteral();
        picture += QLatin1String(text);
    };
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            literal += c;
            continue;
        }
        QChar conversion = format[++i];
        // Flags and the E/O modifiers change nothing the device can show.
        while ((conversion == QLatin1Char('E') || conversion == QLatin1Char('O') ||
                conversion == QLatin1Char('-') || conversion == QLatin1Char('_') ||
                conversion == QLatin1Char('0') || conversion == QLatin1Char('^') ||
                conversion == QLatin1Char('#')) &&
               i + 1 < format.size()) {
            conversion = format[++i];
        }
        switch (conversion.unicode()) {
            case 'd':
                field("dd");
                break;
            case 'e':
                field("d");
                break;
            case 'm':
                field("MM");
                break;
            case 'b':
            case 'h':
                field("MMM");
                break;
            case 'B':
                field("MMMM");
                break;
            case 'a':
                field("ddd");
                break;
            case 'A':
                field("dddd");
                break;
            case 'y':
                field("yy");
                break;
            case 'Y':
            case 'G':
                field("yyyy");
                break;
            case 'D':
                field("MM/dd/yy");
                break;
            case 'F':
                field("yyyy-MM-dd");
                break;
            case 'H':
                field("HH");
                break;
            case 'k':
                field("H");
                break;
            case 'I':
                field("hh");
                break;
            case 'l':
                field("h");
                break;
            case 'M':
                field("mm");
                break;
            case 'S':
                field("ss");
                break;
            case 'p':
            case 'P':
                field("tt");
                break;
            case 'T':
                field("HH:mm:ss");
                break;
            case 'R':
                field("HH:mm");
                break;
            case 'r':
                field("hh:mm:ss tt");
                break;
            case 'n':
            case 't':
                literal += QLatin1Char(' ');
                break;
            case '%':
                literal += QLatin1Char('%');
                break;
            default:
                break;  // time zones, week numbers: not shown on the device
        }
    }
    flushLiteral();
    return picture.trimmed();
}

QString GroupingFromPosix(const QByteArray& grouping) {
    QStringList sizes;
    bool repeats = true;
    for (char byte : grouping) {
        const int size = static_cast<unsigned char>(byte);
        if (size == CHAR_MAX || size == 0xFF || byte == CHAR_MAX) {
            repeats = false;
            break;
        }
        if (size == 0) {
            break;
        }
        sizes << QString::number(size);
    }
    if (sizes.isEmpty()) {
        return QStringLiteral("0;0");
    }
    // The last POSIX size repeats; "3;3;0" and "3;0" say the same.
    while (sizes.size() > 1 && sizes.last() == sizes[sizes.size() - 2]) {
        sizes.removeLast();
    }
    if (repeats) {
        sizes << QStringLiteral("0");
    }
    return sizes.join(QLatin1Char(';'));
}

int PositiveCurrencyOrder(bool symbolPrecedes, int separatedBySpace) {
    const bool space = separatedBySpace != 0;
    if (symbolPrecedes) {
        return space ? 2 : 0;
    }
    return space ? 3 : 1;
}

int NegativeCurrencyOrder(bool symbolPrecedes, int separatedBySpace, int signPosition) {
    const bool space = separatedBySpace != 0;
    // Rows: sign position 0 (parentheses) to 4; columns: precedes without
    // space, precedes with space, follows without space, follows with space.
    static constexpr int kOrders[5][4] = {
        {0, 14, 4, 15},  // ($1.1)  ($ 1.1)  (1.1$)  (1.1 $)
        {1, 9, 5, 8},    // -$1.1   -$ 1.1   -1.1$   -1.1 $
        {3, 11, 7, 10},  // $1.1-   $ 1.1-   1.1$-   1.1 $-
        {1, 9, 6, 13},   // -$1.1   -$ 1.1   1.1-$   1.1- $
        {2, 12, 7, 10},  // $-1.1   $ -1.1   1.1$-   1.1 $-
    };
    const int row = (signPosition >= 0 && signPosition <= 4) ? signPosition : 1;
    const int column = (symbolPrecedes ? 0 : 2) + (space ? 1 : 0);
    return kOrders[row][column];
}
