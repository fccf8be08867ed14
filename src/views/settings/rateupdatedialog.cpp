#include "views/settings/rateupdatedialog.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/currencytable.h"
#include "lists/rateupdate.h"
#include "platform/dateformatting.h"
#include "views/settings/columnlist.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

namespace {

constexpr int kShortDate = 0;

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(AppFont());
    label->setWordWrap(true);
    label->setAccessibleName(text);
    return label;
}

}  // namespace

CRateUpdateDialog::CRateUpdateDialog(const CCurrencyTable& table, const CRateUpdate& update,
                                     QWidget* parent)
    : FullWindowDialog(QStringLiteral("Update Rates"), TitleButton::None, parent),
      heading_(WrappedLabel(
          QStringLiteral("Rates of %1 per %2:")
              .arg(FormatDate(update.GetUpdated(), kShortDate), table.FormatInHome(Amount(1), 0)),
          Body())),
      rates_(new CColumnList(QStringLiteral("Reference Rates"),
                             {{QStringLiteral("Description"), 72},
                              {QStringLiteral("Rate"), 90},
                              {QStringLiteral("Change"), 54}},
                             Body())),
      left_(WrappedLabel(QString(), Body())),
      update_(Commands()->AddButton(QStringLiteral("Update"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    Commands()->AddStretch();
    for (const CRateUpdate::Change& change : update.GetChanges()) {
        rates_->AddRow({change.name,
                        table.FormatIn(change.name, Amount(change.after), Amount::kPrecise),
                        CRateUpdate::ChangeText(change)});
    }
    QStringList left;
    if (!update.GetUnknown().isEmpty()) {
        left.append(QStringLiteral("Not in the currency list: %1.")
                        .arg(update.GetUnknown().join(QLatin1String(", "))));
    }
    if (!update.GetRefused().isEmpty()) {
        left.append(QStringLiteral("Outside the bounds of a rate: %1.")
                        .arg(update.GetRefused().join(QLatin1String(", "))));
    }
    left_->setText(left.join(QLatin1Char(' ')));
    left_->setAccessibleName(left_->text());
    left_->setVisible(!left.isEmpty());
    connect(update_, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(heading_);
    layout->addWidget(rates_, 1);
    layout->addWidget(left_);
}
