#include <gtest/gtest.h>

#include <QDir>

#include "backup/trashfolder.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "receipts/receiptfolders.h"
#include "receiptstest.h"
#include "report/expenserecord.h"
#include "report/reportcopies.h"

namespace {

// Trip with a receipt on A and on C, saved.
void AttachTwo(TripWithReceipts& trip) {
    QString error;
    ASSERT_TRUE(trip.keeper->Attach(trip.IdOf("A"), {trip.Picture("a.jpg", {30, 20})}, {}, error));
    ASSERT_TRUE(trip.keeper->Attach(trip.IdOf("C"), {trip.Picture("c.jpg", {20, 30})}, {}, error));
    trip.doc->GetRecords().GetAt(0, false)->SetReceipt(true);
    ASSERT_TRUE(trip.doc->SaveReport(false));
}

QString ReportPath(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + ".xpf");
}

const QStringList kTripTies{"A: a.jpg", "C: c.jpg"};

}  // namespace

TEST(ReceiptMoves, RenamingAndDuplicatingKeepTheReceipts) {
    TripWithReceipts trip;
    AttachTwo(trip);
    // Renamed as the report dialog does it: the file moves, then is saved.
    CExpenseReportInfo& header = trip.doc->GetReport().GetHeader();
    const QString old = header.GetPath();
    QString error;
    ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), "Journey", true, error));
    ASSERT_TRUE(ReceiptFolders::Move(old, header.GetPath(), error));
    ASSERT_TRUE(trip.doc->SaveReport(true));
    EXPECT_EQ(TiesOnDisk(ReportPath("Journey")), kTripTies);
    EXPECT_FALSE(QFileInfo::exists(ReceiptFolders::Of(old)));

    const QString copy = ReportCopies::FreeCopyPath(ReportPath("Journey"));
    ASSERT_TRUE(QFile::copy(ReportPath("Journey"), copy));
    ASSERT_TRUE(ReceiptFolders::Copy(ReportPath("Journey"), copy, error));
    EXPECT_EQ(TiesOnDisk(copy), kTripTies);
    EXPECT_EQ(TiesOnDisk(ReportPath("Journey")), kTripTies);
}

TEST(ReceiptMoves, MergedAndMovedExpensesTakeTheirReceipts) {
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "merge");
        TripWithReceipts trip;
        AttachTwo(trip);
        {
            CExpenseDoc other;
            CExpenseReportInfo header;
            QString error;
            ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), "Home", false, error));
            ASSERT_TRUE(other.CreateReport(header));
            other.AddRecord(Expense("H", 5), false);
            ASSERT_TRUE(other.SaveReport(false));
        }
        ASSERT_TRUE(
            ReportCopies::MergeVisibleRecords(trip.doc->GetRecords(), ReportPath("Home"), move));
        ASSERT_TRUE(trip.doc->SaveReport(true));
        EXPECT_EQ(TiesOnDisk(ReportPath("Home")), kTripTies);
        EXPECT_EQ(TiesOnDisk(trip.TripPath()), move ? QStringList{} : kTripTies);
        EXPECT_EQ(QDir(trip.Folder()).entryList({"*.jpg"}).size(), move ? 0 : 2);
    }
}

TEST(ReceiptMoves, TheTrashKeepsReceiptsUntilItIsEmptied) {
    TripWithReceipts trip;
    AttachTwo(trip);
    // A report of the same name already waits there: the free name is taken.
    WriteFileBytes(JoinPath(GetTrashDirectory(), "Trip.xpf"), "older");
    ASSERT_TRUE(trip.doc->DeleteReport());
    const QString trashed = JoinPath(GetTrashDirectory(), "Trip 1.xpf");
    EXPECT_EQ(TiesOnDisk(trashed), kTripTies);
    EXPECT_FALSE(QFileInfo::exists(ReceiptFolders::Of(trip.TripPath())));

    ASSERT_EQ(TrashFolder::Restore("Trip 1.xpf"), TrashFolder::RestoreResult::Restored);
    EXPECT_EQ(TiesOnDisk(ReportPath("Trip 1")), kTripTies);

    ASSERT_TRUE(trip.doc->OpenReport(ReportPath("Trip 1")));
    ASSERT_TRUE(trip.doc->DeleteReport());
    EXPECT_TRUE(QFileInfo::exists(ReceiptFolders::Of(trashed)));
    EXPECT_EQ(TrashFolder::DeleteAll(), 2);
    EXPECT_FALSE(QFileInfo::exists(ReceiptFolders::Of(trashed)));
}
