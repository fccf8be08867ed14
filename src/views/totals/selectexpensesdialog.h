#pragma once

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class CPadAmountEdit;
class QComboBox;
class StoredDateEdit;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

// "Select Expenses": one condition (a field, an operator and a value) that
// starts a new selection of the open report or narrows the one in force.
// "Select All" ends the selection; "Cancel" leaves it as it was.
class CSelectExpensesDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CSelectExpensesDialog(CExpenseDoc& document, QWidget* parent);

    QComboBox* Fields() const { return fields_; }
    QComboBox* Operators() const { return operators_; }
    StoredDateEdit* DateValue() const { return date_; }
    CPadAmountEdit* AmountValue() const { return amount_; }
    QLineEdit* TextValue() const { return text_; }
    QComboBox* CurrencyValue() const { return currency_; }
    QPushButton* ChoiceValue() const { return choice_; }
    QGroupBox* Within() const { return within_; }
    QRadioButton* AllItems() const { return all_; }
    QRadioButton* SelectedItems() const { return selected_; }
    QToolButton* SelectButton() const { return select_; }
    QToolButton* SelectAllButton() const { return selectAll_; }
    QToolButton* CancelButton() const { return cancel_; }

    // Chooses the field with this code, as picking it from the list does.
    void ChooseField(int fieldCode);

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    int FieldCode() const;
    void ShowField();
    QStringList ChoicesFor(int fieldCode);
    void PickChoice();
    void Select();
    void SelectAll();

    CExpenseDoc& document_;  // not owned
    QLabel* where_;
    QComboBox* fields_;
    QComboBox* operators_;
    StoredDateEdit* date_;
    CPadAmountEdit* amount_;
    QLineEdit* text_;
    QComboBox* currency_;
    QPushButton* choice_;
    QGroupBox* within_;
    QRadioButton* all_;
    QRadioButton* selected_;
    QToolButton* select_;
    QToolButton* selectAll_;
    QToolButton* cancel_;
};
