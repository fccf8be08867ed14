#include "datepicture.h"

#include <QLocale>

#include "localeinfo.h"

namespace {

// Walks a picture: literal text (quoted or not) and runs of one field letter.
template <typename OnField, typename OnLiteral>
void Walk(QStringView picture, QStringView fieldLetters, OnField onField, OnLiteral onLiteral) {
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == QLatin1Char('\'')) {
            QString text;
            ++i;
            while (i < picture.size()) {
                if (picture[i] == QLatin1Char('\'')) {
                    if (i + 1 < picture.size() && picture[i + 1] == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += picture[i++];
            }
            onLiteral(text, true);
        } else if (fieldLetters.contains(c)) {
            qsizetype run = 1;
            while (i + run < picture.size() && picture[i + run] == c) {
                ++run;
            }
            onField(c, static_cast<int>(run));
            i += run;
        } else {
            onLiteral(QString(c), false);
            ++i;
        }
    }
}

QString Padded(int number, int width) {
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

QString MonthName(const LocaleInfo& locale, int month, bool abbreviated) {
    const QString fallback =
        QLocale::c().monthName(month, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat);
    return locale.Text(MonthNameItem(month, abbreviated), fallback);
}

QString DayName(const LocaleInfo& locale, int day, bool abbreviated) {
    const QString fallback =
        QLocale::c().dayName(day, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat);
    return locale.Text(DayNameItem(day, abbreviated), fallback);
}

}  // namespace

std::optional<QString> FormatDatePicture(const QDate& date, QStringView picture,
                                         const LocaleInfo& locale) {
    if (!date.isValid()) {
        return std::nullopt;
    }
    const QString separator = locale.Text(LocaleItem::DateSeparator, QStringLiteral("/"));
    QString result;
    Walk(
        picture, u"dMyg",
        [&](QChar letter, int run) {
            switch (letter.unicode()) {
                case 'd':
                    if (run <= 2) {
                        result += Padded(date.day(), run);
                    } else {
                        result += DayName(locale, date.dayOfWeek(), run == 3);
                    }
                    break;
                case 'M':
                    if (run <= 2) {
                        result += Padded(date.month(), run);
                    } else {
                        result += MonthName(locale, date.month(), run == 3);
                    }
                    break;
                case 'y':
                    if (run <= 2) {
                        result += Padded(std::abs(date.year()) % 100, run);
                    } else {
                        result += QString::number(date.year());
                    }
                    break;
                default:
                    result += date.year() > 0 ? QStringLiteral("A.D.") : QStringLiteral("B.C.");
                    break;
            }
        },
        [&](const QString& text, bool quoted) {
            result += (!quoted && text == QLatin1String("/")) ? separator : text;
        });
    return result;
}

std::optional<QString> FormatTimePicture(const QTime& time, QStringView picture,
                                         const LocaleInfo& locale) {
    if (!time.isValid()) {
        return std::nullopt;
    }
    const QString separator = locale.Text(LocaleItem::TimeSeparator, QStringLiteral(":"));
    const QString marker = time.hour() < 12
                               ? locale.Text(LocaleItem::AmSymbol, QStringLiteral("AM"))
                               : locale.Text(LocaleItem::PmSymbol, QStringLiteral("PM"));
    QString result;
    Walk(
        picture, u"hHmst",
        [&](QChar letter, int run) {
            const int width = std::min(run, 2);
            switch (letter.unicode()) {
                case 'h': {
                    const int hour = time.hour() % 12;
                    result += Padded(hour == 0 ? 12 : hour, width);
                    break;
                }
                case 'H':
                    result += Padded(time.hour(), width);
                    break;
                case 'm':
                    result += Padded(time.minute(), width);
                    break;
                case 's':
                    result += Padded(time.second(), width);
                    break;
                default:
                    result += run == 1 ? marker.left(1) : marker;
                    break;
            }
        },
        [&](const QString& text, bool quoted) {
            result += (!quoted && text == QLatin1String(":")) ? separator : text;
        });
    return result;
}

QString ApplyTimeFlags(QStringView picture, unsigned flags) {
    // Pieces of the picture in order; a dropped field takes the literal text
    // between it and the field before it along.
    QString result;
    QString pendingLiteral;
    bool anyField = false;
    bool lastDropped = false;
    Walk(
        picture, u"hHmst",
        [&](QChar letter, int run) {
            const bool drop = ((flags & kTimeNoMinutesOrSeconds) &&
                               (letter == QLatin1Char('m') || letter == QLatin1Char('s'))) ||
                              ((flags & kTimeNoSeconds) && letter == QLatin1Char('s')) ||
                              ((flags & kTimeNoTimeMarker) && letter == QLatin1Char('t'));
            lastDropped = drop;
            if (drop) {
                pendingLiteral.clear();
                return;
            }
            QChar shown = letter;
            if ((flags & kTimeForce24HourFormat) && letter == QLatin1Char('h')) {
                shown = QLatin1Char('H');
            }
            result += pendingLiteral;
            pendingLiteral.clear();
            result += QString(run, shown);
            anyField = true;
        },
        [&](const QString& text, bool quoted) {
            QString piece = text;
            if (quoted) {
                piece.replace(QLatin1String("'"), QLatin1String("''"));
                piece = QLatin1Char('\'') + piece + QLatin1Char('\'');
            }
            if (anyField) {
                pendingLiteral += piece;
            } else {
                result += piece;
            }
        });
    if (!lastDropped) {
        result += pendingLiteral;
    }
    return result;
}
