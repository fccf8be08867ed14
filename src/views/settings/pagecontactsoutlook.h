#pragma once

#include "platform/contactssource.h"
#include "views/settings/pagecontacts.h"

class CAddressBookModel;
class CPageContactsExpense;
class QListView;
class QPushButton;

// The device's address book, each contact with a check box that a tap on
// the box toggles, and the button that copies the ticked people into the
// program's own contact list. An address book that cannot be read leaves
// the page empty, without a word.
class CPageContactsOutlook : public CPageContacts {
    Q_OBJECT

public:
    // Copies go to `contacts` (not owned).
    CPageContactsOutlook(CPageContactsExpense* contacts, QWidget* parent);

    QString Text() const override;
    QListView* List() const { return list_; }
    CAddressBookModel* Model() const { return model_; }
    QPushButton* CopyButton() const { return copy_; }

    // Adds the ticked people the program's list does not have yet.
    void Copy();

private:
    ContactsSource source_;
    CAddressBookModel* model_;  // owned by the page
    CPageContactsExpense* contacts_;
    QListView* list_;
    QPushButton* copy_;
};
