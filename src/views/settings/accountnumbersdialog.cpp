#include "views/settings/accountnumbersdialog.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "views/settings/columnlist.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/textentrydialog.h"

namespace {

enum Column { kCategory, kAccountNumber };

}  // namespace

CAccountNumbersDialog::CAccountNumbersDialog(CCategoryExManager& categories, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Account Numbers"), TitleButton::Ok, parent),
      categories_(categories),
      list_(new CColumnList(
          QStringLiteral("Account Numbers"),
          {{QStringLiteral("Category"), 110}, {QStringLiteral("Account Number"), 110}}, Body())),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    Commands()->AddStretch();
    for (const CCategoryEx& category : categories_) {
        list_->AddRow({category.GetName(), category.GetAccountNumber()});
    }
    connect(list_, &CColumnList::rowTapped, this, &CAccountNumbersDialog::EditRow);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
}

void CAccountNumbersDialog::EditRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    // An empty number is allowed: the category is booked to no account.
    CTextEntryDialog entry(QStringLiteral("Account Number Entry"), item->text(kCategory),
                           item->text(kAccountNumber), QString(), this);
    if (entry.exec() == QDialog::Accepted) {
        item->setText(kAccountNumber, entry.Text());
    }
}

void CAccountNumbersDialog::accept() {
    std::vector<std::pair<CCategoryEx*, QString>> before;
    for (int row = 0; row < list_->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = list_->topLevelItem(row);
        CCategoryEx* category = categories_.Find(item->text(kCategory));
        // Only a changed category is written again.
        if (category != nullptr && category->GetAccountNumber() != item->text(kAccountNumber)) {
            before.emplace_back(category, category->GetAccountNumber());
            category->SetAccountNumber(item->text(kAccountNumber));
        }
    }
    if (!categories_.SaveAll(true)) {
        // The failure was shown; the numbers stay on the screen to try
        // again, and a Cancel then leaves the categories as they were.
        for (const auto& [category, number] : before) {
            category->SetAccountNumber(number);
        }
        return;
    }
    FullWindowDialog::accept();
}
