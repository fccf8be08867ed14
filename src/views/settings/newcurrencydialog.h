#pragma once

#include "views/widgets/fullwindowdialog.h"

class CColumnList;
class CCurrencyTable;
class QToolButton;

// "New Currency Conversion": the currencies not yet in the user's rate
// list, by name. "OK" takes the chosen one; without a choice it asks for
// one and stays open.
class CNewCurrencyDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CNewCurrencyDialog(const CCurrencyTable& table, QWidget* parent);

    // The currency chosen, once accepted.
    const QString& Chosen() const { return chosen_; }
    CColumnList* List() const { return list_; }
    QToolButton* CancelButton() const { return cancel_; }

    void accept() override;

private:
    CColumnList* list_;
    QToolButton* cancel_;
    QString chosen_;
};
