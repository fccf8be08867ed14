#include "views/settings/pagegeneral.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/classificationgroupmgr.h"
#include "lists/currencytable.h"
#include "money/currencyformat.h"
#include "money/moneybounds.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/preferences.h"
#include "report/report.h"
#include "views/backup/trashdialog.h"
#include "views/pads/padamountedit.h"
#include "views/settings/classificationgroupsdialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/confirmations.h"
#include "views/widgets/insertentry.h"
#include "views/widgets/updatescope.h"

namespace {

constexpr int kRateDigits = 3;

template <typename Control>
Control* Named(Control* control, const QString& name) {
    control->setAccessibleName(name);
    control->setFont(AppFont());
    return control;
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    return Named(new QLabel(text, parent), text);
}

}  // namespace

CPageGeneral::CPageGeneral(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("General"), TitleButton::None, parent),
      document_(document),
      international_(Named(new QCheckBox(QStringLiteral("International Traveler"), Body()),
                           QStringLiteral("International Traveler"))),
      sounds_(Named(new QCheckBox(QStringLiteral("Play Sounds"), Body()),
                    QStringLiteral("Play Sounds"))),
      classification_(Named(new QGroupBox(QStringLiteral("Expense Classification:"), Body()),
                            QStringLiteral("Expense Classification:"))),
      classifyLabel_(MakeLabel(QStringLiteral("Classify By:"), classification_)),
      classifyBy_(Named(new QComboBox(classification_), QStringLiteral("Classify By:"))),
      mileage_(Named(new QGroupBox(QStringLiteral("Mileage Reimbursement:"), Body()),
                     QStringLiteral("Mileage Reimbursement:"))),
      rateLabel_(MakeLabel(QStringLiteral("Default Rate:"), mileage_)),
      rate_(Named(new CPadAmountEdit(mileage_), QStringLiteral("Default Rate:"))),
      perLabel_(MakeLabel(QStringLiteral("Per:"), mileage_)),
      mile_(Named(new QRadioButton(QStringLiteral("Mile"), mileage_), QStringLiteral("Mile"))),
      kilometer_(Named(new QRadioButton(QStringLiteral("Kilometer"), mileage_),
                       QStringLiteral("Kilometer"))),
      rateAgeLabel_(MakeLabel(QStringLiteral("Old After:"), Body())),
      rateAge_(Named(new QSpinBox(Body()), QStringLiteral("Old After:"))),
      trash_(Named(new QPushButton(QStringLiteral("Trash"), Body()), QStringLiteral("Trash"))),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    SetHelpTopic(QStringLiteral("International Traveler"));
    Commands()->AddStretch();
    classifyLabel_->setBuddy(classifyBy_);
    // A long group name must not widen the page past the screen.
    classifyBy_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    classifyBy_->setMinimumContentsLength(8);
    rateLabel_->setBuddy(rate_);
    rateAgeLabel_->setBuddy(rateAge_);
    rateAge_->setRange(1, CPreferences::kMaxRateAgeLimit);
    rateAge_->setSuffix(QStringLiteral(" days"));
    // Enter in the rate field must not open the trash.
    trash_->setAutoDefault(false);
    // The style's wide buttons would leave the traveller's row no room on
    // the square screen: the button is as wide as its word and a margin.
    trash_->setMinimumWidth(0);
    trash_->setFixedWidth(trash_->fontMetrics().horizontalAdvance(trash_->text()) + 24);

    auto* classifyRow = new QHBoxLayout(classification_);
    classifyRow->setContentsMargins(4, 0, 4, 2);
    classifyRow->addWidget(classifyLabel_);
    classifyRow->addWidget(classifyBy_, 1);
    auto* mileageGrid = new QGridLayout(mileage_);
    mileageGrid->setContentsMargins(4, 0, 4, 2);
    mileageGrid->setHorizontalSpacing(4);
    mileageGrid->setVerticalSpacing(2);
    mileageGrid->addWidget(rateLabel_, 0, 0);
    mileageGrid->addWidget(rate_, 0, 1, 1, 2);
    mileageGrid->addWidget(perLabel_, 1, 0);
    mileageGrid->addWidget(mile_, 1, 1);
    mileageGrid->addWidget(kilometer_, 1, 2);
    mileageGrid->setColumnStretch(2, 1);

    FillClassifyBy();
    const CCurrencyTable& table = document_.GetCurrencyTable();
    CPreferences& preferences = document_.GetPreferences();
    international_->setChecked(table.GetInternationalTraveler());
    CCurrencyFormat format;
    table.GetHomeFormat(format);
    format.SetDigits(kRateDigits);
    rate_->SetFormat(format);
    rate_->SetLimit(MoneyBounds::Kind::kMileageRate);
    rate_->SetAmount(preferences.GetDefaultMileageRate());
    sounds_->setChecked(preferences.GetPlaySounds());
    rateAge_->setValue(preferences.GetRateAgeLimit());
    (preferences.GetDistanceInMiles() ? mile_ : kilometer_)->setChecked(true);
    preferences.SetModified(false);
    save_->setEnabled(false);

    for (QAbstractButton* box :
         {static_cast<QAbstractButton*>(international_), static_cast<QAbstractButton*>(sounds_),
          static_cast<QAbstractButton*>(mile_), static_cast<QAbstractButton*>(kilometer_)}) {
        connect(box, &QAbstractButton::clicked, this, &CPageGeneral::MarkModified);
    }
    connect(rate_, &CAmountEdit::amountEdited, this, [this] {
        rateChanged_ = true;
        MarkModified();
    });
    connect(rateAge_, &QSpinBox::valueChanged, this, &CPageGeneral::MarkModified);
    connect(classifyBy_, &QComboBox::activated, this, &CPageGeneral::OnClassifyBy);
    connect(trash_, &QPushButton::clicked, this, &CPageGeneral::OpenTrash);
    connect(save_, &QToolButton::clicked, this, &CPageGeneral::accept);
    connect(cancel_, &QToolButton::clicked, this, &CPageGeneral::reject);
    // The pad would open over the page before the user asked for it.
    international_->setFocus();
}

void CPageGeneral::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    if (layout == ScreenLayout::Portrait) {
        grid->addWidget(international_, 0, 0, 1, 2);
        grid->addWidget(sounds_, 1, 0, 1, 2);
        grid->addWidget(classification_, 2, 0, 1, 2);
        grid->addWidget(mileage_, 3, 0, 1, 2);
        grid->addLayout(RateAgeRow(), 4, 0, 1, 2, Qt::AlignLeft);
        grid->addWidget(trash_, 6, 0, Qt::AlignLeft);
    } else {
        // Lower screens: the trash button shares the traveller's row and
        // the age of old rates the sounds' row. Two groups side by side
        // would not fit the landscape width.
        auto* traveler = new QHBoxLayout;
        traveler->addWidget(international_);
        traveler->addStretch(1);
        traveler->addWidget(trash_);
        grid->addLayout(traveler, 0, 0, 1, 2);
        QHBoxLayout* sounds = RateAgeRow();
        sounds->insertWidget(0, sounds_);
        sounds->insertStretch(1, 1);
        grid->addLayout(sounds, 1, 0, 1, 2);
        grid->addWidget(classification_, 2, 0, 1, 2);
        grid->addWidget(mileage_, 3, 0, 1, 2);
    }
    grid->setRowStretch(5, 1);
}

QHBoxLayout* CPageGeneral::RateAgeRow() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(rateAgeLabel_);
    row->addWidget(rateAge_);
    return row;
}

void CPageGeneral::FillClassifyBy() {
    const QSignalBlocker quiet(classifyBy_);
    classifyBy_->clear();
    CClassificationGroupMgr& groups = document_.GetClassificationGroups();
    for (const CClassificationGroup& group : groups) {
        classifyBy_->addItem(group.GetName());
    }
    classifyBy_->addItem(ModifyEntryText());
    const CClassificationGroup* current = groups.GetCurrentGroup();
    const int index =
        current != nullptr
            ? classifyBy_->findText(current->GetName(), Qt::MatchExactly | Qt::MatchCaseSensitive)
            : -1;
    classifyBy_->setCurrentIndex(index >= 0 ? index : 0);
}

void CPageGeneral::OnClassifyBy(int index) {
    // The editor is always the last item: a group may be named "Modify..." too.
    if (index == classifyBy_->count() - 1) {
        CClassificationGroupsDialog editor(document_.GetClassificationGroups(), this);
        editor.exec();
        FillClassifyBy();
        if (document_.GetClassificationGroups().IsEmpty()) {
            return;
        }
    }
    MarkModified();
}

void CPageGeneral::MarkModified() {
    document_.GetPreferences().SetModified(true);
    save_->setEnabled(true);
}

void CPageGeneral::OpenTrash() {
    CTrashDialog trash(this);
    connect(&trash, &CTrashDialog::reportRestored, this, &CPageGeneral::refreshRequested);
    trash.exec();
}

void CPageGeneral::mousePressEvent(QMouseEvent* event) {
    if (rate_->hasFocus()) {
        rate_->clearFocus();
    }
    FullWindowDialog::mousePressEvent(event);
}

void CPageGeneral::accept() {
    Prompts& prompts = Platform::Get().GetPrompts();
    const double rate = rate_->GetValue();
    // A negative rate would turn every mileage expense it reaches into a
    // refund; the page stays open for a correction.
    if (!MoneyBounds::ContainsStored(MoneyBounds::Kind::kMileageRate, rate)) {
        prompts.Warning(MoneyBounds::Message(MoneyBounds::Kind::kMileageRate));
        rate_->setFocus();
        return;
    }
    CPreferences& preferences = document_.GetPreferences();
    preferences.SetPlaySounds(sounds_->isChecked());
    preferences.SetRateAgeLimit(rateAge_->value());
    preferences.SetDefaultMileageRate(Amount(rate));
    preferences.SetDistanceInMiles(mile_->isChecked());
    CCurrencyTable& table = document_.GetCurrencyTable();
    if (table.GetInternationalTraveler() != international_->isChecked()) {
        table.SetInternationalTraveler(international_->isChecked());
    }
    CClassificationGroupMgr& groups = document_.GetClassificationGroups();
    if (classifyBy_->currentIndex() < classifyBy_->count() - 1) {
        groups.SetCurrentGroup(classifyBy_->currentText());
    }
    // A file that cannot be written is said so; what failed stays modified
    // and is written with the next save.
    preferences.WriteRegistry();
    preferences.SaveToFile(true);
    table.Save(true);
    groups.Save(true);

    if (rateChanged_) {
        const int answer = UpdateScope::Ask(
            this, document_,
            QStringLiteral("Update the mileage reimbursement amount for expenses in..."));
        if (answer != UpdateScope::kNoReports) {
            CExpenseRecord unchanged;
            CExpenseRecord changed;
            changed.SetAmount(Amount(rate));
            const int where = answer == UpdateScope::kAllReports ? CExpenseReport::kAllReports
                                                                 : CExpenseReport::kOpenReport;
            document_.GetReport().ApplyListChange(unchanged, changed,
                                                  CExpenseReport::kMileageRate | where);
            emit refreshRequested();
        }
    }
    FullWindowDialog::accept();
}

void CPageGeneral::reject() {
    CPreferences& preferences = document_.GetPreferences();
    if (!MayCancelChanges(preferences.IsModified())) {
        return;
    }
    // The group editor may have changed the groups in memory; the file holds
    // what was last saved.
    CClassificationGroupMgr& groups = document_.GetClassificationGroups();
    groups.SetModified(false);
    groups.SetLoaded(false);
    groups.Load(false);
    preferences.SetModified(false);
    FullWindowDialog::reject();
}
