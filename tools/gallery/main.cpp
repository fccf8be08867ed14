// Renders every screen of the program in the portrait (240 x 320), landscape
// (320 x 240) and square (240 x 240) forms, with fixed sample data, to
// OUTPUT/NAME-FORM.png, for a look at what the user sees.
//   outlaysheet-gallery OUTPUT
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
#include <QTabWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <QLineEdit>
#include "backup/backupengine.h"
#include "lists/category.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/currencytable.h"
#include "lists/historyholder.h"
#include "lists/personalinfo.h"
#include "lists/shippedcurrencytable.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "platform/shippeddata.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "scratchplatform.h"
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
#include "views/settings/settingsdialog.h"
#include "views/settings/sheetcontacts.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/expenseslipdialog.h"
#include "views/totals/daterangedialog.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/filechooser.h"
#include "views/widgets/guiprompts.h"
#include "views/widgets/textentrydialog.h"
#include "views/widgets/updatescope.h"
#include "zip/ziparchive.h"
#include "zip/ziperror.h"

namespace {

struct Form {
    const char* name;
    QSize size;
};
constexpr Form kForms[] = {
    {"portrait", {240, 320}}, {"landscape", {320, 240}}, {"square", {240, 240}}};

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

bool Save(const QPixmap& picture, const QString& folder, const QString& name, const Form& form) {
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name, QLatin1String(form.name)));
    if (!picture.save(path)) {
        std::fprintf(stderr, "outlaysheet-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
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

QPixmap Shot(QWidget* widget) {
    widget->show();
    QApplication::processEvents();
    return widget->grab();
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: outlaysheet-gallery OUTPUT-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    ScratchPlatform platform(std::make_unique<GuiPrompts>());
    InitDirectories(1 | 2 | 8);
    // The pictures a first start puts into the image folders, which the list
    // editors offer.
    InstallShippedImages(GetShippedDataFolder());
    MakeSampleReports();
    MakeSampleLists();
    FillTrash();
    // Outside the scratch folder, whose random name would change the
    // pictures on every run.
    const QString archive = QDir::temp().filePath(QStringLiteral("Trips.xbf"));
    // Made by the archive layer itself: the engine would show its outcome
    // in a message box.
    try {
        ZipArchive zip;
        zip.Create(archive);
        for (const BackupFileEntry& report : SampleReports()) {
            zip.SetEntryComment(zip.AddFile(report.path), QString(report.category));
        }
        zip.Close();
    } catch (const ZipError&) {
        std::fprintf(stderr, "outlaysheet-gallery: cannot write %s\n", qPrintable(archive));
    }
    CExpenseDoc document;
    document.OpenReport(JoinPath(GetReportsDirectory(), QStringLiteral("Oslo trip.xpf")));
    CMainFrame frame(document);
    // The detailed list sorted by amount, largest first.
    document.GetRecords().SetSortOrder(3, 0);

    // The subtotals of another report, with or without the graph; the
    // sample report is open again afterwards.
    const auto SubtotalsShot = [&](const QString& title, bool graph) {
        document.OpenReport(JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf")));
        document.GetPreferences().SetShowGraph(graph);
        QPixmap picture;
        {
            CTotalsDialog dialog(CTotalsDialog::Page::Subtotals, document, &frame);
            picture = Shot(&dialog);
        }
        document.OpenReport(JoinPath(GetReportsDirectory(), QStringLiteral("Oslo trip.xpf")));
        return picture;
    };

    // The shipped list of currencies, with a traveller's rates in use, while
    // `shoot` runs; the table of the other screens is back afterwards.
    const auto WithShippedCurrencies = [&](const std::function<QPixmap()>& shoot) {
        CCurrencyTable& table = document.GetCurrencyTable();
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
        QPixmap picture = shoot();
        LoadFrom(own);
        QFile::remove(shipped);
        return picture;
    };

    // A message box over the main window, as the program shows it.
    const auto MessageShot = [&](const QString& text, PromptButtons buttons) {
        QPixmap picture = Shot(&frame);
        const auto box = GuiPrompts::MakeBox(text, buttons, PromptIcon::Question, &frame);
        const QPixmap shown = Shot(box.get());
        QPainter painter(&picture);
        const QPoint corner((picture.width() - shown.width()) / 2,
                            (picture.height() - shown.height()) / 2);
        painter.drawPixmap(corner, shown);
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(corner, shown.size()).adjusted(0, 0, -1, -1));
        return picture;
    };

    using Screen = std::function<QPixmap()>;
    const std::pair<const char*, Screen> screens[] = {
        {"main-window", [&] { return Shot(&frame); }},
        {"detailed-list",
         [&] {
             frame.SendCommand(CMainFrame::Command::DetailedList);
             CListGrid* grid = frame.DetailsView()->Grid();
             grid->SetSelectedRow(4);
             const QPixmap picture = Shot(&frame);
             frame.SendCommand(CMainFrame::Command::SimpleList);
             return picture;
         }},
        {"tip",
         [&] {
             frame.SendCommand(CMainFrame::Command::DetailedList);
             CListGrid* grid = frame.DetailsView()->Grid();
             for (int row = 0; row < grid->RowCount(); row += 2) {
                 if (grid->CellText(2, row) == QLatin1String("Airport dinner")) {
                     const QRect cell = grid->CellRect(3, row);
                     frame.DetailsView()->OnCellTap(3, row, cell, cell.center(), true);
                 }
             }
             const QPixmap picture = Shot(&frame);
             frame.SendCommand(CMainFrame::Command::SimpleList);
             return picture;
         }},
        {"report-list",
         [&] {
             CReportListDialog dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"report-info-new",
         [&] {
             CExpenseReportInfo header;
             CReportInfoDialog dialog(CReportInfoDialog::Mode::New, header, document, &frame);
             return Shot(&dialog);
         }},
        {"report-info-edit",
         [&] {
             CReportInfoDialog dialog(CReportInfoDialog::Mode::Edit,
                                      document.GetReport().GetHeader(), document, &frame);
             return Shot(&dialog);
         }},
        {"report-info-save",
         [&] {
             CExpenseReportInfo header;
             CReportInfoDialog dialog(CReportInfoDialog::Mode::Save, header, document, &frame);
             return Shot(&dialog);
         }},
        {"merge-records",
         [&] {
             CMergeRecordsDialog dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"export",
         [&] {
             CExportDialog dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"export-written",
         [&] {
             CExportDialog dialog(document, &frame);
             dialog.ShowWritten(
                 QStringLiteral("/home/user/Documents/Outlaysheet/Exports/"
                                "Oslo trip.pdf"));
             return Shot(&dialog);
         }},
        {"expense-slip",
         [&] {
             CExpenseRecord record;
             CExpenseSlipDialog slip(document, record,
                                     *document.GetCategories().Find(QStringLiteral("Lunch")), true,
                                     &frame);
             slip.AmountEdit()->setText(QStringLiteral("12.50"));
             return Shot(&slip);
         }},
        {"expense-slip-international",
         [&] {
             CCurrencyTable& table = document.GetCurrencyTable();
             const bool traveler = table.GetInternationalTraveler();
             table.SetInternationalTraveler(true);
             CExpenseRecord record;
             record.SetCurrencyName(QStringLiteral("Norwegian Krone"));
             record.SetExchangeRate(Amount(10.5));
             CExpenseSlipDialog slip(document, record,
                                     *document.GetCategories().Find(QStringLiteral("Dinner")),
                                     true, &frame);
             slip.AmountEdit()->SetValue(240);
             QPixmap picture = Shot(&slip);
             table.SetInternationalTraveler(traveler);
             return picture;
         }},
        {"slip-details",
         [&] {
             CSheetExpenseSlipDetails page(QStringLiteral("Oslo, Norway"),
                                           QStringLiteral("Customer visit"),
                                           QStringLiteral("Kari Nordmann"), &frame);
             return Shot(&page);
         }},
        {"slip-details-locations",
         [&] {
             CSheetExpenseSlipDetails page(QStringLiteral("Oslo, Norway"), QString(), QString(),
                                           &frame);
             QPixmap picture = Shot(&page);
             CPageExpenseSlipDetails* location = page.Page(CPageExpenseSlipDetails::kLocation);
             std::unique_ptr<QMenu> menu(location->MakePopUp());
             menu->adjustSize();
             const QPixmap shown = Shot(menu.get());
             QPainter painter(&picture);
             const QPoint corner = location->Button()->mapTo(&page, QPoint(0, 0)) +
                                   QPoint(0, location->Button()->height());
             painter.drawPixmap(corner, shown);
             painter.setPen(Qt::darkGray);
             painter.drawRect(QRect(corner, shown.size()).adjusted(0, 0, -1, -1));
             return picture;
         }},
        {"modify-list",
         [&] {
             CHistoryHolder purposes(CHistoryHolder::Kind::Purpose);
             purposes.Load(false);
             CModifyListDialog dialog(purposes.GetHistory(), QStringLiteral("Trade fair"), &frame);
             return Shot(&dialog);
         }},
        {"modify-list-entry",
         [&] {
             CTextEntryDialog dialog(
                 QStringLiteral("List Entry"), QStringLiteral("Enter a List Entry:"),
                 QStringLiteral("Trade fair"), CTextEntryDialog::EmptyNameMessage(), &frame);
             return Shot(&dialog);
         }},
        {"contacts",
         [&] {
             CSheetContacts sheet(&frame);
             QListWidget* list = sheet.ExpensePage()->List();
             list->item(1)->setCheckState(Qt::Checked);
             list->item(3)->setCheckState(Qt::Checked);
             return Shot(&sheet);
         }},
        {"contacts-address-book",
         [&] {
             CSheetContacts sheet(&frame);
             sheet.Tabs()->setCurrentWidget(sheet.OutlookPage());
             QAbstractItemModel* model = sheet.OutlookPage()->List()->model();
             model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
             return Shot(&sheet);
         }},
        {"contact",
         [&] {
             CTextEntryDialog dialog(QStringLiteral("Contact"), QStringLiteral("Name:"),
                                     QStringLiteral("Ingrid Berg"),
                                     QStringLiteral("Please fill in the contact name."), &frame);
             return Shot(&dialog);
         }},
        {"update-question",
         [&] {
             UpdateScope question(QStringLiteral("Update..."), true, true, &frame);
             return Shot(&question);
         }},
        {"choose-paid-with",
         [&] {
             CChooseItemDialog chooser(document, CListItems::Kind::PaymentSource,
                                       QStringLiteral("Visa"), &frame);
             return Shot(&chooser);
         }},
        {"choose-classification",
         [&] {
             CChooseItemDialog chooser(document, CListItems::Kind::Classification,
                                       QStringLiteral("Client 2"), &frame);
             return Shot(&chooser);
         }},
        {"choose-category",
         [&] {
             CChooseItemDialog chooser(document, CListItems::Kind::Category,
                                       QStringLiteral("Lunch"), &frame);
             return Shot(&chooser);
         }},
        {"payment-source",
         [&] {
             CItemEditorDialog editor(document, CListItems::Kind::PaymentSource,
                                      QStringLiteral("Visa"), &frame);
             return Shot(&editor);
         }},
        {"modify-classification",
         [&] {
             CItemEditorDialog editor(document, CListItems::Kind::Classification,
                                      QStringLiteral("Client 1"), &frame);
             return Shot(&editor);
         }},
        {"modify-category",
         [&] {
             CItemEditorDialog editor(document, CListItems::Kind::Category, QString(), &frame);
             editor.NameField()->setText(QStringLiteral("Boat"));
             return Shot(&editor);
         }},
        {"select-expenses-amount",
         [&] {
             CSelectExpensesDialog dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"select-expenses-date",
         [&] {
             CSelectExpensesDialog dialog(document, &frame);
             dialog.ChooseField(kFieldDate);
             return Shot(&dialog);
         }},
        {"select-expenses-description",
         [&] {
             CSelectExpensesDialog dialog(document, &frame);
             dialog.ChooseField(kFieldDescription);
             return Shot(&dialog);
         }},
        {"select-expenses-currency",
         [&] {
             CSelectExpensesDialog dialog(document, &frame);
             dialog.ChooseField(kFieldCurrency);
             return Shot(&dialog);
         }},
        {"select-expenses-category",
         [&] {
             CSelectExpensesDialog dialog(document, &frame);
             dialog.ChooseField(kFieldCategory);
             return Shot(&dialog);
         }},
        {"expense-slip-mileage",
         [&] {
             CExpenseRecord record;
             CExpenseSlipDialog slip(document, record,
                                     *document.GetCategories().Find(QStringLiteral("Mileage")),
                                     true, &frame);
             return Shot(&slip);
         }},
        {"expense-slip-lodging",
         [&] {
             CExpenseRecord record;
             CExpenseSlipDialog slip(document, record,
                                     *document.GetCategories().Find(QStringLiteral("Lodging")),
                                     true, &frame);
             return Shot(&slip);
         }},
        {"currency-page",
         [&] {
             return WithShippedCurrencies([&] {
                 CPageCurrency page(document, &frame);
                 page.Rates()->SelectRow(2);
                 return Shot(&page);
             });
         }},
        {"new-currency",
         [&] {
             return WithShippedCurrencies([&] {
                 CNewCurrencyDialog dialog(document.GetCurrencyTable(), &frame);
                 dialog.List()->SelectRow(3);
                 return Shot(&dialog);
             });
         }},
        {"conversion-rate",
         [&] {
             return WithShippedCurrencies([&] {
                 CConversionRateDialog dialog(document.GetCurrencyTable(),
                                              QStringLiteral("Norwegian Kroner"), 10.66, true,
                                              &frame);
                 return Shot(&dialog);
             });
         }},
        {"account-numbers",
         [&] {
             CAccountNumbersDialog dialog(document.GetCategories(), &frame);
             dialog.List()->topLevelItem(1)->setText(1, QStringLiteral("6010"));
             dialog.List()->topLevelItem(2)->setText(1, QStringLiteral("6020-TRAVEL"));
             dialog.List()->SelectRow(1);
             return Shot(&dialog);
         }},
        {"account-number-entry",
         [&] {
             CTextEntryDialog dialog(QStringLiteral("Account Number Entry"),
                                     QStringLiteral("Breakfast"), QStringLiteral("6010"),
                                     QString(), &frame);
             return Shot(&dialog);
         }},
        {"about",
         [&] {
             CAboutDialog dialog(&frame);
             return Shot(&dialog);
         }},
        {"system-info",
         [&] {
             CSystemInfoDialog dialog(&frame);
             return Shot(&dialog);
         }},
        {"totals",
         [&] {
             CTotalsDialog dialog(CTotalsDialog::Page::Totals, document, &frame);
             return Shot(&dialog);
         }},
        {"subtotals", [&] { return SubtotalsShot(QStringLiteral("Asia tour"), true); }},
        {"subtotals-no-graph", [&] { return SubtotalsShot(QStringLiteral("Asia tour"), false); }},
        {"subtotals-empty", [&] { return SubtotalsShot(QStringLiteral("Berlin fair"), true); }},
        {"date-range",
         [&] {
             CPreferences& preferences = document.GetPreferences();
             preferences.SetSubtotalAllDates(false);
             preferences.SetSubtotalFrom(1773518966);
             preferences.SetSubtotalTo(1773518966 + 6 * 86400);
             CDateRangeDialog dialog(preferences, &frame);
             QPixmap picture = Shot(&dialog);
             preferences.SetSubtotalAllDates(true);
             return picture;
         }},
        {"backup-progress",
         [&] {
             CSheetBackupRestore sheet(&frame);
             sheet.show();
             sheet.Progress()->Begin(QStringLiteral("Saving"));
             sheet.Progress()->Step(7, 12, QStringLiteral("Oslo trip.xpf"));
             return Shot(&sheet);
         }},
        {"report-chooser",
         [&] {
             const BackupFileList reports = SampleReports();
             CReportChooser chooser(CReportChooser::Source::Reports, reports, Qt::PartiallyChecked,
                                    {reports.first()}, &frame);
             return Shot(&chooser);
         }},
        {"archive-file-dialog",
         [&] {
             FileChoice choice;
             choice.title = QStringLiteral("Save Backup To");
             choice.folder = GetDocumentsRoot();
             choice.filter = QStringLiteral("Outlaysheet Backup Files (*.xbf)");
             choice.suffix = QStringLiteral("xbf");
             choice.forOpen = false;
             const auto dialog = MakeFileDialog(&frame, choice, archive);
             return Shot(dialog.get());
         }},
        {"trash",
         [&] {
             CTrashDialog dialog(&frame);
             return Shot(&dialog);
         }},
        {"preferences",
         [&] {
             CSettingsDialog dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"general",
         [&] {
             CPageGeneral dialog(document, &frame);
             return Shot(&dialog);
         }},
        {"classification-groups",
         [&] {
             // A second way of classifying, in memory only.
             document.GetClassificationGroups().CreateGroup(QStringLiteral("Projects"));
             CClassificationGroupsDialog dialog(document.GetClassificationGroups(), &frame);
             return Shot(&dialog);
         }},
        {"personal-info",
         [&] {
             CPersonalInfo info;
             info.Load(false);
             info.SetName(QStringLiteral("Jane Roe"));
             info.SetCompany(QStringLiteral("Acme Ltd."));
             info.SetCity(QStringLiteral("Springfield"));
             info.SetEmail(QStringLiteral("jane@acme.example"));
             info.Save(false);
             CPersonalInfoDialog dialog(false, &frame);
             return Shot(&dialog);
         }},
        {"number-pad",
         [&] {
             // An amount field with the focus, its pad open over the field below.
             FullWindowDialog dialog(QStringLiteral("Cash Advance"),
                                     FullWindowDialog::TitleButton::Ok, &frame);
             auto* grid = new QGridLayout(dialog.Body());
             grid->addWidget(new QLabel(QStringLiteral("Amount:")), 0, 0);
             auto* amount = new CPadAmountEdit;
             amount->setAccessibleName(QStringLiteral("Amount"));
             amount->SetValue(12.5);
             grid->addWidget(amount, 0, 1);
             grid->addWidget(new QLabel(QStringLiteral("Note:")), 1, 0);
             grid->addWidget(new QLineEdit, 1, 1);
             grid->setRowStretch(2, 1);
             dialog.show();
             dialog.activateWindow();
             QApplication::processEvents();
             amount->setFocus();
             amount->setCursorPosition(amount->text().size());
             return Shot(&dialog);
         }},
        {"miles-pad",
         [&] {
             CExpenseRecord record;
             record.SetOdometerStart(1200.0);
             record.SetOdometerEnd(1350.5);
             record.SetMileageRate(Amount(0.4));
             CMilesPadDlg dialog(document, record, CMilesPadDlg::Field::Total, &frame);
             return Shot(&dialog);
         }},
        {"message-box",
         [&] {
             return MessageShot(
                 QStringLiteral("Are you sure you want to permanently delete the expense "
                                "report, Oslo trip?"),
                 PromptButtons::YesNo);
         }},
        {"message-box-path",
         [&] {
             return MessageShot(QStringLiteral("Replace Existing File: ") +
                                    JoinPath(QStringLiteral("/home/user/Documents/Outlaysheet"),
                                             QStringLiteral("Quarterly-expenses-north.xpf")),
                                PromptButtons::YesNoCancel);
         }},
    };
    // Both pages with the report box in each of its states.
    const std::pair<const char*, Qt::CheckState> boxStates[] = {
        {"all", Qt::Checked}, {"none", Qt::Unchecked}, {"some", Qt::PartiallyChecked}};
    std::vector<std::pair<QString, Screen>> pages;
    for (const auto& [state, check] : boxStates) {
        pages.emplace_back(QStringLiteral("backup-page-%1").arg(QLatin1String(state)),
                           [&, check = check] {
                               CSheetBackupRestore sheet(&frame);
                               SetReportBox(sheet.BackupPage()->Contents(), check);
                               sheet.BackupPage()->PathField()->setText(archive);
                               return Shot(&sheet);
                           });
        pages.emplace_back(QStringLiteral("restore-page-%1").arg(QLatin1String(state)),
                           [&, check = check] {
                               CSheetBackupRestore sheet(&frame);
                               sheet.Tabs()->setCurrentWidget(sheet.RestorePage());
                               SetReportBox(sheet.RestorePage()->Contents(), check);
                               sheet.RestorePage()->PathField()->setText(archive);
                               return Shot(&sheet);
                           });
    }
    bool ok = true;
    for (const Form& form : kForms) {
        frame.resize(form.size);
        frame.RefreshViews();
        frame.show();
        QApplication::processEvents();
        for (const auto& [name, shoot] : screens) {
            ok = Save(shoot(), folder, QString::fromLatin1(name), form) && ok;
        }
        for (const auto& [name, shoot] : pages) {
            ok = Save(shoot(), folder, name, form) && ok;
        }
    }
    QFile::remove(archive);
    return ok ? 0 : 1;
}
