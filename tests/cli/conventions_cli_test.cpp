#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "money/moneybounds.h"
#include "report/reportbytes.h"
#include "support/clirunner.h"
#include "support/testplatform.h"
#include "support/tripplatform.h"

namespace {

using Kind = MoneyBounds::Kind;

QStringList AddLunch(const QStringList& more) {
    return QStringList{"add-expense", "Trip", "--category", "Lunch", "--amount", "1"} + more;
}

QStringList AddLunchInEuros(const QString& rate) {
    return AddLunch({"--currency", "Euro (Germany)", "--rate", rate});
}

QStringList SelectBy(const QString& field, const QString& op, const QString& value) {
    return {"select", "Trip", "--field", field, "--op", op, "--value", value};
}

}  // namespace

TEST(CliConventions, AWrongValueIsNamedWithItsLimitAloneAndFailsTheOperation) {
    struct Case {
        QStringList arguments;
        QString message;  // the whole of standard error
    } cases[] = {
        {{"add-expense", "Trip", "--category", "Lunch", "--amount", "abc"},
         "--amount \"abc\": " + MoneyBounds::Message(Kind::kAmount)},
        {{"add-expense", "Trip", "--category", "Lunch", "--amount", "1e13"},
         "--amount \"1e13\": " + MoneyBounds::Message(Kind::kAmount)},
        {AddLunchInEuros("0"), "--rate \"0\": " + MoneyBounds::Message(Kind::kRate)},
        {{"new-report", "Rome", "--cash-advance", "-2e12"},
         "--cash-advance \"-2e12\": " + MoneyBounds::Message(Kind::kCashAdvance)},
        {AddLunch({"--type", "3"}), "--type \"3\": The type must be a whole number from 0 to 2."},
        {AddLunch({"--nights", "0"}),
         "--nights \"0\": The number of nights must be a whole number from 1 to 360."},
        {AddLunch({"--date", "2026-02-30"}),
         "--date \"2026-02-30\": A date must be an ISO-8601 date such as 2026-03-10 or "
         "2026-03-10T14:30:00Z."},
        {SelectBy("x", "1", "v"), "--field \"x\": The field must be a whole number from 0 to 11."},
        {SelectBy("1", "9", "v"), "--op \"9\": The operator must be a whole number from 1 to 8."},
        {SelectBy("3", "4", "lots"), "--value \"lots\": " + MoneyBounds::Message(Kind::kAmount)},
        {{"export", "Trip", "--format", "doc"},
         "--format \"doc\": The format must be csv, pdf or package."},
        {{"add-expense", "Trip", "--category", "Yachts", "--amount", "1"},
         "no category \"Yachts\" (outlaysheet-cli lists shows them)"},
        {AddLunch({"--currency", "Zorkmid", "--rate", "1"}),
         "no currency \"Zorkmid\": give a currency's name or code"},
    };
    TripPlatform platform;
    const QByteArray before = ReadFileBytes(platform.Trip());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "outlaysheet-cli: " + c.message + "\n");
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(ReadFileBytes(platform.Trip()), before);
    }
    // A date the files cannot hold names the days they can.
    const CliResult early = RunCli(platform, AddLunch({"--date", "1900-01-01"}));
    EXPECT_EQ(early.exitCode, 1);
    EXPECT_TRUE(
        early.err.startsWith("outlaysheet-cli: --date \"1900-01-01\": A date must be a day from "))
        << early.err.toStdString();
    EXPECT_FALSE(QFile::exists(platform.Root() + "/Outlaysheet/Rome.xpf"));
}

TEST(CliConventions, AMisspeltOrMissingOptionShowsOnlyItsCommandsUsage) {
    struct Case {
        const char* command;
        QStringList arguments;
        QString message;
    } cases[] = {
        {"add-expense", AddLunch({"--amout", "3"}), "unknown option \"--amout\""},
        {"add-expense", {"add-expense", "Trip", "--amount", "1"}, "add-expense needs --category"},
        {"add-expense", AddLunch({"--rate", "2"}), "--currency and --rate go together"},
        {"select", {"select", "Trip", "--field", "1"}, "select needs --field, --op and --value"},
        {"export",
         {"export", "Trip"},
         "export needs --format csv, --format pdf or --format package"},
        {"backup", {"backup"}, "backup takes one archive"},
        {"trash", {"trash", "burn"}, "trash takes list, restore NAME or empty"},
        {"reports", {"reports", "all"}, "reports takes no arguments"},
        {"dump", {"dump"}, "dump takes one file"},
        {"lists", {"lists", "all"}, "lists takes no arguments"},
    };
    TripPlatform platform;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliResult help = RunCli(platform, {"help", c.command});
        ASSERT_EQ(help.exitCode, 0);
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, "outlaysheet-cli: " + c.message + "\n" + help.out);
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(CliConventions, HelpForTheToolAndForEachCommand) {
    TestPlatform platform;
    const CliResult full = RunCli(platform, {"--help"});
    EXPECT_EQ(full.exitCode, 0);
    EXPECT_TRUE(
        full.out.startsWith("Usage: outlaysheet-cli [--root DIR] [--registry DIR] COMMAND"));
    EXPECT_TRUE(full.err.isEmpty());
    EXPECT_EQ(RunCli(platform, {"help"}).out, full.out);
    EXPECT_EQ(RunCli(platform, {"-h"}).out, full.out);

    const char* commands[] = {"help",       "dump",         "init-data", "reports",
                              "new-report", "add-expense",  "select",    "totals",
                              "lists",      "export",       "init",      "install",
                              "force-sync", "check-sync",   "backup",    "restore",
                              "contacts",   "archive-list", "trash"};
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        const CliResult help = RunCli(platform, {"help", command});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage:\n  %1").arg(command)));
        // The command's lines and nothing of the others'.
        EXPECT_TRUE(full.out.contains(help.out.mid(7).section("REPORT is", 0, 0)));
        EXPECT_LT(help.out.size(), full.out.size() / 4);
        if (QLatin1String(command) == "help") {
            continue;
        }
        // --help anywhere among a command's arguments runs nothing.
        const CliResult asked = RunCli(platform, {command, "Nowhere", "--help"});
        EXPECT_EQ(asked.exitCode, 0);
        EXPECT_EQ(asked.out, help.out);
        EXPECT_TRUE(asked.err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(platform.Root() + "/Outlaysheet/Nowhere.xpf"));

    const CliResult unknown = RunCli(platform, {"help", "frobnicate"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    const CliResult misspelt = RunCli(platform, {"add-expence"});
    EXPECT_EQ(misspelt.exitCode, 2);
    EXPECT_TRUE(
        misspelt.err.startsWith("outlaysheet-cli: unknown command \"add-expence\"\n"
                                "The commands are help, dump,"));
    EXPECT_EQ(misspelt.err.count('\n'), 2);
}

TEST(CliConventions, VersionIsTheBuildsVersion) {
    TestPlatform platform;
    const CliResult run = RunCli(platform, {"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "outlaysheet-cli " OUTLAYSHEET_PROJECT_VERSION "\n");
    EXPECT_TRUE(run.err.isEmpty());
}

namespace {

// One currency of a table file: digits 2, leading zero, orders 1 and 0,
// "3;0", ".", ",", "$", the code, and whether it is in use.
QByteArray Currency(const QString& name, const QString& code, bool inUse) {
    return Str(name) + Hex("02000000 01000000 01000000 00000000") + Str("3;0") + Str(".") +
           Str(",") + Str("$") + Str(code) + (inUse ? Hex("01000000") : Hex("00000000"));
}

// A table of euros of three countries, one of them in use; dollars of two,
// one at home; kroner of two, none in use; one yen. No rates.
QByteArray CodesTable() {
    return Hex("01000000 02000000 01000000 08000000") + Currency("Euro (France)", "EUR", true) +
           Currency("Euro (Germany)", "EUR", false) + Currency("Euro (Spain)", "EUR", false) +
           Currency("Dollar (Home)", "USD", false) + Currency("Dollar (Other)", "USD", false) +
           Currency("Krone (Denmark)", "DKK", false) + Currency("Krone (Faroe)", "DKK", false) +
           Currency("Yen", "JPY", false) + Hex("00000000") + Str("Dollar (Home)");
}

}  // namespace

TEST(CliConventions, ACurrencyIsNamedOrGivenByItsCode) {
    struct Case {
        const char* given;
        int exitCode;
        const char* taken;  // the expense's currency, when added
        QString err;
    } cases[] = {
        {"Euro (Spain)", 0, "Euro (Spain)", ""},
        {"JPY", 0, "Yen", ""},
        {"eur", 0, "Euro (France)",
         "outlaysheet-cli: --currency \"eur\" is taken as \"Euro (France)\", the currency in use "
         "of that code\n"},
        {"USD", 0, "Dollar (Home)",
         "outlaysheet-cli: --currency \"USD\" is taken as \"Dollar (Home)\", the home currency of "
         "that code\n"},
        {"DKK", 1, nullptr,
         "outlaysheet-cli: --currency \"DKK\" is the code of 2 currencies: Krone (Denmark), Krone "
         "(Faroe). Give the name of the one to take.\n"},
        {"euro (spain)", 1, nullptr,
         "outlaysheet-cli: no currency \"euro (spain)\": give a currency's name or code\n"},
    };
    TripPlatform platform;
    ASSERT_TRUE(
        WriteFileBytes(platform.Root() + "/Outlaysheet/Data/CurrencyTable.dat", CodesTable()));
    int added = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        const CliResult run = RunCli(platform, AddLunch({"--currency", c.given, "--rate", "2"}));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.err);
        const QJsonArray records =
            QJsonDocument::fromJson(RunCli(platform, {"dump", platform.Trip()}).out.toUtf8())
                .object()["records"]
                .toArray();
        if (c.taken != nullptr) {
            ++added;
            ASSERT_EQ(records.size(), added);
            EXPECT_EQ(records.last().toObject()["currencyName"].toString(), c.taken);
        } else {
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_EQ(records.size(), added);
        }
    }
}
