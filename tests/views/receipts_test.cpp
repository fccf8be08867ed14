#include <QAccessible>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

#include "backup/backupcategory.h"
#include "framefixture.h"
#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "receipts/receiptfolders.h"
#include "receipts/receiptindex.h"
#include "receipts/receiptkeeper.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordquery.h"
#include "report/report.h"
#include "views/backup/backupcontents.h"
#include "views/backup/pagebackup.h"
#include "views/backup/pagerestore.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/frame/statusbar.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"
#include "views/slip/cameradialog.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/receiptsdialog.h"
#include "views/slip/receiptthumbnails.h"
#include "views/slip/receiptviewer.h"
#include "views/slip/unmatchedreceiptsdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/commandbar.h"

namespace {

// A photo of `size` in the documents root, where the file chooser opens.
QString MakePhoto(const QString& name, QSize size = QSize(300, 450)) {
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(QColor(240, 236, 220));
    const QString path = QDir(GetDocumentsRoot()).filePath(name);
    EXPECT_TRUE(photo.save(path));
    return path;
}

// The stored receipt files of a report's folder, the index aside.
QStringList StoredFiles(const QString& folder) {
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    files.removeAll(CReceiptIndex::FileName());
    return files;
}

class ReceiptsTest : public FrameFixture {
protected:
    // Taps each of `names` in the open file chooser's list, then "Open".
    static void PickFiles(QDialog* dialog, const QStringList& names) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_TRUE(files->nameFilters().first().contains(QStringLiteral("*.webp")));
        auto* list = files->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_NE(list, nullptr);
        for (const QString& name : names) {
            // The folder is read in the background; the name shows once it is.
            QModelIndex item;
            const auto find = [&] {
                const QModelIndex root = list->rootIndex();
                for (int row = 0; row < list->model()->rowCount(root); ++row) {
                    const QModelIndex at = list->model()->index(row, 0, root);
                    if (at.data().toString() == name) {
                        item = at;
                        return true;
                    }
                }
                return false;
            };
            ASSERT_TRUE(QTest::qWaitFor(find)) << "no " << name.toStdString();
            list->scrollTo(item);
            Tap(list->viewport(), list->visualRect(item).center());
        }
        auto* buttons = files->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        ASSERT_NE(buttons, nullptr);
        Tap(buttons->button(QDialogButtonBox::Open));
    }

    // Taps "Attach", then `item` in the menu it opens.
    static void TapAttach(CReceiptsDialog* receipts, const QString& item) {
        Tap(receipts->AttachButton());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(TapMenuItem(menu, item));
    }

    // A new lunch through its button; `onSlip` runs on the open slip, which
    // is then saved.
    void NewLunch(const std::function<void(CExpenseSlipDialog*)>& onSlip) {
        WhenDialogOpens([this, onSlip](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            onSlip(slip);
            Tap(slip->SaveButton());
        });
        Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
    }

    // "Receipts" on the slip; `use` runs on the receipts screen, then "Done".
    void OnReceipts(CExpenseSlipDialog* slip, const std::function<void(CReceiptsDialog*)>& use) {
        WhenDialogOpens([use](QDialog* dialog) {
            auto* receipts = qobject_cast<CReceiptsDialog*>(dialog);
            ASSERT_NE(receipts, nullptr);
            use(receipts);
            Tap(receipts->DoneButton());
        });
        ASSERT_TRUE(slip->ReceiptsButton()->isVisible());
        Tap(slip->ReceiptsButton());
    }

    // The report file at `path` with `photos` attached to its first expense
    // and its receipt box ticked, saved as the window would save it.
    static void AttachToFirst(const QString& path, const QStringList& photos) {
        CExpenseReport report;
        CReceiptKeeper receipts(report);
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(path, false));
        QString error;
        CExpenseRecord* first = report.GetRecords().GetAt(0, false);
        ASSERT_TRUE(receipts.Attach(first->GetId(), photos, ImportOptions(), error))
            << error.toStdString();
        first->SetReceipt(true);
        ASSERT_TRUE(report.Save(false));
    }

    // The report as its file holds it, with its receipts as the index holds
    // them.
    struct Stored {
        CExpenseReport report;
        std::unique_ptr<CReceiptKeeper> receipts;
    };
    std::unique_ptr<Stored> ReadBack() {
        auto stored = std::make_unique<Stored>();
        stored->receipts = std::make_unique<CReceiptKeeper>(stored->report);
        stored->report.GetCurrencyTable().Load(false);
        EXPECT_TRUE(stored->report.Open(document_->GetReport().GetHeader().GetPath(), false));
        return stored;
    }
};

TEST_F(ReceiptsTest, TwoPhotosAttachedToANewLunchOneViewedAndRemoved) {
    MakeReport(QStringLiteral("Trip"), {});
    MakePhoto(QStringLiteral("lunch.png"));
    MakePhoto(QStringLiteral("TAXI.JPG"), QSize(450, 300));
    StartFrame();
    NewLunch([this](CExpenseSlipDialog* slip) {
        EXPECT_FALSE(slip->Receipt()->isChecked());
        OnReceipts(slip, [this](CReceiptsDialog* receipts) {
            WhenDialogOpens([](QDialog* dialog) {
                PickFiles(dialog, {QStringLiteral("lunch.png"), QStringLiteral("TAXI.JPG")});
            });
            TapAttach(receipts, QStringLiteral("From Files..."));
            CReceiptThumbnails* thumbnails = receipts->Thumbnails();
            ASSERT_EQ(thumbnails->Receipts().size(), 2);
            ASSERT_TRUE(thumbnails->Thumbnail(1)->isVisible());
            EXPECT_EQ(thumbnails->Thumbnail(0)->accessibleName(), QStringLiteral("lunch.png"));
            EXPECT_EQ(thumbnails->Thumbnail(1)->accessibleName(), QStringLiteral("TAXI.JPG"));
            EXPECT_FALSE(thumbnails->Thumbnail(1)->icon().isNull());

            // The second one full screen: wider than the screen zoomed in,
            // on its side once turned, and removed after a Yes.
            WhenDialogOpens([this](QDialog* dialog) {
                auto* viewer = qobject_cast<CReceiptViewer*>(dialog);
                ASSERT_NE(viewer, nullptr);
                ASSERT_EQ(viewer->Pages().size(), 1);
                QLabel* page = viewer->Pages().first();
                const QSize fitted = page->size();
                EXPECT_LE(fitted.width(), viewer->Area()->viewport()->width());
                EXPECT_EQ(fitted.width() * 300 / 450, fitted.height());
                EXPECT_FALSE(viewer->ZoomOutButton()->isEnabled());
                Tap(viewer->ZoomInButton());
                EXPECT_DOUBLE_EQ(viewer->Zoom(), CReceiptViewer::kZoomStep);
                EXPECT_GT(page->width(), viewer->Area()->viewport()->width());
                Tap(viewer->ZoomOutButton());
                EXPECT_EQ(page->size(), fitted);
                Tap(viewer->RotateButton());
                EXPECT_EQ(viewer->Turns(), 1);
                EXPECT_GT(page->height(), page->width());
                platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
                Tap(viewer->ActionButton());
            });
            Tap(thumbnails->Thumbnail(1));
            ASSERT_EQ(thumbnails->Receipts().size(), 1);
            EXPECT_EQ(thumbnails->Receipts().first().originalName, QStringLiteral("lunch.png"));
        });
        // Attaching ticked the box, and the slip says how many are left, to
        // the eye and to a screen reader.
        EXPECT_TRUE(slip->Receipt()->isChecked());
        EXPECT_EQ(slip->ReceiptsButton()->text(), QStringLiteral("Receipts (1)"));
        EXPECT_EQ(slip->ReceiptsButton()->accessibleName(), QStringLiteral("Receipts (1)"));
    });
    EXPECT_TRUE(
        Messages().contains(QStringLiteral("Are you sure you want to remove this receipt?")));

    // The file and the index agree: one receipt, tied to the lunch.
    const auto stored = ReadBack();
    ASSERT_EQ(stored->report.GetRecords().GetCount(false), 1);
    const CExpenseRecord* lunch = stored->report.GetRecords().GetAt(0, false);
    EXPECT_TRUE(lunch->GetReceipt());
    const QList<Receipt> receipts = stored->receipts->ReceiptsOf(lunch->GetId());
    ASSERT_EQ(receipts.size(), 1);
    EXPECT_EQ(receipts.first().originalName, QStringLiteral("lunch.png"));
    EXPECT_EQ(StoredFiles(stored->receipts->Folder()), QStringList(receipts.first().FileName()));
    EXPECT_EQ(frame_->Status()->WithoutReceipts()->isVisible(), false);
}

TEST_F(ReceiptsTest, ACancelledSlipKeepsNoneAndARefusedFileNothing) {
    MakeReport(QStringLiteral("Trip"), {});
    MakePhoto(QStringLiteral("lunch.png"));
    const QString fake = QDir(GetDocumentsRoot()).filePath(QStringLiteral("fake.pdf"));
    ASSERT_TRUE(WriteFileBytes(fake, "This is no PDF, only its name says so.\n"));
    StartFrame();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        OnReceipts(slip, [this](CReceiptsDialog* receipts) {
            WhenDialogOpens(
                [](QDialog* files) { PickFiles(files, {QStringLiteral("fake.pdf")}); });
            TapAttach(receipts, QStringLiteral("From Files..."));
            EXPECT_TRUE(receipts->Thumbnails()->Receipts().isEmpty());
        });
        EXPECT_FALSE(slip->Receipt()->isChecked());
        OnReceipts(slip, [this](CReceiptsDialog* receipts) {
            WhenDialogOpens(
                [](QDialog* files) { PickFiles(files, {QStringLiteral("lunch.png")}); });
            TapAttach(receipts, QStringLiteral("From Files..."));
            EXPECT_EQ(receipts->Thumbnails()->Receipts().size(), 1);
        });
        Tap(slip->CancelButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
    // The import's own message, naming the file, in a message box.
    ASSERT_FALSE(Messages().isEmpty());
    EXPECT_TRUE(Messages().first().contains(QStringLiteral("fake.pdf")))
        << Messages().first().toStdString();
    EXPECT_EQ(document_->GetRecords().GetCount(false), 0);
    EXPECT_TRUE(StoredFiles(frame_->Receipts().Folder()).isEmpty());
}

TEST_F(ReceiptsTest, WithoutACameraTheCameraSaysSoAndNothingElse) {
    if (CCameraDialog::HasCamera()) {
        GTEST_SKIP() << "this machine has a camera";
    }
    MakeReport(QStringLiteral("Trip"), {12});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* receipts = qobject_cast<CReceiptsDialog*>(dialog);
        ASSERT_NE(receipts, nullptr);
        TapAttach(receipts, QStringLiteral("From Camera..."));
        EXPECT_TRUE(receipts->Thumbnails()->Receipts().isEmpty());
        Tap(receipts->DoneButton());
    });
    // From the detailed list: beside the receipt box, its receipts.
    ASSERT_TRUE(Choose(QStringLiteral("Detailed List")));
    CListGrid* grid = frame_->DetailsView()->Grid();
    EXPECT_EQ(grid->CellText(0, 1), QStringLiteral("+"));
    Tap(grid->viewport(), CListGrid::CheckBoxMarkRect(grid->CellRect(0, 1)).center());
    EXPECT_EQ(Messages(), QStringList(CCameraDialog::NoCameraMessage()));
    EXPECT_EQ(DialogsSeen(), 1);
    EXPECT_FALSE(document_->GetRecords().GetAt(0, false)->GetReceipt());
}

TEST_F(ReceiptsTest, TheStatusCountsExpensesWithoutReceiptsAndATapSelectsThem) {
    MakeReport(QStringLiteral("Trip"), {10, 20, 30});
    {
        // One expense with a receipt already, and one with only its box
        // ticked (a paper receipt): that one still has no receipt file.
        CExpenseReport report;
        CReceiptKeeper receipts(report);
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(
            report.Open(JoinPath(GetReportsDirectory(), QStringLiteral("Trip.xpf")), false));
        CExpenseRecords& records = report.GetRecords();
        QString error;
        ASSERT_TRUE(receipts.Attach(records.GetAt(1, false)->GetId(),
                                    {MakePhoto(QStringLiteral("twenty.png"))}, ImportOptions(),
                                    error))
            << error.toStdString();
        records.GetAt(1, false)->SetReceipt(true);
        records.GetAt(2, false)->SetReceipt(true);
        ASSERT_TRUE(report.Save(false));
    }
    StartFrame();
    StatusBar* status = frame_->Status();
    ASSERT_TRUE(status->WithoutReceipts()->isVisible());
    EXPECT_EQ(status->WithoutReceipts()->accessibleName(), QStringLiteral("2 without receipts"));
    Tap(status->WithoutReceipts());
    EXPECT_EQ(status->ItemCount()->text(), QStringLiteral("2 of 3 items"));
    const CExpenseRecords& records = document_->GetRecords();
    QStringList shown;
    for (int i = 0; i < records.GetCount(true); ++i) {
        shown.append(records.GetAt(i, true)->GetDescription());
    }
    EXPECT_EQ(shown, QStringList({QStringLiteral("Expense 1"), QStringLiteral("Expense 3")}));
    // The selection dialog sees the selection it would make for them.
    const CRecordQuery* condition = records.GetQuery().FindLastCondition(kFieldReceipt);
    ASSERT_NE(condition, nullptr);
    EXPECT_EQ(condition->GetOperator(), kOpNotEqual);
    ASSERT_TRUE(Choose(QStringLiteral("Select All Expenses")));
    EXPECT_EQ(status->ItemCount()->text(), QStringLiteral("3 items"));
    // A screen reader hears the count as a button, and pressing it selects
    // them as a tap does.
    QAccessibleInterface* count = QAccessible::queryAccessibleInterface(status->WithoutReceipts());
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->role(), QAccessible::Button);
    ASSERT_NE(count->actionInterface(), nullptr);
    count->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(status->ItemCount()->text(), QStringLiteral("2 of 3 items"));
}

TEST_F(ReceiptsTest, BackupAndRestoreHaveAReceiptsBox) {
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
        ASSERT_NE(sheet, nullptr);
        for (CBackupContents* contents :
             {sheet->BackupPage()->Contents(), sheet->RestorePage()->Contents()}) {
            QCheckBox* box = contents->ReceiptsBox();
            EXPECT_EQ(box->accessibleName(), QStringLiteral("Receipts"));
            EXPECT_TRUE(contents->Flags() & kBackupReceipts);
            if (box->isVisible()) {
                Tap(box);
                EXPECT_FALSE(contents->Flags() & kBackupReceipts);
                EXPECT_TRUE(contents->Flags() & kBackupImages);
            }
        }
        Tap(sheet->DoneButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Backup / Restore")));
    EXPECT_EQ(DialogsSeen(), 1);
}

}  // namespace

TEST_F(ReceiptsTest, AReceiptWhoseExpenseWasRewrittenElsewhereIsAttachedAgain) {
    const QString path = MakeReport(QStringLiteral("Trip"), {10, 20});
    AttachToFirst(path, {MakePhoto(QStringLiteral("ten.png"))});
    {
        // A program that knows nothing of receipts rewrites the expense.
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(path, false));
        report.GetRecords().GetAt(0, false)->SetDescription(QStringLiteral("Rewritten"));
        ASSERT_TRUE(report.Save(false));
    }
    StartFrame();
    ASSERT_EQ(frame_->Receipts().Unmatched().size(), 1);
    ASSERT_TRUE(Choose(QStringLiteral("Detailed List")));
    CListGrid* grid = frame_->DetailsView()->Grid();
    int row = 1;
    while (row < grid->RowCount() && grid->CellText(2, row - 1) != QStringLiteral("Expense 2")) {
        row += 2;
    }
    ASSERT_LT(row, grid->RowCount());
    WhenDialogOpens([this](QDialog* dialog) {
        auto* receipts = qobject_cast<CReceiptsDialog*>(dialog);
        ASSERT_NE(receipts, nullptr);
        EXPECT_TRUE(receipts->Thumbnails()->Receipts().isEmpty());
        WhenDialogOpens([this](QDialog* dialog) {
            auto* unmatched = qobject_cast<CUnmatchedReceiptsDialog*>(dialog);
            ASSERT_NE(unmatched, nullptr);
            ASSERT_EQ(unmatched->Thumbnails()->Receipts().size(), 1);
            WhenDialogOpens([](QDialog* dialog) {
                auto* viewer = qobject_cast<CReceiptViewer*>(dialog);
                ASSERT_NE(viewer, nullptr);
                EXPECT_EQ(viewer->ActionButton()->text(), QStringLiteral("Attach"));
                Tap(viewer->ActionButton());
            });
            Tap(unmatched->Thumbnails()->Thumbnail(0));
            EXPECT_TRUE(unmatched->Thumbnails()->Receipts().isEmpty());
            Tap(unmatched->DoneButton());
        });
        TapAttach(receipts, QStringLiteral("Unmatched Receipts..."));
        EXPECT_EQ(receipts->Thumbnails()->Receipts().size(), 1);
        Tap(receipts->DoneButton());
    });
    Tap(grid->viewport(), CListGrid::CheckBoxMarkRect(grid->CellRect(0, row)).center());
    EXPECT_EQ(grid->CellText(0, row), QStringLiteral("1"));
    // A screen reader hears the box, and how many receipts stand beside it.
    QAccessibleInterface* cell =
        QAccessible::queryAccessibleInterface(grid)->tableInterface()->cellAt(row, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), QStringLiteral("checked"));
    EXPECT_EQ(cell->text(QAccessible::Description), QStringLiteral("1 receipt"));
    EXPECT_TRUE(grid->CellFormat(0, row).checked);

    // Tied in the index: read afresh, the second expense has it, and
    // nothing is left unmatched.
    const auto stored = ReadBack();
    const CExpenseRecords& records = stored->report.GetRecords();
    for (int i = 0; i < records.GetCount(false); ++i) {
        const CExpenseRecord* record = records.GetAt(i, false);
        EXPECT_EQ(stored->receipts->ReceiptsOf(record->GetId()).size(),
                  record->GetDescription() == QStringLiteral("Expense 2") ? 1 : 0);
    }
    EXPECT_TRUE(stored->receipts->Unmatched().isEmpty());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ReceiptsTest, ALongScanZoomedInStaysWithinItsPixels) {
    MakeReport(QStringLiteral("Trip"), {12});
    {
        // Ten till receipts, each a strip eight times as long as wide.
        QPdfWriter scan(QDir(GetDocumentsRoot()).filePath(QStringLiteral("strips.pdf")));
        scan.setPageSize(QPageSize(QSizeF(80, 640), QPageSize::Millimeter));
        QPainter painter(&scan);
        for (int page = 0; page < 10; ++page) {
            if (page > 0) {
                scan.newPage();
            }
            painter.drawText(QPoint(100, 100), QStringLiteral("Receipt %1").arg(page + 1));
        }
    }
    StartFrame();
    ASSERT_TRUE(Choose(QStringLiteral("Detailed List")));
    CListGrid* grid = frame_->DetailsView()->Grid();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* receipts = qobject_cast<CReceiptsDialog*>(dialog);
        ASSERT_NE(receipts, nullptr);
        WhenDialogOpens([](QDialog* files) { PickFiles(files, {QStringLiteral("strips.pdf")}); });
        TapAttach(receipts, QStringLiteral("From Files..."));
        ASSERT_EQ(receipts->Thumbnails()->Receipts().size(), 1);
        WhenDialogOpens([](QDialog* dialog) {
            auto* viewer = qobject_cast<CReceiptViewer*>(dialog);
            ASSERT_NE(viewer, nullptr);
            ASSERT_EQ(viewer->Pages().size(), 10);
            EXPECT_EQ(viewer->Pages()[3]->accessibleName(), QStringLiteral("Page 4 of 10"));
            int widest = 0;
            while (viewer->ZoomInButton()->isEnabled()) {
                Tap(viewer->ZoomInButton());
                qint64 pixels = 0;
                for (const QLabel* page : viewer->Pages()) {
                    pixels += qint64(page->width()) * page->height();
                    widest = qMax(widest, page->width());
                }
                EXPECT_LE(pixels, CReceiptViewer::kMostPixels) << viewer->Zoom();
            }
            // Zoomed in, yet narrower than the zoom alone would make it.
            EXPECT_GT(widest, viewer->Area()->viewport()->width());
            EXPECT_LT(widest, viewer->Area()->viewport()->width() * CReceiptViewer::kMaxZoom);
            Tap(viewer->DoneButton());
        });
        Tap(receipts->Thumbnails()->Thumbnail(0));
        Tap(receipts->DoneButton());
    });
    Tap(grid->viewport(), CListGrid::CheckBoxMarkRect(grid->CellRect(0, 1)).center());
    EXPECT_TRUE(document_->GetRecords().GetAt(0, false)->GetReceipt());
    EXPECT_EQ(
        frame_->Receipts().ReceiptsOf(document_->GetRecords().GetAt(0, false)->GetId()).size(), 1);
}

TEST_F(ReceiptsTest, UnmatchedReceiptsAreDeletedOnlyOnceTheUserSaysYes) {
    const QString path = MakeReport(QStringLiteral("Trip"), {10, 20});
    AttachToFirst(path, {MakePhoto(QStringLiteral("ten.png")),
                         MakePhoto(QStringLiteral("taxi.png"), QSize(450, 300))});
    {
        // A program that knows nothing of receipts deletes the expense.
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(path, false));
        ASSERT_TRUE(report.GetRecords().RemoveAt(0));
        ASSERT_TRUE(report.Save(false));
    }
    const QString folder = ReceiptFolders::Of(path);
    const auto storedPictures = [&folder] { return StoredFiles(folder).size(); };
    ASSERT_EQ(storedPictures(), 2);
    StartFrame();
    ASSERT_TRUE(Choose(QStringLiteral("Detailed List")));
    CListGrid* grid = frame_->DetailsView()->Grid();
    WhenDialogOpens([this, &storedPictures](QDialog* dialog) {
        auto* receipts = qobject_cast<CReceiptsDialog*>(dialog);
        ASSERT_NE(receipts, nullptr);
        WhenDialogOpens([this, &storedPictures](QDialog* dialog) {
            auto* unmatched = qobject_cast<CUnmatchedReceiptsDialog*>(dialog);
            ASSERT_NE(unmatched, nullptr);
            ASSERT_EQ(unmatched->Thumbnails()->Receipts().size(), 2);
            platform_.Prompts().QueueAnswer(PromptAnswer::No);
            Tap(unmatched->DeleteAllButton());
            EXPECT_EQ(unmatched->Thumbnails()->Receipts().size(), 2);
            EXPECT_EQ(storedPictures(), 2);
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(unmatched->DeleteAllButton());
            EXPECT_TRUE(unmatched->Thumbnails()->Receipts().isEmpty());
            EXPECT_FALSE(unmatched->DeleteAllButton()->isEnabled());
            Tap(unmatched->DoneButton());
        });
        TapAttach(receipts, QStringLiteral("Unmatched Receipts..."));
        EXPECT_TRUE(receipts->Thumbnails()->Receipts().isEmpty());
        Tap(receipts->DoneButton());
    });
    Tap(grid->viewport(), CListGrid::CheckBoxMarkRect(grid->CellRect(0, 1)).center());
    EXPECT_EQ(Messages().count(QStringLiteral(
                  "Are you sure you want to permanently delete all unmatched receipts?")),
              2);
    EXPECT_EQ(storedPictures(), 0);
    EXPECT_TRUE(ReadBack()->receipts->Unmatched().isEmpty());
}
