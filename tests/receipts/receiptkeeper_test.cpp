#include "receipts/receiptkeeper.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "receipts/receiptfolders.h"
#include "receipts/receiptindex.h"
#include "receiptstest.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "support/clirunner.h"

namespace {

void Attach(TripWithReceipts& trip, const QString& description, const QStringList& files) {
    QString error;
    ASSERT_TRUE(trip.keeper->Attach(trip.IdOf(description), files, {}, error))
        << error.toStdString();
    // Attaching ticks the receipt box, which the report saves.
    CExpenseRecords& records = trip.doc->GetRecords();
    records.GetAt(records.IndexOfId(trip.IdOf(description), false), false)->SetReceipt(true);
}

int StoredFiles(const QString& folder) {
    return static_cast<int>(
        QDir(folder).entryList({"*.jpg", "*.png", "*.pdf"}, QDir::Files).size());
}

}  // namespace

TEST(ReceiptKeeper, AFileAttachedTwiceIsStoredOnce) {
    TripWithReceipts trip;
    const QString lunch = trip.Picture("lunch.jpg", {300, 200});
    Attach(trip, "A", {lunch});
    Attach(trip, "A", {lunch});
    Attach(trip, "B", {lunch});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(StoredFiles(trip.Folder()), 1);
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A: lunch.jpg", "B: lunch.jpg"}));
    EXPECT_EQ(trip.keeper->CountWithoutReceipts(false), 1);
    EXPECT_EQ(trip.keeper->ExpensesWithoutReceipts(false), QList<quint64>{trip.IdOf("C")});
}

TEST(ReceiptKeeper, TiesFollowSortsEditsSavesAndReloads) {
    TripWithReceipts trip;
    Attach(trip, "A", {trip.Picture("a.jpg", {300, 200}, "JPG", Qt::red)});
    Attach(trip, "C", {trip.Picture("c.png", {300, 200}, "PNG", Qt::blue)});
    ASSERT_TRUE(trip.doc->SaveReport(false));

    // Largest amount first, then A edited on its slip, then saved.
    trip.doc->GetRecords().SetSortOrder(3, 0);
    const quint64 a = trip.IdOf("A");
    auto edited = std::make_unique<CExpenseRecord>(
        *trip.doc->GetRecords().GetAt(trip.doc->GetRecords().IndexOfId(a, true), true));
    edited->SetDescription("A2");
    edited->SetAmount(Amount(99));
    ASSERT_TRUE(trip.doc->ReplaceRecordById(a, std::move(edited), true));
    EXPECT_EQ(trip.NamesOf("A2"), QStringList{"a.jpg"});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(trip.NamesOf("A2"), QStringList{"a.jpg"});
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A2: a.jpg", "C: c.png"}));

    ASSERT_TRUE(trip.doc->OpenReport(trip.TripPath()));
    EXPECT_EQ(trip.NamesOf("A2"), QStringList{"a.jpg"});
    EXPECT_EQ(trip.NamesOf("C"), QStringList{"c.png"});
    EXPECT_TRUE(trip.NamesOf("B").isEmpty());
}

TEST(ReceiptKeeper, ANewExpenseKeepsWhatItsSlipAttached) {
    TripWithReceipts trip;
    const QString taxi = trip.Picture("taxi.jpg", {300, 200});
    const QString bus = trip.Picture("bus.jpg", {200, 300});
    auto record = Expense("Taxi", 12);
    const quint64 id = record->GetId();
    QString error;
    ASSERT_TRUE(trip.keeper->Attach(id, {taxi}, {}, error));
    trip.doc->AddRecord(std::move(record), true);
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), QStringList{"Taxi: taxi.jpg"});

    // A cancelled slip leaves nothing behind.
    auto cancelled = Expense("Bus", 3);
    ASSERT_TRUE(trip.keeper->Attach(cancelled->GetId(), {bus}, {}, error));
    EXPECT_EQ(StoredFiles(trip.Folder()), 2);
    trip.keeper->DiscardPending(cancelled->GetId());
    EXPECT_EQ(StoredFiles(trip.Folder()), 1);
}

TEST(ReceiptKeeper, DetachAndDeleteForGoodRemoveOnlyUnreferencedFiles) {
    TripWithReceipts trip;
    const QString shared = trip.Picture("shared.jpg", {300, 200});
    const QString own = trip.Picture("own.jpg", {200, 300});
    Attach(trip, "A", {shared, own});
    Attach(trip, "B", {shared});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    ASSERT_EQ(StoredFiles(trip.Folder()), 2);

    QString error;
    const QList<Receipt> receipts = trip.keeper->ReceiptsOf(trip.IdOf("A"));
    ASSERT_TRUE(trip.keeper->Detach(trip.IdOf("A"), receipts[1].path, error));
    EXPECT_FALSE(trip.keeper->Detach(trip.IdOf("C"), receipts[0].path, error));
    EXPECT_EQ(
        error,
        QString("The receipt %1 is not attached to this expense.").arg(receipts[0].FileName()));
    trip.doc->RemoveRecordById(trip.IdOf("A"));
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), QStringList{"B: shared.jpg"});
    EXPECT_EQ(StoredFiles(trip.Folder()), 1);
}

// Another program that knows nothing of receipts rewrites the report: the
// receipts of the expenses it changed are kept and listed as unmatched, and
// a receipt can be tied again.
TEST(ReceiptKeeper, AnExternallyRewrittenReportLeavesUnmatchedReceipts) {
    TripWithReceipts trip;
    Attach(trip, "A", {trip.Picture("a.jpg", {300, 200})});
    Attach(trip, "B", {trip.Picture("b.jpg", {200, 300})});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    {
        CExpenseReport other;
        other.GetCurrencyTable().Load(false);
        ASSERT_TRUE(other.Open(trip.TripPath(), false));
        for (int i = 0; i < other.GetRecords().GetCount(false); ++i) {
            CExpenseRecord* record = other.GetRecords().GetAt(i, false);
            if (record->GetDescription() == "B") {
                record->SetDescription("B changed");
            }
        }
        ASSERT_TRUE(other.Save(false));
    }
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A: a.jpg", "unmatched: b.jpg"}));

    // The window saves over it (merging) and still loses nothing.
    trip.doc->AddRecord(Expense("D", 4), true);
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A: a.jpg", "unmatched: b.jpg"}));
    ASSERT_EQ(trip.keeper->Unmatched().size(), 1);
    QString error;
    ASSERT_TRUE(
        trip.keeper->AttachUnmatched(trip.keeper->Unmatched()[0].path, trip.IdOf("D"), error));
    ASSERT_TRUE(trip.keeper->Commit(error)) << error.toStdString();
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A: a.jpg", "D: b.jpg"}));
}

// The window and the command-line tool attach to the same report at once;
// neither loses the other's ties.
TEST(ReceiptKeeper, TwoWritersKeepEachOthersTies) {
    TripWithReceipts trip;
    // Waits in the window for its save.
    Attach(trip, "A", {trip.Picture("window.jpg", {300, 200})});
    // The tool attaches to C and ticks its receipt box, rewriting the file.
    const CliResult tool =
        RunCli(trip.platform, {"attach", "Trip", "2", trip.Picture("tool.png", {20, 20}, "PNG")});
    ASSERT_EQ(tool.exitCode, 0) << tool.err.toStdString();
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), QStringList{"C: tool.png"});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_EQ(TiesOnDisk(trip.TripPath()), (QStringList{"A: window.jpg", "C: tool.png"}));
    EXPECT_EQ(trip.NamesOf("C"), QStringList{"tool.png"});
}

// A change of a list applied to every report rewrites expenses of reports
// that are not open; their ties go along.
TEST(ReceiptKeeper, AListChangeAppliedToEveryReportKeepsTies) {
    TripWithReceipts trip;
    Attach(trip, "B", {trip.Picture("b.jpg", {30, 20})});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    const QString trip2 = QFileInfo(trip.TripPath()).path() + "/Trip2.xpf";
    ASSERT_TRUE(QFile::copy(trip.TripPath(), trip2));
    QString error;
    ASSERT_TRUE(ReceiptFolders::Copy(trip.TripPath(), trip2, error));
    CExpenseRecord oldTemplate;
    CExpenseRecord newTemplate;
    oldTemplate.SetPaidWith(trip.doc->GetRecords().GetAt(0, false)->GetPaidWith());
    newTemplate.SetPaidWith(CPaidWith("Card", "PAIDWITH02U.BMP", 1));
    ASSERT_TRUE(trip.doc->GetReport().ApplyListChange(
        oldTemplate, newTemplate, CExpenseReport::kAllReports | CExpenseReport::kPaymentSource));
    for (const QString& path : {trip.TripPath(), trip2}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(TiesOnDisk(path), QStringList{"B: b.jpg"});
    }
    EXPECT_EQ(trip.doc->GetRecords().GetAt(1, false)->GetPaidWith().GetName(), "Card");
}

// A hand-edited index cannot make the program touch files outside its folder.
TEST(ReceiptKeeper, AnIndexNamingOtherFilesIsNotFollowed) {
    TripWithReceipts trip;
    Attach(trip, "A", {trip.Picture("a.jpg", {30, 20})});
    ASSERT_TRUE(trip.doc->SaveReport(false));
    const QString indexPath = trip.Folder() + "/" + CReceiptIndex::FileName();
    QByteArray json = ReadFileBytes(indexPath);
    const QString stored = trip.keeper->ReceiptsOf(trip.IdOf("A"))[0].FileName();
    json.replace(stored.toUtf8(), "../../Trip.xpf");
    WriteFileBytes(indexPath, json);
    ASSERT_TRUE(trip.doc->OpenReport(trip.TripPath()));
    EXPECT_TRUE(trip.keeper->ReceiptsOf(trip.IdOf("A")).isEmpty());
    trip.doc->RemoveRecordById(trip.IdOf("A"));
    ASSERT_TRUE(trip.doc->SaveReport(false));
    EXPECT_TRUE(QFile::exists(trip.TripPath()));
}
