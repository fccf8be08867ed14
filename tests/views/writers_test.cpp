#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QSaveFile>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "app/instancechannel.h"
#include "archive/expensearchive.h"
#include "framefixture.h"
#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expenserecord.h"
#include "report/lastslipdate.h"
#include "support/clirunner.h"
#include "views/frame/statusbar.h"
#include "views/grid/listgrid.h"
#include "views/grid/simplelist.h"
#include "views/pads/padamountedit.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"

namespace {

// The window beside the command-line tool and a sync tool, all writing the
// same report, with the window told of the tool's changes as a running
// program is.
class WindowWritersTest : public FrameFixture {
protected:
    WindowWritersTest() { LastSlipDate::Reset(); }

    void StartWindow() {
        StartFrame();
        ASSERT_TRUE(channel_.Listen());
        QObject::connect(&channel_, &InstanceChannel::refreshRequested, frame_.get(),
                         &CMainFrame::ReloadFromFiles);
    }
    QStringList CliArguments(const QStringList& arguments) const {
        return QStringList{"--root", platform_.Root(), "--registry", platform_.RegistryFolder()} +
               arguments;
    }
    // Runs the tool to its end while the window goes on answering.
    int RunTool(const QStringList& arguments) {
        QProcess tool;
        tool.start(ProgramPath(QStringLiteral("outlaysheet-cli")), CliArguments(arguments));
        QElapsedTimer clock;
        clock.start();
        while (tool.state() != QProcess::NotRunning && clock.elapsed() < 60000) {
            QTest::qWait(5);
        }
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
        return tool.exitCode();
    }
    static QStringList AddExpense(const QString& category, const QString& amount,
                                  const QString& date, const QString& description) {
        return {"add-expense", "Trip",   "--category", category,        "--amount",
                amount,        "--date", date,         "--description", description};
    }
    QString TripPath() const {
        return JoinPath(GetReportsDirectory(), QStringLiteral("Trip.xpf"));
    }
    // "description amount" of every stored expense, sorted.
    QStringList Stored() const {
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        EXPECT_TRUE(report.Open(TripPath(), false));
        QStringList expenses;
        for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
            const CExpenseRecord* record = report.GetRecords().GetAt(i, false);
            expenses.append(record->GetDescription() + QLatin1Char(' ') +
                            QString::number(record->GetAmount(false).GetValue()));
        }
        expenses.sort();
        return expenses;
    }
    CListGrid* List() const { return frame_->MainView()->SimpleList()->Grid(); }
    int RowOf(const QString& description) const {
        for (int row = 0; row < List()->RowCount(); ++row) {
            if (List()->CellText(2, row) == description) {
                return row;
            }
        }
        ADD_FAILURE() << "no row " << description.toStdString();
        return 0;
    }
    void TapRow(int row) {
        List()->EnsureVisible(row);
        Tap(List()->viewport(), List()->CellRect(2, row).center());
    }

    InstanceChannel channel_;
};

// The slip edits the expense tapped, though the tool adds an expense that
// moves every row while the slip is open and tells the window to read the
// files again.
TEST_F(WindowWritersTest, AnEditSavedAfterTheToolChangedTheReportReplacesTheExpenseTapped) {
    ASSERT_EQ(RunTool({"new-report", "Trip"}), 0);
    ASSERT_EQ(RunTool(AddExpense("Lunch", "12", "2026-12-04", "Lunch")), 0);
    ASSERT_EQ(RunTool(AddExpense("Taxi", "18", "2026-12-05", "Taxi")), 0);
    ASSERT_EQ(RunTool(AddExpense("Lodging", "120", "2026-12-06", "Lodging")), 0);
    ASSERT_EQ(RunTool(AddExpense("Dinner", "40", "2026-12-07", "Dinner")), 0);
    StartWindow();
    ASSERT_EQ(List()->RowCount(), 4);

    for (const bool deleting : {false, true}) {
        SCOPED_TRACE(deleting ? "Delete" : "Save");
        const QString added = deleting ? QStringLiteral("Snack") : QStringLiteral("Breakfast");
        WhenDialogOpens([&](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            // An expense of an earlier day: every row moves down by one.
            RunTool(AddExpense("Breakfast", deleting ? "3" : "9", "2026-12-01", added));
            if (deleting) {
                platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
                Tap(slip->DeleteButton());
                return;
            }
            slip->AmountEdit()->clear();
            Type(slip->AmountEdit(), QStringLiteral("45"));
            Tap(slip->SaveButton());
        });
        TapRow(RowOf(deleting ? QStringLiteral("Lodging") : QStringLiteral("Dinner")));
    }
    EXPECT_EQ(Stored(),
              (QStringList{"Breakfast 9", "Dinner 45", "Lunch 12", "Snack 3", "Taxi 18"}));
    // The reload the tool asked for came once the slip was closed.
    QTRY_COMPARE_WITH_TIMEOUT(frame_->Status()->ItemCount()->text(), QStringLiteral("5 items"),
                              5000);
}

// The window adds 100 expenses by taps while the tool adds 100 in a loop and
// a sync tool twice puts a version of its own in place: every expense of
// the three arrives, and the file stays readable throughout.
TEST_F(WindowWritersTest, TheWindowTheToolAndASyncToolLoseNoneOfEachOthersExpenses) {
    constexpr int kEach = 100;
    ASSERT_EQ(RunTool({"new-report", "Trip"}), 0);
    StartWindow();
    int toolRuns = 0;
    int toolFailures = 0;
    QProcess tool;
    const auto next = [&] {
        tool.start(ProgramPath(QStringLiteral("outlaysheet-cli")),
                   CliArguments(AddExpense("Taxi", QString::number(toolRuns + 1), "2026-12-02",
                                           QStringLiteral("Tool %1").arg(toolRuns + 1))));
    };
    QObject::connect(&tool, &QProcess::finished, [&](int exitCode) {
        toolFailures += exitCode != 0 ? 1 : 0;
        ++toolRuns;
        // A sync tool knows nothing of the lock: it renames its own file in.
        if (toolRuns == 30 || toolRuns == 70) {
            CExpenseReport synced;
            synced.GetCurrencyTable().Load(false);
            EXPECT_TRUE(synced.Open(TripPath(), false));
            auto record = std::make_unique<CExpenseRecord>();
            record->SetDescription(QStringLiteral("Synced %1").arg(toolRuns));
            record->SetAmount(Amount(1000));
            synced.GetRecords().Add(std::move(record), true);
            QSaveFile file(TripPath());
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            CExpenseArchive archive(file, CExpenseArchive::Mode::kStore, TripPath());
            synced.Serialize(archive, 0);
            archive.Close();
            EXPECT_TRUE(file.commit());
        }
        if (toolRuns < kEach) {
            next();
        }
    });
    next();
    for (int i = 1; i <= kEach; ++i) {
        WhenDialogOpens([i](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            slip->Description()->setEditText(QStringLiteral("Window %1").arg(i));
            slip->AmountEdit()->clear();
            Type(slip->AmountEdit(), QString::number(i));
            Tap(slip->SaveButton());
        });
        Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
        QTest::qWait(1);
    }
    QElapsedTimer clock;
    clock.start();
    while (toolRuns < kEach && clock.elapsed() < 240000) {
        QTest::qWait(10);
    }
    ASSERT_EQ(toolRuns, kEach);
    EXPECT_EQ(toolFailures, 0);
    const QStringList stored = Stored();
    EXPECT_EQ(stored.size(), 2 * kEach + 2);
    for (int i = 1; i <= kEach; ++i) {
        EXPECT_TRUE(stored.contains(QStringLiteral("Window %1 %1").arg(i))) << i;
        EXPECT_TRUE(stored.contains(QStringLiteral("Tool %1 %1").arg(i))) << i;
    }
    EXPECT_TRUE(stored.contains(QStringLiteral("Synced 30 1000")));
    EXPECT_TRUE(stored.contains(QStringLiteral("Synced 70 1000")));
    EXPECT_FALSE(FileExists(TripPath() + QStringLiteral(".damaged")));
    QTRY_COMPARE_WITH_TIMEOUT(frame_->Status()->ItemCount()->text(), QStringLiteral("202 items"),
                              5000);
}

}  // namespace
