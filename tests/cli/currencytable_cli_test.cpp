#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

// "Peso" and "Rial" share bucket 0 of the name map, which would list them
// the other way round; the rate of MXN is stored as 0.
const QByteArray kTable = QByteArray::fromHex(
    "0100000002000000"
    "00000000"
    "02000000"
    "fffeff045000650073006f00"          // Peso
    "02000000010000000100000000000000"  // digits 2, leading zero, orders 1 and 0
    "fffeff0333003b003000"              // "3;0"
    "fffeff012e00fffeff012c00"          // "." and ","
    "fffeff012400"                      // "$"
    "fffeff034d0058004e00"              // "MXN"
    "00000000"
    "fffeff045200690061006c00"          // Rial
    "00000000000000000200000003000000"  // digits 0, no leading zero, orders 2 and 3
    "fffeff00"                          // no grouping
    "fffeff00fffeff00"                  // no separators
    "fffeff01fcfd"                      // "﷼"
    "fffeff03490052005200"              // "IRR"
    "01000000"
    "02000000"
    "fffeff034d0058004e00"  // MXN
    "00105e5f"              // 1600000000
    "0000000000000000"      // 0
    "fffeff03490052005200"  // IRR
    "01000000"              // 1
    "0000000000e0e540"      // 44800
    "fffeff045000650073006f00");

QJsonObject Json(const CliResult& run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

QString UserTable(const TestPlatform& platform) {
    return platform.Root() + "/Outlaysheet/Data/CurrencyTable.dat";
}

}  // namespace

TEST(CliCurrencyTable, DumpShowsTheFileAsItIs) {
    TestPlatform platform;
    const QString path = platform.Path("CurrencyTable.dat");
    ASSERT_TRUE(WriteFileBytes(path, kTable));
    const CliResult run = RunCli(platform, {"dump", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject expected{
        {"fileType", 1},
        {"fileVersion", 2},
        {"internationalTraveler", 0},
        {"formats",
         QJsonArray{
             QJsonObject{{"name", "Peso"},
                         {"digits", 2},
                         {"leadingZero", 1},
                         {"negativeOrder", 1},
                         {"positiveOrder", 0},
                         {"grouping", "3;0"},
                         {"decimalSeparator", "."},
                         {"thousandSeparator", ","},
                         {"symbol", "$"},
                         {"code", "MXN"},
                         {"inUse", 0}},
             QJsonObject{{"name", "Rial"},
                         {"digits", 0},
                         {"leadingZero", 0},
                         {"negativeOrder", 2},
                         {"positiveOrder", 3},
                         {"grouping", ""},
                         {"decimalSeparator", ""},
                         {"thousandSeparator", ""},
                         {"symbol", QString::fromUtf8("﷼")},
                         {"code", "IRR"},
                         {"inUse", 1}},
         }},
        {"rates", QJsonArray{QJsonObject{{"code", "MXN"}, {"updated", 1600000000}, {"rate", 0}},
                             QJsonObject{{"code", "IRR"}, {"updated", 1}, {"rate", 44800}}}},
        {"homeCurrency", "Peso"},
    };
    EXPECT_EQ(Json(run), expected);
    EXPECT_TRUE(run.err.isEmpty());
    // Dumping reads, it never repairs.
    EXPECT_EQ(ReadFileBytes(path), kTable);

    WriteFileBytes(path, kTable.left(kTable.size() - 20));
    const CliResult truncated = RunCli(platform, {"dump", path});
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_EQ(truncated.err.trimmed(), "Unexpected file format. \n\nFile: " + path);
}

TEST(CliCurrencyTable, InitDataInstallsTheShippedTableOnlyWhereThereIsNone) {
    TestPlatform platform;
    const QByteArray shipped =
        ReadFileBytes(ProgramPath("../share/outlaysheet/data/CurrencyTable.dat"));
    ASSERT_FALSE(shipped.isEmpty());

    const CliResult first = RunCli(platform, {"init-data"});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(Json(first)["currencyTable"].toObject(),
              (QJsonObject{{"installed", true}, {"kept", false}, {"failure", ""}}));
    EXPECT_EQ(ReadFileBytes(UserTable(platform)), shipped);
    // The next load chooses the home currency from the regional settings.
    EXPECT_EQ(platform.GetRegistry().ReadString(RegistryHive::ClassesRoot,
                                                "Software\\Tillhouse\\Outlaysheet for Pocket PC",
                                                "Init Home Currency", "missing"),
              "1");

    const CliResult dump = RunCli(platform, {"dump", UserTable(platform)});
    ASSERT_EQ(dump.exitCode, 0);
    QStringList names;
    for (const QJsonValue& format : Json(dump)["formats"].toArray()) {
        names << format.toObject()["name"].toString();
    }
    EXPECT_TRUE(names.contains("U.S. Dollars"));
    EXPECT_TRUE(names.contains("Euro (Germany)"));
    EXPECT_EQ(Json(dump)["homeCurrency"].toString(), "U.S. Dollars");

    // A table the user has is never replaced.
    ASSERT_TRUE(WriteFileBytes(UserTable(platform), kTable));
    const CliResult second = RunCli(platform, {"init-data"});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(Json(second)["currencyTable"].toObject(),
              (QJsonObject{{"installed", false}, {"kept", true}, {"failure", ""}}));
    EXPECT_EQ(ReadFileBytes(UserTable(platform)), kTable);
}
