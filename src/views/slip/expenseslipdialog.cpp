#include "views/slip/expenseslipdialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "archive/storeddays.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroup.h"
#include "lists/expensetypemanager.h"
#include "lists/paidwith.h"
#include "money/currencyformat.h"
#include "platform/dateformatting.h"
#include "platform/platform.h"
#include "platform/prompts.h"
#include "platform/regionalsettings.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/homecurrencychange.h"
#include "report/lastslipdate.h"
#include "report/preferences.h"
#include "views/pads/milespaddlg.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/modifylistdialog.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/categorybutton.h"
#include "views/slip/categorypicker.h"
#include "views/slip/receiptsdialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/insertentry.h"
#include "views/widgets/storeddateedit.h"

namespace {

constexpr int kMaxNights = 360;
constexpr int kShortDate = 0;

// A list's editor entry is its last; a remembered description reading the
// same stands among the others and is inserted like them.
bool IsModifyEntry(const QComboBox* list, int index) {
    return index >= 0 && index == list->count() - 1 && list->itemText(index) == ModifyEntryText();
}
constexpr int kMileageLength = 7;
// The codes the dialog ends with, apart from QDialog's Accepted and Rejected
// that Escape and Enter give.
constexpr int kSavedCode = 100;
constexpr int kDeletedCode = 102;

QLabel* Label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(AppFont());
    return label;
}

QPushButton* ChoiceButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setFont(AppFont());
    button->setAccessibleName(name);
    button->setStyleSheet(QStringLiteral("text-align: left; padding: 0px 3px;"));
    return button;
}

}  // namespace

CExpenseSlipDialog::CExpenseSlipDialog(CExpenseDoc& document, CExpenseRecord& record,
                                       const CCategory& category, bool newExpense, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Expense Slip"), TitleButton::None, parent),
      document_(document),
      record_(record),
      category_(category),
      new_(newExpense),
      dateLabel_(Label(QStringLiteral("Date:"), Body())),
      date_(new StoredDateEdit(QDate(), QStringLiteral("Date:"), Body())),
      amountLabel_(Label(QStringLiteral("Amount:"), Body())),
      amount_(new CPadAmountEdit(Body())),
      categoryButton_(new CategoryButton(Body())),
      receipt_(new QCheckBox(QStringLiteral("Receipt"), Body())),
      nightsLabel_(Label(QStringLiteral("Nights:"), Body())),
      nights_(new QSpinBox(Body())),
      currency_(new QComboBox(Body())),
      rateButton_(new QPushButton(QStringLiteral("Rate"), Body())),
      chargedLabel_(Label(QStringLiteral("Charged:"), Body())),
      charged_(new CPadAmountEdit(Body())),
      rateAge_(Label(QString(), Body())),
      descriptionBox_(new QGroupBox(QStringLiteral("Description"), Body())),
      description_(new QComboBox(descriptionBox_)),
      paidWithLabel_(Label(QStringLiteral("Paid With"), Body())),
      paidWith_(ChoiceButton(QStringLiteral("Paid With"), Body())),
      expenseTypeLabel_(Label(QStringLiteral("Expense Type"), Body())),
      expenseType_(ChoiceButton(QStringLiteral("Expense Type"), Body())),
      classificationLabel_(Label(QString(), Body())),
      classification_(ChoiceButton(QStringLiteral("Classification"), Body())),
      odometer_(new QPushButton(QStringLiteral("Odometer"), Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))),
      details_(Commands()->AddButton(QStringLiteral("Details"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))) {
    SetHelpTopic(QStringLiteral("Expense Slip"));
    Commands()->AddStretch();
    // The bar has no room for a fifth command on the narrow screen, and the
    // amount's pad takes its free end; the title row has room.
    receiptsButton_ = AddTitleButton(QStringLiteral("Receipts"));
    receiptsButton_->hide();
    save_->setToolTip(QStringLiteral("Save"));
    cancel_->setToolTip(QStringLiteral("Cancel"));
    details_->setToolTip(QStringLiteral("Detials"));
    delete_->setToolTip(QStringLiteral("Delete"));
    delete_->setEnabled(!new_);
    for (QWidget* control : std::initializer_list<QWidget*>{
             amount_, charged_, nights_, currency_, rateButton_, descriptionBox_, description_,
             odometer_, paidWith_, expenseType_, classification_}) {
        control->setFont(AppFont());
        // Long names are cut rather than widen the slip past the screen.
        control->setMinimumWidth(0);
        control->setSizePolicy(QSizePolicy::Ignored, control->sizePolicy().verticalPolicy());
    }
    // The date keeps the room of the widest day it can show: a date cut
    // short reads as another day.
    date_->setFont(AppFont());
    receipt_->setFont(AppFont());
    amount_->setAccessibleName(QStringLiteral("Amount"));
    amountLabel_->setWordWrap(true);
    // Beside the field, the pad leaves the amount in sight as it is typed.
    amount_->SetPadAtRight(true);
    amount_->setAlignment(Qt::AlignRight);
    connect(amount_, &CPadAmountEdit::padOpened, this, &CExpenseSlipDialog::ShowBesideFields);
    connect(amount_, &CPadAmountEdit::padClosed, this, &CExpenseSlipDialog::ShowBesideFields);
    charged_->setAccessibleName(QStringLiteral("Charged:"));
    chargedLabel_->setBuddy(charged_);
    rateAge_->setAccessibleName(QStringLiteral("Rate Date"));
    rateAge_->setAlignment(Qt::AlignCenter);
    charged_->SetPadAtRight(true);
    charged_->setAlignment(Qt::AlignRight);
    connect(charged_, &CPadAmountEdit::padOpened, this, &CExpenseSlipDialog::ShowBesideFields);
    connect(charged_, &CPadAmountEdit::padClosed, this, &CExpenseSlipDialog::ShowBesideFields);
    // A charge typed stands while the amount changes: the rate follows.
    connect(amount_, &QLineEdit::textChanged, this, [this] {
        if (!chargedTyped_ || !RateFromCharged()) {
            ShowCharged();
        }
        ShowRateAge();
    });
    connect(charged_, &CAmountEdit::amountEdited, this, [this] {
        chargedTyped_ = true;
        RateFromCharged();
        ShowRateAge();
    });
    receipt_->setAccessibleName(QStringLiteral("Receipt"));
    nights_->setAccessibleName(QStringLiteral("Nights:"));
    nights_->setRange(1, kMaxNights);
    currency_->setAccessibleName(QStringLiteral("Currency"));
    rateButton_->setAccessibleName(QStringLiteral("Rate"));
    odometer_->setAccessibleName(QStringLiteral("Odometer"));
    description_->setEditable(true);
    description_->setInsertPolicy(QComboBox::NoInsert);
    description_->setAccessibleName(QStringLiteral("Description"));
    auto* boxLayout = new QVBoxLayout(descriptionBox_);
    boxLayout->setContentsMargins(3, 0, 3, 0);
    boxLayout->addWidget(description_);
    const QString group = document_.GetClassificationGroups().GetCurrentGroupName();
    classificationLabel_->setText(group.isEmpty() ? QStringLiteral("Classification") : group);

    const Clock& clock = Platform::Get().GetClock();
    const TimeStamp when = new_ ? LastSlipDate::ForNewSlip(clock.Now()) : record_.GetDate();
    date_->setDate(clock.ToLocal(when).date());
    if (new_) {
        slipCurrency_ = record_.GetCurrencyName();
        if (slipCurrency_.isEmpty() && International()) {
            slipCurrency_ = CPreferences::GetSelectedCurrency();
        }
        if (slipCurrency_.isEmpty()) {
            slipCurrency_ = document_.GetCurrencyTable().GetHomeCurrency();
        }
        slipRate_ = TableRate(slipCurrency_);
        paidWithName_ = category_.GetPaidWith().GetName();
        expenseTypeName_ = category_.GetExpenseType().GetName();
        classificationName_ = category_.GetClassification().GetName();
        receipt_->setChecked(category_.GetReceipt() != 0);
    } else {
        slipCurrency_ = record_.GetCurrencyName().isEmpty()
                            ? document_.GetCurrencyTable().GetHomeCurrency()
                            : record_.GetCurrencyName();
        slipRate_ =
            record_.GetExchangeRate().GetValue() > 0 ? record_.GetExchangeRate().GetValue() : 1.0;
        paidWithName_ = record_.GetPaidWith().GetName();
        expenseTypeName_ = record_.GetExpenseType().GetName();
        classificationName_ = record_.GetClassification().GetName();
        receipt_->setChecked(record_.GetReceipt());
        description_->setEditText(record_.GetDescription());
        location_ = record_.GetLocation();
        purpose_ = record_.GetPurpose();
        contacts_ = record_.GetContacts();
    }
    SetUpForCategory();
    FillCurrencies();
    if (IsMileage()) {
        amount_->SetValue(new_ ? 0.0 : record_.GetDistance());
    } else {
        amount_->SetAmount(new_ ? Amount() : record_.GetAmount(false));
    }
    ShowCharged();

    connect(currency_, &QComboBox::activated, this, &CExpenseSlipDialog::PickCurrency);
    connect(rateButton_, &QPushButton::clicked, this, &CExpenseSlipDialog::ChangeRate);
    connect(paidWith_, &QPushButton::clicked, this,
            [this] { Choose(CListItems::Kind::PaymentSource, paidWithName_); });
    connect(expenseType_, &QPushButton::clicked, this, [this] {
        QStringList names;
        for (int position = 0; position < CExpenseTypeManager::GetCount(); ++position) {
            names.append(CExpenseTypeManager::GetName(position));
        }
        PickFromPopUp(expenseType_, names, expenseTypeName_);
    });
    connect(classification_, &QPushButton::clicked, this,
            [this] { Choose(CListItems::Kind::Classification, classificationName_); });
    connect(description_, &QComboBox::activated, this, &CExpenseSlipDialog::PickDescription);
    // What was typed before the list opened: picking from the list replaces
    // the field's text, and a picked description goes in beside it instead.
    description_->view()->installEventFilter(this);
    connect(description_->lineEdit(), &QLineEdit::textEdited, this, [this] { listOpen_ = false; });
    connect(categoryButton_, &CategoryButton::popUpRequested, this, [this] {
        QMenu menu(this);
        menu.setFont(AppFont());
        for (const CCategoryEx& member : document_.GetCategories()) {
            if (member.GetGroup() == category_.GetGroup()) {
                menu.addAction(member.GetName());
            }
        }
        if (const QAction* picked = menu.exec(categoryButton_->mapToGlobal(QPoint(0, 0)))) {
            if (const CCategoryEx* chosen = document_.GetCategories().Find(picked->text())) {
                chosen->RememberGroupChoice();
                category_ = *chosen;
                SetUpForCategory();
            }
        }
    });
    connect(categoryButton_, &QAbstractButton::clicked, this, [this] {
        const CCategoryExManager& categories = document_.GetCategories();
        CCategoryPicker picker([&](int group) { return categories.GetButtonCategory(group); },
                               this);
        if (picker.exec() != QDialog::Accepted) {
            return;
        }
        if (const CCategoryEx* chosen = categories.GetButtonCategory(picker.ChosenGroup())) {
            chosen->RememberGroupChoice();
            category_ = *chosen;
            SetUpForCategory();
        }
    });
    connect(save_, &QToolButton::clicked, this, [this] {
        if (Store()) {
            done(kSavedCode);
        }
    });
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    connect(delete_, &QToolButton::clicked, this, &CExpenseSlipDialog::AskDelete);
    connect(details_, &QToolButton::clicked, this, &CExpenseSlipDialog::OpenDetails);
    connect(receiptsButton_, &QToolButton::clicked, this, &CExpenseSlipDialog::OpenReceipts);
    connect(odometer_, &QPushButton::clicked, this, [this] {
        // A distance typed already goes in as the trip's end reading.
        const double distance = amount_->GetValue();
        if (distance > 0) {
            record_.SetOdometerEnd(record_.GetOdometerStart() + distance);
        }
        if (CMilesPadDlg::Run(this, document_, &record_, CMilesPadDlg::Field::Total) ==
            CMilesPadDlg::kSaved) {
            amount_->SetValue(record_.GetDistance());
        }
    });
    amount_->setFocus();
    amount_->selectAll();
}

bool CExpenseSlipDialog::International() const {
    return document_.GetCurrencyTable().GetInternationalTraveler();
}

int CExpenseSlipDialog::NightsEntered() const {
    return new_ && IsPerNight() ? nights_->value() : 1;
}

void CExpenseSlipDialog::SetUpForCategory() {
    categoryButton_->SetCategory(category_);
    const bool mileage = IsMileage();
    const bool perNight = new_ && IsPerNight();
    currency_->setVisible(!mileage && International());
    ShowBesideFields();
    paidWith_->setVisible(!mileage);
    paidWithLabel_->setVisible(!mileage);
    odometer_->setVisible(mileage);
    amountLabel_->setText(mileage    ? QStringLiteral("Miles:")
                          : perNight ? QStringLiteral("Amount per night:")
                                     : QStringLiteral("Amount:"));
    amount_->setMaxLength(mileage ? kMileageLength : 30000);
    FormatAmountField();
    nightsLabel_->setVisible(perNight);
    nights_->setVisible(perNight);
    if (new_) {
        receipt_->setChecked(category_.GetReceipt() != 0);
    }
    if (mileage && record_.GetMileageRate().GetValue() == 0) {
        record_.SetMileageRate(document_.GetPreferences().GetDefaultMileageRate());
    }
    // A new trip starts where the odometer stood after the last one, so the
    // Miles Pad shows it and an end reading typed there gives the distance.
    if (mileage && new_ && record_.GetOdometerStart() == 0) {
        record_.SetOdometerStart(document_.GetPreferences().GetMileageBeginning());
    }
    FillDescriptions(new_ ? QString() : record_.GetDescription());
    ShowChoices();
    if (Body()->layout() != nullptr) {
        ApplyLayout(Layout());
    }
}

CHistory* CExpenseSlipDialog::DescriptionHistory() {
    CCategoryEx* listed = document_.GetCategories().Find(category_.GetName());
    return listed != nullptr ? &listed->GetDescriptionHistory() : nullptr;
}

void CExpenseSlipDialog::FillDescriptions(const QString& text) {
    description_->clear();
    if (const CHistory* history = DescriptionHistory()) {
        description_->addItems(history->GetItems());
        if (history->GetCount() > 0) {
            description_->addItem(ModifyEntryText());
        }
    }
    description_->setEditText(text);
}

bool CExpenseSlipDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == description_->view() && event->type() == QEvent::Show) {
        typed_ = description_->lineEdit()->text();
        typedStart_ = description_->lineEdit()->hasSelectedText()
                          ? description_->lineEdit()->selectionStart()
                          : description_->lineEdit()->cursorPosition();
        typedLength_ = description_->lineEdit()->selectedText().size();
        listOpen_ = true;
    }
    return FullWindowDialog::eventFilter(watched, event);
}

void CExpenseSlipDialog::PickDescription(int index) {
    const bool fromList = std::exchange(listOpen_, false);
    QLineEdit* field = description_->lineEdit();
    if (IsModifyEntry(description_, index)) {
        const QString selected = fromList ? typed_.mid(typedStart_, typedLength_) : QString();
        if (CHistory* history = DescriptionHistory()) {
            CModifyListDialog::Run(*history, selected, this);
        }
        FillDescriptions(fromList ? typed_ : QString());
        return;
    }
    if (!fromList) {
        return;
    }
    const QString entry = description_->itemText(index);
    field->setText(typed_);
    field->setSelection(typedStart_, typedLength_);
    if (typedLength_ == 0) {
        field->setCursorPosition(typedStart_);
    }
    InsertEntry(field, entry);
}

void CExpenseSlipDialog::FormatAmountField() {
    const CCurrencyTable& table = document_.GetCurrencyTable();
    // A currency the table does not know is written the device's way, as
    // the lists show it.
    CCurrencyFormat format(true);
    table.FindFormat(IsMileage() ? table.GetHomeCurrency() : slipCurrency_, format);
    if (IsMileage()) {
        format.SetDigits(1);
        amount_->SetLimit(MoneyBounds::Kind::kDistance);
    } else {
        amount_->SetLimit(MoneyBounds::Kind::kAmount);
    }
    amount_->SetFormat(format);
    CCurrencyFormat home(true);
    table.GetHomeFormat(home);
    charged_->SetFormat(home);
    charged_->SetLimit(MoneyBounds::Kind::kAmount);
}

void CExpenseSlipDialog::ShowChoices() {
    paidWith_->setText(paidWithName_);
    expenseType_->setText(expenseTypeName_);
    classification_->setText(classificationName_);
}

void CExpenseSlipDialog::FillCurrencies() {
    currency_->clear();
    if (!International()) {
        return;
    }
    currency_->addItems(document_.GetCurrencyTable().GetListedCurrencies());
    if (currency_->findText(slipCurrency_) < 0) {
        currency_->insertItem(0, slipCurrency_);
    }
    currency_->addItem(ModifyEntryText());
    currency_->setCurrentIndex(currency_->findText(slipCurrency_));
}

void CExpenseSlipDialog::PickCurrency(int index) {
    const QString name = currency_->itemText(index);
    if (IsModifyEntry(currency_, index)) {
        // The editor may take currencies out of the list or add others; the
        // slip's own currency stays chosen either way.
        CPageCurrency page(document_, this);
        if (page.exec() == QDialog::Accepted) {
            // Stored expenses of the slip's currency that took a new rate,
            // or a new home currency, leave the slip's rate behind.
            if (page.ReRated(slipCurrency_)) {
                // A new home currency re-based every stored rate, this
                // expense's own among them; a rate given to all expenses of
                // the currency is the table's.
                slipRate_ = page.RateGiven(slipCurrency_)
                                ? TableRate(slipCurrency_)
                                : CHomeCurrencyChange::RebaseRate(slipRate_, page.HomeFactor());
                chargedTyped_ = false;
                rateTyped_ = page.RateGiven(slipCurrency_) ? 0 : rateTyped_;
                ShowBesideFields();
            }
            FormatAmountField();
            ShowCharged();
            FillCurrencies();
        } else {
            currency_->setCurrentIndex(currency_->findText(slipCurrency_));
        }
        return;
    }
    const Amount amount = amount_->GetAmount();
    slipCurrency_ = name;
    if (name == record_.GetCurrencyName() && record_.GetExchangeRate().GetValue() > 0) {
        slipRate_ = record_.GetExchangeRate().GetValue();
    } else {
        slipRate_ = TableRate(name);
    }
    chargedTyped_ = false;
    rateTyped_ = 0;
    FormatAmountField();
    amount_->SetAmount(amount);
    ShowCharged();
    ShowBesideFields();
}

double CExpenseSlipDialog::TableRate(const QString& currency) const {
    CCurrencyFormat format;
    CurrencyRate rate;
    return document_.GetCurrencyTable().GetRate(currency, format, rate) ? rate.GetRate() : 1.0;
}

bool CExpenseSlipDialog::Foreign() const {
    return !IsMileage() && International() &&
           slipCurrency_ != document_.GetCurrencyTable().GetHomeCurrency();
}

void CExpenseSlipDialog::ShowCharged() {
    if (chargedTyped_) {
        return;
    }
    const CCurrencyTable& table = document_.GetCurrencyTable();
    charged_->SetAmount(table.ConvertToHome(amount_->GetAmount(), Amount(slipRate_)));
}

bool CExpenseSlipDialog::RateFromCharged() {
    if (!CurrencyRate::FromCharged(amount_->GetValue(), charged_->GetValue(), slipRate_)
             .isEmpty()) {
        return false;
    }
    rateTyped_ = Platform::Get().GetClock().Now();
    return true;
}

TimeStamp CExpenseSlipDialog::RateUpdated() const {
    if (rateTyped_ != 0) {
        return rateTyped_;
    }
    CCurrencyFormat format;
    CurrencyRate rate;
    if (document_.GetCurrencyTable().GetRate(slipCurrency_, format, rate) &&
        rate.GetRate() == slipRate_) {
        return rate.GetUpdated();
    }
    return 0;
}

void CExpenseSlipDialog::ShowRateAge() {
    const TimeStamp updated = RateUpdated();
    const int days = updated != 0 ? CurrencyRate::AgeInDays(updated) : 0;
    const bool old = updated != 0 && days > document_.GetPreferences().GetRateAgeLimit() &&
                     !document_.GetCurrencyTable().SharesHomeRate(slipCurrency_);
    const QString date = updated != 0 ? FormatDate(updated, kShortDate) : QString();
    rateAge_->setText(old ? CurrencyRate::AgeText(days) : date);
    rateAge_->setToolTip(date);
    rateAge_->setStyleSheet(old ? QStringLiteral("color: red;") : QString());
}

void CExpenseSlipDialog::ShowBesideFields() {
    // The square screen has no room beside the fields for the amount's pad
    // as well: while it is open it takes the place of what is there.
    const bool square = Layout() == ScreenLayout::Square;
    const bool padThere = square && (amount_->IsPadOpen() || charged_->IsPadOpen());
    // Lodging on the square screen: the category button makes room.
    categoryButton_->setVisible(!padThere && !(square && new_ && IsPerNight()));
    receipt_->setVisible(!padThere && !IsMileage());
    rateButton_->setVisible(!padThere && Foreign());
    // A trip driven has no receipt, and so no receipts either.
    receiptsButton_->setVisible(receipts_ != nullptr && !IsMileage());
    // The low screens have no room for the charge's row and the title of
    // the description's box: the field names itself while it is empty. The
    // title goes before the row comes, and comes back after the row went,
    // so that the window never has to grow for both.
    const bool untitled = Foreign() && Layout() != ScreenLayout::Portrait;
    if (untitled) {
        descriptionBox_->setTitle(QString());
    }
    chargedLabel_->setVisible(Foreign());
    charged_->setVisible(Foreign());
    rateAge_->setVisible(!padThere && Foreign());
    if (!untitled) {
        descriptionBox_->setTitle(QStringLiteral("Description"));
    }
    description_->lineEdit()->setPlaceholderText(untitled ? QStringLiteral("Description")
                                                          : QString());
    ShowRateAge();
}

void CExpenseSlipDialog::ChangeRate() {
    CConversionRateDialog dialog(document_.GetCurrencyTable(), slipCurrency_, slipRate_, false,
                                 this);
    if (dialog.exec() != QDialog::Accepted || dialog.Rate() == slipRate_) {
        return;
    }
    const double rate = dialog.Rate();
    slipRate_ = rate;
    chargedTyped_ = false;
    rateTyped_ = Platform::Get().GetClock().Now();
    ShowCharged();
    ShowRateAge();
    CCurrencyTable& table = document_.GetCurrencyTable();
    // A currency the table does not know, or one that shares the home
    // currency's rate of 1, keeps a rate on this expense only.
    if (!table.HasFormat(slipCurrency_) || table.SharesHomeRate(slipCurrency_)) {
        return;
    }
    if (Platform::Get().GetPrompts().AskYesNo(
            QStringLiteral("Save the new exchange rate as the default?"))) {
        CCurrencyFormat format;
        CurrencyRate stored;
        table.GetRate(slipCurrency_, format, stored);
        stored.SetValue(rate);
        table.SetRate(slipCurrency_, stored, true, false);
        table.Save(false);
    }
}

void CExpenseSlipDialog::PickFromPopUp(QPushButton* button, const QStringList& items,
                                       QString& chosen) {
    QMenu menu(this);
    menu.setFont(AppFont());
    for (const QString& item : items) {
        menu.addAction(item);
    }
    if (const QAction* picked = menu.exec(button->mapToGlobal(QPoint(0, button->height())))) {
        chosen = picked->text();
        ShowChoices();
    }
}

void CExpenseSlipDialog::Choose(CListItems::Kind kind, QString& chosen) {
    CChooseItemDialog chooser(document_, kind, chosen, this);
    if (chooser.exec() == QDialog::Accepted) {
        chosen = chooser.ChosenName();
    } else if (!chooser.CurrentName().isEmpty()) {
        // The slip's choice renamed in the editor stays the choice.
        chosen = chooser.CurrentName();
    } else if (!CListItems(document_, kind).Find(chosen)) {
        // The slip's choice was deleted in the editor: the button shows
        // what Save will store instead.
        chosen = kind == CListItems::Kind::PaymentSource ? category_.GetPaidWith().GetName()
                                                         : category_.GetClassification().GetName();
    }
    ShowChoices();
}

void CExpenseSlipDialog::OpenDetails() {
    // The record keeps the slip's own texts only when the slip is saved.
    CSheetExpenseSlipDetails details(location_, purpose_, contacts_, this);
    if (details.exec() == QDialog::Accepted) {
        location_ = details.Value(CPageExpenseSlipDetails::kLocation);
        purpose_ = details.Value(CPageExpenseSlipDetails::kPurpose);
        contacts_ = details.Value(CPageExpenseSlipDetails::kContacts);
    }
}

void CExpenseSlipDialog::SetReceipts(CReceiptKeeper* receipts, quint64 expense) {
    receipts_ = receipts;
    expense_ = expense;
    ShowReceipts();
    ShowBesideFields();
}

void CExpenseSlipDialog::ShowReceipts() {
    if (receipts_ == nullptr) {
        return;
    }
    // How many there are; a picture at the title's height would look like a
    // check box, and would cost a decode of the receipt at every slip.
    const QList<::Receipt> attached = receipts_->ReceiptsOf(expense_);
    const QString text = attached.isEmpty() ? QStringLiteral("Receipts")
                                            : QStringLiteral("Receipts (%1)").arg(attached.size());
    receiptsButton_->setText(text);
    receiptsButton_->setToolTip(text);
    // A screen reader hears the count the button shows.
    receiptsButton_->setAccessibleName(text);
}

void CExpenseSlipDialog::OpenReceipts() {
    if (receipts_ == nullptr) {
        return;
    }
    // What the expense is as the slip shows it now, saved or not.
    const QString heading =
        QStringLiteral("%1, %2, %3")
            .arg(category_.GetName(),
                 FormatDate(Platform::Get().GetClock().FromLocal(date_->date(), QTime(12, 0)),
                            kShortDate),
                 amount_->text());
    CReceiptsDialog dialog(*receipts_, expense_, heading, this);
    dialog.exec();
    ShowReceipts();
    // A receipt attached is a receipt there: the box says so.
    if (dialog.AttachedAny()) {
        receipt_->setChecked(true);
    }
}

void CExpenseSlipDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        save_->click();
        return;
    }
    FullWindowDialog::keyPressEvent(event);
}

void CExpenseSlipDialog::AskDelete() {
    if (Platform::Get().GetPrompts().AskYesNo(
            QStringLiteral("Are you sure you want to delete this expense item?"))) {
        done(kDeletedCode);
    }
}

bool CExpenseSlipDialog::Store() {
    Prompts& prompts = Platform::Get().GetPrompts();
    // Only days a file can hold: the day picked and, for a stay, the day of
    // every night, each an expense of its own.
    if (!date_->CheckDay()) {
        return false;
    }
    if (!StoredDays::Contains(date_->date().addDays(NightsEntered() - 1))) {
        prompts.Warning(StoredDays::Message());
        nights_->setFocus();
        return false;
    }
    const Clock& clock = Platform::Get().GetClock();
    CCurrencyTable& table = document_.GetCurrencyTable();
    // Composed on a copy: a slip a file could not hold changes nothing, and
    // stays open with what was typed for the user to correct.
    CExpenseRecord slip(record_);
    slip.SetOwner(nullptr);
    // The date: a new expense takes the picked day at the slip's time, an
    // edited one keeps its own time of day.
    const TimeStamp before = new_ ? LastSlipDate::ForNewSlip(clock.Now()) : record_.GetDate();
    const TimeStamp date = clock.FromLocal(date_->date(), clock.ToLocal(before).time());
    slip.SetDate(date);
    CPreferences& preferences = document_.GetPreferences();
    if (IsMileage()) {
        slip.SetCurrencyName(table.GetHomeCurrency());
        slip.SetExchangeRate(Amount(1.0));
        const double distance = amount_->GetValue();
        if (slip.GetOdometerStart() == 0) {
            slip.SetOdometerStart(preferences.GetMileageBeginning());
            slip.SetOdometerEnd(slip.GetOdometerStart() + distance);
        } else if (std::abs(slip.GetDistance() - distance) > 1e-9) {
            slip.SetOdometerEnd(slip.GetOdometerStart() + distance);
        }
        // What the trip is worth, not its miles: the totals add money.
        Amount due(distance);
        due.Multiply(slip.GetMileageRate());
        due.Round(table.GetHomeDigits());
        slip.SetAmount(due);
    } else {
        // The rate the charge gives for the amount as it will be stored.
        if (Foreign() && chargedTyped_) {
            Amount amount = amount_->GetAmount();
            amount.Round(table.GetDigits(slipCurrency_));
            const QString problem =
                CurrencyRate::FromCharged(amount.GetValue(), charged_->GetValue(), slipRate_);
            if (!problem.isEmpty()) {
                prompts.Warning(problem);
                charged_->setFocus();
                charged_->selectAll();
                return false;
            }
        }
        slip.SetCurrencyName(slipCurrency_);
        slip.SetExchangeRate(Amount(slipRate_));
        Amount amount = amount_->GetAmount();
        amount.Round(table.GetDigits(slipCurrency_));
        slip.SetAmount(amount);
        slip.SetOdometerStart(0.0);
        slip.SetOdometerEnd(0.0);
    }
    CCategory stored = category_;
    stored.SetReceipt(!IsMileage() && receipt_->isChecked() ? 1 : 0);
    if (IsMileage()) {
        // The traveller drove and is owed the trip: no payment source.
        stored.GetPaidWith() = CPaidWith(QStringLiteral("None"), QStringLiteral("PAIDWITH01U.BMP"),
                                         CPaidWith::kPersonal);
    } else if (const CPaidWith* source = document_.GetPaymentSources().Find(paidWithName_)) {
        stored.GetPaidWith() = *source;
    }
    for (int position = 0; position < CExpenseTypeManager::GetCount(); ++position) {
        if (CExpenseTypeManager::GetName(position) == expenseTypeName_) {
            stored.GetExpenseType() = CExpenseTypeManager::GetExpenseType(position);
        }
    }
    if (CClassificationGroup* group = document_.GetClassificationGroups().GetCurrentGroup()) {
        if (const CClassification* item = group->Find(classificationName_)) {
            stored.GetClassification() = *item;
        }
    }
    slip.SetCategory(stored);
    const QString problem = slip.GetValueProblem();
    if (!problem.isEmpty()) {
        prompts.Warning(problem);
        amount_->setFocus();
        amount_->selectAll();
        return false;
    }
    // The editor's entry left in the field is no description.
    const bool onEditor = IsModifyEntry(description_, description_->currentIndex()) &&
                          description_->currentText() == ModifyEntryText();
    slip.SetDescription(onEditor ? QString() : description_->currentText());
    slip.SetLocation(location_);
    slip.SetPurpose(purpose_);
    slip.SetContacts(contacts_);
    CExpenseRecords* owner = record_.GetOwner();
    record_ = slip;
    record_.SetOwner(owner);
    record_.SetModified(true);
    if (new_) {
        LastSlipDate::Set(date, clock.Now());
    }
    if (IsMileage()) {
        if (new_ || record_.GetOdometerEnd() > preferences.GetMileageBeginning()) {
            preferences.SetMileageBeginning(record_.GetOdometerEnd());
            preferences.SaveAll();
        }
    } else {
        CPreferences::SetSelectedCurrency(slipCurrency_);
    }
    return true;
}

void CExpenseSlipDialog::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    // Every pixel of height counts on the low screens.
    const int edge = layout == ScreenLayout::Portrait ? 1 : 0;
    grid->setContentsMargins(4, edge, 4, edge);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    // Labels and their controls in two columns, the category button beside
    // the first rows. In landscape, with no room to spare below them, a
    // column between keeps a place for the amount's number pad, so that it
    // hides none of them.
    const bool padColumn = layout == ScreenLayout::Landscape;
    const int side = padColumn ? 3 : 2;
    grid->setColumnMinimumWidth(2, padColumn ? CNumberPad::kWidth : 0);
    int row = 0;
    // "Amount per night:" in lines of a word or two leaves the date its room:
    // a word a line beside the narrow portrait fields.
    const QFontMetrics metrics = amountLabel_->fontMetrics();
    const bool perNight = new_ && IsPerNight();
    const int lines = layout == ScreenLayout::Portrait || !perNight
                          ? metrics.horizontalAdvance(QStringLiteral("Amount:"))
                          : metrics.horizontalAdvance(QStringLiteral("Amount per  "));
    amountLabel_->setMinimumWidth(perNight ? lines : 0);
    amountLabel_->setMaximumWidth(lines);
    // Lodging on the square screen has no category button beside the date.
    const bool dateAcross = layout == ScreenLayout::Square && perNight;
    grid->addWidget(dateLabel_, row, 0);
    grid->addWidget(date_, row, 1, 1, dateAcross ? side : 1);
    grid->addWidget(categoryButton_, row, side, 3, 1, Qt::AlignTop);
    ++row;
    grid->addWidget(amountLabel_, row, 0);
    grid->addWidget(amount_, row, 1);
    ++row;
    grid->addWidget(nightsLabel_, row, 0);
    grid->addWidget(nights_, row, 1);
    ++row;
    grid->addWidget(currency_, row, 0, 1, 2);
    grid->addWidget(rateButton_, row, side);
    grid->addWidget(odometer_, row, 0, 1, 2);
    ++row;
    grid->addWidget(chargedLabel_, row, 0);
    grid->addWidget(charged_, row, 1);
    grid->addWidget(rateAge_, row, side);
    ++row;
    grid->addWidget(descriptionBox_, row, 0, 1, 2);
    grid->addWidget(receipt_, row, side);
    ++row;
    const std::pair<QLabel*, QPushButton*> choices[] = {{paidWithLabel_, paidWith_},
                                                        {expenseTypeLabel_, expenseType_},
                                                        {classificationLabel_, classification_}};
    // Each choice in a row of its own, in every form: side by side a third of
    // the width cuts the longer names. Their labels have a column of their
    // own, so that the fields above keep the room for a whole date.
    auto* below = new QGridLayout;
    below->setHorizontalSpacing(4);
    below->setVerticalSpacing(1);
    for (int i = 0; i < 3; ++i) {
        below->addWidget(choices[i].first, i, 0);
        below->addWidget(choices[i].second, i, 1);
    }
    below->setColumnStretch(1, 1);
    grid->addLayout(below, row, 0, 1, side + 1);
    ++row;
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    categoryButton_->setFixedSize(56, 54);
    // Kept when the pad hides the controls of the column.
    grid->setColumnMinimumWidth(side, std::max(CNumberPad::kWidth, categoryButton_->width()));
    ShowBesideFields();
}

CExpenseSlipDialog::~CExpenseSlipDialog() {
    // Hiding the dialog as it goes closes the pad, which must not lay out
    // what is being taken apart.
    amount_->disconnect(this);
}

int CExpenseSlipDialog::RunSlip(CExpenseDoc& document, const CCategory& category,
                                CExpenseRecord& record, bool newExpense, QWidget* parent,
                                int& nights, CReceiptKeeper* receipts, quint64 expense) {
    CExpenseSlipDialog slip(document, record, category, newExpense, parent);
    slip.SetReceipts(receipts, expense);
    const int code = slip.exec();
    nights = slip.NightsEntered();
    // Escape, or closing the window, is a cancel.
    return code == kSavedCode ? kSaved : code == kDeletedCode ? kDeleted : kCancelled;
}
