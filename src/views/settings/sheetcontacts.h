#pragma once

#include "views/widgets/fullwindowdialog.h"

class CPageContactsExpense;
class CPageContactsOutlook;
class QTabWidget;
class QToolButton;

// "Contacts": the people of the program's own list and of the device's
// address book, to tick for an expense. OK gives the ticked names of both
// pages as one text.
class CSheetContacts : public FullWindowDialog {
    Q_OBJECT

public:
    explicit CSheetContacts(QWidget* parent);

    // The ticked names, the program's list first, separated by ", "; built
    // on OK.
    QString Result() const { return result_; }

    QTabWidget* Tabs() const { return tabs_; }
    CPageContactsExpense* ExpensePage() const { return expense_; }
    CPageContactsOutlook* OutlookPage() const { return outlook_; }
    QToolButton* NewButton() const { return new_; }
    QToolButton* EditButton() const { return edit_; }
    QToolButton* DeleteButton() const { return delete_; }

    void accept() override;

private:
    void UpdateCommands();

    QTabWidget* tabs_;
    CPageContactsExpense* expense_;
    CPageContactsOutlook* outlook_;
    QToolButton* new_;
    QToolButton* edit_;
    QToolButton* delete_;
    QString result_;
};
