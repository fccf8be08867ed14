#pragma once

#include <QMap>
#include <QWidget>
#include <functional>
#include <memory>

class ActiveReportBar;
class CashRegisterSound;
class CCategory;
class CExpenseDoc;
class CExpenseRecord;
class CGridViewDetails;
class CommandBar;
class CReceiptKeeper;
class CViewExpense;
class QAction;
class QMenu;
class QStackedWidget;
class QTimer;
class StatusBar;

// The program's window: the active-report bar at the top, the main screen or
// the detailed list, the status bar, and the command bar with the "Edit",
// "View" and "Tools" menus and the "New Expense" button. It runs every
// command on the document and refreshes every display after each change
// through RefreshViews.
class CMainFrame : public QWidget {
    Q_OBJECT

public:
    // The commands, by the identifiers other screens send them with.
    enum class Command : int {
        SelectExpenses = 32884,
        SelectAllExpenses = 32885,
        MergeSelected = 32886,
        DeleteSelected = 32887,
        About = 57664,
        ReportInfo = 32839,
        AllReports = 32903,
        SimpleList = 32863,
        DetailedList = 32864,
        Totals = 32788,
        Subtotals = 32862,
        OpenReport = 32842,
        DuplicateReport = 32867,
        DeleteReport = 32843,
        ChangeRates = 32889,
        BackupRestore = 32909,
        Export = 32910,
        ForceSynchronization = 32908,
        Preferences = 32780,
        NewExpense = 32895,
        NewReport = 57600,
    };

    // What the expense slip answered.
    enum class SlipResult { Cancel, Ok, Delete };
    // Runs the expense slip on `record`, new or to edit; for lodging it
    // sets `nights`.
    using SlipRunner =
        std::function<SlipResult(CExpenseRecord& record, bool newExpense, int& nights)>;

    explicit CMainFrame(CExpenseDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Runs a command when its rule allows it now; false when it does not.
    bool SendCommand(Command command);
    QAction* Action(Command command) const { return actions_.value(command); }
    // Sets every command's enabled and checked state from the document.
    void UpdateCommands();

    // The one refresh after any change: status texts, both lists, the report
    // bar's title, the commands.
    void RefreshViews();
    void UpdateItemCount();
    void UpdateTotal();
    void SetActiveReportName(const QString& title);

    // A new expense of `category` through the slip, saved into the open
    // report (one a night for lodging).
    void AddExpense(const CCategory& category);
    // The visible expense at `index` through the slip; Save and Delete act
    // on that expense wherever it is by then.
    void EditExpense(int index);
    void SetSlipRunner(SlipRunner runner) { slipRunner_ = std::move(runner); }

    // A second start of the program: the window comes forward, and above it
    // the dialog open on it, if any.
    void BringForward();
    // Reads every file again after another process changed them; while a
    // dialog or menu is open, once it is closed.
    void ReloadFromFiles();

    CExpenseDoc& Document() { return document_; }
    // The receipts of the open report, following it for the whole run.
    CReceiptKeeper& Receipts() { return *receipts_; }
    ActiveReportBar* ReportBar() const { return reportBar_; }
    StatusBar* Status() const { return status_; }
    CommandBar* Commands() const { return commands_; }
    CViewExpense* MainView() const { return mainView_; }
    CGridViewDetails* DetailsView() const { return detailsView_; }
    bool IsDetailsActive() const;
    CashRegisterSound* Sound() const { return sound_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MakeCommands();
    QAction* AddCommand(QMenu* menu, Command command, const QString& text);
    bool IsEnabled(Command command) const;
    void Run(Command command);
    bool ReportOpen() const;

    void OnSelectAllExpenses();
    void OnMergeSelected();
    void OnDeleteSelected();
    void OnAbout();
    void OnReportInfo();
    void OnSimpleList();
    void OnDetailedList();
    void OnOpenReport();
    void OnDuplicateReport();
    void OnDeleteReport();
    void OnForceSynchronization();
    void OnExport();
    void OnAllReports();
    void OnSelectExpenses();
    void OnNewExpense();
    void OnBackupRestore();
    void OnPreferences();
    void OnNewReport();
    bool FillReportList();
    void PickReport(int index);
    void AskForNewReport();
    void PlaySavedSound();

    CExpenseDoc& document_;  // not owned
    std::unique_ptr<CReceiptKeeper> receipts_;
    ActiveReportBar* reportBar_;
    QStackedWidget* views_;
    CViewExpense* mainView_;
    CGridViewDetails* detailsView_;
    StatusBar* status_;
    CommandBar* commands_;
    CashRegisterSound* sound_;
    QMap<Command, QAction*> actions_;
    QStringList listedReports_;  // the paths behind the report bar's items
    SlipRunner slipRunner_;
    QTimer* reloadRetry_;  // a reload waiting for the open dialogs to close

    static constexpr int kReloadRetryMs = 200;
    static constexpr int kPictureButtonWidth = 20;
};
