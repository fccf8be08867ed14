#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "backup/backupengine.h"
#include "framefixture.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "views/backup/backupcontents.h"
#include "views/backup/backupprogress.h"
#include "views/backup/pagebackup.h"
#include "views/backup/pagerestore.h"
#include "views/backup/reportchooser.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/backup/trashdialog.h"
#include "views/frame/statusbar.h"
#include "views/widgets/filechooser.h"
#include "views/widgets/pathfield.h"

namespace {

const QString kBackedUp = QStringLiteral("Backup Was Successful");
const QString kRestored = QStringLiteral("Restore Was Successful");
const QString kCanceled = QStringLiteral("Restore Operation Was Canceled.");

QString ReportPath(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf"));
}

// The names of the reports an archive holds.
QStringList ArchivedReports(const QString& archive) {
    BackupFileList entries;
    EXPECT_TRUE(BackupEngine::ListArchiveReports(archive, entries));
    QStringList names;
    for (const BackupFileEntry& entry : entries) {
        names.append(entry.ShownName());
    }
    return names;
}

QStringList Rows(const QTreeWidget* list, int column = 0) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        rows.append(list->topLevelItem(row)->text(column));
    }
    return rows;
}

QStringList TickedRows(const QTreeWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        if (list->topLevelItem(row)->checkState(0) == Qt::Checked) {
            rows.append(list->topLevelItem(row)->text(0));
        }
    }
    return rows;
}

class BackupPagesTest : public FrameFixture {
protected:
    // Opens "Backup / Restore" and runs `use` on it; "Done" closes it.
    void WithSheet(const std::function<void(CSheetBackupRestore*)>& use) {
        WhenDialogOpens([use](QDialog* dialog) {
            auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
            ASSERT_NE(sheet, nullptr);
            use(sheet);
            Tap(sheet->DoneButton());
        });
        ASSERT_TRUE(Choose(QStringLiteral("Backup / Restore")));
    }

    // Types `path` into the next file dialog, as a user does.
    void AnswerFileDialog(const QString& path, bool forOpen) {
        WhenDialogOpens([path, forOpen](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->nameFilters(),
                      QStringList(QStringLiteral("Outlaysheet Backup Files (*.xbf)")));
            EXPECT_EQ(files->defaultSuffix(), QStringLiteral("xbf"));
            EXPECT_EQ(files->fileMode(),
                      forOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
    }

    // Ticks the rows named in `ticked` on the next report chooser, then
    // "Save" (or "Cancel"); `shown` receives the rows ticked on opening.
    void AnswerChooser(const QStringList& ticked, QStringList* shown = nullptr, bool save = true) {
        WhenDialogOpens([=](QDialog* dialog) {
            auto* chooser = qobject_cast<CReportChooser*>(dialog);
            ASSERT_NE(chooser, nullptr);
            if (shown != nullptr) {
                *shown = TickedRows(chooser->List());
            }
            for (int row = 0; row < chooser->List()->topLevelItemCount(); ++row) {
                QTreeWidgetItem* item = chooser->List()->topLevelItem(row);
                item->setCheckState(0,
                                    ticked.contains(item->text(0)) ? Qt::Checked : Qt::Unchecked);
            }
            Tap(save ? chooser->SaveButton() : chooser->CancelButton());
        });
    }

    static void ShowRestorePage(CSheetBackupRestore* sheet) {
        QTabBar* tabs = sheet->Tabs()->tabBar();
        Tap(tabs, tabs->tabRect(1).center());
        ASSERT_EQ(sheet->Tabs()->currentWidget(), sheet->RestorePage());
    }

    // A backup of every report, made before the frame starts.
    QString BackupOfAllReports() {
        BackupFileList reports;
        BackupEngine::ListReports(reports);
        BackupEngine engine;
        engine.SetSelection(kBackupReports);
        const QString archive = platform_.Path(QStringLiteral("reports.xbf"));
        EXPECT_EQ(engine.Backup(archive, reports, false), 1);
        platform_.Prompts().Clear();
        return archive;
    }
};

TEST_F(BackupPagesTest, BackupNeedsAPathAndAsksAgainAfterASuccess) {
    MakeReport(QStringLiteral("Oslo"), {1, 2});
    StartFrame();
    const QString archive = platform_.Path(QStringLiteral("trip"));
    WithSheet([&](CSheetBackupRestore* sheet) {
        CPageBackup* page = sheet->BackupPage();
        EXPECT_FALSE(page->BackupButton()->isEnabled());
        AnswerFileDialog(archive, false);
        Tap(page->BrowseButton());
        EXPECT_EQ(page->PathField()->text(), archive + QStringLiteral(".xbf"));
        ASSERT_TRUE(page->BackupButton()->isEnabled());

        // The file dialog confirmed the path: no second question.
        Tap(page->BackupButton());
        EXPECT_EQ(Messages(), QStringList{kBackedUp});
        // The next backup to it asks, and No keeps the archive.
        platform_.Prompts().Clear();
        Tap(page->BackupButton());
        EXPECT_EQ(Messages(),
                  QStringList{archive + QStringLiteral(".xbf already exists. Do you want to "
                                                       "replace it?")});
    });
    EXPECT_EQ(ArchivedReports(archive + QStringLiteral(".xbf")),
              QStringList{QStringLiteral("Oslo.xpf")});
}

// A path longer than the field: the folder gives way, the file's name shows
// whole, and the backup goes to the whole path a screen reader hears.
TEST_F(BackupPagesTest, ADeepFolderIsShortenedButTheFileNameAndTheBackupAreWhole) {
    MakeReport(QStringLiteral("Oslo"), {1});
    const QString folder =
        platform_.Path(QStringLiteral("Documents/Business Travel/2026/Second Quarter"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString archive = folder + QStringLiteral("/Oslo Spring.xbf");
    StartFrame();
    WithSheet([&](CSheetBackupRestore* sheet) {
        CPageBackup* page = sheet->BackupPage();
        AnswerFileDialog(archive, false);
        Tap(page->BrowseButton());
        CPathField* field = page->PathField();
        EXPECT_EQ(field->Path(), archive);
        EXPECT_EQ(field->accessibleName(), QStringLiteral("Save Backup To"));
        EXPECT_EQ(field->accessibleDescription(), archive);
        const QString shown = field->ShownText();
        EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(QStringLiteral("/Oslo Spring.xbf"))) << shown.toStdString();
        EXPECT_LE(field->fontMetrics().horizontalAdvance(shown), field->contentsRect().width());
        Tap(page->BackupButton());
    });
    EXPECT_EQ(ArchivedReports(archive), QStringList{QStringLiteral("Oslo.xpf")});
}

TEST_F(BackupPagesTest, ReportBoxTakesTheChoosersAnswerAndATapLeavesTheThirdState) {
    for (const char* title : {"Alpha", "Beta", "Gamma"}) {
        MakeReport(QString::fromLatin1(title), {1});
    }
    StartFrame();
    const QString archive = platform_.Path(QStringLiteral("some.xbf"));
    WithSheet([&](CSheetBackupRestore* sheet) {
        CPageBackup* page = sheet->BackupPage();
        CBackupContents* contents = page->Contents();
        QCheckBox* box = contents->ReportsBox();
        ASSERT_EQ(box->checkState(), Qt::Checked);

        struct Step {
            QStringList tick;
            Qt::CheckState state;
            QStringList kept;
        };
        const QStringList all{"Alpha.xpf", "Beta.xpf", "Gamma.xpf"};
        const Step steps[] = {
            {{}, Qt::Unchecked, {}},
            {all, Qt::Checked, {}},
            {{"Alpha.xpf", "Gamma.xpf"}, Qt::PartiallyChecked, {"Alpha.xpf", "Gamma.xpf"}},
        };
        QStringList shownBefore = all;
        for (const Step& step : steps) {
            QStringList shown;
            AnswerChooser(step.tick, &shown);
            Tap(contents->ChooseButton());
            EXPECT_EQ(shown, shownBefore);
            EXPECT_EQ(box->checkState(), step.state);
            QStringList kept;
            for (const BackupFileEntry& entry : contents->Reports()) {
                kept.append(entry.ShownName());
            }
            EXPECT_EQ(kept, step.kept);
            shownBefore = step.tick;
        }
        // Cancel changes nothing; the third state opens with its reports.
        QStringList shown;
        AnswerChooser({}, &shown, false);
        Tap(contents->ChooseButton());
        EXPECT_EQ(shown, (QStringList{"Alpha.xpf", "Gamma.xpf"}));
        EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);

        // Only the chosen reports go into the backup.
        contents->DataFilesBox()->setChecked(false);
        contents->ImagesBox()->setChecked(false);
        AnswerFileDialog(archive, false);
        Tap(page->BrowseButton());
        Tap(page->BackupButton());
        EXPECT_EQ(Messages().last(), kBackedUp);

        // A tap leaves the third state for ticked, then unticks; never back.
        Tap(box);
        EXPECT_EQ(box->checkState(), Qt::Checked);
        EXPECT_TRUE(contents->Reports().isEmpty());
        Tap(box);
        EXPECT_EQ(box->checkState(), Qt::Unchecked);
        Tap(box);
        EXPECT_EQ(box->checkState(), Qt::Checked);
    });
    EXPECT_EQ(ArchivedReports(archive), (QStringList{"Alpha.xpf", "Gamma.xpf"}));
}

TEST_F(BackupPagesTest, RestoreNeedsAnExistingArchiveAndAskFollowsReplace) {
    MakeReport(QStringLiteral("Oslo"), {1});
    const QString archive = BackupOfAllReports();
    StartFrame();
    WithSheet([&](CSheetBackupRestore* sheet) {
        ShowRestorePage(sheet);
        CPageRestore* page = sheet->RestorePage();
        EXPECT_FALSE(page->RestoreButton()->isEnabled());
        EXPECT_FALSE(page->Contents()->ChooseButton()->isEnabled());
        EXPECT_TRUE(page->ReplaceBox()->isChecked());
        EXPECT_TRUE(page->AskBox()->isChecked());
        EXPECT_TRUE(page->AskBox()->isEnabled());

        Tap(page->ReplaceBox());
        EXPECT_FALSE(page->AskBox()->isChecked());
        EXPECT_FALSE(page->AskBox()->isEnabled());
        Tap(page->ReplaceBox());
        EXPECT_TRUE(page->AskBox()->isChecked());
        EXPECT_TRUE(page->AskBox()->isEnabled());
        Tap(page->AskBox());
        EXPECT_FALSE(page->AskBox()->isChecked());
        EXPECT_TRUE(page->ReplaceBox()->isChecked());

        AnswerFileDialog(archive, true);
        Tap(page->BrowseButton());
        EXPECT_TRUE(page->RestoreButton()->isEnabled());
        EXPECT_TRUE(page->Contents()->ChooseButton()->isEnabled());
        QStringList shown;
        AnswerChooser({}, &shown, false);
        Tap(page->Contents()->ChooseButton());
        EXPECT_EQ(shown, QStringList{"Oslo.xpf"});

        // The archive went away meanwhile.
        ASSERT_TRUE(QFile::remove(archive));
        page->UpdateButtons();
        EXPECT_FALSE(page->RestoreButton()->isEnabled());
        EXPECT_FALSE(page->Contents()->ChooseButton()->isEnabled());
    });
}

TEST_F(BackupPagesTest, RestoringTheOpenReportShowsTheRestoredExpenses) {
    MakeReport(QStringLiteral("Oslo"), {1, 2, 3});
    const QString archive = BackupOfAllReports();
    StartFrame();
    // The report loses its expenses after the backup.
    for (int index = document_->GetRecords().GetCount(false) - 1; index >= 0; --index) {
        document_->RemoveRecord(index);
    }
    ASSERT_TRUE(document_->SaveReport(false));
    frame_->RefreshViews();
    ASSERT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("0 items"));

    WithSheet([&](CSheetBackupRestore* sheet) {
        ShowRestorePage(sheet);
        CPageRestore* page = sheet->RestorePage();
        AnswerFileDialog(archive, true);
        Tap(page->BrowseButton());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->RestoreButton());
        EXPECT_EQ(Messages(),
                  (QStringList{"Replace Existing File: " + ReportPath("Oslo"), kRestored}));
    });
    EXPECT_EQ(document_->GetRecords().GetCount(false), 3);
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("3 items"));
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $6.00"));
}

// Replace unticked keeps existing files; Cancel at the first question stops.
TEST_F(BackupPagesTest, ExistingReportsAreKeptOrTheRestoreIsCancelled) {
    MakeReport(QStringLiteral("Oslo"), {1, 2, 3});
    MakeReport(QStringLiteral("Rome"), {4});
    const QString archive = BackupOfAllReports();
    const QByteArray oslo = ReadFileBytes(ReportPath("Oslo"));
    // Another valid report stands in for a changed one.
    const QByteArray changed = ReadFileBytes(ReportPath("Rome"));
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath("Oslo")));
    struct Case {
        const char* name;
        bool replace;
        PromptAnswer answer;  // to the first question, when asked
        QStringList messages;
        QByteArray osloAfter;
        bool romeAfter;
    };
    const QString question = "Replace Existing File: " + ReportPath("Oslo");
    const Case cases[] = {
        {"replace unticked", false, PromptAnswer::Yes, {kRestored}, changed, true},
        {"cancel at the first question",
         true,
         PromptAnswer::Cancel,
         {question, kCanceled},
         changed,
         false},
        {"replaced after a yes", true, PromptAnswer::Yes, {question, kRestored}, oslo, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileBytes(ReportPath("Oslo"), changed));
        ASSERT_TRUE(!QFileInfo::exists(ReportPath("Rome")) || QFile::remove(ReportPath("Rome")));
        platform_.Prompts().Clear();
        if (c.replace) {
            platform_.Prompts().QueueAnswer(c.answer);
        }
        WithSheet([&](CSheetBackupRestore* sheet) {
            ShowRestorePage(sheet);
            CPageRestore* page = sheet->RestorePage();
            if (!c.replace) {
                Tap(page->ReplaceBox());
            }
            AnswerFileDialog(archive, true);
            Tap(page->BrowseButton());
            Tap(page->RestoreButton());
        });
        EXPECT_EQ(Messages(), c.messages);
        EXPECT_EQ(ReadFileBytes(ReportPath("Oslo")), c.osloAfter);
        EXPECT_EQ(QFileInfo::exists(ReportPath("Rome")), c.romeAfter);
    }
}

TEST_F(BackupPagesTest, LongWorkShowsProgressAndACancelKeepsTheEarlierArchive) {
    for (int n = 1; n <= 8; ++n) {
        MakeReport(QStringLiteral("Trip %1").arg(n), {double(n)});
    }
    const QString archive = BackupOfAllReports();
    const QByteArray earlier = ReadFileBytes(archive);
    MakeReport(QStringLiteral("Trip 9"), {9});
    StartFrame();
    WithSheet([&](CSheetBackupRestore* sheet) {
        CBackupProgress* progress = sheet->Progress();
        CPageBackup* page = sheet->BackupPage();
        QStringList shown;
        QObject::connect(progress, &CBackupProgress::stepped, progress, [&](int done) {
            EXPECT_TRUE(progress->isVisible());
            EXPECT_EQ(progress->Bar()->maximum(), 9);
            shown.append(progress->FileLabel()->text());
            if (done == 3) {
                Tap(progress->CancelButton());
            }
        });
        page->Contents()->DataFilesBox()->setChecked(false);
        page->Contents()->ImagesBox()->setChecked(false);
        // The file dialog asks before it chooses an existing file.
        AnswerFileDialog(archive, false);
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->BrowseButton());
        Tap(page->BackupButton());
        EXPECT_FALSE(progress->isVisible());
        EXPECT_EQ(shown, (QStringList{"Saving Trip 1.xpf", "Saving Trip 2.xpf",
                                      "Saving Trip 3.xpf", "Saving Trip 4.xpf"}));
    });
    EXPECT_EQ(Messages().last(), QStringLiteral("Backup Operation Was Canceled."));
    EXPECT_EQ(ReadFileBytes(archive), earlier);
}

// Once the files are written the progress gives way: the outcome is shown
// over the page, with no Cancel left under it.
TEST_F(BackupPagesTest, TheOutcomeIsShownOverThePageNotOverTheProgress) {
    for (int n = 1; n <= 8; ++n) {
        MakeReport(QStringLiteral("Trip %1").arg(n), {double(n)});
    }
    StartFrame();
    const QString archive = platform_.Path(QStringLiteral("all.xbf"));
    QStringList progressUnder;
    WithSheet([&](CSheetBackupRestore* sheet) {
        CBackupProgress* progress = sheet->Progress();
        int steps = 0;
        QObject::connect(progress, &CBackupProgress::stepped, progress, [&] { ++steps; });
        platform_.Prompts().WhenShown([&](const QString& text) {
            if (progress->isVisible()) {
                progressUnder.append(text);
            }
        });
        CPageBackup* backup = sheet->BackupPage();
        AnswerFileDialog(archive, false);
        Tap(backup->BrowseButton());
        Tap(backup->BackupButton());

        ShowRestorePage(sheet);
        CPageRestore* restore = sheet->RestorePage();
        Tap(restore->ReplaceBox());
        AnswerFileDialog(archive, true);
        Tap(restore->BrowseButton());
        Tap(restore->RestoreButton());
        EXPECT_GT(steps, 10);
        platform_.Prompts().WhenShown(nullptr);
    });
    EXPECT_EQ(Messages(), (QStringList{kBackedUp, kRestored}));
    EXPECT_EQ(progressUnder, QStringList());
}

// Qt's own dialog asks for more width than the handheld has; what is left
// of it must fit, or its buttons fall off the screen.
TEST_F(BackupPagesTest, FileDialogsFitTheHandheldsScreen) {
    StartFrame();
    for (const QSize size : {QSize(240, 320), QSize(320, 240), QSize(240, 240)}) {
        frame_->resize(size);
        for (bool forOpen : {true, false}) {
            FileChoice choice;
            choice.filter = QStringLiteral("Outlaysheet Backup Files (*.xbf)");
            choice.forOpen = forOpen;
            const auto dialog = MakeFileDialog(frame_.get(), choice, QString());
            dialog->show();
            QApplication::processEvents();
            EXPECT_EQ(dialog->size(), size) << size.width() << "x" << size.height();
            dialog->hide();
        }
    }
}

// Escape does not close the sheet while it writes files.
TEST_F(BackupPagesTest, TheSheetStaysOpenWhileItWorks) {
    StartFrame();
    CSheetBackupRestore sheet(frame_.get());
    sheet.show();
    sheet.Progress()->Begin(QStringLiteral("Saving"));
    sheet.Progress()->Step(0, 10, QStringLiteral("Oslo.xpf"));
    sheet.reject();
    EXPECT_TRUE(sheet.isVisible());
    sheet.Progress()->End();
    sheet.reject();
    EXPECT_FALSE(sheet.isVisible());
}

using TrashDialogTest = FrameFixture;

void PutInTrash(const QString& name, const QByteArray& bytes) {
    ASSERT_TRUE(WriteFileBytes(JoinPath(GetTrashDirectory(), name), bytes));
}

TEST_F(TrashDialogTest, ListsTheTrashAndRefusesToRestoreOverAReport) {
    PutInTrash(QStringLiteral("Oslo.xpf"), QByteArray(1234, 'o'));
    PutInTrash(QStringLiteral("Rome.xpf"), QByteArray(56, 'r'));
    PutInTrash(QStringLiteral("notes.txt"), "not a report");
    const QString oslo = MakeReport(QStringLiteral("Oslo"), {1});
    CTrashDialog dialog(nullptr);
    dialog.show();
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Outlaysheet"));
    EXPECT_EQ(Rows(list), (QStringList{"Oslo.xpf", "Rome.xpf"}));
    EXPECT_EQ(Rows(list, 2), (QStringList{"1234 bytes", "56 bytes"}));
    const QString modified = Rows(list, 1).first();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+/\\d+/\\d+ \\d+:\\d\\d( [AP]M)?$"))
                    .match(modified)
                    .hasMatch())
        << modified.toStdString();
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

    int restored = 0;
    QObject::connect(&dialog, &CTrashDialog::reportRestored, [&] { ++restored; });
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    Tap(dialog.RestoreButton());
    EXPECT_EQ(Messages(),
              (QStringList{"Are you sure you want to restore this file?",
                           "The file 'Oslo.xpf' already exists, please rename the existing "
                           "file and try restoring again."}));
    EXPECT_TRUE(QFileInfo::exists(JoinPath(GetTrashDirectory(), "Oslo.xpf")));
    EXPECT_NE(ReadFileBytes(oslo), QByteArray(1234, 'o'));
    EXPECT_EQ(restored, 0);

    list->setCurrentItem(list->topLevelItem(1));
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    Tap(dialog.RestoreButton());
    EXPECT_EQ(ReadFileBytes(ReportPath("Rome")), QByteArray(56, 'r'));
    EXPECT_EQ(Rows(list), QStringList{"Oslo.xpf"});
    EXPECT_EQ(restored, 1);

    list->clearSelection();
    platform_.Prompts().Clear();
    Tap(dialog.RestoreButton());
    EXPECT_EQ(Messages(), QStringList{"You must select a file to restore."});
}

TEST_F(TrashDialogTest, DeleteAllAsksFirstAndSaysWhenThereIsNothing) {
    PutInTrash(QStringLiteral("Oslo.xpf"), "o");
    PutInTrash(QStringLiteral("notes.txt"), "kept");
    CTrashDialog dialog(nullptr);
    dialog.show();
    const QString ask = QStringLiteral("Are you sure you want to permanently delete all file(s)?");
    Tap(dialog.DeleteAllButton());  // the default answer is No
    EXPECT_EQ(Rows(dialog.List()), QStringList{"Oslo.xpf"});
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    Tap(dialog.DeleteAllButton());
    EXPECT_TRUE(Rows(dialog.List()).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(JoinPath(GetTrashDirectory(), "notes.txt")));
    Tap(dialog.DeleteAllButton());
    EXPECT_EQ(Messages(), (QStringList{ask, ask, "There are no files to delete."}));
}

}  // namespace
