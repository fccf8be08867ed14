#include <gtest/gtest.h>

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/clirunner.h"
#include "support/testplatform.h"
#include "support/tripplatform.h"

namespace {

const QByteArray kPdf = ReadFileBytes(OUTLAYSHEET_SCAN_SAMPLE);

// The first-run user's "Trip" with three lunches: 0 "first" (5), 1
// "second" (7), 2 "third" (9), in that order in the file.
class LunchesPlatform : public TripPlatform {
public:
    LunchesPlatform() {
        for (const auto& [what, amount, date] :
             {std::tuple{"first", "5", "2026-03-01"}, std::tuple{"second", "7", "2026-03-02"},
              std::tuple{"third", "9", "2026-03-03"}}) {
            EXPECT_EQ(RunCli(*this, {"add-expense", "Trip", "--category", "Lunch", "--amount",
                                     amount, "--description", what, "--date", date})
                          .exitCode,
                      0);
        }
        WriteFileBytes(Path("scan.pdf"), kPdf);
        WriteFileBytes(Path("other.pdf"), kPdf + "% another scan\n");
    }

    QJsonObject Run(const QStringList& arguments) const {
        const CliResult run = RunCli(*this, arguments);
        EXPECT_EQ(run.exitCode, 0)
            << arguments.join(' ').toStdString() << ": " << run.err.toStdString();
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }
    // "INDEX:original name" of every receipt the tool lists.
    QStringList Receipts() const {
        QStringList listed;
        for (const QJsonValue& receipt : Run({"receipts", "Trip"})["receipts"].toArray()) {
            listed.append(QString::number(receipt["index"].toInt()) + ":" +
                          receipt["originalName"].toString());
        }
        return listed;
    }
    QString Description(int index) const {
        const QJsonArray records = Run({"dump", Trip()})["records"].toArray();
        return records[index]["description"].toString();
    }
    // Every file of the documents root with its bytes.
    QMap<QString, QByteArray> Snapshot() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(Root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            files.insert(path, ReadFileBytes(path));
        }
        return files;
    }
};

}  // namespace

TEST(CliReceipts, AttachListAndDetachByTheIndexOfDump) {
    LunchesPlatform platform;
    const QJsonObject attached = platform.Run(
        {"attach", "Trip", "1", platform.Path("scan.pdf"), platform.Path("other.pdf")});
    EXPECT_EQ(attached["receipts"].toArray().size(), 2);
    EXPECT_EQ(attached["receipts"][0]["kind"].toString(), "pdf");
    EXPECT_EQ(platform.Receipts(), (QStringList{"1:scan.pdf", "1:other.pdf"}));
    EXPECT_EQ(platform.Description(1), "second");
    const QJsonArray records = platform.Run({"dump", platform.Trip()})["records"].toArray();
    EXPECT_EQ(records[1]["category"]["receipt"].toInt(), 1);  // ticked, as on the slip

    // An earlier expense moves "second" down the file; its receipts follow.
    platform.Run({"add-expense", "Trip", "--category", "Lunch", "--amount", "1", "--date",
                  "2026-02-01", "--description", "zeroth"});
    ASSERT_EQ(platform.Description(2), "second");
    EXPECT_EQ(platform.Receipts(), (QStringList{"2:scan.pdf", "2:other.pdf"}));

    platform.Run({"detach", "Trip", "2", "scan.pdf"});
    EXPECT_EQ(platform.Receipts(), QStringList{"2:other.pdf"});
    platform.Run({"detach", "Trip", "2"});
    EXPECT_TRUE(platform.Receipts().isEmpty());
}

// The package takes the receipts the tool attached.
TEST(CliReceipts, APackageHoldsTheAttachedReceipts) {
    LunchesPlatform platform;
    platform.Run({"attach", "Trip", "0", platform.Path("scan.pdf")});
    platform.Run({"attach", "Trip", "2", platform.Path("scan.pdf"), platform.Path("other.pdf")});
    const QJsonObject exported = platform.Run(
        {"export", "Trip", "--format", "package", "--output", platform.Path("trip.zip")});
    EXPECT_EQ(exported["receipts"].toInt(), 3);
}

// A refused run says why and leaves every file as it was.
TEST(CliReceipts, RefusedRunsLeaveEveryFileAsItWas) {
    LunchesPlatform platform;
    platform.Run({"attach", "Trip", "0", platform.Path("scan.pdf")});
    WriteFileBytes(platform.Path("fake.pdf"), "%PDF-1.4 but nothing else");
    struct Case {
        QStringList arguments;
        int exitCode;
        QString message;
    } cases[] = {
        {{"attach", "Trip", "3", platform.Path("other.pdf")},
         1,
         "outlaysheet-cli: INDEX \"3\": An expense's index must be a whole number from 0 to 2.\n"},
        {{"attach", "Trip", "one", platform.Path("other.pdf")},
         1,
         "outlaysheet-cli: INDEX \"one\": An expense's index must be a whole number from 0 to "
         "2.\n"},
        {{"attach", "Trip", "1", platform.Path("other.pdf"), platform.Path("fake.pdf")},
         1,
         "outlaysheet-cli: fake.pdf cannot be attached: it is not a complete PDF document.\n"},
        {{"attach", "Nowhere", "0", platform.Path("other.pdf")}, 1, ""},
        {{"detach", "Trip", "1"}, 1, "outlaysheet-cli: expense 1 has no receipts\n"},
        {{"detach", "Trip", "0", "missing.pdf"},
         1,
         "outlaysheet-cli: expense 0 has no receipt \"missing.pdf\"\n"},
        {{"attach", "Trip", "0"}, 2, ""},
        {{"detach", "Trip", "0", "--all"}, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const QMap<QString, QByteArray> before = platform.Snapshot();
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        if (!c.message.isEmpty()) {
            // What a sanitized build adds at exit comes after it.
            EXPECT_TRUE(run.err.startsWith(c.message)) << run.err.toStdString();
        }
        EXPECT_TRUE(platform.Snapshot() == before);
    }
}
