#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

// Header, account number, history file name; then the tuple of Taxi (10, 6)
// or Cab (17, 12) with receipt 1, classification "Acme", the personal
// deductible type, "Visa" paid by the business and reserved 7.
QByteArray CategoryFile(const char* header, const char* history, const char* tuple) {
    return QByteArray::fromHex(header) +
           QByteArray::fromHex("fffeff0441002d0031003700") +  // "A-17"
           QByteArray::fromHex(history) + QByteArray::fromHex(tuple) +
           QByteArray::fromHex(
               "fffeff1043004100540043005500530054004f004d003000330055002e0042004d005000"
               "01000000"
               "fffeff04410063006d006500fffeff06430032002e0042004d005000"
               "fffeff1350006500720073006f006e0061006c0020004400650064007500630074006900620"
               "06c006500fffeff0a440065006400750063007400690062006c006500fffeff114500540044"
               "0045004400550043005400490042004c00450055002e0042004d00500001000000"
               "fffeff045600690073006100fffeff0f50004100490044005700490054004800310034005500"
               "2e0042004d00500001000000"
               "07000000");
}

const QByteArray kTaxiFile =
    CategoryFile("0200000001000000",
                 "fffeff042e002e002f007800",                   // "../x", shown as stored
                 "0a00000006000000fffeff045400610078006900");  // 10, 6, "Taxi"
const QByteArray kCabFile = CategoryFile(
    "0300000001000000",
    "fffeff0d4300610062002000440065007300630031002e00640061007400",  // "Cab Desc1.dat"
    "110000000c000000fffeff03430061006200");                         // 17, 12, "Cab"

QJsonObject Tuple(int index, int group, const char* name) {
    return QJsonObject{
        {"index", index},
        {"group", group},
        {"name", name},
        {"imageName", "CATCUSTOM03U.BMP"},
        {"receipt", 1},
        {"classification", QJsonObject{{"name", "Acme"}, {"imageName", "C2.BMP"}}},
        {"expenseType", QJsonObject{{"name", "Personal Deductible"},
                                    {"shortName", "Deductible"},
                                    {"imageName", "ETDEDUCTIBLEU.BMP"},
                                    {"typeCode", 1}}},
        {"paidWith",
         QJsonObject{{"name", "Visa"}, {"imageName", "PAIDWITH14U.BMP"}, {"paymentType", 1}}},
        {"reserved", 7},
    };
}

}  // namespace

TEST(CliDumpCategory, BothKindsOfCategoryFileAreShownAsStored) {
    struct Case {
        const char* fileName;
        QByteArray bytes;
        int fileType;
        const char* historyFile;
        QJsonObject tuple;
    } cases[] = {
        {"Taxi.dat", kTaxiFile, 2, "../x", Tuple(10, 6, "Taxi")},
        {"Cab.dat", kCabFile, 3, "Cab Desc1.dat", Tuple(17, 12, "Cab")},
    };
    for (const Case& c : cases) {
        TestPlatform platform;
        const QString path = platform.Path(c.fileName);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const CliResult run = RunCli(platform, {"dump", path});
        ASSERT_EQ(run.exitCode, 0) << c.fileName << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << c.fileName;
        QJsonObject expected = c.tuple;
        expected["fileType"] = c.fileType;
        expected["fileVersion"] = 1;
        expected["accountNumber"] = "A-17";
        expected["historyFile"] = c.historyFile;
        EXPECT_EQ(QJsonDocument::fromJson(run.out.toUtf8()).object(), expected) << c.fileName;
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.fileName;
    }
}

TEST(CliDumpCategory, ADamagedCategoryFileFailsWithTheProgramsMessage) {
    TestPlatform platform;
    const QString path = platform.Path("Cab.dat");
    ASSERT_TRUE(WriteFileBytes(path, kCabFile.chopped(1)));
    const CliResult run = RunCli(platform, {"dump", path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err.trimmed(), "Unexpected file format. \n\nFile: " + path);
}
