#include "views/settings/conversionratedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "lists/currencytable.h"
#include "money/moneybounds.h"
#include "platform/platform.h"
#include "views/pads/padamountedit.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CConversionRateDialog::CConversionRateDialog(const CCurrencyTable& table, const QString& currency,
                                             double rate, bool removable, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Currency Conversion Rate"), TitleButton::None, parent),
      edit_(new CPadAmountEdit(Body())),
      per_(new QLabel(Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))),
      rate_(rate) {
    auto* name = new QLabel(currency, Body());
    QFont bold = AppFont();
    bold.setBold(true);
    name->setFont(bold);
    name->setWordWrap(true);
    auto* rateLabel = new QLabel(QStringLiteral("Rate:"), Body());
    auto* perLabel = new QLabel(QStringLiteral("Per:"), Body());
    rateLabel->setFont(AppFont());
    perLabel->setFont(AppFont());
    rateLabel->setBuddy(edit_);

    CCurrencyFormat format(true);
    table.FindFormat(currency, format);
    edit_->SetFormat(format);
    edit_->SetPrecise(true);
    edit_->SetLimit(MoneyBounds::Kind::kRate);
    edit_->SetValue(rate);
    edit_->setFont(AppFont());
    edit_->setAccessibleName(QStringLiteral("Rate:"));
    // One unit of the home currency is what every rate is counted against.
    per_->setText(
        QStringLiteral("%1 (%2)").arg(table.FormatInHome(Amount(1), 0), table.GetHomeCurrency()));
    per_->setFont(AppFont());
    per_->setWordWrap(true);
    per_->setAccessibleName(QStringLiteral("Per:"));

    if (removable) {
        remove_ = Commands()->AddButton(QStringLiteral("Remove"));
        connect(remove_, &QToolButton::clicked, this, &CConversionRateDialog::Remove);
    }
    Commands()->AddStretch();
    connect(save_, &QToolButton::clicked, this, &CConversionRateDialog::accept);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    connect(edit_, &QLineEdit::returnPressed, this, &CConversionRateDialog::accept);

    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(name, 0, 0, 1, 2);
    grid->addWidget(rateLabel, 1, 0);
    grid->addWidget(edit_, 1, 1);
    grid->addWidget(perLabel, 2, 0, Qt::AlignTop);
    grid->addWidget(per_, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    // The pad would hide what the rate is counted against; it opens when
    // the user goes to the field.
    Body()->setFocusPolicy(Qt::ClickFocus);
    Body()->setFocus();
}

void CConversionRateDialog::ApplyLayout(ScreenLayout layout) {
    // Beside a short field in landscape the pad leaves the labels in view.
    edit_->SetPadAtRight(layout == ScreenLayout::Landscape);
}

void CConversionRateDialog::accept() {
    const double rate = edit_->GetValue();
    if (!(rate > 0)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("Currency rate must be greater then zero."));
        edit_->setFocus();
        return;
    }
    // A rate a file cannot hold would make every expense at it unreadable.
    if (!MoneyBounds::Contains(MoneyBounds::Kind::kRate, rate)) {
        Platform::Get().GetPrompts().Warning(MoneyBounds::Message(MoneyBounds::Kind::kRate));
        edit_->setFocus();
        return;
    }
    rate_ = rate;
    rateText_ = edit_->text().trimmed();
    FullWindowDialog::accept();
}

void CConversionRateDialog::Remove() {
    if (Platform::Get().GetPrompts().AskYesNo(
            QStringLiteral("Are you sure you want to remove this conversion rate from use?"))) {
        done(kRemoved);
    }
}
