#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

QJsonObject Json(const CliResult& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

// Runs a command that has to succeed and gives its JSON.
QJsonObject Succeed(const TestPlatform& platform, const QStringList& arguments) {
    const CliResult run = RunCli(platform, arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments.join(' ').toStdString() << ": "
                               << run.err.toStdString();
    return Json(run);
}

QJsonArray Records(const TestPlatform& platform, const QString& title) {
    const QString path = platform.Root() + "/Outlaysheet/" + title + ".xpf";
    return Succeed(platform, {"dump", path})["records"].toArray();
}

// A platform whose user has the shipped currency table, as after the first
// run: U.S. dollars at home with two decimals, euros at hand.
class InstalledPlatform : public TestPlatform {
public:
    InstalledPlatform() { Succeed(*this, {"init-data"}); }
};

}  // namespace

TEST(CliReports, AReportIsCreatedFilledSelectedAndTotalled) {
    InstalledPlatform platform;
    const QJsonObject created = Succeed(platform, {"new-report", "Oslo", "--location", "Oslo",
                                                   "--purpose", "Fair", "--cash-advance", "50"});
    EXPECT_EQ(created["title"].toString(), "Oslo");
    EXPECT_EQ(created["cashAdvance"].toDouble(), 50.0);
    EXPECT_EQ(created["totals"].toObject()["businessPaid"].toDouble(), 50.0);

    // Three nights of lodging are three expenses a day apart, dated from the
    // first night, with the report's location and purpose.
    const QJsonObject added =
        Succeed(platform,
                {"add-expense", "Oslo", "--category", "Lodging", "--amount", "120", "--date",
                 "2026-03-10T12:00:00Z", "--nights", "3", "--receipt", "--description", "Hotel"});
    EXPECT_EQ(added["added"].toInt(), 3);
    Succeed(platform, {"add-expense", "Oslo", "--category", "Lunch", "--amount", "40", "--date",
                       "2026-03-14T12:00:00Z", "--currency", "Euro (Germany)", "--rate", "0.8",
                       "--type", "2"});
    const QJsonArray records = Records(platform, "Oslo");
    ASSERT_EQ(records.size(), 4);
    for (int night = 0; night < 3; ++night) {
        const QJsonObject record = records[night].toObject();
        EXPECT_EQ(record["date"].toInteger(), 1773144000 + night * 86400) << night;
        EXPECT_EQ(record["amount"].toDouble(), 120.0);
        EXPECT_EQ(record["description"].toString(), "Hotel");
        EXPECT_EQ(record["location"].toString(), "Oslo");
        EXPECT_EQ(record["purpose"].toString(), "Fair");
        EXPECT_EQ(record["category"].toObject()["receipt"].toInt(), 1);
    }
    EXPECT_EQ(records[3].toObject()["currencyName"].toString(), "Euro (Germany)");
    EXPECT_EQ(records[3].toObject()["exchangeRate"].toDouble(), 0.8);

    const QJsonObject totals = Succeed(platform, {"totals", "Oslo"});
    EXPECT_EQ(totals["total"].toDouble(), 410.0);
    EXPECT_EQ(totals["reimbursable"].toDouble(), 360.0);
    EXPECT_EQ(totals["nonDeductible"].toDouble(), 50.0);
    EXPECT_EQ(totals["reimbursementDue"].toDouble(), 310.0);
    EXPECT_EQ(totals["businessPaid"].toDouble(), 50.0);

    // Amounts of 100 or more, narrowed to the days after the 10th; noon UTC is
    // on the same day in every zone the tests run in.
    QJsonObject selected =
        Succeed(platform, {"select", "Oslo", "--field", "3", "--op", "4", "--value", "100"});
    EXPECT_EQ(selected["selectedPositions"].toArray(), (QJsonArray{0, 1, 2}));
    selected = Succeed(platform, {"select", "Oslo", "--field", "0", "--op", "4", "--value",
                                  "2026-03-10", "--narrow"});
    EXPECT_EQ(selected["conditions"].toInt(), 2);
    EXPECT_EQ(selected["selectedPositions"].toArray(), (QJsonArray{1, 2}));
    const QString path = platform.Root() + "/Outlaysheet/Oslo.xpf";
    EXPECT_EQ(Succeed(platform, {"dump", path})["selectedPositions"].toArray(),
              (QJsonArray{1, 2}));
    selected = Succeed(platform, {"select", path, "--clear"});
    EXPECT_FALSE(selected["active"].toBool());
    EXPECT_TRUE(selected["selectedPositions"].toArray().isEmpty());

    const QJsonArray reports = Succeed(platform, {"reports"})["reports"].toArray();
    ASSERT_EQ(reports.size(), 1);
    const QJsonObject report = reports[0].toObject();
    EXPECT_EQ(report["title"].toString(), "Oslo");
    EXPECT_EQ(report["path"].toString(), path);
    EXPECT_EQ(report["location"].toString(), "Oslo");
    EXPECT_EQ(report["purpose"].toString(), "Fair");
    EXPECT_FALSE(report["submitted"].toBool());
    EXPECT_EQ(report["cashAdvance"].toDouble(), 50.0);
    EXPECT_EQ(report["totals"].toObject()["total"].toDouble(), 410.0);
}

TEST(CliReports, BadRequestsFailAndChangeNothing) {
    InstalledPlatform platform;
    Succeed(platform, {"new-report", "Oslo"});
    const QString path = platform.Root() + "/Outlaysheet/Oslo.xpf";
    const std::vector<CliRefusal> cases = {
        {"taken title", {"new-report", "Oslo"}, 1, "A file with the same name already exists"},
        {"title with a dot", {"new-report", "a.b"}, 1, "does not contain"},
        {"advance not a number",
         {"new-report", "Rome", "--cash-advance", "lots"},
         1,
         "--cash-advance \"lots\": A cash advance must be a number from"},
        {"unknown category",
         {"add-expense", "Oslo", "--category", "Yachts", "--amount", "1"},
         1,
         "no category"},
        {"no amount", {"add-expense", "Oslo", "--category", "Lunch"}, 2, "--amount"},
        {"rate without currency",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--rate", "2"},
         2,
         "go together"},
        {"unknown currency",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--currency", "Zorkmid",
          "--rate", "2"},
         1,
         "no currency"},
        {"nights of a lunch",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--nights", "2"},
         1,
         "per-night"},
        {"type out of range",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--type", "3"},
         1,
         "--type \"3\": The type must be a whole number from 0 to 2."},
        {"bad date",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--date", "soon"},
         1,
         "--date \"soon\": A date must be an ISO-8601 date"},
        // A file counts seconds from 1970 in 32 bits: days it cannot hold are
        // refused, never moved to the nearest it can.
        {"date before the files' days",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--date", "1900-12-15"},
         1,
         "A date must be a day from"},
        {"date after the files' days",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "1", "--date",
          "2200-12-15T12:00:00Z"},
         1,
         "A date must be a day from"},
        {"the last of three nights after the files' days",
         {"add-expense", "Oslo", "--category", "Lodging", "--amount", "1", "--date", "2106-02-04",
          "--nights", "3"},
         1,
         "A date must be a day from"},
        {"date condition before the files' days",
         {"select", "Oslo", "--field", "0", "--op", "4", "--value", "1969-12-31"},
         1,
         "A date must be a day from"},
        // 999.5 yen is within the bounds at that rate, but it is stored as
        // 1,000 yen, which is not.
        {"an amount beyond the bounds at home once rounded",
         {"add-expense", "Oslo", "--category", "Lunch", "--amount", "999.5", "--currency",
          "Japanese Yen", "--rate", "0.000000001"},
         1,
         "At this exchange rate the amount in the home currency would lie outside"},
        {"missing report",
         {"add-expense", "Rome", "--category", "Lunch", "--amount", "1"},
         1,
         "no report"},
        {"field out of range",
         {"select", "Oslo", "--field", "12", "--op", "1", "--value", "x"},
         1,
         "--field \"12\": The field must be a whole number from 0 to 11."},
        {"date condition not a date",
         {"select", "Oslo", "--field", "0", "--op", "4", "--value", "x"},
         1,
         "ISO-8601"},
        {"totals of nothing", {"totals"}, 2, "totals takes one report"},
    };
    ExpectRefused(platform, cases, path);
}

TEST(CliReports, AMileageTripDrivesOnFromTheLastOdometerReading) {
    InstalledPlatform platform;
    Succeed(platform, {"new-report", "Drive"});
    Succeed(platform, {"add-expense", "Drive", "--category", "Mileage", "--amount", "100"});
    Succeed(platform,
            {"add-expense", "Drive", "--category", "Mileage", "--amount", "20", "--receipt"});
    const QJsonArray records = Records(platform, "Drive");
    ASSERT_EQ(records.size(), 2);
    const QJsonObject second = records[1].toObject();
    EXPECT_EQ(second["odometerStart"].toDouble(), 100.0);
    EXPECT_EQ(second["odometerEnd"].toDouble(), 120.0);
    EXPECT_EQ(second["mileageRate"].toDouble(), 0.345);
    EXPECT_EQ(second["amount"].toDouble(), 6.9);
    EXPECT_EQ(second["category"].toObject()["receipt"].toInt(), 0);
    EXPECT_EQ(second["category"].toObject()["paidWith"].toObject()["name"].toString(), "None");
}
