#include "dateformatting.h"

#include <array>

#include "datepicture.h"
#include "platform.h"
#include "regionalsettings.h"

namespace {

struct DateKind {
    const char* name;
    const char* fixed;
};

constexpr std::array<DateKind, 11> kDateKinds = {{
    {"MM/dd/yy", "MM'/'dd'/'yyyy"},
    {"dd/MM/yy", "dd'/'MM'/'yyyy"},
    {"dd/yy/MM", "dd'/'yyyy'/'MM"},
    {"yy/dd/MM", "yyyy'/'dd'/'MM"},
    {"yy/MM/dd", "yyyy'/'MM'/'dd"},
    {"MM/dd", "MM'/'dd"},
    {"dd/MM", "dd'/'MM"},
    {"MM/yy", "MM'/'yyyy"},
    {"yy/MM", "yyyy'/'MM"},
    {"dd/yy", "dd'/'yyyy"},
    {"yy/dd", "yyyy'/'dd"},
}};

constexpr std::array<const char*, 6> kFixedTimes = {"HH':'mm':'ss", "HH':'mm", "mm':'ss",
                                                    "HH",           "mm",      "ss"};

bool ValidDateKind(int kind) {
    return kind >= 0 && kind < int(kDateKinds.size());
}

}  // namespace

QString DateKindName(int kind) {
    return ValidDateKind(kind) ? QString::fromLatin1(kDateKinds[kind].name) : QString();
}

QString PartialDatePicture(const QString& shortDate, const QString& separator, int kind) {
    if (!ValidDateKind(kind)) {
        return {};
    }
    QString picture = shortDate;
    if (kind >= 5) {
        const QChar dropped = kind <= 6   ? QLatin1Char('y')
                              : kind <= 8 ? QLatin1Char('d')
                                          : QLatin1Char('M');
        picture.remove(dropped);
        // At most three pieces around the separators; the third counts only
        // when at least two characters follow the second separator.
        QStringList kept;
        const qsizetype first = separator.isEmpty() ? -1 : picture.indexOf(separator);
        if (first < 0) {
            kept << picture;
        } else {
            kept << picture.left(first);
            const qsizetype from = first + separator.size();
            const qsizetype second = picture.indexOf(separator, from);
            if (second < 0) {
                kept << picture.mid(from);
            } else {
                kept << picture.mid(from, second - from);
                const QString rest = picture.mid(second + separator.size());
                if (rest.size() >= 2) {
                    kept << rest;
                }
            }
        }
        kept.removeAll(QString());
        picture = kept.size() >= 2 ? kept[0] + separator + kept[1] : QString();
    }
    return picture.isEmpty() ? DateKindName(kind) : picture;
}

QString FormatDate(TimeStamp time, int kind) {
    if (!ValidDateKind(kind)) {
        return {};
    }
    const Platform& platform = Platform::Get();
    const RegionalSettings& regional = platform.GetRegional();
    const QString picture =
        PartialDatePicture(regional.Text(LocaleItem::ShortDate),
                           regional.Text(LocaleItem::DateSeparator, QStringLiteral("/")), kind);
    const QDate date = platform.GetClock().ToLocal(time).date();
    if (auto text = FormatDatePicture(date, picture, regional.User())) {
        return *text;
    }
    if (auto text = FormatDatePicture(date, picture, regional.System())) {
        return *text;
    }
    return FormatDateFixed(time, kind);
}

QString FormatDateFixed(TimeStamp time, int kind) {
    if (!ValidDateKind(kind)) {
        return {};
    }
    const Platform& platform = Platform::Get();
    const QDate date = platform.GetClock().ToLocal(time).date();
    return FormatDatePicture(date, QString::fromLatin1(kDateKinds[kind].fixed), LocaleInfo())
        .value_or(QString());
}

QString FormatTime(TimeStamp time, unsigned flags) {
    const Platform& platform = Platform::Get();
    const RegionalSettings& regional = platform.GetRegional();
    const QTime clockTime = platform.GetClock().ToLocal(time).time();
    for (const LocaleInfo* locale : {&regional.User(), &regional.System()}) {
        const QString format = locale->Text(LocaleItem::TimeFormat);
        if (format.isEmpty()) {
            continue;
        }
        if (auto text = FormatTimePicture(clockTime, ApplyTimeFlags(format, flags), *locale)) {
            return *text;
        }
    }
    return FormatTimeFixed(time, 1);
}

QString FormatTimeFixed(TimeStamp time, int kind) {
    if (kind < 0 || kind >= int(kFixedTimes.size())) {
        return {};
    }
    const QTime clockTime = Platform::Get().GetClock().ToLocal(time).time();
    return FormatTimePicture(clockTime, QString::fromLatin1(kFixedTimes[kind]), LocaleInfo())
        .value_or(QString());
}
