#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

// "VISA" (personal), "Corporate" (business) and "Visa" (personal) again:
// not the list's order, and one name twice.
const QByteArray kUnorderedFile = QByteArray::fromHex(
    "0800000001000000"
    "03000000"
    "fffeff045600490053004100"
    "fffeff0f500041004900440057004900540048003100340055002e0042004d005000"
    "00000000"
    "fffeff0943006f00720070006f007200610074006500"
    "fffeff00"
    "01000000"
    "fffeff045600690073006100"
    "fffeff00"
    "00000000");

}  // namespace

TEST(CliDumpPaymentSources, EveryEntryInFileOrderWithTheCodesFieldNames) {
    TestPlatform platform;
    const QString path = platform.Path("PaidWith.dat");
    ASSERT_TRUE(WriteFileBytes(path, kUnorderedFile));
    const CliResult run = RunCli(platform, {"dump", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
    EXPECT_EQ(json["fileType"].toInt(), 8);
    EXPECT_EQ(json["fileVersion"].toInt(), 1);
    const QJsonArray expected = {
        QJsonObject{{"name", "VISA"}, {"imageName", "PAIDWITH14U.BMP"}, {"paymentType", 0}},
        QJsonObject{{"name", "Corporate"}, {"imageName", ""}, {"paymentType", 1}},
        QJsonObject{{"name", "Visa"}, {"imageName", ""}, {"paymentType", 0}},
    };
    EXPECT_EQ(json["paymentSources"].toArray(), expected);
    // Looking never repairs: the file is as it was.
    EXPECT_EQ(ReadFileBytes(path), kUnorderedFile);
}

TEST(CliDumpPaymentSources, DamagedFilesFailWithTheProgramsMessage) {
    TestPlatform platform;
    const QString path = platform.Path("PaidWith.dat");
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"truncated", kUnorderedFile.left(kUnorderedFile.size() - 2)},
        {"absurd count", QByteArray::fromHex("0800000001000000ffffff7f") + kUnorderedFile.mid(12)},
        {"no count", QByteArray::fromHex("0800000001000000")},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const CliResult run = RunCli(platform, {"dump", path});
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_TRUE(run.out.isEmpty()) << c.name;
        EXPECT_EQ(run.err.trimmed(), "Unexpected file format. \n\nFile: " + path) << c.name;
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
    }
}
