#include "views/settings/pagecurrency.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ratefetch.h"
#include "lists/currencytable.h"
#include "lists/rateupdate.h"
#include "lists/referencerates.h"
#include "platform/dateformatting.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/homecurrencychange.h"
#include "report/preferences.h"
#include "views/settings/columnlist.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/newcurrencydialog.h"
#include "views/settings/rateupdatedialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/confirmations.h"
#include "views/widgets/filechooser.h"

namespace {

constexpr int kShortDate = 0;

enum Column { kDescription, kRate, kUpdated };

}  // namespace

CPageCurrency::CPageCurrency(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Currency"), TitleButton::Ok, parent),
      document_(document),
      home_(new QComboBox(Body())),
      rates_(new CColumnList(QStringLiteral("Conversion Rates"),
                             {{QStringLiteral("Description"), 75},
                              {QStringLiteral("Rate"), 73},
                              {QStringLiteral("Updated"), 60}},
                             Body())),
      new_(Commands()->AddButton(QStringLiteral("New"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))),
      update_(Commands()->AddButton(QStringLiteral("Update Rates..."))),
      openingHome_(document.GetCurrencyTable().GetHomeCurrency()) {
    Commands()->AddStretch();
    auto* homeLabel = new QLabel(QStringLiteral("Home Currency:"), Body());
    homeLabel->setFont(AppFont());
    homeLabel->setBuddy(home_);
    home_->setFont(AppFont());
    home_->setAccessibleName(QStringLiteral("Home Currency:"));
    home_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    home_->setMinimumContentsLength(8);
    FillHomeCurrencies();
    FillRates();

    connect(home_, &QComboBox::activated, this, &CPageCurrency::ChangeHome);
    connect(rates_, &CColumnList::rowTapped, this, &CPageCurrency::ChangeRate);
    connect(new_, &QToolButton::clicked, this, &CPageCurrency::AddCurrency);
    connect(cancel_, &QToolButton::clicked, this, &CPageCurrency::reject);
    connect(update_, &QToolButton::clicked, this, [this] {
        QMenu menu(this);
        menu.setFont(AppFont());
        const QAction* bank = menu.addAction(QStringLiteral("From the Bank"));
        const QAction* file = menu.addAction(QStringLiteral("From a File..."));
        const QAction* picked = menu.exec(update_->mapToGlobal(QPoint(0, 0)));
        if (picked == bank) {
            UpdateRates(QString());
        } else if (picked == file) {
            ChooseRatesFile();
        }
    });

    auto* homeRow = new QHBoxLayout;
    homeRow->setSpacing(4);
    homeRow->addWidget(homeLabel);
    homeRow->addWidget(home_, 1);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(homeRow);
    layout->addWidget(rates_, 1);
}

void CPageCurrency::FillHomeCurrencies() {
    const CCurrencyTable& table = document_.GetCurrencyTable();
    QStringList names;
    for (const auto& entry : table.Formats()) {
        names.append(entry.key);
    }
    names.sort(Qt::CaseInsensitive);
    home_->clear();
    home_->addItems(names);
    home_->setCurrentIndex(home_->findText(table.GetHomeCurrency()));
}

void CPageCurrency::FillRates() {
    const CCurrencyTable& table = document_.GetCurrencyTable();
    listed_ = table.GetCurrencies(true);
    const int limit = document_.GetPreferences().GetRateAgeLimit();
    const int selected = rates_->SelectedRow();
    rates_->clear();
    for (const QString& name : listed_) {
        CCurrencyFormat format;
        CurrencyRate rate;
        if (table.GetRate(name, format, rate)) {
            const QString date = FormatDate(rate.GetUpdated(), kShortDate);
            const int days = CurrencyRate::AgeInDays(rate.GetUpdated());
            // An old rate shows its age in red, the date in its tip; the
            // home currency's rate of 1 never ages.
            const bool old = days > limit && !table.SharesHomeRate(name);
            QTreeWidgetItem* row = rates_->AddRow(
                {name, table.FormatIn(name, Amount(rate.GetRate()), Amount::kPrecise),
                 old ? CurrencyRate::AgeText(days) : date});
            if (old) {
                row->setForeground(kUpdated, QColor(Qt::red));
                row->setToolTip(kUpdated, date);
            }
        } else {
            rates_->AddRow({name});
        }
    }
    rates_->SelectRow(qMin(selected, static_cast<int>(listed_.size()) - 1));
}

void CPageCurrency::ChangeHome(int index) {
    CCurrencyTable& table = document_.GetCurrencyTable();
    const QString name = home_->itemText(index);
    if (name.isEmpty() || name == table.GetHomeCurrency()) {
        return;
    }
    CurrencyRate rate;
    // Without a rate of its own the new home currency would leave every
    // other rate counted against the old one.
    if (table.GetRateCount() > 0 && !table.GetRateByCode(table.GetCode(name), rate)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("%1 has no conversion rate yet.  Please give it a rate before making "
                           "it the home currency.")
                .arg(name));
        home_->setCurrentIndex(home_->findText(table.GetHomeCurrency()));
        return;
    }
    // Without any rate nothing is re-based, and no stored amount could be
    // converted (0 says so).
    rebasedBy_ = table.GetRateByCode(table.GetCode(name), rate) ? rebasedBy_ / rate.GetRate() : 0;
    table.SetHomeCurrency(name, true);
    FillRates();
}

void CPageCurrency::AddCurrency() {
    CNewCurrencyDialog dialog(document_.GetCurrencyTable(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    document_.GetCurrencyTable().SetInUse(dialog.Chosen(), true);
    FillRates();
    rates_->SelectRow(static_cast<int>(listed_.indexOf(dialog.Chosen())));
}

void CPageCurrency::ChangeRate(int row) {
    if (row < 0 || row >= listed_.size()) {
        return;
    }
    CCurrencyTable& table = document_.GetCurrencyTable();
    const QString name = listed_[row];
    if (table.SharesHomeRate(name)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("The rate for the home currency cannot be changed."));
        return;
    }
    CCurrencyFormat format;
    CurrencyRate rate;
    // A currency without a rate yet asks for one: no figure is offered.
    const double before = table.GetRate(name, format, rate) ? rate.GetRate() : 0;
    CConversionRateDialog dialog(table, name, before, true, this);
    const int result = dialog.exec();
    if (result == CConversionRateDialog::kRemoved) {
        table.SetInUse(name, false);
        FillRates();
        return;
    }
    if (result != QDialog::Accepted || dialog.Rate() == before) {
        return;
    }
    table.SetRate(name, CurrencyRate(dialog.Rate()), true, false);
    FillRates();
    OfferBulkChange(name, dialog.RateText());
}

void CPageCurrency::ChooseRatesFile() {
    FileChoice choice;
    choice.title = QStringLiteral("Update Rates");
    choice.folder = GetDataDirectory();
    choice.filter = QStringLiteral("Reference Rates(*.xml)");
    choice.suffix = QStringLiteral("xml");
    QString path;
    if (ChooseFile(this, choice, path)) {
        UpdateRates(path);
    }
}

void CPageCurrency::UpdateRates(const QString& path) {
    Prompts& prompts = Platform::Get().GetPrompts();
    CReferenceRates rates;
    QString problem;
    bool read = false;
    {
        const WaitCursor wait(prompts);
        read = CRateFetch::Read(path, rates, problem);
    }
    CCurrencyTable& table = document_.GetCurrencyTable();
    CRateUpdate update;
    if (read && !update.Plan(table, rates)) {
        problem = update.GetProblem();
        read = false;
    }
    if (!read) {
        // Nothing changes: the rates typed so far stay as they are.
        prompts.Warning(problem);
        return;
    }
    CRateUpdateDialog confirm(table, update, this);
    if (confirm.exec() != QDialog::Accepted) {
        return;
    }
    update.Apply(table);
    FillRates();
    for (const CRateUpdate::Change& change : update.GetChanges()) {
        const QString typed = QString::number(change.after, 'g', 10);
        for (const QString& name : table.GetCurrenciesOfCode(change.code)) {
            OfferBulkChange(name, typed);
        }
    }
}

void CPageCurrency::OfferBulkChange(const QString& currency, const QString& typed) {
    if (!document_.GetReport().IsOpen()) {
        return;
    }
    CExpenseRecords& records = document_.GetRecords();
    const bool selectedOnly = records.GetQuery().IsActive();
    bool found = false;
    for (int i = 0; i < records.GetCount(selectedOnly) && !found; ++i) {
        const CExpenseRecord* record = records.GetAt(i, selectedOnly);
        found = record != nullptr && record->GetCurrencyName() == currency;
    }
    if (!found) {
        return;
    }
    const QString question =
        QStringLiteral(
            "Do you really want to change all of the rates for all of the%1expenses of "
            "%2 to %3")
            .arg(selectedOnly ? QStringLiteral(" selected ") : QStringLiteral(" "), currency,
                 typed);
    // The last answer for a currency stands: a No leaves its expenses at
    // their own rates.
    std::erase_if(changes_, [&](const RateChange& change) { return change.currency == currency; });
    if (Platform::Get().GetPrompts().AskYesNo(question)) {
        changes_.push_back({currency, selectedOnly});
    }
}

bool CPageCurrency::ChangeHomeInReports() {
    if (document_.GetCurrencyTable().GetHomeCurrency() == openingHome_) {
        return true;
    }
    Prompts& prompts = Platform::Get().GetPrompts();
    CHomeCurrencyChange change(document_.GetReport(), openingHome_, rebasedBy_);
    if (!change.Plan()) {
        prompts.Warning(change.GetProblem());
        return false;
    }
    // No leaves every file as it is and the page open, to choose again.
    if (change.HasWork() && !prompts.AskYesNo(change.GetQuestion())) {
        return false;
    }
    // Writes the table last, and only once every report took the change.
    if (!change.Apply()) {
        return false;
    }
    openingHome_ = document_.GetCurrencyTable().GetHomeCurrency();
    homeChanged_ = true;
    homeFactor_ = change.GetFactor() > 0 ? change.GetFactor() : 1.0;
    rebasedBy_ = 1.0;
    return true;
}

void CPageCurrency::ApplyRateChanges() {
    CExpenseReport& report = document_.GetReport();
    if (!report.IsOpen()) {
        return;
    }
    // Each change saves the report, and a save that fails says so itself.
    // After a new home currency the expenses are in its terms, as are the
    // table's rates, typed ones included.
    const CCurrencyTable& table = document_.GetCurrencyTable();
    for (const RateChange& change : changes_) {
        CCurrencyFormat format;
        CurrencyRate rate;
        if (!table.GetRate(change.currency, format, rate)) {
            continue;
        }
        CExpenseRecord before;
        before.SetCurrencyName(change.currency);
        CExpenseRecord after;
        after.SetExchangeRate(Amount(rate.GetRate()));
        const int flags = CExpenseReport::kOpenReport | CExpenseReport::kCurrencyRate |
                          (change.selectedOnly ? CExpenseReport::kSelectedOnly : 0);
        report.ApplyListChange(before, after, flags);
    }
}

bool CPageCurrency::ReRated(const QString& currency) const {
    return homeChanged_ || document_.GetCurrencyTable().GetHomeCurrency() != openingHome_ ||
           RateGiven(currency);
}

bool CPageCurrency::RateGiven(const QString& currency) const {
    return std::any_of(changes_.begin(), changes_.end(),
                       [&](const RateChange& change) { return change.currency == currency; });
}

void CPageCurrency::accept() {
    if (!ChangeHomeInReports() || !document_.GetCurrencyTable().Save(true)) {
        return;
    }
    ApplyRateChanges();
    FullWindowDialog::accept();
}

void CPageCurrency::reject() {
    CCurrencyTable& table = document_.GetCurrencyTable();
    if (!MayCancelChanges(table.IsModified())) {
        return;
    }
    if (table.IsModified()) {
        table.SetModified(false);
        table.SetLoaded(false);
        table.Load(false);
    }
    FullWindowDialog::reject();
}
