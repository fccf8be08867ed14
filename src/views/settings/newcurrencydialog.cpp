#include "views/settings/newcurrencydialog.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/currencytable.h"
#include "platform/platform.h"
#include "views/settings/columnlist.h"
#include "views/widgets/commandbar.h"

CNewCurrencyDialog::CNewCurrencyDialog(const CCurrencyTable& table, QWidget* parent)
    : FullWindowDialog(QStringLiteral("New Currency Conversion"), TitleButton::Ok, parent),
      list_(new CColumnList(QStringLiteral("Currencies"), {{QStringLiteral("Description"), 0}},
                            Body())),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    Commands()->AddStretch();
    // The long title leaves room for a narrow "OK" only, on the narrowest
    // screens too.
    OkButton()->setFixedWidth(OkButton()->fontMetrics().horizontalAdvance(OkButton()->text()) +
                              20);
    TitleLabel()->setMinimumWidth(0);
    TitleLabel()->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (const QString& name : table.GetCurrencies(false)) {
        list_->AddRow({name});
    }
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
}

void CNewCurrencyDialog::accept() {
    const int row = list_->SelectedRow();
    if (row < 0) {
        Platform::Get().GetPrompts().Warning(QStringLiteral("Please Select an Item"));
        return;
    }
    chosen_ = list_->Text(row, 0);
    FullWindowDialog::accept();
}
