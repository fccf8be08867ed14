#pragma once

#include <QStringList>

#include "lists/category.h"
#include "platform/clock.h"
#include "views/settings/listitems.h"
#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class CHistory;
class CPadAmountEdit;
class CExpenseRecord;
class CReceiptKeeper;
class CategoryButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;
class QToolButton;
class StoredDateEdit;

// "Expense Slip": one expense's date, amount (or miles), currency and rate,
// category, receipt, nights, description, payment source, expense type and
// classification, with a details page for location, purpose and contacts.
// Save stores the slip into the record; Delete asks first.
class CExpenseSlipDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // The dialog's results.
    enum Result { kSaved = 0, kCancelled = 1, kDeleted = 2 };

    // Edits `record` (not owned), of `category`, a new expense or one to
    // change.
    CExpenseSlipDialog(CExpenseDoc& document, CExpenseRecord& record, const CCategory& category,
                       bool newExpense, QWidget* parent);
    ~CExpenseSlipDialog() override;

    // Runs the slip: kSaved, kCancelled or kDeleted. With `receipts`, its
    // "Receipts" attaches them to the expense with identity `expense`.
    static int RunSlip(CExpenseDoc& document, const CCategory& category, CExpenseRecord& record,
                       bool newExpense, QWidget* parent, int& nights,
                       CReceiptKeeper* receipts = nullptr, quint64 expense = 0);

    // "Receipts" shows and attaches the receipts of the expense with
    // identity `expense` (the stored one the slip's record was copied from,
    // or the new record itself); without a keeper it is not shown.
    void SetReceipts(CReceiptKeeper* receipts, quint64 expense);

    int NightsEntered() const;
    const CCategory& Category() const { return category_; }

    StoredDateEdit* DateEdit() const { return date_; }
    QLabel* AmountLabel() const { return amountLabel_; }
    CPadAmountEdit* AmountEdit() const { return amount_; }
    CategoryButton* CategoryButtonWidget() const { return categoryButton_; }
    QCheckBox* Receipt() const { return receipt_; }
    QSpinBox* Nights() const { return nights_; }
    QComboBox* Currency() const { return currency_; }
    QPushButton* RateButton() const { return rateButton_; }
    // What the expense was charged in the home currency: typed, it gives the
    // expense its own rate; otherwise it shows the amount at the slip's rate.
    CPadAmountEdit* ChargedEdit() const { return charged_; }
    // The date of the slip's rate, or in red its age once it is older than
    // the limit of the settings.
    QLabel* RateAge() const { return rateAge_; }
    QComboBox* Description() const { return description_; }
    QPushButton* PaidWithButton() const { return paidWith_; }
    QPushButton* ExpenseTypeButton() const { return expenseType_; }
    QPushButton* ClassificationButton() const { return classification_; }
    QPushButton* OdometerButton() const { return odometer_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }
    QToolButton* DetailsButton() const { return details_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* ReceiptsButton() const { return receiptsButton_; }
    QString SlipCurrency() const { return slipCurrency_; }
    double SlipRate() const { return slipRate_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;
    // Enter saves, as Save does; Escape cancels.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpForCategory();
    // The category's remembered descriptions; none for a category the list
    // does not hold.
    CHistory* DescriptionHistory();
    // The remembered descriptions, with their editor last, and `text` typed.
    void FillDescriptions(const QString& text);
    // A remembered description goes in beside what was typed; the editor
    // entry opens the list's editor.
    void PickDescription(int index);
    // The amount field's format: the slip currency's, or miles with one
    // decimal.
    void FormatAmountField();
    void FillCurrencies();
    void PickCurrency(int index);
    void ChangeRate();
    // The charge at home as the slip's rate counts the amount, unless the
    // user typed it.
    void ShowCharged();
    // The slip's rate from the amount and the charge typed; false when they
    // give none within the bounds, and the rate is left as it was.
    bool RateFromCharged();
    // When the slip's rate was set: typed or worked out on the slip, or the
    // table's; 0 for an expense's own rate of an earlier day.
    TimeStamp RateUpdated() const;
    void ShowRateAge();
    bool Foreign() const;
    // The table's rate for `currency`, 1 when it keeps none.
    double TableRate(const QString& currency) const;
    // The category button, the receipt box and "Rate" ("Rate" while the
    // slip's currency is not the home currency), unless the pad is in their
    // place.
    void ShowBesideFields();
    void PickFromPopUp(QPushButton* button, const QStringList& items, QString& chosen);
    // The list's chooser, starting at `chosen`; OK changes `chosen`.
    void Choose(CListItems::Kind kind, QString& chosen);
    void ShowChoices();
    void OpenDetails();
    void AskDelete();
    void OpenReceipts();
    // The title row's "Receipts" with the first one's picture and the count.
    void ShowReceipts();
    // Stores the slip into the record; false, with the user told why and the
    // slip left as it is, when a file could not hold what it shows.
    bool Store();
    bool IsMileage() const { return category_.GetIndex() == CCategory::kMileageIndex; }
    bool IsPerNight() const { return category_.GetIndex() == CCategory::kLodgingIndex; }
    bool International() const;

    CExpenseDoc& document_;   // not owned
    CExpenseRecord& record_;  // not owned
    CCategory category_;
    bool new_;
    QString slipCurrency_;
    double slipRate_ = 1.0;
    // Whether the slip's rate comes from a charge the user typed.
    bool chargedTyped_ = false;
    // When the user typed a rate or a charge on the slip; 0 when not.
    TimeStamp rateTyped_ = 0;
    QString paidWithName_;
    QString expenseTypeName_;
    QString classificationName_;
    QString location_;
    QString purpose_;
    QString contacts_;
    // The description field as it was when its list opened.
    QString typed_;
    int typedStart_ = 0;
    int typedLength_ = 0;
    bool listOpen_ = false;

    QLabel* dateLabel_;
    StoredDateEdit* date_;
    QLabel* amountLabel_;
    CPadAmountEdit* amount_;
    CategoryButton* categoryButton_;
    QCheckBox* receipt_;
    QLabel* nightsLabel_;
    QSpinBox* nights_;
    QComboBox* currency_;
    QPushButton* rateButton_;
    QLabel* chargedLabel_;
    CPadAmountEdit* charged_;
    QLabel* rateAge_;
    QGroupBox* descriptionBox_;
    QComboBox* description_;
    QLabel* paidWithLabel_;
    QPushButton* paidWith_;
    QLabel* expenseTypeLabel_;
    QPushButton* expenseType_;
    QLabel* classificationLabel_;
    QPushButton* classification_;
    QPushButton* odometer_;
    QToolButton* save_;
    QToolButton* cancel_;
    QToolButton* details_;
    QToolButton* delete_;
    QToolButton* receiptsButton_;
    CReceiptKeeper* receipts_ = nullptr;  // not owned
    quint64 expense_ = 0;
};
