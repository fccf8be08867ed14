#pragma once

#include "views/widgets/fullwindowdialog.h"

class BitmapButton;
class CExpenseDoc;
class CExpenseReportInfo;
class CPadAmountEdit;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

// "Expense Report": a report's title, cash advance, location, purpose and
// status. "New Report" makes the header of a report about to be created,
// "Edit Report" changes the open report's, "Save Report" names a report that
// has changes but no file yet.
class CReportInfoDialog : public FullWindowDialog {
    Q_OBJECT

public:
    enum class Mode { New, Edit, Save };

    // Works on `header` (not owned), which OK updates; the report's folder is
    // where its title is checked.
    CReportInfoDialog(Mode mode, CExpenseReportInfo& header, CExpenseDoc& document,
                      QWidget* parent);

    Mode GetMode() const { return mode_; }
    bool IsModified() const { return modified_; }

    QLabel* Heading() const { return heading_; }
    QLineEdit* TitleEdit() const { return title_; }
    CPadAmountEdit* CashAdvanceEdit() const { return cashAdvance_; }
    QPlainTextEdit* LocationEdit() const { return location_; }
    QPlainTextEdit* PurposeEdit() const { return purpose_; }
    QCheckBox* Submitted() const { return submitted_; }
    QCheckBox* Reimbursed() const { return reimbursed_; }
    BitmapButton* LocationButton() const { return locationButton_; }
    BitmapButton* PurposeButton() const { return purposeButton_; }

    // "Modify Report" checks: OK closes only with a title the reports folder
    // takes; unchanged fields in edit mode close as Cancel.
    void accept() override;

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void MarkModified() { modified_ = true; }
    void PickFromHistory(BitmapButton* button, QPlainTextEdit* edit, int kind);

    Mode mode_;
    CExpenseReportInfo& header_;  // not owned
    CExpenseDoc& document_;       // not owned
    bool modified_ = false;
    QLabel* heading_;
    QLabel* titleLabel_;
    QLineEdit* title_;
    QLabel* cashLabel_;
    CPadAmountEdit* cashAdvance_;
    BitmapButton* locationButton_;
    QPlainTextEdit* location_;
    BitmapButton* purposeButton_;
    QPlainTextEdit* purpose_;
    QGroupBox* status_;
    QCheckBox* submitted_;
    QCheckBox* reimbursed_;
};
