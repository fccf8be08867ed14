#include "views/settings/sheetexpenseslipdetails.h"

#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/expenserecord.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/sheettabs.h"

CSheetExpenseSlipDetails::CSheetExpenseSlipDetails(const QString& location, const QString& purpose,
                                                   const QString& contacts, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Expense Slip"), TitleButton::None, parent),
      stacked_(new QWidget(Body())),
      tabs_(MakeSheetTabs(QStringLiteral("Details"), Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))) {
    SetHelpTopic(QStringLiteral("Expense Details"));
    Commands()->AddStretch();
    connect(save_, &QToolButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    const QString texts[] = {location, purpose, contacts};
    for (int kind = 0; kind < CPageExpenseSlipDetails::kKinds; ++kind) {
        pages_[kind] = new CPageExpenseSlipDetails(static_cast<Kind>(kind), texts[kind], stacked_);
    }
    auto* stack = new QVBoxLayout(stacked_);
    stack->setContentsMargins(4, 4, 4, 4);
    stack->setSpacing(4);
    auto* body = new QVBoxLayout(Body());
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(stacked_);
    body->addWidget(tabs_);
}

int CSheetExpenseSlipDetails::ShowDetails(CExpenseRecord* record, QWidget* parent) {
    if (record == nullptr) {
        return QDialog::Rejected;
    }
    CSheetExpenseSlipDetails sheet(record->GetLocation(), record->GetPurpose(),
                                   record->GetContacts(), parent);
    const int result = sheet.exec();
    if (result == QDialog::Accepted) {
        record->SetLocation(sheet.Value(CPageExpenseSlipDetails::kLocation));
        record->SetPurpose(sheet.Value(CPageExpenseSlipDetails::kPurpose));
        record->SetContacts(sheet.Value(CPageExpenseSlipDetails::kContacts));
    }
    return result;
}

void CSheetExpenseSlipDetails::ApplyLayout(ScreenLayout layout) {
    const bool sheet = layout == ScreenLayout::Square;
    const QString title = sheet ? QStringLiteral("Details") : QStringLiteral("Expense Slip");
    TitleLabel()->setText(title);
    setWindowTitle(title);
    // The pages move between the sheet and the stack; what was typed moves
    // with them.
    auto* stack = static_cast<QVBoxLayout*>(stacked_->layout());
    for (CPageExpenseSlipDetails* page : pages_) {
        if (sheet && tabs_->indexOf(page) < 0) {
            tabs_->addTab(page, CPageExpenseSlipDetails::Caption(page->GetKind()));
        } else if (!sheet) {
            tabs_->removeTab(tabs_->indexOf(page));
            stack->addWidget(page, 1);
            page->show();
        }
    }
    stacked_->setVisible(!sheet);
    tabs_->setVisible(sheet);
}
