#pragma once

#include <QDateTime>
#include <QTimeZone>

// Seconds since 1970-01-01 00:00:00 UTC, the unit of every stored time stamp.
using TimeStamp = qint64;

// The current time and the local time zone. Calendar fields of stored time
// stamps are always converted through the clock, so a test that fixes the
// clock fixes both.
class Clock {
public:
    virtual ~Clock() = default;

    virtual TimeStamp Now() const = 0;
    // The time stamp as a local date and time.
    virtual QDateTime ToLocal(TimeStamp time) const = 0;
    // A local date and time as a time stamp.
    virtual TimeStamp FromLocal(const QDate& date, const QTime& time) const = 0;

    QDateTime LocalNow() const { return ToLocal(Now()); }
};

// The machine's clock; local time follows TZ.
class SystemClock : public Clock {
public:
    TimeStamp Now() const override;
    QDateTime ToLocal(TimeStamp time) const override;
    TimeStamp FromLocal(const QDate& date, const QTime& time) const override;
};

// A clock that stands still until told to move, in a zone of the caller's
// choosing.
class FixedClock : public Clock {
public:
    FixedClock(TimeStamp now, QTimeZone zone);

    TimeStamp Now() const override { return now_; }
    QDateTime ToLocal(TimeStamp time) const override;
    TimeStamp FromLocal(const QDate& date, const QTime& time) const override;

    void Set(TimeStamp now) { now_ = now; }
    void Advance(qint64 seconds) { now_ += seconds; }

private:
    TimeStamp now_;
    QTimeZone zone_;
};
