#include "views/frame/mainframe.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

#include "app/syncprovider.h"
#include "export/keptreceipts.h"
#include "lists/category.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "receipts/receiptfolders.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/expensetotals.h"
#include "report/reportcopies.h"
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
#include "views/settings/chooseitemdialog.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/settingsdialog.h"
#include "views/slip/categorypicker.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/accessibleproxy.h"
#include "views/widgets/appfont.h"
#include "views/widgets/cashregistersound.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/filechooser.h"
#include "views/widgets/helpwindow.h"
#include "views/widgets/popupkeeper.h"

namespace {

const QString kNoReports =
    QStringLiteral("There are no expense reports to open, please create a new expense report.");
constexpr int kLodgingCategory = 11;
constexpr qint64 kSecondsPerDay = 86400;

Prompts& UserPrompts() {
    return Platform::Get().GetPrompts();
}

}  // namespace

CMainFrame::CMainFrame(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      receipts_(std::make_unique<CReceiptKeeper>(document.GetReport())),
      reportBar_(new ActiveReportBar(this)),
      views_(new QStackedWidget(this)),
      mainView_(new CViewExpense(document, views_)),
      detailsView_(new CGridViewDetails(document, views_)),
      status_(new StatusBar(this)),
      commands_(new CommandBar(this)),
      sound_(new CashRegisterSound(this)),
      reloadRetry_(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Outlaysheet"));
    CAccessibleProxy::Install();
    reloadRetry_->setSingleShot(true);
    reloadRetry_->setInterval(kReloadRetryMs);
    connect(reloadRetry_, &QTimer::timeout, this, &CMainFrame::ReloadFromFiles);
    setAccessibleName(windowTitle());
    setFont(AppFont());
    // Menus, lists and calendars of every screen stay inside this window.
    new PopUpKeeper(this);
    views_->addWidget(mainView_);
    views_->addWidget(detailsView_);
    views_->setCurrentWidget(mainView_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(reportBar_);
    layout->addWidget(views_, 1);
    layout->addWidget(status_);
    layout->addWidget(commands_);
    MakeCommands();
    slipRunner_ = [this](CExpenseRecord& record, bool newExpense, int& nights) {
        const CCategory category = record.GetCategory();
        switch (
            CExpenseSlipDialog::RunSlip(document_, category, record, newExpense, this, nights)) {
            case CExpenseSlipDialog::kSaved:
                return SlipResult::Ok;
            case CExpenseSlipDialog::kDeleted:
                return SlipResult::Delete;
            default:
                return SlipResult::Cancel;
        }
    };
    mainView_->SetAdd([this](const CCategory& category) { AddExpense(category); });
    mainView_->SetEdit([this](int index) { EditExpense(index); });
    mainView_->SetModifyCategories([this] {
        CChooseItemDialog chooser(document_, CListItems::Kind::Category, QString(), this,
                                  CChooseItemDialog::Use::Keep);
        chooser.exec();
        if (chooser.ListChanged()) {
            mainView_->RefreshButtons();
            RefreshViews();
        }
    });
    detailsView_->SetEdit([this](int index) { EditExpense(index); });

    connect(reportBar_->Label(), &TapLabel::tapped, this,
            [this] { SendCommand(Command::ReportInfo); });
    reportBar_->Reports()->SetFill([this] { return FillReportList(); });
    connect(reportBar_->Reports(), &QComboBox::activated, this, &CMainFrame::PickReport);
    connect(status_->ItemCount(), &TapLabel::tapped, this,
            [this] { SendCommand(Command::SelectExpenses); });
    connect(status_->Total(), &TapLabel::tapped, this, [this] {
        SendCommand(document_.GetPreferences().GetSubtotals() == 0 ? Command::Totals
                                                                   : Command::Subtotals);
    });
    document_.SetNewReportDialog([this](CExpenseReportInfo& header) {
        return CReportInfoDialog(CReportInfoDialog::Mode::Save, header, document_, this).exec() ==
               QDialog::Accepted;
    });
}

CMainFrame::~CMainFrame() {
    document_.SetNewReportDialog(nullptr);
}

QAction* CMainFrame::AddCommand(QMenu* menu, Command command, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(static_cast<int>(command));
    connect(action, &QAction::triggered, this, [this, command] { SendCommand(command); });
    if (menu != nullptr) {
        menu->addAction(action);
    }
    actions_.insert(command, action);
    return action;
}

void CMainFrame::MakeCommands() {
    auto* edit = new QMenu(QStringLiteral("Edit"), this);
    AddCommand(edit, Command::SelectExpenses, QStringLiteral("Select Expenses..."));
    AddCommand(edit, Command::SelectAllExpenses, QStringLiteral("Select All Expenses"));
    edit->addSeparator();
    AddCommand(edit, Command::MergeSelected, QStringLiteral("Merge Selected"));
    AddCommand(edit, Command::DeleteSelected, QStringLiteral("Delete Selected"));

    auto* view = new QMenu(QStringLiteral("View"), this);
    AddCommand(view, Command::About, QStringLiteral("About"));
    view->addSeparator();
    AddCommand(view, Command::ReportInfo, QStringLiteral("Report Info..."));
    AddCommand(view, Command::AllReports, QStringLiteral("All Reports"));
    view->addSeparator();
    AddCommand(view, Command::SimpleList, QStringLiteral("Simple List"))->setCheckable(true);
    AddCommand(view, Command::DetailedList, QStringLiteral("Detailed List"))->setCheckable(true);
    view->addSeparator();
    AddCommand(view, Command::Totals, QStringLiteral("Totals..."));
    AddCommand(view, Command::Subtotals, QStringLiteral("Subtotals..."));

    auto* tools = new QMenu(QStringLiteral("Tools"), this);
    AddCommand(tools, Command::OpenReport, QStringLiteral("Open Report..."));
    AddCommand(tools, Command::DuplicateReport, QStringLiteral("Duplicate Report"));
    AddCommand(tools, Command::DeleteReport, QStringLiteral("Delete Report"));
    tools->addSeparator();
    AddCommand(tools, Command::ChangeRates, QStringLiteral("Change Rates..."));
    tools->addSeparator();
    AddCommand(tools, Command::BackupRestore, QStringLiteral("Backup / Restore"));
    AddCommand(tools, Command::Export, QStringLiteral("Export..."));
    tools->addSeparator();
    AddCommand(tools, Command::ForceSynchronization, QStringLiteral("Force Synchronization..."));
    tools->addSeparator();
    AddCommand(tools, Command::Preferences, QStringLiteral("Preferences..."));

    AddCommand(nullptr, Command::NewExpense, QStringLiteral("New Expense"))
        ->setToolTip(QStringLiteral("Categories"));
    AddCommand(nullptr, Command::NewReport, QStringLiteral("New Report"))
        ->setToolTip(QStringLiteral("Create New Expense Report"));

    // The bar's first button, before the menus: a picture, as the words
    // would leave no room for the menus on the narrowest screen.
    QAction* newReport = actions_.value(Command::NewReport);
    newReport->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    QToolButton* newReportButton = commands_->AddAction(newReport);
    newReportButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    newReportButton->setIconSize(QSize(16, 16));
    newReportButton->setFixedWidth(kPictureButtonWidth);
    newReportButton->setAccessibleName(newReport->toolTip());
    for (QMenu* menu : {edit, view, tools}) {
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
        CommandBar::LetShrink(commands_->AddMenu(menu->title(), menu));
    }
    commands_->AddStretch();
    CommandBar::LetShrink(commands_->AddAction(actions_.value(Command::NewExpense)));
    UpdateCommands();
}

bool CMainFrame::ReportOpen() const {
    const CExpenseReport& report = document_.GetReport();
    return report.IsOpen() && !report.GetHeader().GetPath().isEmpty();
}

bool CMainFrame::IsDetailsActive() const {
    return views_->currentWidget() == detailsView_;
}

bool CMainFrame::IsEnabled(Command command) const {
    const bool open = ReportOpen();
    const CExpenseRecords& records = document_.GetReport().GetRecords();
    switch (command) {
        case Command::SelectExpenses:
        case Command::ReportInfo:
        case Command::Totals:
        case Command::Subtotals:
        case Command::DuplicateReport:
        case Command::DeleteReport:
        case Command::NewExpense:
        case Command::Export:
            return open;
        case Command::SelectAllExpenses:
            return open && records.GetQuery().IsActive();
        case Command::MergeSelected:
        case Command::DeleteSelected:
            return open && records.GetCount(true) > 0;
        case Command::ChangeRates:
            return open && document_.GetReport().GetCurrencyTable().GetInternationalTraveler();
        case Command::About:
        case Command::AllReports:
        case Command::SimpleList:
        case Command::DetailedList:
        case Command::OpenReport:
        case Command::BackupRestore:
        case Command::ForceSynchronization:
        case Command::Preferences:
        case Command::NewReport:
            return true;
    }
    return false;
}

void CMainFrame::UpdateCommands() {
    for (auto entry = actions_.cbegin(); entry != actions_.cend(); ++entry) {
        entry.value()->setEnabled(IsEnabled(entry.key()));
    }
    actions_.value(Command::SimpleList)
        ->setChecked(!IsDetailsActive() && mainView_->IsListVisible());
    actions_.value(Command::DetailedList)->setChecked(IsDetailsActive());
}

bool CMainFrame::SendCommand(Command command) {
    if (!IsEnabled(command)) {
        return false;
    }
    Run(command);
    UpdateCommands();
    return true;
}

void CMainFrame::Run(Command command) {
    switch (command) {
        case Command::SelectAllExpenses:
            OnSelectAllExpenses();
            break;
        case Command::MergeSelected:
            OnMergeSelected();
            break;
        case Command::DeleteSelected:
            OnDeleteSelected();
            break;
        case Command::About:
            OnAbout();
            break;
        case Command::ReportInfo:
            OnReportInfo();
            break;
        case Command::SimpleList:
            OnSimpleList();
            break;
        case Command::DetailedList:
            OnDetailedList();
            break;
        case Command::OpenReport:
            OnOpenReport();
            break;
        case Command::DuplicateReport:
            OnDuplicateReport();
            break;
        case Command::DeleteReport:
            OnDeleteReport();
            break;
        case Command::ForceSynchronization:
            OnForceSynchronization();
            break;
        case Command::Export:
            OnExport();
            break;
        case Command::AllReports:
            OnAllReports();
            break;
        case Command::NewExpense:
            OnNewExpense();
            break;
        case Command::NewReport:
            OnNewReport();
            break;
        case Command::Totals:
        case Command::Subtotals:
            CTotalsDialog(command == Command::Totals ? CTotalsDialog::Page::Totals
                                                     : CTotalsDialog::Page::Subtotals,
                          document_, this)
                .exec();
            RefreshViews();
            break;
        case Command::BackupRestore:
            OnBackupRestore();
            break;
        case Command::SelectExpenses:
            OnSelectExpenses();
            break;
        case Command::Preferences:
            OnPreferences();
            break;
        case Command::ChangeRates:
            if (CPageCurrency(document_, this).exec() == QDialog::Accepted) {
                RefreshViews();
            }
            break;
    }
}

void CMainFrame::RefreshViews() {
    WaitCursor wait(UserPrompts());
    UpdateItemCount();
    UpdateTotal();
    detailsView_->ReloadDetails();
    mainView_->ReloadList();
    SetActiveReportName(ReportOpen() ? document_.GetReport().GetHeader().GetTitle() : QString());
    UpdateCommands();
}

void CMainFrame::UpdateItemCount() {
    if (!ReportOpen()) {
        status_->SetItemCount(QStringLiteral("0 items"), false);
        return;
    }
    const CExpenseRecords& records = document_.GetReport().GetRecords();
    if (records.GetQuery().IsActive()) {
        status_->SetItemCount(QStringLiteral("%1 of %2 items")
                                  .arg(records.GetCount(true))
                                  .arg(records.GetCount(false)),
                              true);
    } else {
        status_->SetItemCount(QStringLiteral("%1 items").arg(records.GetCount(false)), false);
    }
}

void CMainFrame::UpdateTotal() {
    const CExpenseReport& report = document_.GetReport();
    Amount total = report.GetHeader().GetTotals().GetTotal();
    if (report.GetRecords().GetQuery().IsActive()) {
        CExpenseTotals visible;
        report.GetRecords().ComputeTotals(visible, true, true);
        total = visible.GetTotal();
    }
    status_->SetTotal(QStringLiteral("Total ") + report.GetCurrencyTable().FormatInHome(total, 3),
                      total.GetValue() < 0);
}

void CMainFrame::SetActiveReportName(const QString& title) {
    reportBar_->SetActiveReportName(title);
    listedReports_.clear();
}

bool CMainFrame::FillReportList() {
    ReportComboBox* list = reportBar_->Reports();
    const QString shown = list->currentText();
    QList<CExpenseReportInfo> headers;
    CExpenseReport::ListReports(headers, GetReportsDirectory(), false);
    if (headers.isEmpty()) {
        AskForNewReport();
        return false;
    }
    const QSignalBlocker block(list);
    list->clear();
    listedReports_.clear();
    for (const CExpenseReportInfo& header : headers) {
        list->addItem(header.GetTitle());
        listedReports_.append(header.GetPath());
    }
    list->setCurrentIndex(qMax(0, list->findText(shown)));
    return true;
}

void CMainFrame::PickReport(int index) {
    if (index < 0 || index >= listedReports_.size()) {
        return;
    }
    if (!document_.OpenReport(listedReports_[index])) {
        reportBar_->Reports()->clear();
        listedReports_.clear();
    }
    RefreshViews();
}

void CMainFrame::AskForNewReport() {
    UserPrompts().Information(kNoReports);
    SendCommand(Command::NewReport);
}

void CMainFrame::OnSelectAllExpenses() {
    document_.GetRecords().ClearQuery();
    RefreshViews();
}

void CMainFrame::OnMergeSelected() {
    CMergeRecordsDialog dialog(document_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.Moved()) {
        // The moved expenses are in the other report's file now; this
        // report's file must lose them too, or they would be in both.
        document_.SaveReport(false);
        UpdateTotal();
    }
    RefreshViews();
}

void CMainFrame::OnDeleteSelected() {
    if (!UserPrompts().AskYesNo(QStringLiteral(
            "Are you sure you want to permanently delete all selected expenses?"))) {
        return;
    }
    CExpenseRecords& records = document_.GetRecords();
    for (int index = records.GetCount(true) - 1; index >= 0; --index) {
        document_.RemoveRecord(index);
    }
    document_.SaveReport(false);
    RefreshViews();
}

void CMainFrame::OnAbout() {
    CAboutDialog(this).exec();
}

void CMainFrame::OnReportInfo() {
    CExpenseReportInfo& header = document_.GetReport().GetHeader();
    const double cashBefore = header.GetCashAdvance().GetValue();
    CReportInfoDialog dialog(CReportInfoDialog::Mode::Edit, header, document_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (header.GetCashAdvance().GetValue() != cashBefore) {
        document_.GetRecords().RecomputeTotals();
    }
    document_.SaveReport(false);
    document_.GetPreferences().SetMruFile(header.GetPath());
    RefreshViews();
}

void CMainFrame::OnSimpleList() {
    if (IsDetailsActive()) {
        views_->setCurrentWidget(mainView_);
        mainView_->ReloadList();
        document_.GetPreferences().SetCurrentView(0);
        document_.GetPreferences().SaveAll();
    }
    if (!mainView_->IsListVisible()) {
        mainView_->setUpdatesEnabled(false);
        mainView_->ShowList();
        mainView_->setUpdatesEnabled(true);
        mainView_->update();
    }
}

void CMainFrame::OnDetailedList() {
    if (IsDetailsActive()) {
        return;
    }
    views_->setCurrentWidget(detailsView_);
    detailsView_->ReloadDetails();
    document_.GetPreferences().SetCurrentView(1);
    document_.GetPreferences().SaveAll();
}

void CMainFrame::OnOpenReport() {
    FileChoice choice;
    choice.title = QStringLiteral("Open Report");
    choice.folder = GetReportsDirectory();
    choice.filter = QStringLiteral("Expense Report(*.xpf)");
    choice.suffix = QStringLiteral("xpf");
    QString path;
    if (!ChooseFile(this, choice, path)) {
        return;
    }
    document_.OpenReport(path);
    RefreshViews();
}

void CMainFrame::OnDuplicateReport() {
    if (!document_.SaveReport(false)) {
        UserPrompts().Warning(
            QStringLiteral("Please save the current expense report before duplicating it?"));
        return;
    }
    const QString path = document_.GetReport().GetHeader().GetPath();
    const QString copy = ReportCopies::FreeCopyPath(path);
    if (copy.isEmpty() || !QFile::copy(path, copy)) {
        return;
    }
    QString error;
    if (!ReceiptFolders::Copy(path, copy, error)) {
        UserPrompts().Warning(error);
    }
    document_.OpenReport(copy);
    RefreshViews();
}

void CMainFrame::OnDeleteReport() {
    const QString title = document_.GetReport().GetHeader().GetTitle();
    if (UserPrompts().Show(
            QStringLiteral("Are you sure you want to permanently delete the expense report, %1?")
                .arg(title),
            PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::No) {
        return;
    }
    document_.DeleteReport();
    SetActiveReportName(QString());
    QList<CExpenseReportInfo> headers;
    CExpenseReport::ListReports(headers, GetReportsDirectory(), false);
    if (!headers.isEmpty()) {
        document_.OpenReport(headers.first().GetPath());
        RefreshViews();
        return;
    }
    RefreshViews();
    AskForNewReport();
}

void CMainFrame::OnForceSynchronization() {
    if (UserPrompts().AskYesNo(QStringLiteral(
            "The next time you sync, this will force all your files to be re-downloaded and "
            "overwrite any files on your computer for Outlaysheet. Do you wish to continue?"))) {
        ForceSynchronization(false);
    }
}

void CMainFrame::OnNewExpense() {
    CCategoryPicker picker([this](int group) { return mainView_->CategoryOfGroup(group); }, this);
    if (picker.exec() != QDialog::Accepted) {
        return;
    }
    if (const CCategory* category = mainView_->CategoryOfGroup(picker.ChosenGroup())) {
        const CCategory chosen = *category;
        AddExpense(chosen);
    }
}

void CMainFrame::OnSelectExpenses() {
    // The rows picked in the lists belong to the old selection.
    detailsView_->Grid()->SetSelectedRow(-1);
    mainView_->SimpleList()->Grid()->SetSelectedRow(-1);
    CSelectExpensesDialog(document_, this).exec();
    RefreshViews();
}

void CMainFrame::OnAllReports() {
    CReportListDialog(document_, this).exec();
    RefreshViews();
}

void CMainFrame::OnExport() {
    CExportDialog dialog(document_, this);
    dialog.SetReceipts(KeptReceipts::Of(*receipts_));
    dialog.exec();
}

void CMainFrame::OnBackupRestore() {
    CSheetBackupRestore sheet(this);
    connect(&sheet, &CSheetBackupRestore::restored, this, [this] {
        if (ReportOpen()) {
            // The restore chose these files over what is open: read them at
            // once, under the sheet, which shows nothing of the report.
            document_.ReloadAll();
            RefreshViews();
        } else {
            RefreshViews();
        }
    });
    sheet.exec();
}

void CMainFrame::OnPreferences() {
    CSettingsDialog settings(document_, this);
    connect(&settings, &CSettingsDialog::refreshRequested, this, &CMainFrame::RefreshViews);
    settings.exec();
    // A page may have changed the lists, the home currency's look or the
    // classification group in use.
    RefreshViews();
}

void CMainFrame::OnNewReport() {
    CExpenseReportInfo header;
    CReportInfoDialog dialog(CReportInfoDialog::Mode::New, header, document_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    document_.CreateReport(header);
    RefreshViews();
}

void CMainFrame::AddExpense(const CCategory& category) {
    if (!ReportOpen()) {
        UserPrompts().Warning(QStringLiteral(
            "You have not created an expense report yet. \n\nPlease create one before "
            "attempting this action"));
        return;
    }
    if (!slipRunner_) {
        return;
    }
    auto record = std::make_unique<CExpenseRecord>();
    record->SetCategory(category);
    int nights = 1;
    const SlipResult result = slipRunner_(*record, true, nights);
    update();
    if (result != SlipResult::Ok) {
        // The lists the slip opens can carry an edit into the stored
        // expenses even when the slip itself is cancelled.
        RefreshViews();
        return;
    }
    const bool lodging = record->GetCategory().GetIndex() == kLodgingCategory;
    const CExpenseRecord night = *record;
    document_.AddRecord(std::move(record), false);
    if (lodging) {
        for (int n = 1; n < nights; ++n) {
            auto copy = std::make_unique<CExpenseRecord>(night);
            copy->SetDate(night.GetDate() + n * kSecondsPerDay);
            document_.AddRecord(std::move(copy), false);
        }
    }
    document_.SortRecords();
    document_.SaveReport(false);
    PlaySavedSound();
    RefreshViews();
    mainView_->update();
}

void CMainFrame::EditExpense(int index) {
    const CExpenseRecord* visible = document_.GetRecords().GetAt(index, true);
    if (visible == nullptr || !slipRunner_) {
        return;
    }
    // The slip edits this expense, not a place in the list: whatever moves
    // the expense meanwhile, its identity finds it again.
    const quint64 id = visible->GetId();
    auto copy = std::make_unique<CExpenseRecord>(*visible);
    int nights = 1;
    switch (slipRunner_(*copy, false, nights)) {
        case SlipResult::Cancel:
            RefreshViews();
            break;
        case SlipResult::Delete:
            // Gone already when another program deleted it meanwhile.
            document_.RemoveRecordById(id);
            RefreshViews();
            document_.SaveReport(false);
            RefreshViews();
            break;
        case SlipResult::Ok:
            if (document_.GetRecords().IndexOfId(id, true) >= 0) {
                document_.ReplaceRecordById(id, std::move(copy), true);
            } else {
                // Gone from the report while the slip was open: the edit is
                // not thrown away with it.
                document_.AddRecord(std::move(copy), true);
                UserPrompts().Information(CExpenseReport::EditKeptMessage(1));
            }
            document_.SaveReport(false);
            PlaySavedSound();
            RefreshViews();
            break;
    }
    mainView_->update();
}

void CMainFrame::PlaySavedSound() {
    if (document_.GetPreferences().GetPlaySounds()) {
        sound_->Play();
    }
}

void CMainFrame::BringForward() {
    showNormal();
    raise();
    activateWindow();
    // A dialog open on the window stays above it and keeps the pen: the
    // window under a modal dialog takes no taps.
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void CMainFrame::ReloadFromFiles() {
    // A dialog or menu open now shows what was read before; reading the
    // files under it would change what its answer applies to. The reload
    // waits until nothing is open.
    if (QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        reloadRetry_->start();
        return;
    }
    // Changes not yet in the file go in first, on top of what the other
    // program wrote; when they cannot, they stay in memory rather than be
    // read over.
    if (document_.IsModified() && document_.GetReport().IsOpen() && !document_.SaveReport(false)) {
        return;
    }
    document_.ReloadAll();
    RefreshViews();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!document_.SaveModified()) {
        event->ignore();
        return;
    }
    document_.GetPreferences().WriteRegistry();
    event->accept();
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        HelpWindow::Show(QStringLiteral("Main_Contents"), this);
        return;
    }
    QWidget::keyPressEvent(event);
}
