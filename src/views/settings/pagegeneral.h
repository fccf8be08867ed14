#pragma once

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class CPadAmountEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

// "General": the settings that belong to no list. It edits the preferences
// (sounds, default mileage rate, distance unit), the currency table's
// "International Traveler" flag and the classification group in use, and
// writes them only on "Save"; a new default rate may then be carried into
// the stored mileage expenses.
class CPageGeneral : public FullWindowDialog {
    Q_OBJECT

public:
    CPageGeneral(CExpenseDoc& document, QWidget* parent);

    QCheckBox* InternationalTraveler() const { return international_; }
    QCheckBox* PlaySounds() const { return sounds_; }
    QComboBox* ClassifyBy() const { return classifyBy_; }
    CPadAmountEdit* DefaultRate() const { return rate_; }
    QRadioButton* Mile() const { return mile_; }
    QRadioButton* Kilometer() const { return kilometer_; }
    // After how many days a conversion rate is shown as old.
    QSpinBox* RateAgeLimit() const { return rateAge_; }
    QPushButton* TrashButton() const { return trash_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

signals:
    // Stored expenses changed, or a report came back from the trash.
    void refreshRequested();

protected:
    void ApplyLayout(ScreenLayout layout) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The limit of a rate's age with its label, for the page's grid.
    QHBoxLayout* RateAgeRow();
    void FillClassifyBy();
    void OnClassifyBy(int index);
    void MarkModified();
    void OpenTrash();

    CExpenseDoc& document_;  // not owned
    bool rateChanged_ = false;
    QCheckBox* international_;
    QCheckBox* sounds_;
    QGroupBox* classification_;
    QLabel* classifyLabel_;
    QComboBox* classifyBy_;
    QGroupBox* mileage_;
    QLabel* rateLabel_;
    CPadAmountEdit* rate_;
    QLabel* perLabel_;
    QRadioButton* mile_;
    QRadioButton* kilometer_;
    QLabel* rateAgeLabel_;
    QSpinBox* rateAge_;
    QPushButton* trash_;
    QToolButton* save_;
    QToolButton* cancel_;
};
