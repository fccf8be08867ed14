#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "money/moneybounds.h"
#include "report/reportbytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

using Kind = MoneyBounds::Kind;

// A user after the first run, at home in dollars, with an empty report "Trip".
class TripPlatform : public TestPlatform {
public:
    TripPlatform() {
        EXPECT_EQ(RunCli(*this, {"init-data"}).exitCode, 0);
        EXPECT_EQ(RunCli(*this, {"new-report", "Trip"}).exitCode, 0);
    }
    QString Trip() const { return Root() + "/Outlaysheet/Trip.xpf"; }
};

QStringList DinnerInEuros(const QString& amount, const QStringList& more) {
    return QStringList{"add-expense", "Trip", "--category", "Dinner",
                       "--amount",    amount, "--currency", "Euro (Germany)"} +
           more;
}

// The expenses of a report file as the tool dumps them.
QJsonArray Expenses(const TestPlatform& platform, const QString& path) {
    const CliResult dump = RunCli(platform, {"dump", path});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    return QJsonDocument::fromJson(dump.out.toUtf8()).object().value("records").toArray();
}

}  // namespace

TEST(CliCharged, TheChargeAtHomeGivesTheExpenseItsRate) {
    TripPlatform platform;
    const CliResult run =
        RunCli(platform, DinnerInEuros("45", {"--charged", "52.33", "--description", "Dinner"}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject totals =
        QJsonDocument::fromJson(run.out.toUtf8()).object().value("totals").toObject();
    EXPECT_DOUBLE_EQ(totals.value("total").toDouble(), 52.33);
    const QJsonArray expenses = Expenses(platform, platform.Trip());
    ASSERT_EQ(expenses.size(), 1);
    EXPECT_NEAR(expenses[0].toObject().value("exchangeRate").toDouble(), 0.8599273839, 1e-10);
}

TEST(CliCharged, ABadChargeIsRefusedAndChangesNothing) {
    TripPlatform platform;
    const QByteArray before = ReadFileBytes(platform.Trip());
    const QString rateBounds = MoneyBounds::Message(Kind::kRate);
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        QString message;
    } cases[] = {
        {"a charge of nothing", DinnerInEuros("45", {"--charged", "0"}), 1, rateBounds},
        {"a charge of the other sign", DinnerInEuros("45", {"--charged", "-52.33"}), 1,
         rateBounds},
        {"a charge that is no number", DinnerInEuros("45", {"--charged", "lots"}), 1,
         MoneyBounds::Message(Kind::kAmount)},
        {"a charge beyond an amount", DinnerInEuros("45", {"--charged", "1e13"}), 1,
         MoneyBounds::Message(Kind::kAmount)},
        // 1 / 1e-12 and 1e12-ish / 0.01 are no rates.
        {"a rate too large", DinnerInEuros("1", {"--charged", "0.000000000001"}), 1, rateBounds},
        {"a rate too small", DinnerInEuros("0.01", {"--charged", "999999999999"}), 1, rateBounds},
        {"both a rate and a charge", DinnerInEuros("45", {"--charged", "52.33", "--rate", "1"}), 2,
         "--rate and --charged exclude each other"},
        {"a charge without a currency",
         {"add-expense", "Trip", "--category", "Dinner", "--amount", "45", "--charged", "52"},
         2,
         "--currency and --charged go together"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(ReadFileBytes(platform.Trip()), before);
    }
}
