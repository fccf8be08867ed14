#include "clock.h"

TimeStamp SystemClock::Now() const {
    return QDateTime::currentSecsSinceEpoch();
}

QDateTime SystemClock::ToLocal(TimeStamp time) const {
    return QDateTime::fromSecsSinceEpoch(time, Qt::LocalTime);
}

TimeStamp SystemClock::FromLocal(const QDate& date, const QTime& time) const {
    return QDateTime(date, time, Qt::LocalTime).toSecsSinceEpoch();
}

FixedClock::FixedClock(TimeStamp now, QTimeZone zone) : now_(now), zone_(std::move(zone)) {}

QDateTime FixedClock::ToLocal(TimeStamp time) const {
    return QDateTime::fromSecsSinceEpoch(time, zone_);
}

TimeStamp FixedClock::FromLocal(const QDate& date, const QTime& time) const {
    return QDateTime(date, time, zone_).toSecsSinceEpoch();
}
