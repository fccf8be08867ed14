#include <gtest/gtest.h>

#include <QTimeZone>

#include "archive/storeddays.h"
#include "support/testplatform.h"

// Every moment of every day taken, in every zone from UTC-12 to UTC+14, is a
// time the file's unsigned 32-bit seconds can hold; the days just outside
// are not taken, so a date is never moved on its way into a file.
TEST(StoredDays, EveryMomentOfEveryDayTakenFitsTheFilesTimeInEveryZone) {
    constexpr qint64 kLastSecond = 0xFFFFFFFFLL;
    for (int hours : {-12, -5, 0, 5, 14}) {
        SCOPED_TRACE(hours);
        const QTimeZone zone(hours * 3600);
        const qint64 first = QDateTime(StoredDays::First(), QTime(0, 0), zone).toSecsSinceEpoch();
        const qint64 last =
            QDateTime(StoredDays::Last(), QTime(23, 59, 59), zone).toSecsSinceEpoch();
        EXPECT_GE(first, 0);
        EXPECT_LE(last, kLastSecond);
    }
    EXPECT_LT(QDateTime(StoredDays::First().addDays(-1), QTime(0, 0), QTimeZone(14 * 3600))
                  .toSecsSinceEpoch(),
              0);
    EXPECT_GT(QDateTime(StoredDays::Last().addDays(1), QTime(23, 59, 59), QTimeZone(-12 * 3600))
                  .toSecsSinceEpoch(),
              kLastSecond);
}

TEST(StoredDays, DaysAndTimesOutsideAreRefusedWithTheRangeInTheDevicesShortDate) {
    TestPlatform platform;
    struct Case {
        QDate day;
        bool taken;
    } cases[] = {
        {QDate(1970, 1, 1), false},   {QDate(1970, 1, 2), true},  {QDate(2026, 12, 8), true},
        {QDate(2106, 2, 5), true},    {QDate(2106, 2, 6), false}, {QDate(1900, 12, 15), false},
        {QDate(2200, 12, 15), false}, {QDate(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        EXPECT_EQ(StoredDays::Contains(c.day), c.taken);
        if (c.day.isValid()) {
            const TimeStamp noon = platform.Clock().FromLocal(c.day, QTime(12, 0));
            EXPECT_EQ(StoredDays::ContainsStamp(noon), c.taken);
        }
    }
    EXPECT_FALSE(StoredDays::ContainsStamp(-1));
    EXPECT_FALSE(StoredDays::ContainsStamp(0x100000000LL));
    EXPECT_EQ(StoredDays::Message(),
              QStringLiteral("A date must be a day from 1/2/1970 to 2/5/2106."));
}
