#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <QTextBrowser>
#include "framefixture.h"
#include "lists/category.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "report/report.h"
#include "views/frame/activereportbar.h"
#include "views/frame/exportdialog.h"
#include "views/frame/mergerecordsdialog.h"
#include "views/frame/reportinfodialog.h"
#include "views/frame/statusbar.h"
#include "views/frame/systeminfodialog.h"
#include "views/pads/padamountedit.h"
#include "views/widgets/cashregistersound.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/helpwindow.h"

namespace {

const QString kNoReports =
    QStringLiteral("There are no expense reports to open, please create a new expense report.");

QString ReportPath(const QString& title) {
    return GetReportsDirectory() + QStringLiteral("/") + title + QStringLiteral(".xpf");
}

// Selects the expenses of at most `limit` in amount.
void SelectUpTo(CExpenseDoc& document, double limit) {
    CExpenseRecords& records = document.GetRecords();
    records.GetQuery().AddCondition(CRecordQuery::Number(3, kOpLess, limit));
    records.RunQuery();
}

using MainFrameTest = FrameFixture;

TEST_F(MainFrameTest, StatusBarShowsCountAndTotalAsTheUserSeesThem) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    StartFrame();
    TapLabel* count = frame_->Status()->ItemCount();
    EXPECT_EQ(count->text(), QStringLiteral("10 items"));
    EXPECT_FALSE(count->font().bold());
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $55.00"));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Trip"));

    SelectUpTo(*document_, 3);
    frame_->RefreshViews();
    EXPECT_EQ(count->text(), QStringLiteral("3 of 10 items"));
    EXPECT_TRUE(count->font().bold());
    EXPECT_EQ(count->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // A selection's total is its own expenses'.
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $6.00"));

    ASSERT_TRUE(Choose(QStringLiteral("Select All Expenses")));
    EXPECT_EQ(count->text(), QStringLiteral("10 items"));
    EXPECT_EQ(count->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(MainFrameTest, LongAndNegativeTotalsAreCutAndRed) {
    MakeReport(QStringLiteral("Big"), {1234567.89});
    MakeReport(QStringLiteral("Refund"), {-20});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Big"))));
    frame_->RefreshViews();
    // "Total $1,234,567.89" has 19 characters.
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $1,234,56..."));
    EXPECT_EQ(frame_->Status()->Total()->palette().color(QPalette::WindowText), QColor(Qt::black));
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Refund"))));
    frame_->RefreshViews();
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total ($20.00)"));
    EXPECT_EQ(frame_->Status()->Total()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(MainFrameTest, CommandsFollowTheirRules) {
    struct Case {
        const char* command;
        bool noReport;
        bool report;
        bool selection;
        bool emptySelection;
    };
    const Case cases[] = {
        {"Select Expenses...", false, true, true, true},
        {"Select All Expenses", false, false, true, true},
        {"Merge Selected", false, true, true, false},
        {"Delete Selected", false, true, true, false},
        {"About", true, true, true, true},
        {"Report Info...", false, true, true, true},
        {"All Reports", true, true, true, true},
        {"Simple List", true, true, true, true},
        {"Detailed List", true, true, true, true},
        {"Totals...", false, true, true, true},
        {"Subtotals...", false, true, true, true},
        {"Open Report...", true, true, true, true},
        {"Duplicate Report", false, true, true, true},
        {"Delete Report", false, true, true, true},
        {"Backup / Restore", true, true, true, true},
        {"Export...", false, true, true, true},
        {"Force Synchronization...", true, true, true, true},
        {"Preferences...", true, true, true, true},
        {"New Expense", false, true, true, true},
    };
    auto check = [&](int state) {
        frame_->UpdateCommands();
        for (const Case& c : cases) {
            const bool expected[] = {c.noReport, c.report, c.selection, c.emptySelection};
            EXPECT_EQ(CommandNamed(QString::fromLatin1(c.command))->isEnabled(), expected[state])
                << c.command << " in state " << state;
        }
    };
    // No report: the question for a new one is cancelled.
    WhenDialogOpens([](QDialog* dialog) { dialog->reject(); });
    StartFrame();
    ASSERT_TRUE(Choose(QStringLiteral("New Report")));
    check(0);
    MakeReport(QStringLiteral("Trip"), {5, 50});
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Trip"))));
    check(1);
    SelectUpTo(*document_, 10);
    check(2);
    SelectUpTo(*document_, 1);
    check(3);
}

TEST_F(MainFrameTest, DuplicatingNumbersCopiesAfterTheOriginal) {
    MakeReport(QStringLiteral("Trip"), {10});
    MakeReport(QStringLiteral("Trip Copy 1"), {10});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Trip"))));
    ASSERT_TRUE(Choose(QStringLiteral("Duplicate Report")));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Trip Copy 2"));
    EXPECT_EQ(QFileInfo(ReportPath(QStringLiteral("Trip Copy 2"))).size(),
              QFileInfo(ReportPath(QStringLiteral("Trip"))).size());
    ASSERT_TRUE(Choose(QStringLiteral("Duplicate Report")));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Trip Copy 3"));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("1 items"));
}

TEST_F(MainFrameTest, DeletingTheOnlyReportLeadsIntoANewOne) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    QString heading;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        heading = info->Heading()->text();
        Type(info->TitleEdit(), QStringLiteral("Home"));
        Tap(info->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Delete Report")));
    EXPECT_EQ(Messages(),
              QStringList({QStringLiteral("Are you sure you want to permanently delete the "
                                          "expense report, Trip?"),
                           kNoReports}));
    EXPECT_EQ(heading, QStringLiteral("New Report"));
    EXPECT_TRUE(QFileInfo::exists(GetTrashDirectory() + QStringLiteral("/Trip.xpf")));
    EXPECT_TRUE(QFileInfo::exists(ReportPath(QStringLiteral("Home"))));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Home"));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("0 items"));
}

// A second report, from the command bar's first button, while one is open.
TEST_F(MainFrameTest, TheCommandBarsFirstButtonCreatesAnotherReport) {
    const QString trip = MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    QToolButton* newReport = nullptr;
    for (QToolButton* button : frame_->Commands()->findChildren<QToolButton*>()) {
        if (button->accessibleName() == QStringLiteral("Create New Expense Report")) {
            newReport = button;
        }
    }
    ASSERT_NE(newReport, nullptr);
    EXPECT_EQ(newReport->toolTip(), QStringLiteral("Create New Expense Report"));
    EXPECT_LT(newReport->x(), frame_->Commands()->width() / 4);
    // The bar still fits the narrowest screen.
    EXPECT_LE(frame_->Commands()->minimumSizeHint().width(), 240);
    EXPECT_LE(frame_->minimumSizeHint().width(), 240);
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Heading()->text(), QStringLiteral("New Report"));
        Type(info->TitleEdit(), QStringLiteral("Bergen"));
        Tap(info->OkButton());
    });
    Tap(newReport);
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Bergen"));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("0 items"));
    EXPECT_TRUE(QFileInfo::exists(ReportPath(QStringLiteral("Bergen"))));
    EXPECT_TRUE(QFileInfo::exists(trip));
}

// A second start while About is open: the window comes forward with the
// dialog still above it, so the next tap reaches the dialog.
TEST_F(MainFrameTest, ASecondStartKeepsTheOpenDialogOnTop) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    WhenDialogOpens([this](QDialog* about) {
        frame_->BringForward();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), about);
        about->accept();
    });
    ASSERT_TRUE(Choose(QStringLiteral("About")));
    EXPECT_EQ(DialogsSeen(), 1);
}

TEST_F(MainFrameTest, AnsweringNoKeepsTheReport) {
    const QString path = MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    ASSERT_TRUE(Choose(QStringLiteral("Delete Report")));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Trip"));
}

TEST_F(MainFrameTest, ReportInfoWithoutChangesSavesNothing) {
    const QString path = MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    const QByteArray before = ReadFileBytes(path);
    const QDateTime written = QFileInfo(path).lastModified();
    QTest::qWait(20);
    QString heading;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        heading = info->Heading()->text();
        EXPECT_EQ(info->TitleEdit()->text(), QStringLiteral("Trip"));
        Tap(info->OkButton());
    });
    // A tap on "Report:" edits the open report.
    Tap(frame_->ReportBar()->Label());
    EXPECT_EQ(heading, QStringLiteral("Edit Report"));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST_F(MainFrameTest, ReportInfoRenamesAndStoresTheHeader) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        info->TitleEdit()->clear();
        Type(info->TitleEdit(), QStringLiteral("Oslo trip"));
        info->CashAdvanceEdit()->clear();
        Type(info->CashAdvanceEdit(), QStringLiteral("100"));
        Tap(info->Submitted());
        Tap(info->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Report Info...")));
    EXPECT_FALSE(QFileInfo::exists(ReportPath(QStringLiteral("Trip"))));
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(ReportPath(QStringLiteral("Oslo trip")), false));
    EXPECT_EQ(stored.GetHeader().GetCashAdvance().GetValue(), 100.0);
    EXPECT_TRUE(stored.GetHeader().IsSubmitted());
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Oslo trip"));
}

TEST_F(MainFrameTest, CashAdvancedTakesOnlyAnAmountTypedOrFromThePad) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        CPadAmountEdit* cash = info->CashAdvanceEdit();
        Tap(cash);
        EXPECT_TRUE(cash->IsPadOpen());
        Type(cash, QStringLiteral("abc"));
        EXPECT_EQ(cash->text(), QStringLiteral("0.00"));
        Type(cash, QStringLiteral("12.5x"));
        EXPECT_EQ(cash->text(), QStringLiteral("12.5"));
        Tap(info->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Report Info...")));
    EXPECT_EQ(Messages(), QStringList());
    EXPECT_EQ(document_->GetReport().GetHeader().GetCashAdvance().GetValue(), 12.5);
}

TEST_F(MainFrameTest, ACashAdvanceDigitBeyondWhatAReportHoldsIsRefused) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        info->CashAdvanceEdit()->clear();
        Type(info->CashAdvanceEdit(), QStringLiteral("5000000000000"));
        EXPECT_EQ(Messages(), QStringList{MoneyBounds::Message(MoneyBounds::Kind::kCashAdvance)});
        EXPECT_EQ(info->CashAdvanceEdit()->text(), QStringLiteral("500000000000"));
        info->CashAdvanceEdit()->clear();
        Type(info->CashAdvanceEdit(), QStringLiteral("-999999999999.99"));
        Tap(info->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Report Info...")));
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(ReportPath(QStringLiteral("Trip")), false));
    EXPECT_EQ(stored.GetHeader().GetCashAdvance().GetValue(), -999999999999.99);
}

TEST_F(MainFrameTest, ReimbursedFollowsSubmitted) {
    CExpenseDoc document;
    CExpenseReportInfo header;
    CReportInfoDialog dialog(CReportInfoDialog::Mode::New, header, document, nullptr);
    dialog.show();
    EXPECT_FALSE(dialog.Reimbursed()->isEnabled());
    Tap(dialog.Submitted());
    EXPECT_TRUE(dialog.Reimbursed()->isEnabled());
    Tap(dialog.Reimbursed());
    EXPECT_TRUE(dialog.Reimbursed()->isChecked());
    Tap(dialog.Submitted());
    EXPECT_FALSE(dialog.Reimbursed()->isChecked());
    EXPECT_FALSE(dialog.Reimbursed()->isEnabled());
}

TEST_F(MainFrameTest, ARefusedTitleKeepsTheDialogOpenWithTheReason) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        Type(info->TitleEdit(), QStringLiteral("Trip"));
        Tap(info->OkButton());
        EXPECT_TRUE(info->isVisible());
        info->TitleEdit()->clear();
        Tap(info->OkButton());
        EXPECT_TRUE(info->isVisible());
        info->reject();
    });
    ASSERT_TRUE(Choose(QStringLiteral("New Report")));
    EXPECT_EQ(Messages(), QStringList({QStringLiteral("A file with the same name already exists"),
                                       QStringLiteral("Report name cannot be blank")}));
    EXPECT_EQ(platform_.Prompts().Messages()[0].icon, PromptIcon::Exclamation);
}

TEST_F(MainFrameTest, MergeMovesTheVisibleExpensesIntoASortedSavedReport) {
    MakeReport(QStringLiteral("Other"), {100, 200});
    MakeReport(QStringLiteral("Trip"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Trip"))));
    SelectUpTo(*document_, 3);
    frame_->RefreshViews();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* merge = qobject_cast<CMergeRecordsDialog*>(dialog);
        EXPECT_EQ(merge->Targets()->currentText(), QStringLiteral("Other"));
        Tap(merge->MoveButton());
        Tap(merge->MergeButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Merge Selected")));
    EXPECT_EQ(document_->GetRecords().GetCount(false), 7);

    CExpenseReport other;
    other.GetCurrencyTable().Load(false);
    ASSERT_TRUE(other.Open(ReportPath(QStringLiteral("Other")), false));
    ASSERT_EQ(other.GetRecords().GetCount(false), 5);
    QList<TimeStamp> dates;
    for (int i = 0; i < 5; ++i) {
        dates.append(other.GetRecords().GetAt(i, false)->GetDate());
    }
    EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()));
    EXPECT_EQ(other.GetHeader().GetTotals().GetTotal().GetValue(), 306.0);
    // The moved expenses left this report's file too.
    CExpenseReport trip;
    trip.GetCurrencyTable().Load(false);
    ASSERT_TRUE(trip.Open(ReportPath(QStringLiteral("Trip")), false));
    EXPECT_EQ(trip.GetRecords().GetCount(false), 7);
}

TEST_F(MainFrameTest, MergeWithoutAnotherReportCannotMerge) {
    MakeReport(QStringLiteral("Trip"), {1});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* merge = qobject_cast<CMergeRecordsDialog*>(dialog);
        EXPECT_TRUE(merge->NoReports()->isVisible());
        EXPECT_EQ(merge->NoReports()->text(), QStringLiteral("No Reports Available"));
        EXPECT_FALSE(merge->Targets()->isVisible());
        EXPECT_FALSE(merge->MergeButton()->isEnabled());
        Tap(merge->CancelButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Merge Selected")));
    EXPECT_EQ(document_->GetRecords().GetCount(false), 1);
}

TEST_F(MainFrameTest, DeleteSelectedAsksThenDeletesOnlyTheVisible) {
    const QString path = MakeReport(QStringLiteral("Trip"), {1, 2, 3, 4});
    StartFrame();
    SelectUpTo(*document_, 2);
    ASSERT_TRUE(Choose(QStringLiteral("Delete Selected")));
    EXPECT_EQ(document_->GetRecords().GetCount(false), 4);
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(Choose(QStringLiteral("Delete Selected")));
    EXPECT_EQ(Messages().last(), QStringLiteral("Are you sure you want to permanently delete "
                                                "all selected expenses?"));
    EXPECT_EQ(platform_.Prompts().Messages().back().icon, PromptIcon::Question);
    EXPECT_EQ(document_->GetRecords().GetCount(false), 2);
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(path, false));
    EXPECT_EQ(stored.GetRecords().GetCount(false), 2);
}

TEST_F(MainFrameTest, ForceSynchronizationAsksFirst) {
    const QString path = MakeReport(QStringLiteral("Trip"), {1});
    StartFrame();
    const QDateTime before = QFileInfo(path).lastModified();
    QTest::qWait(20);
    ASSERT_TRUE(Choose(QStringLiteral("Force Synchronization...")));
    EXPECT_EQ(QFileInfo(path).lastModified(), before);
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(Choose(QStringLiteral("Force Synchronization...")));
    // Touched at the platform's "now".
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), kTestNow);
    EXPECT_EQ(Messages().first(),
              QStringLiteral("The next time you sync, this will force all your files to be "
                             "re-downloaded and overwrite any files on your computer for "
                             "Outlaysheet. Do you wish to continue?"));
}

TEST_F(MainFrameTest, NewExpenseWithoutAReportAsksForOne) {
    StartFrame();
    frame_->AddExpense(CCategory(QStringLiteral("Lunch"), 4, 1));
    EXPECT_EQ(Messages(), QStringList(QStringLiteral(
                              "You have not created an expense report yet. \n\nPlease create "
                              "one before attempting this action")));
}

TEST_F(MainFrameTest, LodgingOfThreeNightsIsThreeExpensesADayApart) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    document_->GetPreferences().SetPlaySounds(true);
    frame_->SetSlipRunner([](CExpenseRecord& record, bool newExpense, int& nights) {
        EXPECT_TRUE(newExpense);
        record.SetDate(kTestNow);
        record.SetAmount(Amount(80));
        record.SetExchangeRate(Amount(1));
        nights = 3;
        return CMainFrame::SlipResult::Ok;
    });
    frame_->AddExpense(CCategory(QStringLiteral("Lodging"), 11, 1));
    CExpenseRecords& records = document_->GetRecords();
    ASSERT_EQ(records.GetCount(false), 3);
    for (int night = 0; night < 3; ++night) {
        EXPECT_EQ(records.GetAt(night, false)->GetDate(), kTestNow + night * 86400);
    }
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("3 items"));
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $240.00"));
    EXPECT_EQ(frame_->Sound()->PlayCount(), 1);
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(ReportPath(QStringLiteral("Trip")), false));
    EXPECT_EQ(stored.GetRecords().GetCount(false), 3);
}

TEST_F(MainFrameTest, TheReportListOffersEveryReportAndOpensThePickedOne) {
    MakeReport(QStringLiteral("Alpha"), {1});
    MakeReport(QStringLiteral("Beta"), {2, 3});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Alpha"))));
    frame_->RefreshViews();
    ReportComboBox* list = frame_->ReportBar()->Reports();
    list->showPopup();
    QStringList titles;
    for (int i = 0; i < list->count(); ++i) {
        titles.append(list->itemText(i));
    }
    titles.sort();
    EXPECT_EQ(titles, QStringList({QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    EXPECT_EQ(list->currentText(), QStringLiteral("Alpha"));
    list->hidePopup();
    emit list->activated(list->findText(QStringLiteral("Beta")));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("2 items"));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Beta"));
}

// On a screen too low for a row of the list the list is hidden, and the
// View menu does not tick "Simple List" as if it were shown.
TEST_F(MainFrameTest, AListWithNoRoomIsNotTickedAsShown) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    frame_->UpdateCommands();
    EXPECT_TRUE(CommandNamed(QStringLiteral("Simple List"))->isChecked());
    frame_->resize(320, 120);
    QApplication::processEvents();
    frame_->UpdateCommands();
    EXPECT_FALSE(CommandNamed(QStringLiteral("Simple List"))->isChecked());
}

TEST_F(MainFrameTest, SwitchingListsIsRememberedInThePreferences) {
    StartFrame();
    ASSERT_TRUE(Choose(QStringLiteral("Detailed List")));
    EXPECT_TRUE(frame_->IsDetailsActive());
    EXPECT_TRUE(CommandNamed(QStringLiteral("Detailed List"))->isChecked());
    EXPECT_EQ(document_->GetPreferences().GetCurrentView(), 1);
    ASSERT_TRUE(Choose(QStringLiteral("Simple List")));
    EXPECT_FALSE(frame_->IsDetailsActive());
    EXPECT_TRUE(CommandNamed(QStringLiteral("Simple List"))->isChecked());
    EXPECT_EQ(document_->GetPreferences().GetCurrentView(), 0);
}

}  // namespace

namespace {

using FrameDialogsTest = FrameFixture;

// Types the file's path into the dialog's name field and presses Enter.
void ChooseFile(QFileDialog* files, const QString& path) {
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

HelpWindow* HelpWindowShown() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(window); help && help->isVisible()) {
            return help;
        }
    }
    return nullptr;
}

TEST_F(FrameDialogsTest, OpenReportOpensTheChosenFile) {
    MakeReport(QStringLiteral("Alpha"), {1});
    const QString beta = MakeReport(QStringLiteral("Beta"), {2, 3, 4});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Alpha"))));
    WhenDialogOpens([&](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(), QStringList(QStringLiteral("Expense Report(*.xpf)")));
        ChooseFile(files, beta);
    });
    ASSERT_TRUE(Choose(QStringLiteral("Open Report...")));
    EXPECT_EQ(frame_->ReportBar()->ActiveReportName(), QStringLiteral("Beta"));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("3 items"));
}

TEST_F(FrameDialogsTest, ExportHandsInTheSelectionAndShowsWhereItWent) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3, 4});
    StartFrame();
    WhenDialogOpens([&](QDialog* dialog) {
        auto* exporter = qobject_cast<CExportDialog*>(dialog);
        ASSERT_NE(exporter, nullptr);
        EXPECT_FALSE(exporter->SelectedOnly()->isEnabled());
        exporter->reject();
    });
    ASSERT_TRUE(Choose(QStringLiteral("Export...")));
    SelectUpTo(*document_, 2);
    WhenDialogOpens([&](QDialog* dialog) {
        auto* exporter = qobject_cast<CExportDialog*>(dialog);
        EXPECT_TRUE(exporter->SelectedOnly()->isChecked());
        Tap(exporter->CsvButton());
        Tap(exporter->ExportButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Export...")));
    const QString path = GetExportsDirectory() + QStringLiteral("/Trip.csv");
    EXPECT_EQ(Messages(),
              QStringList(QStringLiteral("The expense report was exported to ") + path));
    // The header row and the two selected expenses.
    EXPECT_EQ(ReadFileBytes(path).count("\r\n"), 3);
}

TEST_F(FrameDialogsTest, SystemInfoIsSavedAsATextFileFromTheAboutBox) {
    StartFrame();
    const QString path = platform_.Path(QStringLiteral("device"));
    WhenDialogOpens([](QDialog* about) {
        EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
        QTest::keyClick(about, Qt::Key_V, Qt::ControlModifier);
        about->accept();
    });
    WhenDialogOpens([](QDialog* info) {
        EXPECT_EQ(info->windowTitle(), QStringLiteral("System Info"));
        Tap(qobject_cast<CSystemInfoDialog*>(info)->SaveButton());
        info->accept();
    });
    WhenDialogOpens([&](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        ChooseFile(files, path);
    });
    ASSERT_TRUE(Choose(QStringLiteral("About")));
    const QStringList lines =
        QString::fromUtf8(ReadFileBytes(path + QStringLiteral(".txt"))).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(0, lines.size() - 1), CSystemInfoDialog::InfoLines());
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("Device: ")));
}

TEST_F(FrameDialogsTest, TheHelpKeyOpensTheHelpAtTheScreensTopic) {
    MakeReport(QStringLiteral("Trip"), {1});
    StartFrame();
    QTest::keyClick(frame_.get(), Qt::Key_F1);
    auto* help = HelpWindowShown();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->Browser()->source().fragment(), QStringLiteral("Main_Contents"));
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    WhenDialogOpens([&](QDialog* dialog) {
        QTest::keyClick(dialog, Qt::Key_F1);
        EXPECT_EQ(HelpWindowShown()->Browser()->source().fragment(),
                  QStringLiteral("First Expense Report"));
        dialog->reject();
    });
    ASSERT_TRUE(Choose(QStringLiteral("Report Info...")));
    help->close();
}

}  // namespace
