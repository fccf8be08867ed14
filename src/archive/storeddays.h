#pragma once

#include <QDate>
#include <QString>

#include "platform/clock.h"

// The days a stored date can name. A file keeps a time as an unsigned 32-bit
// count of seconds since 1970-01-01 UTC, which ends on 2106-02-07; a day is
// taken only when every moment of it, in every time zone (UTC-12 to UTC+14),
// falls inside that count, so a date never moves on its way into a file.
class StoredDays {
public:
    static QDate First();
    static QDate Last();

    // Whether `day` is a valid day from First to Last.
    static bool Contains(const QDate& day);
    // Whether `stamp` can be stored and falls on such a day in local time.
    static bool ContainsStamp(TimeStamp stamp);

    // The message for a day outside them; it names First and Last in the
    // device's short date.
    static QString Message();
    // The device's short-date picture, as the date fields show dates.
    static QString Picture();
};
