#pragma once

#include <array>

#include "views/settings/pageexpenseslipdetails.h"
#include "views/widgets/fullwindowdialog.h"

class CExpenseRecord;
class QTabWidget;
class QToolButton;

// An expense's location, purpose and contacts. On the tall and the wide
// screen the three texts stand one above the other ("Expense Slip"); the
// square screen is too low for that, and shows them as the pages of the
// "Details" sheet. Save keeps the three texts; Cancel leaves them as they
// were.
class CSheetExpenseSlipDetails : public FullWindowDialog {
    Q_OBJECT

public:
    using Kind = CPageExpenseSlipDetails::Kind;

    CSheetExpenseSlipDetails(const QString& location, const QString& purpose,
                             const QString& contacts, QWidget* parent);

    // Runs the sheet on the record's texts and, on Save, stores them through
    // the record's setters. QDialog::Accepted or Rejected; Rejected at once
    // without a record.
    static int ShowDetails(CExpenseRecord* record, QWidget* parent);

    CPageExpenseSlipDetails* Page(Kind kind) const { return pages_[kind]; }
    QPlainTextEdit* Edit(Kind kind) const { return pages_[kind]->Edit(); }
    QString Value(Kind kind) const { return pages_[kind]->Text(); }
    QTabWidget* Tabs() const { return tabs_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    std::array<CPageExpenseSlipDetails*, CPageExpenseSlipDetails::kKinds> pages_{};
    QWidget* stacked_;
    QTabWidget* tabs_;
    QToolButton* save_;
    QToolButton* cancel_;
};
