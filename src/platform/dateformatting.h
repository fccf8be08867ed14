#pragma once

#include <QString>

#include "clock.h"

// Dates and times as the lists, the slip, the totals and the log show them.
// They read the current platform's regional settings and clock.

// Date kinds 0 to 10: the locale's short-date picture (kinds 0 to 4) or a
// part of it without the year (5, 6), the day (7, 8) or the month (9, 10).
QString FormatDate(TimeStamp time, int kind);
// The fixed picture of a kind ("MM'/'dd'/'yyyy" for 0); empty for a kind
// outside 0 to 10.
QString FormatDateFixed(TimeStamp time, int kind);
// The locale's time format with the device's time flags (datepicture.h).
QString FormatTime(TimeStamp time, unsigned flags);
// The fixed picture of a time kind ("HH':'mm':'ss" for 0); empty outside 0 to 5.
QString FormatTimeFixed(TimeStamp time, int kind);

// The name of a date kind ("MM/dd/yy" for 0), empty outside 0 to 10.
QString DateKindName(int kind);
// The picture FormatDate uses for a kind, given the short-date picture and
// the date separator.
QString PartialDatePicture(const QString& shortDate, const QString& separator, int kind);
