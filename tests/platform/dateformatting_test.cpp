#include "platform/dateformatting.h"

#include <gtest/gtest.h>

#include "platform/datepicture.h"
#include "support/testplatform.h"

namespace {

// 2026-03-04 07:05:09 local time (UTC-05:00): single-digit fields show padding.
TimeStamp MorningOfMarch4() {
    return QDateTime(QDate(2026, 3, 4), QTime(7, 5, 9), TestTimeZone()).toSecsSinceEpoch();
}

LocaleInfo WithShortDate(const char* picture, const char* separator) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Set(LocaleItem::ShortDate, QString::fromLatin1(picture));
    locale.Set(LocaleItem::DateSeparator, QString::fromLatin1(separator));
    return locale;
}

}  // namespace

TEST(DateFormatting, KindsFromTheShortDatePicture) {
    struct Case {
        const char* shortDate;
        const char* separator;
        std::array<const char*, 11> expected;  // kinds 0 to 10
    } cases[] = {
        {"M/d/yyyy",
         "/",
         {"3/4/2026", "3/4/2026", "3/4/2026", "3/4/2026", "3/4/2026", "3/4", "3/4", "3/2026",
          "3/2026", "4/2026", "4/2026"}},
        {"dd.MM.yyyy",
         ".",
         {"04.03.2026", "04.03.2026", "04.03.2026", "04.03.2026", "04.03.2026", "04.03", "04.03",
          "03.2026", "03.2026", "04.2026", "04.2026"}},
        {"yyyy-MM-dd",
         "-",
         {"2026-03-04", "2026-03-04", "2026-03-04", "2026-03-04", "2026-03-04", "03-04", "03-04",
          "2026-03", "2026-03", "2026-04", "2026-04"}},
    };
    for (const Case& c : cases) {
        TestPlatform platform(WithShortDate(c.shortDate, c.separator));
        for (int kind = 0; kind <= 10; ++kind) {
            EXPECT_EQ(FormatDate(MorningOfMarch4(), kind), QString::fromLatin1(c.expected[kind]))
                << c.shortDate << " kind " << kind;
        }
    }
}

TEST(DateFormatting, PartialPictures) {
    // Kind 7 of "M/d/yyyy" is month and four-letter year.
    EXPECT_EQ(PartialDatePicture(QStringLiteral("M/d/yyyy"), QStringLiteral("/"), 7),
              QStringLiteral("M/yyyy"));
    EXPECT_EQ(PartialDatePicture(QStringLiteral("d/M/y"), QStringLiteral("/"), 5),
              QStringLiteral("d/M"));
    // One letter after the second separator is not a third piece.
    EXPECT_EQ(PartialDatePicture(QStringLiteral("M/d/y"), QStringLiteral("/"), 9),
              QStringLiteral("dd/yy"));
    // Fewer than two pieces: the picture is empty, so the kind's name is used.
    EXPECT_EQ(PartialDatePicture(QStringLiteral("yyyyMMdd"), QStringLiteral("/"), 7),
              QStringLiteral("MM/yy"));
    EXPECT_EQ(PartialDatePicture(QString(), QStringLiteral("/"), 0), QStringLiteral("MM/dd/yy"));
    EXPECT_EQ(PartialDatePicture(QStringLiteral("M/d/yyyy"), QStringLiteral("/"), 11), QString());
}

TEST(DateFormatting, EmptyShortDateUsesTheKindsName) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Clear(LocaleItem::ShortDate);
    TestPlatform platform(locale);
    EXPECT_EQ(FormatDate(MorningOfMarch4(), 0), QStringLiteral("03/04/26"));
    EXPECT_EQ(FormatDate(MorningOfMarch4(), 8), QStringLiteral("26/03"));
}

TEST(DateFormatting, FixedPicturesIgnoreTheLocale) {
    TestPlatform platform(WithShortDate("dd.MM.yyyy", "."));
    const char* expected[] = {"03/04/2026", "04/03/2026", "04/2026/03", "2026/04/03",
                              "2026/03/04", "03/04",      "04/03",      "03/2026",
                              "2026/03",    "04/2026",    "2026/04"};
    for (int kind = 0; kind <= 10; ++kind) {
        EXPECT_EQ(FormatDateFixed(MorningOfMarch4(), kind), QString::fromLatin1(expected[kind]));
    }
    EXPECT_EQ(FormatDateFixed(MorningOfMarch4(), -1), QString());
    EXPECT_EQ(FormatDateFixed(MorningOfMarch4(), 11), QString());
    EXPECT_EQ(FormatDate(MorningOfMarch4(), 11), QString());

    const char* times[] = {"07:05:09", "07:05", "05:09", "07", "05", "09"};
    for (int kind = 0; kind <= 5; ++kind) {
        EXPECT_EQ(FormatTimeFixed(MorningOfMarch4(), kind), QString::fromLatin1(times[kind]));
    }
    EXPECT_EQ(FormatTimeFixed(MorningOfMarch4(), 6), QString());
    EXPECT_EQ(FormatTimeFixed(MorningOfMarch4(), -1), QString());
}

TEST(DateFormatting, LocalTimeFollowsTheClocksZone) {
    TestPlatform platform;
    // 01:30 UTC on the 5th is still the 4th at UTC-05:00.
    const TimeStamp lateEvening =
        QDateTime(QDate(2026, 3, 5), QTime(1, 30), QTimeZone::utc()).toSecsSinceEpoch();
    EXPECT_EQ(FormatDate(lateEvening, 0), QStringLiteral("3/4/2026"));
    EXPECT_EQ(FormatTimeFixed(lateEvening, 1), QStringLiteral("20:30"));
}

TEST(DateFormatting, TimeWithTheDevicesFlags) {
    TestPlatform platform;
    const TimeStamp afternoon =
        QDateTime(QDate(2026, 3, 4), QTime(15, 5, 9), TestTimeZone()).toSecsSinceEpoch();
    EXPECT_EQ(FormatTime(afternoon, 0), QStringLiteral("3:05:09 PM"));
    EXPECT_EQ(FormatTime(afternoon, kTimeNoSeconds), QStringLiteral("3:05 PM"));
    EXPECT_EQ(FormatTime(afternoon, kTimeNoMinutesOrSeconds), QStringLiteral("3 PM"));
    EXPECT_EQ(FormatTime(afternoon, kTimeNoTimeMarker), QStringLiteral("3:05:09"));
    EXPECT_EQ(FormatTime(afternoon, kTimeForce24HourFormat | kTimeNoTimeMarker),
              QStringLiteral("15:05:09"));
    EXPECT_EQ(FormatTime(MorningOfMarch4(), kTimeNoSeconds), QStringLiteral("7:05 AM"));
}

TEST(DateFormatting, NoTimeFormatFallsBackToTheFixedPicture) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Clear(LocaleItem::TimeFormat);
    TestPlatform platform(locale);
    EXPECT_EQ(FormatTime(MorningOfMarch4(), 0), QStringLiteral("07:05"));
}

TEST(DatePicture, FieldsLiteralsAndSeparators) {
    LocaleInfo locale = UsEnglishLocale();
    locale.Set(LocaleItem::DateSeparator, QStringLiteral("-"));
    locale.Set(LocaleItem::TimeSeparator, QStringLiteral("."));
    const QDate date(2026, 3, 4);
    struct Case {
        const char16_t* picture;
        const char16_t* expected;
    } dates[] = {
        {u"d/M/yyyy", u"4-3-2026"},      // "/" follows the locale
        {u"dd'/'MM'/'yy", u"04/03/26"},  // quoted "/" does not
        {u"dddd, MMMM d, yyyy", u"Wednesday, March 4, 2026"},
        {u"ddd MMM y", u"Wed Mar 26"},
        {u"'day' d 'of' MMMM", u"day 4 of March"},
        {u"'it''s' d", u"it's 4"},
        {u"'open quote d", u"open quote d"},
        {u"", u""},
    };
    for (const Case& c : dates) {
        EXPECT_EQ(FormatDatePicture(date, QStringView(c.picture), locale),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.picture).toStdString();
    }
    const QTime time(0, 7, 3);
    EXPECT_EQ(FormatTimePicture(time, u"h:mm:ss tt", locale), QStringLiteral("12.07.03 AM"));
    EXPECT_EQ(FormatTimePicture(time, u"HH':'m t", locale), QStringLiteral("00:7 A"));
    EXPECT_FALSE(FormatDatePicture(QDate(), u"d", locale));
    EXPECT_FALSE(FormatTimePicture(QTime(), u"h", locale));
}
