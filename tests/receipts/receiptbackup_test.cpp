#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>

#include "backup/backupengine.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "receipts/receiptfolders.h"
#include "receiptstest.h"
#include "report/expenserecord.h"
#include "support/infozip.h"

namespace {

// What Python's zipfile makes of an archive: each entry's name and comment,
// after checking every entry's CRC.
QString PythonListing(const QString& archive) {
    QProcess python;
    python.start("python3", {"-c",
                             "import sys, zipfile\n"
                             "z = zipfile.ZipFile(sys.argv[1])\n"
                             "assert z.testzip() is None\n"
                             "for i in z.infolist(): print(i.filename, i.comment.decode())\n",
                             archive});
    if (!python.waitForFinished(-1) || python.exitCode() != 0) {
        return "python3 failed: " + QString::fromUtf8(python.readAllStandardError());
    }
    return QString::fromUtf8(python.readAllStandardOutput());
}

qint64 FolderSize(const QString& folder) {
    qint64 size = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        size += file.size();
    }
    return size;
}

}  // namespace

// Receipts backed up with their reports come back, tied, into an account
// that has nothing; an archive without them is no larger than their files.
TEST(ReceiptBackup, RestoredIntoAnEmptyRootEveryReceiptIsBackAndTied) {
    SKIP_WITHOUT_INFOZIP();
    TripWithReceipts trip;
    const QString shared = trip.Picture("shared.jpg", {300, 200});
    QString error;
    ASSERT_TRUE(trip.keeper->Attach(trip.IdOf("A"), {shared}, {}, error));
    ASSERT_TRUE(trip.keeper->Attach(trip.IdOf("C"),
                                    {shared, trip.Picture("c.png", {40, 30}, "PNG")}, {}, error));
    trip.doc->GetRecords().GetAt(0, false)->SetReceipt(true);
    ASSERT_TRUE(trip.doc->SaveReport(false));
    const QStringList ties = TiesOnDisk(trip.TripPath());
    ASSERT_EQ(ties, (QStringList{"A: shared.jpg", "C: shared.jpg, c.png"}));

    const auto backup = [&](quint32 flags, const QString& name) {
        BackupFileList reports;
        BackupEngine::ListReports(reports);
        BackupEngine engine;
        engine.SetSelection(flags);
        const QString path = trip.platform.Path(name);
        EXPECT_EQ(engine.Backup(path, reports, false), 1) << engine.LastError().toStdString();
        return path;
    };
    const QString with = backup(kBackupReports | kBackupReceipts, "with.xbf");
    const QString without = backup(kBackupReports, "without.xbf");
    // The pictures are stored as they are; the index is a few hundred bytes.
    const qint64 growth = QFileInfo(with).size() - QFileInfo(without).size();
    EXPECT_GE(growth, FolderSize(trip.Folder()) - 2000);
    EXPECT_LE(growth, FolderSize(trip.Folder()) + 1000);

    EXPECT_EQ(InfoZip("unzip", {"-tq", with}).exitCode, 0);
    const QStringList entries = PythonListing(with).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(entries.size(), 4) << entries.join('\n').toStdString();
    EXPECT_EQ(entries[0], "Trip.xpf 1");
    EXPECT_EQ(entries[1], "Trip.json 9");
    EXPECT_TRUE(entries[2].endsWith(".jpg 9"));
    EXPECT_TRUE(entries[3].endsWith(".png 9"));

    trip.doc->CloseReport(false);
    QDir(GetReportsDirectory()).removeRecursively();
    InitDirectories(kInitReports);
    BackupFileList reports;
    BackupEngine::ListArchiveReports(with, reports);
    BackupEngine engine;
    engine.SetSelection(kBackupReports | kBackupReceipts);
    ASSERT_EQ(engine.Restore(with, reports, true, false), 1) << engine.LastError().toStdString();
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), ties);
}
