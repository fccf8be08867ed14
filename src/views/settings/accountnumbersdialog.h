#pragma once

#include <QStringList>

#include "views/widgets/fullwindowdialog.h"

class CCategoryExManager;
class CColumnList;
class QToolButton;

// "Account Numbers": every category with the account number it is booked
// to. A tap on a row edits its number; "OK" writes the numbers to the
// categories and saves them, "Cancel" leaves them as they were.
class CAccountNumbersDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CAccountNumbersDialog(CCategoryExManager& categories, QWidget* parent);

    CColumnList* List() const { return list_; }
    QToolButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    void EditRow(int row);

    CCategoryExManager& categories_;  // not owned
    CColumnList* list_;
    QToolButton* cancel_;
};
