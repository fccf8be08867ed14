#include "views/settings/sheetcontacts.h"

#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/settings/pagecontactsexpense.h"
#include "views/settings/pagecontactsoutlook.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/sheettabs.h"

CSheetContacts::CSheetContacts(QWidget* parent)
    : FullWindowDialog(QStringLiteral("Contacts"), TitleButton::Ok, parent),
      tabs_(MakeSheetTabs(QStringLiteral("Contacts"), Body())),
      expense_(new CPageContactsExpense(tabs_)),
      outlook_(new CPageContactsOutlook(expense_, tabs_)),
      new_(Commands()->AddButton(QStringLiteral("New"))),
      edit_(Commands()->AddButton(QStringLiteral("Edit"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))) {
    SetHelpTopic(QStringLiteral("Contacts"));
    Commands()->AddStretch();
    tabs_->addTab(expense_, QStringLiteral("Outlaysheet"));
    tabs_->addTab(outlook_, QStringLiteral("Address Book"));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    connect(new_, &QToolButton::clicked, expense_, &CPageContactsExpense::New);
    connect(edit_, &QToolButton::clicked, expense_, &CPageContactsExpense::Edit);
    connect(delete_, &QToolButton::clicked, expense_, &CPageContactsExpense::Delete);
    connect(tabs_, &QTabWidget::currentChanged, this, &CSheetContacts::UpdateCommands);
    UpdateCommands();
}

void CSheetContacts::UpdateCommands() {
    // The address book is only read here; its people are changed elsewhere.
    const bool own = tabs_->currentWidget() == expense_;
    for (QToolButton* command : {new_, edit_, delete_}) {
        command->setEnabled(own);
    }
}

void CSheetContacts::accept() {
    QStringList texts;
    for (const CPageContacts* page :
         {static_cast<CPageContacts*>(expense_), static_cast<CPageContacts*>(outlook_)}) {
        const QString text = page->Text();
        if (!text.isEmpty()) {
            texts.append(text);
        }
    }
    result_ = texts.join(QStringLiteral(", "));
    FullWindowDialog::accept();
}
