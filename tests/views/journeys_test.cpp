// Every command of the window and every screen, reached as a user reaches
// them: from the main window, by taps on its bars, menus, buttons and rows
// and by keys, on reports that are files in the reports folder. Nothing is
// opened or selected for the user; each journey ends on what the user sees.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <optional>

#include "framefixture.h"
#include "lists/category.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "views/backup/pagebackup.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/frame/aboutdialog.h"
#include "views/frame/activereportbar.h"
#include "views/frame/exportdialog.h"
#include "views/frame/mergerecordsdialog.h"
#include "views/frame/reportinfodialog.h"
#include "views/frame/statusbar.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"
#include "views/grid/reportlistdialog.h"
#include "views/grid/simplelist.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/slip/categorybutton.h"
#include "views/slip/categorypicker.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/totals/legendlist.h"
#include "views/totals/pagesubtotals.h"
#include "views/totals/pagetotals.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/commandbar.h"

namespace {

QString ReportPath(const QString& title) {
    return GetReportsDirectory() + QStringLiteral("/") + title + QStringLiteral(".xpf");
}

// The amounts a report's file holds, smallest first.
QList<double> StoredAmounts(const QString& title) {
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    if (!report.Open(ReportPath(title), false)) {
        ADD_FAILURE() << "cannot open " << title.toStdString();
        return {};
    }
    QList<double> amounts;
    for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
        amounts.append(report.GetRecords().GetAt(i, false)->GetAmount(false).GetValue());
    }
    std::sort(amounts.begin(), amounts.end());
    return amounts;
}

// The visible button under `root` whose text or accessible name is `text`.
QAbstractButton* ButtonNamed(QWidget* root, const QString& text) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && (button->text() == text || button->accessibleName() == text)) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

void TapButton(QWidget* root, const QString& text) {
    if (QAbstractButton* button = ButtonNamed(root, text)) {
        FrameFixture::Tap(button);
    }
}

// Types the file's path into the file dialog's name field and presses Enter.
void AnswerFiles(QDialog* dialog, const QString& path) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    FrameFixture::Type(name, path);
    QTest::keyClick(name, Qt::Key_Return);
}

// The row of a report list or expense list whose first cell reads `text`.
int RowShowing(CListGrid* grid, int column, const QString& text) {
    for (int row = 0; row < grid->RowCount(); ++row) {
        if (grid->CellText(column, row) == text) {
            return row;
        }
    }
    return -1;
}

void TapCell(CListGrid* grid, int column, int row) {
    ASSERT_GE(row, 0);
    grid->EnsureVisible(row);
    FrameFixture::Tap(grid->viewport(), grid->CellRect(column, row).center());
}

// Taps the keys of the number pad open on `field`, one per character.
void TapPad(CPadAmountEdit* field, const QString& keys) {
    ASSERT_TRUE(field->IsPadOpen());
    CNumberPad* pad = field->Pad();
    for (const QChar key : keys) {
        int index = 0;
        while (index < CNumberPad::kKeyCount && pad->KeyLabel(index) != key) {
            ++index;
        }
        ASSERT_LT(index, CNumberPad::kKeyCount) << "no key " << QString(key).toStdString();
        FrameFixture::Tap(pad, pad->KeyRect(index).center());
    }
}

// Clears the field with the pad's "C" and taps `keys` in.
void TapPadValue(CPadAmountEdit* field, const QString& keys) {
    ASSERT_TRUE(field->IsPadOpen());
    CNumberPad* pad = field->Pad();
    for (int index = 0; index < CNumberPad::kKeyCount; ++index) {
        if (pad->KeyLabel(index) == QStringLiteral("C")) {
            FrameFixture::Tap(pad, pad->KeyRect(index).center());
        }
    }
    TapPad(field, keys);
}

class JourneysTest;

// One command from its menu (or its own button on the command bar when
// `menu` is empty): the user's steps before it, what the user does in the
// dialog it opens (none when it opens none), and what the user sees after.
struct Journey {
    const char* name;
    const char* menu;
    const char* item;
    std::function<void(JourneysTest&)> before;
    std::function<void(JourneysTest&, QDialog*)> inDialog;
    std::function<void(JourneysTest&)> after;
    std::optional<PromptAnswer> answer;  // the answer to its question
};

void PrintTo(const Journey& journey, std::ostream* out) {
    *out << journey.name;
}

class JourneysTest : public FrameFixture {
public:
    static std::vector<Journey> Commands();

protected:
    QString Count() const { return frame_->Status()->ItemCount()->text(); }
    QString Total() const { return frame_->Status()->Total()->text(); }
    QString ReportShown() const { return frame_->ReportBar()->ActiveReportName(); }

    // Opens a report from the report bar's list, as a user picks it there.
    void PickReport(const QString& title) {
        ASSERT_TRUE(TapComboItem(frame_->ReportBar()->Reports(), title)) << title.toStdString();
        ASSERT_EQ(ReportShown(), title);
    }

    QString seen_;  // what the user read in a dialog that has closed since

    // "Select Expenses..." from the status bar's count: the amounts below
    // `limit`, with the operator and the value tapped in.
    void SelectBelow(const QString& limit) {
        WhenDialogOpens([limit](QDialog* dialog) {
            auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
            ASSERT_NE(select, nullptr);
            EXPECT_TRUE(TapComboItem(select->Operators(), QStringLiteral("is less than")));
            Tap(select->AmountValue());
            TapPadValue(select->AmountValue(), limit);
            Tap(select->SelectButton());
        });
        Tap(frame_->Status()->ItemCount());
    }
};

// Reports "Trip" (1, 2 and 3) and "Oslo" (100); the user opens "Trip".
class CommandJourney : public JourneysTest, public ::testing::WithParamInterface<Journey> {};

TEST_P(CommandJourney, FromTheMainWindowToWhatTheUserSees) {
    const Journey& journey = GetParam();
    MakeReport(QStringLiteral("Oslo"), {100});
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartFrame();
    PickReport(QStringLiteral("Trip"));
    if (journey.before) {
        journey.before(*this);
    }
    if (journey.inDialog) {
        WhenDialogOpens([this, &journey](QDialog* dialog) {
            journey.inDialog(*this, dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }
    if (journey.answer) {
        platform_.Prompts().QueueAnswer(*journey.answer);
    }
    const QString item = QString::fromLatin1(journey.item);
    if (*journey.menu == '\0') {
        ASSERT_TRUE(TapBarButton(item));
    } else {
        ASSERT_TRUE(TapMenu(QString::fromLatin1(journey.menu), item));
    }
    QApplication::processEvents();
    journey.after(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandJourney,
                         ::testing::ValuesIn(JourneysTest::Commands()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

std::vector<Journey> JourneysTest::Commands() {
    using T = JourneysTest;
    auto selectBelowThree = [](T& t) {
        t.SelectBelow(QStringLiteral("2.5"));
        ASSERT_EQ(t.Count(), QStringLiteral("2 of 3 items"));
    };
    return {
        {"SelectExpenses",
         "Edit",
         "Select Expenses...",
         {},
         [](T&, QDialog* dialog) {
             auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
             ASSERT_NE(select, nullptr);
             EXPECT_TRUE(TapComboItem(select->Operators(), QStringLiteral("is greater than")));
             Tap(select->AmountValue());
             TapPadValue(select->AmountValue(), QStringLiteral("1.5"));
             Tap(select->SelectButton());
         },
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("2 of 3 items"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $5.00"));
         },
         {}},
        {"SelectAllExpenses",
         "Edit",
         "Select All Expenses",
         selectBelowThree,
         {},
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("3 items"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $6.00"));
         },
         {}},
        {"MergeSelected",
         "Edit",
         "Merge Selected",
         selectBelowThree,
         [](T&, QDialog* dialog) {
             auto* merge = qobject_cast<CMergeRecordsDialog*>(dialog);
             ASSERT_NE(merge, nullptr);
             EXPECT_TRUE(TapComboItem(merge->Targets(), QStringLiteral("Oslo")));
             Tap(merge->MoveButton());
             Tap(merge->MergeButton());
         },
         [](T& t) {
             EXPECT_EQ(StoredAmounts(QStringLiteral("Oslo")), QList<double>({1, 2, 100}));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({3}));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $0.00"));
         },
         {}},
        {"DeleteSelected",
         "Edit",
         "Delete Selected",
         selectBelowThree,
         {},
         [](T& t) {
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({3}));
             EXPECT_EQ(t.Messages().last(), QStringLiteral("Are you sure you want to permanently "
                                                           "delete all selected expenses?"));
         },
         PromptAnswer::Yes},
        {"About",
         "View",
         "About",
         {},
         [](T& t, QDialog* dialog) {
             auto* about = qobject_cast<CAboutDialog*>(dialog);
             ASSERT_NE(about, nullptr);
             t.seen_ = about->Version()->text();
             Tap(about->OkButton());
         },
         [](T& t) {
             EXPECT_TRUE(t.seen_.contains(CAboutDialog::VersionText())) << t.seen_.toStdString();
         },
         {}},
        {"ReportInfo",
         "View",
         "Report Info...",
         {},
         [](T&, QDialog* dialog) {
             auto* info = qobject_cast<CReportInfoDialog*>(dialog);
             ASSERT_NE(info, nullptr);
             EXPECT_EQ(info->Heading()->text(), QStringLiteral("Edit Report"));
             Tap(info->TitleEdit());
             QTest::keyClick(info->TitleEdit(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(info->TitleEdit(), QStringLiteral("Bergen"));
             Tap(info->OkButton());
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Bergen"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Bergen")), QList<double>({1, 2, 3}));
             EXPECT_FALSE(QFileInfo::exists(ReportPath(QStringLiteral("Trip"))));
         },
         {}},
        {"AllReports",
         "View",
         "All Reports",
         {},
         [](T&, QDialog* dialog) {
             auto* list = qobject_cast<CReportListDialog*>(dialog);
             ASSERT_NE(list, nullptr);
             TapCell(list->Grid(), 0, RowShowing(list->Grid(), 0, QStringLiteral("Oslo")));
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Oslo"));
             EXPECT_EQ(t.Count(), QStringLiteral("1 items"));
         },
         {}},
        {"DetailedList",
         "View",
         "Detailed List",
         {},
         {},
         [](T& t) {
             EXPECT_TRUE(t.frame_->DetailsView()->isVisible());
             CListGrid* grid = t.frame_->DetailsView()->Grid();
             EXPECT_EQ(grid->RowCount(), 3 * grid->RowsPerItem());
             EXPECT_TRUE(t.CommandNamed(QStringLiteral("Detailed List"))->isChecked());
         },
         {}},
        {"SimpleList",
         "View",
         "Simple List",
         [](T& t) {
             ASSERT_TRUE(t.TapMenu(QStringLiteral("View"), QStringLiteral("Detailed List")));
         },
         {},
         [](T& t) {
             EXPECT_FALSE(t.frame_->DetailsView()->isVisible());
             EXPECT_TRUE(t.frame_->MainView()->SimpleList()->Grid()->isVisible());
             EXPECT_EQ(t.frame_->MainView()->SimpleList()->Grid()->RowCount(), 3);
         },
         {}},
        {"Totals",
         "View",
         "Totals...",
         {},
         [](T& t, QDialog* dialog) {
             auto* window = qobject_cast<CTotalsDialog*>(dialog);
             ASSERT_NE(window, nullptr);
             ASSERT_NE(window->TotalsPage(), nullptr);
             t.seen_ = window->TotalsPage()->FigureText(QStringLiteral("Total Expenses:"));
             TapButton(window->TotalsPage()->Commands(), QStringLiteral("Done"));
         },
         [](T& t) { EXPECT_EQ(t.seen_, QStringLiteral("$6.00")); },
         {}},
        {"Subtotals",
         "View",
         "Subtotals...",
         {},
         [](T& t, QDialog* dialog) {
             auto* window = qobject_cast<CTotalsDialog*>(dialog);
             ASSERT_NE(window, nullptr);
             ASSERT_NE(window->SubtotalsPage(), nullptr);
             CLegendList* legend = window->SubtotalsPage()->Legend();
             for (int row = 0; row < legend->rowCount(); ++row) {
                 t.seen_ += legend->item(row, 0)->text() + QLatin1Char(' ') +
                            legend->item(row, 1)->text();
             }
             TapButton(window->SubtotalsPage()->Commands(), QStringLiteral("Done"));
         },
         [](T& t) { EXPECT_EQ(t.seen_, QStringLiteral("Lunch $6.00")); },
         {}},
        {"OpenReport",
         "Tools",
         "Open Report...",
         {},
         [](T&, QDialog* dialog) { AnswerFiles(dialog, ReportPath(QStringLiteral("Oslo"))); },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Oslo"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $100.00"));
         },
         {}},
        {"DuplicateReport",
         "Tools",
         "Duplicate Report",
         {},
         {},
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Trip Copy 1"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip Copy 1")), QList<double>({1, 2, 3}));
         },
         {}},
        {"DeleteReport",
         "Tools",
         "Delete Report",
         {},
         {},
         [](T& t) {
             EXPECT_TRUE(QFileInfo::exists(GetTrashDirectory() + QStringLiteral("/Trip.xpf")));
             EXPECT_FALSE(QFileInfo::exists(ReportPath(QStringLiteral("Trip"))));
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Oslo"));
         },
         PromptAnswer::Yes},
        {"BackupRestore",
         "Tools",
         "Backup / Restore",
         {},
         [](T& t, QDialog* dialog) {
             auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
             ASSERT_NE(sheet, nullptr);
             const QString archive = t.platform_.Path(QStringLiteral("trip.xbf"));
             t.WhenDialogOpens([archive](QDialog* files) { AnswerFiles(files, archive); });
             Tap(sheet->BackupPage()->BrowseButton());
             Tap(sheet->BackupPage()->BackupButton());
             t.seen_ = archive;
             Tap(sheet->DoneButton());
         },
         [](T& t) {
             EXPECT_TRUE(QFileInfo(t.seen_).size() > 0) << t.seen_.toStdString();
             EXPECT_FALSE(t.Messages().isEmpty());
         },
         {}},
        {"Export",
         "Tools",
         "Export...",
         {},
         [](T&, QDialog* dialog) {
             auto* exporter = qobject_cast<CExportDialog*>(dialog);
             ASSERT_NE(exporter, nullptr);
             Tap(exporter->CsvButton());
             Tap(exporter->ExportButton());
         },
         [](T& t) {
             const QString path = GetExportsDirectory() + QStringLiteral("/Trip.csv");
             EXPECT_EQ(ReadFileBytes(path).count("\r\n"), 4);
             EXPECT_TRUE(t.Messages().join(QLatin1Char(' ')).contains(path));
         },
         {}},
        {"ForceSynchronization",
         "Tools",
         "Force Synchronization...",
         {},
         {},
         [](T&) {
             EXPECT_EQ(
                 QFileInfo(ReportPath(QStringLiteral("Trip"))).lastModified().toSecsSinceEpoch(),
                 kTestNow);
         },
         PromptAnswer::Yes},
        {"NewReport",
         "",
         "Create New Expense Report",
         {},
         [](T&, QDialog* dialog) {
             auto* info = qobject_cast<CReportInfoDialog*>(dialog);
             ASSERT_NE(info, nullptr);
             EXPECT_EQ(info->Heading()->text(), QStringLiteral("New Report"));
             Type(info->TitleEdit(), QStringLiteral("Bergen"));
             Tap(info->OkButton());
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Bergen"));
             EXPECT_EQ(t.Count(), QStringLiteral("0 items"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Bergen")), QList<double>());
         },
         {}},
        {"NewExpense",
         "",
         "New Expense",
         {},
         [](T& t, QDialog* dialog) {
             auto* picker = qobject_cast<CCategoryPicker*>(dialog);
             ASSERT_NE(picker, nullptr);
             t.WhenDialogOpens([](QDialog* dialog) {
                 auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
                 ASSERT_NE(slip, nullptr);
                 EXPECT_EQ(slip->Category().GetName(), QStringLiteral("Taxi"));
                 Tap(slip->AmountEdit());
                 TapPadValue(slip->AmountEdit(), QStringLiteral("7.25"));
                 Tap(slip->SaveButton());
             });
             TapButton(picker, QStringLiteral("Taxi"));
         },
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("4 items"));
             CListGrid* list = t.frame_->MainView()->SimpleList()->Grid();
             const int row = RowShowing(list, 1, QStringLiteral("Taxi"));
             ASSERT_GE(row, 0);
             EXPECT_EQ(list->CellText(3, row), QStringLiteral("$7.25"));
             EXPECT_TRUE(StoredAmounts(QStringLiteral("Trip")).contains(7.25));
         },
         {}},
    };
}
