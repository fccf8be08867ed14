#pragma once

#include <QDate>
#include <QStringView>
#include <QTime>
#include <optional>

class LocaleInfo;

// The device's date and time pictures. Date fields: d, dd, ddd, dddd, M, MM,
// MMM, MMMM, y, yy, yyyy, g (era). Time fields: h, hh (12-hour), H, HH, m, mm,
// s, ss, t, tt (AM/PM). Text in single quotes is copied as it stands ('' is a
// quote); an unquoted "/" becomes the locale's date separator and an unquoted
// ":" its time separator; anything else is copied. Names and separators come
// from `locale`. Nothing comes back for an invalid date or time.
std::optional<QString> FormatDatePicture(const QDate& date, QStringView picture,
                                         const LocaleInfo& locale);
std::optional<QString> FormatTimePicture(const QTime& time, QStringView picture,
                                         const LocaleInfo& locale);

// The device's time-format flags.
enum TimeFormatFlag : unsigned {
    kTimeNoMinutesOrSeconds = 1,
    kTimeNoSeconds = 2,
    kTimeNoTimeMarker = 4,
    kTimeForce24HourFormat = 8,
};

// A time picture with the fields the flags leave out removed, together with
// the separator or blank that stood before each of them.
QString ApplyTimeFlags(QStringView picture, unsigned flags);
