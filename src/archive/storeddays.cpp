#include "archive/storeddays.h"

#include "platform/platform.h"
#include "platform/regionalsettings.h"

namespace {

// 1970-01-02 00:00 at UTC+14 is 1970-01-01 10:00 UTC; 2106-02-05 23:59:59 at
// UTC-12 is 2106-02-06 11:59:59 UTC, before the count ends at 06:28:15 UTC
// on the 7th. A day later would not fit west of UTC-6.
constexpr int kFirst[] = {1970, 1, 2};
constexpr int kLast[] = {2106, 2, 5};
constexpr TimeStamp kLastStamp = 0xFFFFFFFFLL;

}  // namespace

QDate StoredDays::First() {
    return QDate(kFirst[0], kFirst[1], kFirst[2]);
}

QDate StoredDays::Last() {
    return QDate(kLast[0], kLast[1], kLast[2]);
}

bool StoredDays::Contains(const QDate& day) {
    return day.isValid() && day >= First() && day <= Last();
}

bool StoredDays::ContainsStamp(TimeStamp stamp) {
    return stamp >= 0 && stamp <= kLastStamp &&
           Contains(Platform::Get().GetClock().ToLocal(stamp).date());
}

QString StoredDays::Message() {
    // A two-digit year would leave the reader to guess the century.
    QString picture = Picture();
    if (!picture.contains(QLatin1String("yyyy"))) {
        picture.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    }
    return QStringLiteral("A date must be a day from %1 to %2.")
        .arg(First().toString(picture), Last().toString(picture));
}

QString StoredDays::Picture() {
    return Platform::Get().GetRegional().Text(LocaleItem::ShortDate, QStringLiteral("M/d/yyyy"));
}
