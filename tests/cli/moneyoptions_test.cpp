#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include "money/moneybounds.h"
#include "report/reportbytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"
#include "support/tripplatform.h"

namespace {

using Kind = MoneyBounds::Kind;

const QString kFourHundredDigits = QString(400, QLatin1Char('9'));

QString ReportFile(const TestPlatform& platform, const QString& title) {
    return platform.Root() + "/Outlaysheet/" + title + ".xpf";
}

// Every number a JSON text holds is a number: no null, no text in its place.
void ExpectNoNull(const CliResult& run) {
    EXPECT_FALSE(run.out.contains("null")) << run.out.toStdString();
}

}  // namespace

TEST(CliMoneyOptions, ValuesAtTheBoundsAreTakenAndBeyondThemRefusedWithTheBounds) {
    struct Case {
        const char* option;
        const char* value;
        std::optional<Kind> refused;  // the bounds named, or nothing when taken
    } cases[] = {
        {"--amount", "999999999999.99", std::nullopt},
        {"--amount", "-999999999999.99", std::nullopt},
        {"--amount", "999999999999.98", std::nullopt},
        {"--amount", "1e-300", std::nullopt},  // within the bounds: 0.00
        {"--amount", "1000000000000", Kind::kAmount},
        {"--amount", "-999999999999.999", Kind::kAmount},
        {"--amount", "1e308", Kind::kAmount},
        {"--amount", "nan", Kind::kAmount},
        {"--amount", "inf", Kind::kAmount},
        {"--amount", "-inf", Kind::kAmount},
        {"--rate", "0.000000001", std::nullopt},
        {"--rate", "0.000000002", std::nullopt},
        {"--rate", "1000000000", std::nullopt},
        {"--rate", "999999999.5", std::nullopt},
        {"--rate", "0.0000000009", Kind::kRate},
        {"--rate", "1000000000.5", Kind::kRate},
        {"--rate", "0", Kind::kRate},
        {"--rate", "-0.9", Kind::kRate},
        {"--rate", "1e-300", Kind::kRate},
        {"--rate", "1e308", Kind::kRate},
        {"--rate", "nan", Kind::kRate},
        {"--rate", "inf", Kind::kRate},
        {"--rate", "-inf", Kind::kRate},
        {"--cash-advance", "999999999999.99", std::nullopt},
        {"--cash-advance", "-999999999999.99", std::nullopt},
        {"--cash-advance", "1000000000000", Kind::kCashAdvance},
        {"--cash-advance", "-1e308", Kind::kCashAdvance},
        {"--cash-advance", "nan", Kind::kCashAdvance},
        {"--cash-advance", "inf", Kind::kCashAdvance},
        {"--cash-advance", "-inf", Kind::kCashAdvance},
    };
    TripPlatform platform;
    const QString trip = ReportFile(platform, "Trip");
    int reports = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.option) + " " + c.value);
        const QString option = QString::fromLatin1(c.option);
        const QByteArray before = ReadFileBytes(trip);
        QStringList arguments;
        if (option == "--cash-advance") {
            arguments = {"new-report", QStringLiteral("Advance%1").arg(reports), option, c.value};
        } else if (option == "--rate") {
            arguments = {"add-expense", "Trip",       "--category",     "Lunch", "--amount",
                         "1",           "--currency", "Euro (Germany)", option,  c.value};
        } else {
            arguments = {"add-expense", "Trip", "--category", "Lunch", option, c.value};
        }
        const CliResult run = RunCli(platform, arguments);
        ExpectNoNull(run);
        if (!c.refused) {
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
            reports += option == "--cash-advance" ? 1 : 0;
            continue;
        }
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(MoneyBounds::Message(*c.refused))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(ReadFileBytes(trip), before);
        EXPECT_EQ(QDir(platform.Root() + "/Outlaysheet").entryList({"*.xpf"}).size(), reports);
    }
    const CliResult totals = RunCli(platform, {"totals", "Trip"});
    EXPECT_EQ(totals.exitCode, 0);
    ExpectNoNull(totals);
}

TEST(CliMoneyOptions, NumbersTooLongForADoubleAndAmountsThatOverflowAtHomeAreRefused) {
    TripPlatform platform;
    const QString trip = ReportFile(platform, "Trip");
    const QByteArray before = ReadFileBytes(trip);
    struct Case {
        const char* name;
        QStringList arguments;
        QString message;
    } cases[] = {
        {"a 400-digit amount",
         {"add-expense", "Trip", "--category", "Lunch", "--amount", kFourHundredDigits},
         MoneyBounds::Message(Kind::kAmount)},
        {"a 400-digit rate",
         {"add-expense", "Trip", "--category", "Lunch", "--amount", "1", "--currency",
          "Euro (Germany)", "--rate", kFourHundredDigits},
         MoneyBounds::Message(Kind::kRate)},
        {"a 400-digit cash advance",
         {"new-report", "Huge", "--cash-advance", "-" + kFourHundredDigits},
         MoneyBounds::Message(Kind::kCashAdvance)},
        {"an amount at home beyond the bounds",
         {"add-expense", "Trip", "--category", "Lunch", "--amount", "999999999999", "--currency",
          "Euro (Germany)", "--rate", "0.5"},
         MoneyBounds::HomeAmountMessage()},
        {"the smallest rate on a large amount",
         {"add-expense", "Trip", "--category", "Lunch", "--amount", "1001", "--currency",
          "Euro (Germany)", "--rate", "0.000000001"},
         MoneyBounds::HomeAmountMessage()},
        {"a distance beyond an odometer",
         {"add-expense", "Trip", "--category", "Mileage", "--amount", "100000000"},
         MoneyBounds::Message(Kind::kDistance)},
        {"a negative distance",
         {"add-expense", "Trip", "--category", "Mileage", "--amount", "-5"},
         MoneyBounds::Message(Kind::kDistance)},
        {"an amount condition that is no number",
         {"select", "Trip", "--field", "3", "--op", "4", "--value", "nan"},
         MoneyBounds::Message(Kind::kAmount)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(ReadFileBytes(trip), before);
    }
    EXPECT_FALSE(QFile::exists(ReportFile(platform, "Huge")));

    // A trip may end at the highest reading, and the next cannot go on.
    ASSERT_EQ(RunCli(platform,
                     {"add-expense", "Trip", "--category", "Mileage", "--amount", "99999999.9"})
                  .exitCode,
              0);
    const QByteArray full = ReadFileBytes(trip);
    const CliResult next =
        RunCli(platform, {"add-expense", "Trip", "--category", "Mileage", "--amount", "1"});
    EXPECT_NE(next.exitCode, 0);
    EXPECT_TRUE(next.err.contains(MoneyBounds::OdometerEndMessage())) << next.err.toStdString();
    EXPECT_EQ(ReadFileBytes(trip), full);
}

TEST(CliMoneyOptions, ADamagedPreferencesFileIsKeptAsideAndTheUserTold) {
    struct Case {
        const char* name;
        QByteArray file;
    } cases[] = {
        {"a newer version", Hex("0a00000002000000 0000000000000840 00000000")},
        {"a wrong type", Hex("0b00000001000000 0000000000000840 00000000")},
        {"a bad count for the unit", Hex("0a00000001000000 0000000000000840 ffffff7f")},
        {"cut short", Hex("0a00000001000000 00000000")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TripPlatform platform;
        const QString path = platform.Root() + "/Outlaysheet/Data/Preferences.dat";
        ASSERT_TRUE(WriteFileBytes(path, c.file));
        const CliResult run = RunCli(platform, {"totals", "Trip"});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains("Preferences.dat.unreadable")) << run.err.toStdString();
        EXPECT_EQ(ReadFileBytes(path + ".unreadable"), c.file);
        EXPECT_EQ(ReadFileBytes(path), Hex("0a00000001000000 14ae47e17a14d63f 01000000"));
    }
}

// One damaged expense no longer locks its report: the tool opens the rest,
// says where the damaged one is kept, and goes on working with the report.
TEST(CliMoneyOptions, ADamagedExpenseIsSetAsideAndTheReportStaysUsable) {
    TripPlatform platform;
    QByteArray damaged = SampleReport(2);
    // The lunch's amount is no number.
    const QByteArray nan = Hex("000000000000f87f");
    damaged.replace(damaged.indexOf(Hex("0000000000005440 9a9999999999e93f")), 8, nan);
    const QString path = ReportFile(platform, "Damaged");
    ASSERT_TRUE(WriteFileBytes(path, damaged));
    const CliResult totals = RunCli(platform, {"totals", "Damaged"});
    EXPECT_EQ(totals.exitCode, 0) << totals.err.toStdString();
    ExpectNoNull(totals);
    // The trip of 30.00 alone.
    EXPECT_EQ(QJsonDocument::fromJson(totals.out.toUtf8()).object()["total"].toDouble(), 30.0);
    EXPECT_TRUE(totals.err.contains(
        QStringLiteral("1 expense in Damaged holds values no expense can have and was left out "
                       "of the report. It is kept, byte for byte, in %1.damaged.")
            .arg(path)))
        << totals.err.toStdString();
    const QByteArray kept = ReadFileBytes(path + ".damaged");
    EXPECT_TRUE(kept.startsWith(Hex("06000000 02000000")));
    EXPECT_TRUE(kept.contains(nan + Hex("9a9999999999e93f")));
    EXPECT_TRUE(
        RunCli(platform, {"add-expense", "Damaged", "--category", "Lunch", "--amount", "5"})
            .err.isEmpty());
    const CliResult again = RunCli(platform, {"totals", "Damaged"});
    EXPECT_EQ(QJsonDocument::fromJson(again.out.toUtf8()).object()["total"].toDouble(), 35.0);
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
    const CliResult reports = RunCli(platform, {"reports"});
    EXPECT_EQ(reports.exitCode, 0);
    ExpectNoNull(reports);
}

TEST(CliMoneyOptions, ACurrencyTableClaimingMillionsOfDigitsIsKeptAsideAndTotalsStayNumbers) {
    TripPlatform platform;
    ASSERT_EQ(RunCli(platform, {"add-expense", "Trip", "--category", "Lunch", "--amount", "12.50"})
                  .exitCode,
              0);
    const QString trip = ReportFile(platform, "Trip");
    const QByteArray before = ReadFileBytes(trip);
    const QByteArray table = HugeDigitsCurrencyTable();
    const QString tablePath = platform.Root() + "/Outlaysheet/Data/CurrencyTable.dat";
    ASSERT_TRUE(WriteFileBytes(tablePath, table));
    const CliResult run = RunCli(platform, {"totals", "Trip"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectNoNull(run);
    EXPECT_EQ(QJsonDocument::fromJson(run.out.toUtf8()).object()["total"].toDouble(), 12.5);
    EXPECT_TRUE(run.err.contains("CurrencyTable.dat.unreadable")) << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(tablePath + ".unreadable"), table);
    EXPECT_EQ(ReadFileBytes(trip), before);
}
