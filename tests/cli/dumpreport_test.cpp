#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "report/reportbytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

QJsonObject Dump(const TestPlatform& platform, const QString& path, int exitCode = 0) {
    const CliResult run = RunCli(platform, {"dump", path});
    EXPECT_EQ(run.exitCode, exitCode) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

}  // namespace

TEST(CliDumpReport, EveryPartOfAReport) {
    TestPlatform platform;
    const QString path = platform.Path("Berlin.xpf");
    ASSERT_TRUE(WriteFileBytes(path, SampleReport(2)));
    const QJsonObject report = Dump(platform, path);

    EXPECT_EQ(report["fileType"].toInt(), 6);
    EXPECT_EQ(report["fileVersion"].toInt(), 2);
    EXPECT_EQ(report["cashAdvance"].toDouble(), 50.0);
    const QJsonObject totals = report["totals"].toObject();
    EXPECT_EQ(totals["total"].toDouble(), 130.0);
    EXPECT_EQ(totals["reimbursementDue"].toDouble(), 80.0);
    EXPECT_EQ(totals["businessPaid"].toDouble(), 50.0);
    EXPECT_EQ(totals["deductible"].toDouble(), 0.0);
    EXPECT_EQ(totals["nonDeductible"].toDouble(), 0.0);
    EXPECT_EQ(totals["reimbursable"].toDouble(), 130.0);
    EXPECT_EQ(report["location"].toString(), "Berlin");
    EXPECT_EQ(report["purpose"].toString(), "Kickoff");
    EXPECT_EQ(report["submitted"].toBool(), true);
    EXPECT_EQ(report["reimbursed"].toBool(), false);

    const QJsonArray records = report["records"].toArray();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject lunch = records[0].toObject();
    const QJsonObject category = lunch["category"].toObject();
    EXPECT_EQ(category["index"].toInt(), 2);
    EXPECT_EQ(category["name"].toString(), "Lunch");
    EXPECT_EQ(category["receipt"].toInt(), 1);
    EXPECT_EQ(category["classification"].toObject()["name"].toString(), "Client1");
    EXPECT_EQ(category["expenseType"].toObject()["typeCode"].toInt(), 0);
    EXPECT_EQ(category["paidWith"].toObject()["paymentType"].toInt(), 0);
    EXPECT_EQ(lunch["date"].toInteger(), kLunchTime);
    EXPECT_EQ(lunch["description"].toString(), "Team lunch");
    EXPECT_EQ(lunch["amount"].toDouble(), 80.0);
    EXPECT_EQ(lunch["exchangeRate"].toDouble(), 0.8);
    EXPECT_EQ(lunch["currencyName"].toString(), "Euro");
    EXPECT_EQ(lunch["contacts"].toString(), "Ann, Bob");
    const QJsonObject trip = records[1].toObject();
    EXPECT_EQ(trip["odometerStart"].toDouble(), 1000.0);
    EXPECT_EQ(trip["odometerEnd"].toDouble(), 1090.0);
    EXPECT_EQ(trip["mileageRate"].toDouble(), 0.333);
    EXPECT_EQ(trip["reserved"].toInt(), 7);

    EXPECT_EQ(report["sortField"].toInt(), 0);
    EXPECT_EQ(report["sortDirection"].toInt(), 1);
    const QJsonObject query = report["query"].toObject();
    EXPECT_EQ(query["active"].toBool(), true);
    const QJsonArray conditions = query["conditions"].toArray();
    ASSERT_EQ(conditions.size(), 2);
    EXPECT_EQ(conditions[0].toObject(),
              QJsonObject({{"valueKind", 1}, {"fieldCode", 2}, {"op", 5}, {"textValue", "Air"}}));
    EXPECT_EQ(conditions[1].toObject(),
              QJsonObject(
                  {{"valueKind", 3}, {"fieldCode", 0}, {"op", 4}, {"dateValue", kConditionDate}}));
    EXPECT_EQ(report["selectedPositions"].toArray(), QJsonArray({1}));
}

TEST(CliDumpReport, OlderAndDamagedReports) {
    TestPlatform platform;
    const QString path = platform.Path("Berlin.xpf");

    // Version 1: the trip's rate is computed from its amount and distance.
    WriteFileBytes(path, SampleReport(1));
    QJsonObject report = Dump(platform, path);
    EXPECT_EQ(report["fileVersion"].toInt(), 1);
    EXPECT_EQ(report["records"].toArray()[1].toObject()["mileageRate"].toDouble(), 0.333);

    // A position beyond the records.
    QByteArray beyond = SampleReport(2);
    beyond.chop(6);
    WriteFileBytes(path, beyond + Hex("0200 05000000 01000000"));
    report = Dump(platform, path);
    EXPECT_EQ(report["selectedPositions"].toArray(), QJsonArray({QJsonValue(), 1}));

    // Cut off inside the first record.
    WriteFileBytes(path, SampleReport(2).left(400));
    const CliResult run = RunCli(platform, {"dump", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("Unexpected file format."));
}
