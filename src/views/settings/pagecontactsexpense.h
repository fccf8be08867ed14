#pragma once

#include "lists/historyholder.h"
#include "views/settings/pagecontacts.h"

class QListWidget;

// The program's own contact list, each name with a check box. New, Edit and
// Delete come from the sheet's command bar. The list is written back after
// every change.
class CPageContactsExpense : public CPageContacts {
    Q_OBJECT

public:
    explicit CPageContactsExpense(QWidget* parent);
    ~CPageContactsExpense() override;

    QString Text() const override;
    QListWidget* List() const { return list_; }

    // "Contact" with an empty name; the name joins the list.
    void New();
    // "Contact" with the selected name, which the new one replaces.
    void Edit();
    // Asks, then removes every selected name.
    void Delete();
    // Adds `name` unless the list holds it already, letter case aside; true
    // when it was added.
    bool AddIfMissing(const QString& name);
    // Shows the list as it now is; the ticks stay with their names.
    void Fill();

private:
    // "Contact" starting from `name`; false when cancelled.
    bool AskName(const QString& name, QString& entered);
    void Written();

    CHistoryHolder contacts_;
    QListWidget* list_;
};
