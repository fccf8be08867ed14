#pragma once

#include <QColor>

#include "money/currencyformat.h"
#include "views/widgets/fullwindowdialog.h"

class CAmountEdit;
class CEditPadMileage;
class CExpenseDoc;
class CExpenseRecord;
class QAbstractButton;
class QBoxLayout;
class QLabel;
class QLineEdit;

// The Miles Pad: a car trip's odometer readings, distance and rate, with the
// amount due worked out as they are entered on its own picture keypad. Save
// writes the amount, rate and readings into the expense; a changed rate may
// become the default rate.
class CMilesPadDlg : public FullWindowDialog {
    Q_OBJECT

public:
    // The fields the keypad types into.
    enum class Field { None = -1, Starting, Ending, Total, Rate };
    static constexpr int kSaved = 1;
    static constexpr int kCancelled = 2;
    static inline const QColor kBackground{0xA6, 0xDD, 0xF7};

    // Shows the pad for `record` with the keypad on `initialField`: kSaved
    // after Save, else kCancelled, which is also the answer without a record.
    static int Run(QWidget* parent, CExpenseDoc& document, CExpenseRecord* record,
                   Field initialField = Field::Total);

    CMilesPadDlg(CExpenseDoc& document, CExpenseRecord& record, Field initialField,
                 QWidget* parent);

    CEditPadMileage* Starting() const { return starting_; }
    CEditPadMileage* Ending() const { return ending_; }
    CEditPadMileage* Total() const { return total_; }
    CAmountEdit* Rate() const { return rate_; }
    QLabel* Due() const { return due_; }
    // The keypad's button with this accessible name ("7", "Save", "Del").
    QAbstractButton* Button(const QString& name) const;
    Field FocusedField() const { return focused_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractButton* MakeButton(const QString& name, const QString& image);
    void Load();
    void OnReadingChanged();
    void OnTotalChanged();
    void RecomputeDue();
    double DueValue() const;
    void Press(QChar c);
    void DeleteBack();
    void ClearField();
    QWidget* FocusedWidget() const;
    void Save();

    CExpenseDoc& document_;   // not owned
    CExpenseRecord& record_;  // not owned
    Field focused_;
    CCurrencyFormat homeFormat_;
    bool rateChanged_ = false;
    bool busy_ = false;

    // Owned by the dialog.
    CEditPadMileage* starting_;
    CEditPadMileage* ending_;
    CEditPadMileage* total_;
    CAmountEdit* rate_;
    QLabel* due_;
    QWidget* fields_;
    QWidget* keys_;
    QBoxLayout* layout_;
};
