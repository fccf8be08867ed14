#include "views/pads/milespaddlg.h"

#include <QBitmap>
#include <QBoxLayout>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <cmath>

#include "money/moneybounds.h"
#include "platform/platform.h"
#include "platform/prompts.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "views/pads/amountedit.h"
#include "views/pads/editpadmileage.h"
#include "views/widgets/commandbar.h"

namespace {

const QSize kButtonSize(40, 30);

}  // namespace

int CMilesPadDlg::Run(QWidget* parent, CExpenseDoc& document, CExpenseRecord* record,
                      Field initialField) {
    if (record == nullptr) {
        return kCancelled;
    }
    CMilesPadDlg dialog(document, *record, initialField, parent);
    return dialog.exec() == QDialog::Accepted ? kSaved : kCancelled;
}

CMilesPadDlg::CMilesPadDlg(CExpenseDoc& document, CExpenseRecord& record, Field initialField,
                           QWidget* parent)
    : FullWindowDialog(QStringLiteral("Miles Pad"), TitleButton::None, parent),
      document_(document),
      record_(record),
      focused_(initialField),
      homeFormat_(true),
      starting_(new CEditPadMileage),
      ending_(new CEditPadMileage),
      total_(new CEditPadMileage),
      rate_(new CAmountEdit),
      due_(new QLabel),
      fields_(new QWidget),
      keys_(new QWidget) {
    SetHelpTopic(QStringLiteral("Mileage"));
    document_.GetCurrencyTable().GetHomeFormat(homeFormat_);
    Commands()->hide();
    Body()->setAutoFillBackground(true);
    QPalette colours = Body()->palette();
    colours.setColor(QPalette::Window, kBackground);
    Body()->setPalette(colours);

    auto* fieldGrid = new QGridLayout(fields_);
    fieldGrid->setContentsMargins(0, 0, 0, 0);
    fieldGrid->setVerticalSpacing(3);
    // Narrow forms: what the labels do not need goes to the readings.
    fieldGrid->setHorizontalSpacing(3);
    const std::pair<const char*, QWidget*> rows[] = {{"Starting:", starting_},
                                                     {"Ending:", ending_},
                                                     {"Total:", total_},
                                                     {"Rate:", rate_},
                                                     {"Due:", due_}};
    int row = 0;
    for (const auto& [label, field] : rows) {
        const QString text = QString::fromLatin1(label);
        fieldGrid->addWidget(new QLabel(text), row, 0);
        fieldGrid->addWidget(field, row++, 1);
        field->setAccessibleName(text.chopped(1));
        field->setFixedHeight(20);
    }
    fieldGrid->setRowStretch(row, 1);
    due_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (CEditPadMileage* field : {starting_, ending_, total_}) {
        field->SetLimit(CEditPadMileage::kDefaultLimit);
        connect(field, &QLineEdit::textChanged, this,
                field == total_ ? &CMilesPadDlg::OnTotalChanged : &CMilesPadDlg::OnReadingChanged);
    }
    rate_->SetFormat(homeFormat_);
    rate_->SetPrecise(true);
    rate_->SetLimit(MoneyBounds::Kind::kMileageRate);
    connect(rate_, &QLineEdit::textChanged, this, [this] {
        rateChanged_ = true;
        RecomputeDue();
    });
    for (QWidget* field : {static_cast<QWidget*>(starting_), static_cast<QWidget*>(ending_),
                           static_cast<QWidget*>(total_), static_cast<QWidget*>(rate_)}) {
        field->installEventFilter(this);
    }

    auto* keyGrid = new QGridLayout(keys_);
    keyGrid->setContentsMargins(0, 0, 0, 0);
    keyGrid->setSpacing(0);
    const QString separator = starting_->GetDecimalSeparator();
    const QString separatorImage =
        separator == QLatin1String(",") ? QStringLiteral("COMMASEP") : QStringLiteral("PERIODSEP");
    const char* const digitImages[] = {"ZERO", "ONE", "TWO",   "THREE", "FOUR",
                                       "FIVE", "SIX", "SEVEN", "EIGHT", "NINE"};
    for (int digit = 1; digit <= 9; ++digit) {
        QAbstractButton* button =
            MakeButton(QString::number(digit), QString::fromLatin1(digitImages[digit]));
        keyGrid->addWidget(button, 2 - (digit - 1) / 3, (digit - 1) % 3);
        connect(button, &QAbstractButton::clicked, this,
                [this, digit] { Press(QChar(u'0' + digit)); });
    }
    QAbstractButton* zero = MakeButton(QStringLiteral("0"), QStringLiteral("ZERO"));
    connect(zero, &QAbstractButton::clicked, this, [this] { Press(QLatin1Char('0')); });
    QAbstractButton* point = MakeButton(QStringLiteral("Decimal Separator"), separatorImage);
    connect(point, &QAbstractButton::clicked, this, [this, separator] { Press(separator[0]); });
    QAbstractButton* del = MakeButton(QStringLiteral("Del"), QStringLiteral("DELETE"));
    connect(del, &QAbstractButton::clicked, this, &CMilesPadDlg::DeleteBack);
    QAbstractButton* clear = MakeButton(QStringLiteral("Clear"), QStringLiteral("CLEAR"));
    connect(clear, &QAbstractButton::clicked, this, &CMilesPadDlg::ClearField);
    QAbstractButton* save = MakeButton(QStringLiteral("Save"), QStringLiteral("SAVE"));
    connect(save, &QAbstractButton::clicked, this, &CMilesPadDlg::Save);
    QAbstractButton* cancel = MakeButton(QStringLiteral("Cancel"), QStringLiteral("CANCEL"));
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    keyGrid->addWidget(zero, 3, 0);
    keyGrid->addWidget(point, 3, 1);
    keyGrid->addWidget(del, 3, 2);
    keyGrid->addWidget(clear, 4, 0);
    keyGrid->addWidget(save, 4, 1);
    keyGrid->addWidget(cancel, 4, 2);
    keys_->setFixedSize(3 * kButtonSize.width(), 5 * kButtonSize.height());

    layout_ = new QBoxLayout(QBoxLayout::TopToBottom, Body());
    layout_->setContentsMargins(6, 6, 6, 6);
    layout_->setSpacing(8);
    layout_->addWidget(fields_, 1);
    layout_->addWidget(keys_, 0, Qt::AlignHCenter | Qt::AlignTop);

    Load();
}

QAbstractButton* CMilesPadDlg::MakeButton(const QString& name, const QString& image) {
    auto* button = new QToolButton(keys_);
    button->setObjectName(name);
    button->setAccessibleName(name);
    QPixmap picture(QStringLiteral(":/images/MP_%1U.BMP").arg(image));
    // Magenta is where the pad's blue shows through.
    picture.setMask(picture.createMaskFromColor(Qt::magenta));
    button->setIcon(QIcon(picture));
    button->setIconSize(kButtonSize);
    button->setFixedSize(kButtonSize);
    button->setAutoRaise(true);
    // The focus stays on the field the keys type into.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QAbstractButton* CMilesPadDlg::Button(const QString& name) const {
    return keys_->findChild<QAbstractButton*>(name);
}

void CMilesPadDlg::ApplyLayout(ScreenLayout layout) {
    // Portrait has room for the keypad below the fields; the wider forms put
    // it beside them.
    layout_->setDirection(layout == ScreenLayout::Portrait ? QBoxLayout::TopToBottom
                                                           : QBoxLayout::LeftToRight);
}

void CMilesPadDlg::Load() {
    busy_ = true;
    for (CEditPadMileage* field : {starting_, ending_, total_}) {
        field->clear();
    }
    rate_->SetValue(0);
    if (record_.GetMileageRate().GetValue() > 0) {
        rate_->SetAmount(record_.GetMileageRate());
    }
    const double start = record_.GetOdometerStart();
    const double end = record_.GetOdometerEnd();
    if (end > 0) {
        ending_->SetReading(end);
    }
    if (start > 0 || end > 0) {
        starting_->SetReading(start);
    }
    if (record_.GetDistance() > 0) {
        total_->SetReading(record_.GetDistance());
    }
    busy_ = false;
    RecomputeDue();
    rateChanged_ = false;
    QWidget* first = focused_ == Field::None ? total_ : FocusedWidget();
    focused_ = focused_ == Field::None ? Field::Total : focused_;
    first->setFocus();
}

bool CMilesPadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == starting_) {
            focused_ = Field::Starting;
        } else if (watched == ending_) {
            focused_ = Field::Ending;
        } else if (watched == total_) {
            focused_ = Field::Total;
        } else if (watched == rate_) {
            focused_ = Field::Rate;
        }
    }
    return FullWindowDialog::eventFilter(watched, event);
}

void CMilesPadDlg::OnReadingChanged() {
    if (busy_) {
        return;
    }
    busy_ = true;
    const double distance = std::max(ending_->GetReading() - starting_->GetReading(), 0.0);
    if (distance > 0) {
        total_->SetReading(distance);
    } else {
        total_->clear();
    }
    RecomputeDue();
    busy_ = false;
}

void CMilesPadDlg::OnTotalChanged() {
    if (busy_) {
        return;
    }
    busy_ = true;
    const double end = std::max(starting_->GetReading() + total_->GetReading(), 0.0);
    if (end > 0) {
        ending_->SetReading(end);
    } else {
        ending_->clear();
    }
    RecomputeDue();
    busy_ = false;
}

double CMilesPadDlg::DueValue() const {
    return rate_->GetValue() * total_->GetReading();
}

void CMilesPadDlg::RecomputeDue() {
    due_->setText(Amount(DueValue()).FormatCurrency(homeFormat_, 0));
}

QWidget* CMilesPadDlg::FocusedWidget() const {
    switch (focused_) {
        case Field::Starting:
            return starting_;
        case Field::Ending:
            return ending_;
        case Field::Total:
            return total_;
        case Field::Rate:
            return rate_;
        case Field::None:
            break;
    }
    return nullptr;
}

void CMilesPadDlg::Press(QChar c) {
    QWidget* field = FocusedWidget();
    if (field == rate_) {
        rate_->TypeCharacter(c);
    } else if (auto* reading = qobject_cast<CEditPadMileage*>(field)) {
        reading->InsertCharacter(c);
    }
    if (field != nullptr) {
        field->setFocus();
    }
}

void CMilesPadDlg::DeleteBack() {
    QWidget* field = FocusedWidget();
    if (field == rate_) {
        rate_->TypeCharacter(QChar(8));
    } else if (auto* reading = qobject_cast<CEditPadMileage*>(field)) {
        reading->DeleteBack();
    }
    if (field != nullptr) {
        field->setFocus();
    }
}

void CMilesPadDlg::ClearField() {
    QWidget* field = FocusedWidget();
    if (field == rate_) {
        rate_->ClearTyped();
    } else if (auto* reading = qobject_cast<CEditPadMileage*>(field)) {
        reading->clear();
    }
    if (field != nullptr) {
        field->setFocus();
    }
}

void CMilesPadDlg::Save() {
    Prompts& prompts = Platform::Get().GetPrompts();
    const double rate = rate_->GetValue();
    const double start = starting_->GetReading();
    const double end = ending_->GetReading();
    // The amount is the one shown: at the home currency's decimals.
    Amount due(DueValue());
    due.Round(static_cast<int>(homeFormat_.GetDigits()));
    // What the fields hold may go beyond what a trip in a file can: the
    // user hears why and corrects it, and the record is left as it was.
    CExpenseRecord trip(record_);
    trip.SetOwner(nullptr);
    CCategory mileage = trip.GetCategory();
    mileage.SetIndex(CCategory::kMileageIndex);
    trip.SetCategory(mileage);
    trip.SetAmount(due);
    trip.SetMileageRate(Amount(rate));
    trip.SetOdometerStart(start);
    trip.SetOdometerEnd(end);
    if (const QString problem = trip.GetValueProblem(); !problem.isEmpty()) {
        prompts.Warning(problem);
        return;
    }
    record_.SetAmount(due);
    record_.SetMileageRate(Amount(rate));
    record_.SetOdometerStart(start);
    record_.SetOdometerEnd(end);
    if (rateChanged_ &&
        prompts.AskYesNo(QStringLiteral(
            "Save this new mileage reimbursement rate as your new default rate?"))) {
        CPreferences& preferences = document_.GetPreferences();
        preferences.SetDefaultMileageRate(Amount(rate));
        preferences.SaveToFile(true);
    }
    accept();
}
