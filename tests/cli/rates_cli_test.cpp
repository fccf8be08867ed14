#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <vector>

#include "money/moneybounds.h"
#include "report/reportbytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"
#include "support/tripplatform.h"

namespace {

using Kind = MoneyBounds::Kind;

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
    const QString rateBounds = MoneyBounds::Message(Kind::kRate);
    ExpectRefused(
        platform,
        {
            {"a charge of nothing", DinnerInEuros("45", {"--charged", "0"}), 1, rateBounds},
            {"a charge of the other sign", DinnerInEuros("45", {"--charged", "-52.33"}), 1,
             rateBounds},
            {"a charge that is no number", DinnerInEuros("45", {"--charged", "lots"}), 1,
             MoneyBounds::Message(Kind::kAmount)},
            {"a charge beyond an amount", DinnerInEuros("45", {"--charged", "1e13"}), 1,
             MoneyBounds::Message(Kind::kAmount)},
            // 1 / 1e-12 and 1e12-ish / 0.01 are no rates.
            {"a rate too large", DinnerInEuros("1", {"--charged", "0.000000000001"}), 1,
             rateBounds},
            {"a rate too small", DinnerInEuros("0.01", {"--charged", "999999999999"}), 1,
             rateBounds},
            {"both a rate and a charge",
             DinnerInEuros("45", {"--charged", "52.33", "--rate", "1"}), 2,
             "--rate and --charged exclude each other"},
            {"a charge without a currency",
             {"add-expense", "Trip", "--category", "Dinner", "--amount", "45", "--charged", "52"},
             2,
             "--currency and --charged go together"},
        },
        platform.Trip());
}

namespace {

QString WriteFile(const TestPlatform& platform, const QString& name, const QByteArray& bytes) {
    const QString path = platform.Path(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

QString TablePath(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/CurrencyTable.dat";
}

}  // namespace

TEST(CliRates, UpdateFromAFileStoresTheRatesAgainstTheHomeCurrency) {
    TripPlatform platform;
    const CliResult run =
        RunCli(platform, {"rates", "update", "--file", QStringLiteral(OUTLAYSHEET_RATES_SAMPLE)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject output = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(output.value("date").toString(), QStringLiteral("2026-12-04"));
    EXPECT_EQ(output.value("homeCurrency").toString(), QStringLiteral("U.S. Dollars"));
    double euro = 0;
    for (const QJsonValue& rate : output.value("rates").toArray()) {
        if (rate.toObject().value("code").toString() == QLatin1String("EUR")) {
            euro = rate.toObject().value("rate").toDouble();
        }
    }
    EXPECT_DOUBLE_EQ(euro, 0.858959);  // 1 / 1.1642 to six significant digits
    // What the table file holds now, as the tool reads it.
    const CliResult dump = RunCli(platform, {"dump", TablePath(platform)});
    ASSERT_EQ(dump.exitCode, 0);
    QJsonObject stored;
    for (const QJsonValue& rate :
         QJsonDocument::fromJson(dump.out.toUtf8()).object().value("rates").toArray()) {
        if (rate.toObject().value("code").toString() == QLatin1String("EUR")) {
            stored = rate.toObject();
        }
    }
    EXPECT_DOUBLE_EQ(stored.value("rate").toDouble(), 0.858959);
    EXPECT_EQ(stored.value("updated").toInteger(), output.value("updated").toInteger());
}

TEST(CliRates, AFileThatIsNoRatesOrAnUnreachableBankChangesNothing) {
    TripPlatform platform;
    QFile sampleFile(QStringLiteral(OUTLAYSHEET_RATES_SAMPLE));
    ASSERT_TRUE(sampleFile.open(QIODevice::ReadOnly));
    const QByteArray sample = sampleFile.readAll();
    qputenv("OUTLAYSHEET_RATES_URL", "http://127.0.0.1:1/eurofxref-daily.xml");
    ExpectRefused(
        platform,
        {
            {"a file cut short",
             {"rates", "update", "--file", WriteFile(platform, "cut.xml", sample.left(700))},
             1,
             "The file ends before its rates do."},
            {"a web page",
             {"rates", "update", "--file",
              WriteFile(platform, "page.html", "<html><body>Moved</body></html>")},
             1,
             "The file holds no reference rates of the bank."},
            {"no file",
             {"rates", "update", "--file", platform.Path("missing.xml")},
             1,
             "missing.xml cannot be read"},
            {"the bank out of reach",
             {"rates", "update"},
             1,
             "The rates could not be fetched from 127.0.0.1"},
            {"no subcommand", {"rates"}, 2, "rates takes update"},
            {"another subcommand", {"rates", "show"}, 2, "rates takes update"},
            {"a file without its path", {"rates", "update", "--file"}, 2, "--file"},
        },
        TablePath(platform));
    qunsetenv("OUTLAYSHEET_RATES_URL");
}
