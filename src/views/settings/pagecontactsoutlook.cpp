#include "views/settings/pagecontactsoutlook.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "views/settings/addressbookmodel.h"
#include "views/settings/pagecontactsexpense.h"
#include "views/widgets/appfont.h"

namespace {

const ContactsSource& Opened(ContactsSource& source) {
    WaitCursor wait(Platform::Get().GetPrompts());
    // A failed open leaves the source empty, which is all the page needs.
    source.Open();
    return source;
}

}  // namespace

CPageContactsOutlook::CPageContactsOutlook(CPageContactsExpense* contacts, QWidget* parent)
    : CPageContacts(parent),
      model_(new CAddressBookModel(Opened(source_), this)),
      contacts_(contacts),
      list_(new QListView(this)),
      copy_(new QPushButton(QStringLiteral("Copy"), this)) {
    list_->setFont(AppFont());
    list_->setAccessibleName(QStringLiteral("Address Book"));
    list_->setUniformItemSizes(true);
    list_->setModel(model_);
    auto* caption = new QLabel(QStringLiteral("Copy to Outlaysheet's Contacts:"), this);
    caption->setFont(AppFont());
    caption->setWordWrap(true);
    copy_->setFont(AppFont());
    copy_->setAccessibleName(caption->text());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(list_, 1);
    layout->addWidget(caption);
    layout->addWidget(copy_, 0, Qt::AlignLeft);
    connect(copy_, &QPushButton::clicked, this, &CPageContactsOutlook::Copy);
}

QString CPageContactsOutlook::Text() const {
    return model_->CheckedNames().join(QStringLiteral(", "));
}

void CPageContactsOutlook::Copy() {
    const QStringList names = model_->CheckedNames();
    if (names.isEmpty()) {
        return;
    }
    bool added = false;
    for (const QString& name : names) {
        added = contacts_->AddIfMissing(name) || added;
    }
    if (added) {
        contacts_->Fill();
    }
    Platform::Get().GetPrompts().Information(QStringLiteral(
        "The checked contact(s) have been successfully copied to Outlaysheet's contacts."));
}
