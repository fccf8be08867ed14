#include "galleryscreens.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QTabWidget>
#include <QToolButton>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "backup/backupengine.h"
#include "lists/category.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/currencytable.h"
#include "lists/historyholder.h"
#include "lists/personalinfo.h"
#include "lists/rateupdate.h"
#include "lists/referencerates.h"
#include "lists/shippedcurrencytable.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "platform/shippeddata.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "views/backup/backupcontents.h"
#include "views/backup/backupprogress.h"
#include "views/backup/pagebackup.h"
#include "views/backup/pagerestore.h"
#include "views/backup/reportchooser.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/backup/trashdialog.h"
#include "views/frame/aboutdialog.h"
#include "views/frame/exportdialog.h"
#include "views/frame/mainframe.h"
#include "views/frame/mergerecordsdialog.h"
#include "views/frame/reportinfodialog.h"
#include "views/frame/systeminfodialog.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"
#include "views/grid/reportlistdialog.h"
#include "views/pads/milespaddlg.h"
#include "views/pads/padamountedit.h"
#include "views/settings/accountnumbersdialog.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/classificationgroupsdialog.h"
#include "views/settings/columnlist.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/itemeditordialog.h"
#include "views/settings/modifylistdialog.h"
#include "views/settings/newcurrencydialog.h"
#include "views/settings/pagecontactsexpense.h"
#include "views/settings/pagecontactsoutlook.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/pageexpenseslipdetails.h"
#include "views/settings/pagegeneral.h"
#include "views/settings/personalinfodialog.h"
#include "views/settings/rateupdatedialog.h"
#include "views/settings/settingsdialog.h"
#include "views/settings/sheetcontacts.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/receiptsdialog.h"
#include "views/slip/receiptthumbnails.h"
#include "views/slip/receiptviewer.h"
#include "views/slip/unmatchedreceiptsdialog.h"
#include "views/totals/daterangedialog.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/filechooser.h"
#include "views/widgets/guiprompts.h"
#include "views/widgets/pathfield.h"
#include "views/widgets/textentrydialog.h"
#include "views/widgets/updatescope.h"
#include "zip/ziparchive.h"
#include "zip/ziperror.h"

namespace {

struct SampleExpense {
    const char* category;
    int index;
    const char* description;
    double amount;
};

// A report of `expenses`, `perDay` of them each day, saved.
void MakeReport(CExpenseDoc& document, const char* title, double cashAdvance,
                std::initializer_list<SampleExpense> expenses, int perDay) {
    CExpenseReportInfo header;
    QString error;
    header.ValidateName(GetReportsDirectory(), QString::fromLatin1(title), false, error);
    header.SetLocation(QStringLiteral("Oslo, Norway"));
    header.SetPurpose(QStringLiteral("Customer visit"));
    header.SetCashAdvance(Amount(cashAdvance));
    document.CreateReport(header);
    int day = 0;
    for (const SampleExpense& expense : expenses) {
        auto record = std::make_unique<CExpenseRecord>();
        record->SetCategory(CCategory(QString::fromLatin1(expense.category), expense.index, 1));
        record->SetDate(1773518966 + (day++ / perDay) * 86400);
        record->SetDescription(QString::fromLatin1(expense.description));
        record->SetAmount(Amount(expense.amount));
        record->SetExchangeRate(Amount(1));
        record->SetCurrencyName(document.GetCurrencyTable().GetHomeCurrency());
        document.AddRecord(std::move(record), false);
    }
    document.SortRecords();
    document.SaveReport(true);
}

void MakeSampleReports() {
    CExpenseDoc document;
    MakeReport(document, "Oslo trip", 200,
               {{"Airfare", 1, "Flight to Oslo", 412.80},
                {"Taxi", 5, "Airport to hotel", 38.50},
                {"Lodging", 11, "Hotel Bristol", 189.00},
                {"Breakfast", 2, "Hotel breakfast", 14.00},
                {"Lunch", 4, "Client lunch", 62.40},
                {"Dinner", 3, "Team dinner", 118.75},
                {"Parking", 7, "Office garage", 12.00},
                {"Phone", 8, "Roaming", 9.99},
                {"Taxi", 5, "Hotel to airport", 41.20},
                {"Misc", 10, "Umbrella", 15.00}},
               3);
    // One bought abroad, for the home-currency tip.
    auto abroad = std::make_unique<CExpenseRecord>();
    abroad->SetCategory(CCategory(QStringLiteral("Dinner"), 3, 1));
    abroad->SetDate(1773518966 + 3 * 86400);
    abroad->SetDescription(QStringLiteral("Airport dinner"));
    abroad->SetAmount(Amount(240));
    abroad->SetExchangeRate(Amount(10.5));
    abroad->SetCurrencyName(QStringLiteral("Norwegian Krone"));
    document.AddRecord(std::move(abroad), true);
    document.SaveReport(true);
    MakeReport(document, "Berlin fair", 200, {}, 1);
    // One group for each of twelve categories, for the subtotals.
    MakeReport(document, "Asia tour", 500,
               {{"Airfare", 1, "Flights", 612.40},
                {"Breakfast", 2, "Breakfasts", 48.00},
                {"Dinner", 3, "Dinners", 233.75},
                {"Lunch", 4, "Lunches", 121.10},
                {"Taxi", 5, "Taxis", 96.30},
                {"Car Rental", 6, "Rental car", 305.00},
                {"Parking", 7, "Parking", 36.00},
                {"Phone", 8, "Roaming", 27.45},
                {"Misc", 10, "Visa photos", 18.00},
                {"Lodging", 11, "Hotels", 840.00},
                {"Tips", 12, "Tips", 22.00},
                {"Supplies", 13, "Adapters", 64.90}},
               2);
}

// Three deleted reports in the trash, dated to the minute so that the
// pictures come out the same on every run.
void FillTrash() {
    const QString source = JoinPath(GetReportsDirectory(), QStringLiteral("Oslo trip.xpf"));
    const char* names[] = {"Boston fair.xpf", "Lisbon visit.xpf", "Training.xpf"};
    qint64 when = 1773518966;
    for (const char* name : names) {
        const QString target = JoinPath(GetTrashDirectory(), QString::fromLatin1(name));
        QFile::copy(source, target);
        QFile file(target);
        if (file.open(QIODevice::ReadWrite)) {
            file.setFileTime(QDateTime::fromSecsSinceEpoch(when),
                             QFileDevice::FileModificationTime);
        }
        when += 86400 * 9 + 3600 * 5;
    }
}

// The sample reports as the chooser and the pages offer them.
BackupFileList SampleReports() {
    BackupFileList reports;
    BackupEngine::ListReports(reports);
    return reports;
}

// The report box of a page in one of its three states.
void SetReportBox(CBackupContents* contents, Qt::CheckState state) {
    contents->ReportsBox()->setCheckState(state);
    contents->Reports().clear();
    if (state == Qt::PartiallyChecked) {
        contents->Reports().append(SampleReports().first());
    }
}

// The remembered purposes and places, the program's contacts and an address
// book, for the details and contacts screens.
void MakeSampleLists() {
    const std::pair<CHistoryHolder::Kind, QStringList> lists[] = {
        {CHistoryHolder::Kind::Purpose,
         {QStringLiteral("Customer visit"), QStringLiteral("Sales meeting"),
          QStringLiteral("Training"), QStringLiteral("Trade fair")}},
        {CHistoryHolder::Kind::ExpenseLocations,
         {QStringLiteral("Oslo, Norway"), QStringLiteral("Bergen"), QStringLiteral("Lisbon")}},
        {CHistoryHolder::Kind::Contacts,
         {QStringLiteral("Kari Nordmann"), QStringLiteral("Ola Hansen"),
          QStringLiteral("Ingrid Berg"), QStringLiteral("Lars Johansen"),
          QStringLiteral("Sofia Lopes")}},
    };
    for (const auto& [kind, entries] : lists) {
        CHistoryHolder holder(kind);
        holder.Load(false);
        for (const QString& entry : entries) {
            holder.GetHistory().Add(entry);
        }
        holder.Save(false);
    }
    const QString folder = Platform::Get().GetPaths().contactsFolder;
    QDir().mkpath(folder);
    QFile cards(QDir(folder).filePath(QStringLiteral("contacts.vcf")));
    if (cards.open(QIODevice::WriteOnly)) {
        for (const char* name : {"Anna Svensson", "Erik Lund", "", "Maria Silva", "Per Olsen"}) {
            cards.write(QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:") + name +
                        "\r\nEND:VCARD\r\n");
        }
    }
}

// A till's slip for `lines`, as a photo of it would show it.
void DrawSlip(QPainter& painter, const QRect& paper, const QStringList& lines) {
    painter.fillRect(paper, QColor(250, 248, 240));
    QFont font(QStringLiteral("Liberation Mono"));
    font.setPixelSize(paper.width() / 16);
    painter.setFont(font);
    painter.setPen(Qt::black);
    int top = paper.top() + paper.width() / 10;
    for (const QString& line : lines) {
        painter.drawText(QRect(paper.left(), top, paper.width(), font.pixelSize() * 2),
                         Qt::AlignHCenter, line);
        top += font.pixelSize() * 3 / 2;
    }
}

// Two photos and a scan of receipts, in `folder`: their paths.
QStringList MakeSampleReceipts(const QString& folder) {
    QDir().mkpath(folder);
    const QStringList lunch = {
        QStringLiteral("CAFE FJORD"),          QStringLiteral("Karl Johans gate 7"),  QString(),
        QStringLiteral("2 x Lunch    496.00"), QStringLiteral("Water         59.00"), QString(),
        QStringLiteral("TOTAL NOK    555.00"), QStringLiteral("Card  **** 4421")};
    const QStringList taxi = {QStringLiteral("OSLO TAXI"), QStringLiteral("Trip 4411"), QString(),
                              QStringLiteral("Airport - Hotel"), QStringLiteral("NOK 404.25")};
    QStringList paths;
    const std::pair<const char*, QStringList> photos[] = {{"lunch.png", lunch},
                                                          {"taxi.png", taxi}};
    for (const auto& [name, lines] : photos) {
        QImage photo(360, 540, QImage::Format_RGB32);
        photo.fill(QColor(90, 90, 96));
        QPainter painter(&photo);
        DrawSlip(painter, QRect(30, 20, 300, 500), lines);
        painter.end();
        paths.append(QDir(folder).filePath(QLatin1String(name)));
        photo.save(paths.last());
    }
    paths.append(QDir(folder).filePath(QStringLiteral("hotel.pdf")));
    QPdfWriter scan(paths.last());
    scan.setPageSize(QPageSize(QPageSize::A5));
    scan.setResolution(72);
    QPainter painter(&scan);
    DrawSlip(
        painter, QRect(QPoint(0, 0), scan.pageLayout().paintRectPixels(72).size()),
        {QStringLiteral("HOTEL BRISTOL"), QString(), QStringLiteral("1 night   1 890.00"),
         QStringLiteral("City tax     40.00"), QString(), QStringLiteral("TOTAL NOK 1 930.00")});
    painter.end();
    return paths;
}

void Show(QWidget* window, const GalleryScreens::Shown& shown) {
    window->show();
    QApplication::processEvents();
    shown(window, nullptr);
}

// `window` with the focus in `field`, as when the user taps it.
void ShowTyping(QWidget* window, QWidget* field, const GalleryScreens::Shown& shown) {
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    field->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    shown(window, nullptr);
}

// `popUp` opened at `corner` of the screen over the shown `window`.
void ShowPopUp(QWidget* window, QWidget* popUp, QPoint corner,
               const GalleryScreens::Shown& shown) {
    window->show();
    QApplication::processEvents();
    popUp->move(corner);
    popUp->show();
    QApplication::processEvents();
    shown(window, popUp);
    popUp->hide();
}

}  // namespace

GalleryScreens::GalleryScreens(const QString& archive) : archive_(archive) {
    InitDirectories(1 | 2 | 8);
    // The pictures a first start puts into the image folders, which the list
    // editors offer.
    InstallShippedImages(GetShippedDataFolder());
    MakeSampleReports();
    MakeSampleLists();
    FillTrash();
    // Made by the archive layer itself: the engine would show its outcome
    // in a message box.
    try {
        ZipArchive zip;
        zip.Create(archive_);
        for (const BackupFileEntry& report : SampleReports()) {
            zip.SetEntryComment(zip.AddFile(report.path), QString(report.category));
        }
        zip.Close();
    } catch (const ZipError&) {
        std::fprintf(stderr, "outlaysheet-gallery: cannot write %s\n", qPrintable(archive_));
    }
    document_ = std::make_unique<CExpenseDoc>();
    document_->OpenReport(JoinPath(GetReportsDirectory(), QStringLiteral("Oslo trip.xpf")));
    frame_ = std::make_unique<CMainFrame>(*document_);
    // The detailed list sorted by amount, largest first.
    document_->GetRecords().SetSortOrder(3, 0);
    AttachSampleReceipts();
    AddScreens();
}

GalleryScreens::~GalleryScreens() {
    frame_.reset();
    document_.reset();
    QFile::remove(archive_);
}

void GalleryScreens::SetForm(const GalleryForm& form) {
    frame_->resize(form.size);
    frame_->RefreshViews();
    frame_->show();
    QApplication::processEvents();
}

const CExpenseRecord* GalleryScreens::Expense(const QString& description) const {
    const CExpenseRecords& records = document_->GetRecords();
    for (int i = 0; i < records.GetCount(false); ++i) {
        if (records.GetAt(i, false)->GetDescription() == description) {
            return records.GetAt(i, false);
        }
    }
    return nullptr;
}

void GalleryScreens::AttachSampleReceipts() {
    receiptFiles_ = MakeSampleReceipts(QDir(GetDocumentsRoot()).filePath(QStringLiteral("Scans")));
    const CExpenseRecord* lunch = Expense(QStringLiteral("Client lunch"));
    const CExpenseRecord* hotel = Expense(QStringLiteral("Hotel Bristol"));
    QString error;
    CReceiptKeeper& receipts = frame_->Receipts();
    if (lunch == nullptr || hotel == nullptr ||
        !receipts.Attach(lunch->GetId(), receiptFiles_.mid(0, 2), ImportOptions(), error) ||
        !receipts.Attach(hotel->GetId(), receiptFiles_.mid(2), ImportOptions(), error) ||
        !receipts.Commit(error)) {
        std::fprintf(stderr, "outlaysheet-gallery: no sample receipts: %s\n", qPrintable(error));
    }
}

void GalleryScreens::SubtotalsShow(const QString& title, bool graph, const Shown& shown) {
    document_->OpenReport(JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf")));
    document_->GetPreferences().SetShowGraph(graph);
    {
        CTotalsDialog dialog(CTotalsDialog::Page::Subtotals, *document_, frame_.get());
        Show(&dialog, shown);
    }
    document_->OpenReport(JoinPath(GetReportsDirectory(), QStringLiteral("Oslo trip.xpf")));
}

void GalleryScreens::WithShippedCurrencies(const std::function<void()>& show) {
    CCurrencyTable& table = document_->GetCurrencyTable();
    const QString own = table.GetFilePath();
    const QString shipped = own + QStringLiteral(".shipped");
    QFile::copy(ShippedCurrencyTablePath(GetShippedDataFolder()), shipped);
    const auto LoadFrom = [&table](const QString& path) {
        table.SetFilePath(path);
        table.SetModified(false);
        table.SetLoaded(false);
        table.Load(false);
    };
    LoadFrom(shipped);
    for (const char* name : {"British Pounds", "Euro (Germany)", "Japanese Yen",
                             "Norwegian Kroner", "Swedish Kronor", "U.S. Dollars"}) {
        table.SetInUse(QString::fromUtf8(name), true);
    }
    show();
    LoadFrom(own);
    QFile::remove(shipped);
}

void GalleryScreens::AddScreens() {
    // A message box where it opens: centred over the window.
    const auto showMessage = [this](const QString& text, PromptButtons buttons,
                                    const Shown& shown) {
        const auto box = GuiPrompts::MakeBox(text, buttons, PromptIcon::Question, frame_.get());
        // The box takes its width for the window as it shows; it is centred
        // with that width.
        frame_->show();
        box->show();
        QApplication::processEvents();
        const QRect window = frame_->geometry();
        ShowPopUp(frame_.get(), box.get(),
                  window.center() - QPoint(box->width() / 2, box->height() / 2), shown);
    };
    const std::pair<const char*, std::function<void(const Shown&)>> screens[] = {
        {"main-window", [this](const Shown& shown) { Show(frame_.get(), shown); }},
        {"detailed-list",
         [this](const Shown& shown) {
             frame_->SendCommand(CMainFrame::Command::DetailedList);
             CListGrid* grid = frame_->DetailsView()->Grid();
             grid->SetSelectedRow(4);
             Show(frame_.get(), shown);
             frame_->SendCommand(CMainFrame::Command::SimpleList);
         }},
        {"tip",
         [this](const Shown& shown) {
             frame_->SendCommand(CMainFrame::Command::DetailedList);
             CListGrid* grid = frame_->DetailsView()->Grid();
             for (int row = 0; row < grid->RowCount(); row += 2) {
                 if (grid->CellText(2, row) == QLatin1String("Airport dinner")) {
                     const QRect cell = grid->CellRect(3, row);
                     frame_->DetailsView()->OnCellTap(3, row, cell, cell.center(), true);
                 }
             }
             Show(frame_.get(), shown);
             frame_->SendCommand(CMainFrame::Command::SimpleList);
         }},
        {"report-list",
         [this](const Shown& shown) {
             CReportListDialog dialog(*document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"report-info-new",
         [this](const Shown& shown) {
             CExpenseReportInfo header;
             CReportInfoDialog dialog(CReportInfoDialog::Mode::New, header, *document_,
                                      frame_.get());
             Show(&dialog, shown);
         }},
        {"report-info-edit",
         [this](const Shown& shown) {
             CReportInfoDialog dialog(CReportInfoDialog::Mode::Edit,
                                      document_->GetReport().GetHeader(), *document_,
                                      frame_.get());
             Show(&dialog, shown);
         }},
        {"report-info-save",
         [this](const Shown& shown) {
             CExpenseReportInfo header;
             CReportInfoDialog dialog(CReportInfoDialog::Mode::Save, header, *document_,
                                      frame_.get());
             Show(&dialog, shown);
         }},
        {"merge-records",
         [this](const Shown& shown) {
             CMergeRecordsDialog dialog(*document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"export",
         [this](const Shown& shown) {
             CExportDialog dialog(*document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"export-written",
         [this](const Shown& shown) {
             CExportDialog dialog(*document_, frame_.get());
             dialog.ShowWritten(
                 QStringLiteral("/home/user/Documents/Outlaysheet/Exports/Oslo trip.pdf"));
             Show(&dialog, shown);
         }},
        {"expense-slip",
         [this](const Shown& shown) {
             CExpenseRecord record;
             CExpenseSlipDialog slip(*document_, record,
                                     *document_->GetCategories().Find(QStringLiteral("Lunch")),
                                     true, frame_.get());
             slip.SetReceipts(&frame_->Receipts(), record.GetId());
             slip.AmountEdit()->setText(QStringLiteral("12.50"));
             Show(&slip, shown);
         }},
        {"expense-slip-international",
         [this](const Shown& shown) {
             CCurrencyTable& table = document_->GetCurrencyTable();
             const bool traveler = table.GetInternationalTraveler();
             table.SetInternationalTraveler(true);
             CExpenseRecord record;
             record.SetCurrencyName(QStringLiteral("Norwegian Krone"));
             record.SetExchangeRate(Amount(10.5));
             CExpenseSlipDialog slip(*document_, record,
                                     *document_->GetCategories().Find(QStringLiteral("Dinner")),
                                     true, frame_.get());
             slip.AmountEdit()->SetValue(240);
             Show(&slip, shown);
             table.SetInternationalTraveler(traveler);
         }},
        {"slip-details",
         [this](const Shown& shown) {
             CSheetExpenseSlipDetails page(QStringLiteral("Oslo, Norway"),
                                           QStringLiteral("Customer visit"),
                                           QStringLiteral("Kari Nordmann"), frame_.get());
             Show(&page, shown);
         }},
        {"slip-details-locations",
         [this](const Shown& shown) {
             CSheetExpenseSlipDetails page(QStringLiteral("Oslo, Norway"), QString(), QString(),
                                           frame_.get());
             page.show();
             CPageExpenseSlipDetails* location = page.Page(CPageExpenseSlipDetails::kLocation);
             std::unique_ptr<QMenu> menu(location->MakePopUp());
             ShowPopUp(&page, menu.get(),
                       location->Button()->mapToGlobal(QPoint(0, location->Button()->height())),
                       shown);
         }},
        {"modify-list",
         [this](const Shown& shown) {
             CHistoryHolder purposes(CHistoryHolder::Kind::Purpose);
             purposes.Load(false);
             CModifyListDialog dialog(purposes.GetHistory(), QStringLiteral("Trade fair"),
                                      frame_.get());
             Show(&dialog, shown);
         }},
        {"modify-list-entry",
         [this](const Shown& shown) {
             CTextEntryDialog dialog(
                 QStringLiteral("List Entry"), QStringLiteral("Enter a List Entry:"),
                 QStringLiteral("Trade fair"), CTextEntryDialog::EmptyNameMessage(), frame_.get());
             Show(&dialog, shown);
         }},
        {"contacts",
         [this](const Shown& shown) {
             CSheetContacts sheet(frame_.get());
             QListWidget* list = sheet.ExpensePage()->List();
             list->item(1)->setCheckState(Qt::Checked);
             list->item(3)->setCheckState(Qt::Checked);
             Show(&sheet, shown);
         }},
        {"contacts-address-book",
         [this](const Shown& shown) {
             CSheetContacts sheet(frame_.get());
             sheet.Tabs()->setCurrentWidget(sheet.OutlookPage());
             QAbstractItemModel* model = sheet.OutlookPage()->List()->model();
             model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
             Show(&sheet, shown);
         }},
        {"contact",
         [this](const Shown& shown) {
             CTextEntryDialog dialog(
                 QStringLiteral("Contact"), QStringLiteral("Name:"), QStringLiteral("Ingrid Berg"),
                 QStringLiteral("Please fill in the contact name."), frame_.get());
             Show(&dialog, shown);
         }},
        {"update-question",
         [this](const Shown& shown) {
             UpdateScope question(
                 QStringLiteral("Update the mileage reimbursement amount for expenses in..."),
                 true, true, frame_.get());
             Show(&question, shown);
         }},
        {"choose-paid-with",
         [this](const Shown& shown) {
             CChooseItemDialog chooser(*document_, CListItems::Kind::PaymentSource,
                                       QStringLiteral("Visa"), frame_.get());
             Show(&chooser, shown);
         }},
        {"choose-classification",
         [this](const Shown& shown) {
             CChooseItemDialog chooser(*document_, CListItems::Kind::Classification,
                                       QStringLiteral("Client 2"), frame_.get());
             Show(&chooser, shown);
         }},
        {"choose-category",
         [this](const Shown& shown) {
             CChooseItemDialog chooser(*document_, CListItems::Kind::Category,
                                       QStringLiteral("Lunch"), frame_.get());
             Show(&chooser, shown);
         }},
        {"payment-source",
         [this](const Shown& shown) {
             CItemEditorDialog editor(*document_, CListItems::Kind::PaymentSource,
                                      QStringLiteral("Visa"), frame_.get());
             Show(&editor, shown);
         }},
        {"modify-classification",
         [this](const Shown& shown) {
             CItemEditorDialog editor(*document_, CListItems::Kind::Classification,
                                      QStringLiteral("Client 1"), frame_.get());
             Show(&editor, shown);
         }},
        {"modify-category",
         [this](const Shown& shown) {
             CItemEditorDialog editor(*document_, CListItems::Kind::Category, QString(),
                                      frame_.get());
             editor.NameField()->setText(QStringLiteral("Boat"));
             Show(&editor, shown);
         }},
        {"select-expenses-amount",
         [this](const Shown& shown) {
             CSelectExpensesDialog dialog(*document_, frame_.get());
             ShowTyping(&dialog, dialog.AmountValue(), shown);
         }},
        {"select-expenses-date",
         [this](const Shown& shown) {
             CSelectExpensesDialog dialog(*document_, frame_.get());
             dialog.ChooseField(kFieldDate);
             Show(&dialog, shown);
         }},
        {"select-expenses-description",
         [this](const Shown& shown) {
             CSelectExpensesDialog dialog(*document_, frame_.get());
             dialog.ChooseField(kFieldDescription);
             Show(&dialog, shown);
         }},
        {"select-expenses-currency",
         [this](const Shown& shown) {
             CSelectExpensesDialog dialog(*document_, frame_.get());
             dialog.ChooseField(kFieldCurrency);
             Show(&dialog, shown);
         }},
        {"select-expenses-category",
         [this](const Shown& shown) {
             CSelectExpensesDialog dialog(*document_, frame_.get());
             dialog.ChooseField(kFieldCategory);
             Show(&dialog, shown);
         }},
        {"expense-slip-mileage",
         [this](const Shown& shown) {
             CExpenseRecord record;
             CExpenseSlipDialog slip(*document_, record,
                                     *document_->GetCategories().Find(QStringLiteral("Mileage")),
                                     true, frame_.get());
             Show(&slip, shown);
         }},
        {"expense-slip-lodging",
         [this](const Shown& shown) {
             CExpenseRecord record;
             CExpenseSlipDialog slip(*document_, record,
                                     *document_->GetCategories().Find(QStringLiteral("Lodging")),
                                     true, frame_.get());
             Show(&slip, shown);
         }},
        {"currency-page",
         [this](const Shown& shown) {
             WithShippedCurrencies([&] {
                 CPageCurrency page(*document_, frame_.get());
                 page.Rates()->SelectRow(2);
                 Show(&page, shown);
             });
         }},
        {"rate-update",
         [this](const Shown& shown) {
             WithShippedCurrencies([&] {
                 // A day of the bank's rates with one code the list lacks.
                 CReferenceRates rates;
                 rates.Parse(
                     "<gesmes:Envelope xmlns:gesmes='http://www.gesmes.org/xml/2002-08-01'>"
                     "<Cube><Cube time='2026-03-13'>"
                     "<Cube currency='USD' rate='1.0862'/><Cube currency='GBP' rate='0.8531'/>"
                     "<Cube currency='JPY' rate='161.23'/><Cube currency='NOK' rate='11.452'/>"
                     "<Cube currency='SEK' rate='11.187'/><Cube currency='XAU' rate='0.0005'/>"
                     "</Cube></Cube></gesmes:Envelope>");
                 CRateUpdate update;
                 update.Plan(document_->GetCurrencyTable(), rates);
                 CRateUpdateDialog dialog(document_->GetCurrencyTable(), update, frame_.get());
                 Show(&dialog, shown);
             });
         }},
        {"new-currency",
         [this](const Shown& shown) {
             WithShippedCurrencies([&] {
                 CNewCurrencyDialog dialog(document_->GetCurrencyTable(), frame_.get());
                 dialog.List()->SelectRow(3);
                 Show(&dialog, shown);
             });
         }},
        {"conversion-rate",
         [this](const Shown& shown) {
             WithShippedCurrencies([&] {
                 CConversionRateDialog dialog(document_->GetCurrencyTable(),
                                              QStringLiteral("Norwegian Kroner"), 10.66, true,
                                              frame_.get());
                 ShowTyping(&dialog, dialog.RateEdit(), shown);
             });
         }},
        {"account-numbers",
         [this](const Shown& shown) {
             CAccountNumbersDialog dialog(document_->GetCategories(), frame_.get());
             dialog.List()->topLevelItem(1)->setText(1, QStringLiteral("6010"));
             dialog.List()->topLevelItem(2)->setText(1, QStringLiteral("6020-TRAVEL"));
             dialog.List()->SelectRow(1);
             Show(&dialog, shown);
         }},
        {"account-number-entry",
         [this](const Shown& shown) {
             CTextEntryDialog dialog(QStringLiteral("Account Number Entry"),
                                     QStringLiteral("Breakfast"), QStringLiteral("6010"),
                                     QString(), frame_.get());
             Show(&dialog, shown);
         }},
        {"about",
         [this](const Shown& shown) {
             CAboutDialog dialog(frame_.get());
             Show(&dialog, shown);
         }},
        {"system-info",
         [this](const Shown& shown) {
             CSystemInfoDialog dialog(frame_.get());
             Show(&dialog, shown);
         }},
        {"totals",
         [this](const Shown& shown) {
             CTotalsDialog dialog(CTotalsDialog::Page::Totals, *document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"subtotals",
         [this](const Shown& shown) { SubtotalsShow(QStringLiteral("Asia tour"), true, shown); }},
        {"subtotals-no-graph",
         [this](const Shown& shown) { SubtotalsShow(QStringLiteral("Asia tour"), false, shown); }},
        {"subtotals-empty",
         [this](const Shown& shown) {
             SubtotalsShow(QStringLiteral("Berlin fair"), true, shown);
         }},
        {"date-range",
         [this](const Shown& shown) {
             CPreferences& preferences = document_->GetPreferences();
             preferences.SetSubtotalAllDates(false);
             preferences.SetSubtotalFrom(1773518966);
             preferences.SetSubtotalTo(1773518966 + 6 * 86400);
             CDateRangeDialog dialog(preferences, frame_.get());
             Show(&dialog, shown);
             preferences.SetSubtotalAllDates(true);
         }},
        {"backup-progress",
         [this](const Shown& shown) {
             CSheetBackupRestore sheet(frame_.get());
             sheet.show();
             sheet.Progress()->Begin(QStringLiteral("Saving"));
             sheet.Progress()->Step(7, 12, QStringLiteral("Oslo trip.xpf"));
             Show(&sheet, shown);
         }},
        {"report-chooser",
         [this](const Shown& shown) {
             const BackupFileList reports = SampleReports();
             CReportChooser chooser(CReportChooser::Source::Reports, reports, Qt::PartiallyChecked,
                                    {reports.first()}, frame_.get());
             Show(&chooser, shown);
         }},
        {"archive-file-dialog",
         [this](const Shown& shown) {
             FileChoice choice;
             choice.title = QStringLiteral("Save Backup To");
             choice.folder = GetDocumentsRoot();
             choice.filter = QStringLiteral("Outlaysheet Backup Files (*.xbf)");
             choice.suffix = QStringLiteral("xbf");
             choice.forOpen = false;
             const auto dialog = MakeFileDialog(frame_.get(), choice, archive_);
             Show(dialog.get(), shown);
         }},
        {"trash",
         [this](const Shown& shown) {
             CTrashDialog dialog(frame_.get());
             Show(&dialog, shown);
         }},
        {"preferences",
         [this](const Shown& shown) {
             CSettingsDialog dialog(*document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"general",
         [this](const Shown& shown) {
             CPageGeneral dialog(*document_, frame_.get());
             Show(&dialog, shown);
         }},
        {"classification-groups",
         [this](const Shown& shown) {
             // A second way of classifying, in memory only.
             document_->GetClassificationGroups().CreateGroup(QStringLiteral("Projects"));
             CClassificationGroupsDialog dialog(document_->GetClassificationGroups(),
                                                frame_.get());
             Show(&dialog, shown);
         }},
        {"personal-info",
         [this](const Shown& shown) {
             CPersonalInfo info;
             info.Load(false);
             info.SetName(QStringLiteral("Jane Roe"));
             info.SetCompany(QStringLiteral("Acme Ltd."));
             info.SetCity(QStringLiteral("Springfield"));
             info.SetEmail(QStringLiteral("jane@acme.example"));
             info.Save(false);
             CPersonalInfoDialog dialog(false, frame_.get());
             Show(&dialog, shown);
         }},
        {"number-pad",
         [this](const Shown& shown) {
             // An amount field with the focus, its pad open near it.
             FullWindowDialog dialog(QStringLiteral("Cash Advance"),
                                     FullWindowDialog::TitleButton::Ok, frame_.get());
             auto* grid = new QGridLayout(dialog.Body());
             grid->addWidget(new QLabel(QStringLiteral("Amount:")), 0, 0);
             auto* amount = new CPadAmountEdit;
             amount->setAccessibleName(QStringLiteral("Amount"));
             amount->SetValue(12.5);
             grid->addWidget(amount, 0, 1);
             grid->addWidget(new QLabel(QStringLiteral("Note:")), 1, 0);
             grid->addWidget(new QLineEdit, 1, 1);
             grid->setRowStretch(2, 1);
             amount->setCursorPosition(amount->text().size());
             ShowTyping(&dialog, amount, shown);
         }},
        {"miles-pad",
         [this](const Shown& shown) {
             CExpenseRecord record;
             record.SetOdometerStart(1200.0);
             record.SetOdometerEnd(1350.5);
             record.SetMileageRate(Amount(0.4));
             CMilesPadDlg dialog(*document_, record, CMilesPadDlg::Field::Total, frame_.get());
             Show(&dialog, shown);
         }},
        {"expense-slip-receipts",
         [this](const Shown& shown) {
             // An expense with receipts, to edit: their first picture and
             // count in the title row.
             const CExpenseRecord* lunch = Expense(QStringLiteral("Client lunch"));
             CExpenseRecord record(*lunch);
             CExpenseSlipDialog slip(*document_, record, record.GetCategory(), false,
                                     frame_.get());
             slip.SetReceipts(&frame_->Receipts(), lunch->GetId());
             Show(&slip, shown);
         }},
        {"receipts",
         [this](const Shown& shown) {
             const CExpenseRecord* lunch = Expense(QStringLiteral("Client lunch"));
             CReceiptsDialog dialog(frame_->Receipts(), lunch->GetId(),
                                    CReceiptsDialog::Heading(*document_, *lunch), frame_.get());
             Show(&dialog, shown);
         }},
        {"receipts-none",
         [this](const Shown& shown) {
             const CExpenseRecord* taxi = Expense(QStringLiteral("Airport to hotel"));
             CReceiptsDialog dialog(frame_->Receipts(), taxi->GetId(),
                                    CReceiptsDialog::Heading(*document_, *taxi), frame_.get());
             Show(&dialog, shown);
         }},
        {"receipt-viewer",
         [this](const Shown& shown) {
             const QList<Receipt> receipts =
                 frame_->Receipts().ReceiptsOf(Expense(QStringLiteral("Client lunch"))->GetId());
             Receipt photo;
             photo.path = receiptFiles_.first();
             CReceiptViewer viewer(receipts.value(0, photo), QStringLiteral("lunch.png"),
                                   CReceiptViewer::Action::Remove, frame_.get());
             Show(&viewer, shown);
         }},
        {"receipt-viewer-scan",
         [this](const Shown& shown) {
             Receipt scan;
             scan.path = receiptFiles_.last();
             scan.kind = Receipt::Kind::Pdf;
             CReceiptViewer viewer(scan, QStringLiteral("hotel.pdf"),
                                   CReceiptViewer::Action::Remove, frame_.get());
             viewer.RotateButton()->click();
             Show(&viewer, shown);
         }},
        {"unmatched-receipts",
         [this](const Shown& shown) {
             CUnmatchedReceiptsDialog dialog(frame_->Receipts(),
                                             Expense(QStringLiteral("Team dinner"))->GetId(),
                                             frame_.get());
             Show(&dialog, shown);
         }},
        {"message-box",
         [showMessage](const Shown& shown) {
             showMessage(QStringLiteral("Are you sure you want to permanently delete the "
                                        "expense report, Oslo trip?"),
                         PromptButtons::YesNo, shown);
         }},
        {"message-box-path",
         [showMessage](const Shown& shown) {
             showMessage(QStringLiteral("Replace Existing File: ") +
                             JoinPath(QStringLiteral("/home/user/Documents/Outlaysheet"),
                                      QStringLiteral("Quarterly-expenses-north.xpf")),
                         PromptButtons::YesNoCancel, shown);
         }},
    };
    for (const auto& [name, show] : screens) {
        screens_.push_back({QString::fromLatin1(name), show});
    }
    // Both pages with the report box in each of its states.
    const std::pair<const char*, Qt::CheckState> boxStates[] = {
        {"all", Qt::Checked}, {"none", Qt::Unchecked}, {"some", Qt::PartiallyChecked}};
    for (const auto& [state, check] : boxStates) {
        screens_.push_back({QStringLiteral("backup-page-%1").arg(QLatin1String(state)),
                            [this, check = check](const Shown& shown) {
                                CSheetBackupRestore sheet(frame_.get());
                                SetReportBox(sheet.BackupPage()->Contents(), check);
                                sheet.BackupPage()->PathField()->SetPath(archive_);
                                Show(&sheet, shown);
                            }});
        screens_.push_back({QStringLiteral("restore-page-%1").arg(QLatin1String(state)),
                            [this, check = check](const Shown& shown) {
                                CSheetBackupRestore sheet(frame_.get());
                                sheet.Tabs()->setCurrentWidget(sheet.RestorePage());
                                SetReportBox(sheet.RestorePage()->Contents(), check);
                                sheet.RestorePage()->PathField()->SetPath(archive_);
                                Show(&sheet, shown);
                            }});
    }
}
