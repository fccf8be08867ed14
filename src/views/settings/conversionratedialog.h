#pragma once

#include "views/widgets/fullwindowdialog.h"

class CCurrencyTable;
class CPadAmountEdit;
class QLabel;
class QToolButton;

// "Currency Conversion Rate": how many units of one currency buy one unit of
// the home currency. "Save" accepts a rate above zero only; "Remove" asks
// before it takes the currency out of the user's rate list and closes with
// kRemoved.
class CConversionRateDialog : public FullWindowDialog {
    Q_OBJECT

public:
    enum Result { kRemoved = 2 };

    // The rate of `currency` starts as `rate`. Without `removable` there is
    // no "Remove" (the slip changes a rate, not the list).
    CConversionRateDialog(const CCurrencyTable& table, const QString& currency, double rate,
                          bool removable, QWidget* parent);

    // The rate saved, and its text as the user typed it.
    double Rate() const { return rate_; }
    const QString& RateText() const { return rateText_; }

    CPadAmountEdit* RateEdit() const { return edit_; }
    QLabel* PerLabel() const { return per_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }
    QToolButton* RemoveButton() const { return remove_; }

    void accept() override;

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Remove();

    CPadAmountEdit* edit_;
    QLabel* per_;
    QToolButton* save_;
    QToolButton* cancel_;
    QToolButton* remove_ = nullptr;
    double rate_;
    QString rateText_;
};
