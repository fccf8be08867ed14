#pragma once

#include "views/widgets/fullwindowdialog.h"

class CPreferences;
class StoredDateEdit;
class QLabel;
class QRadioButton;

// "Date Range": all dates, or the dates from one day to another, for the
// subtotals. OK stores the choice and both dates in the preferences, the
// dates as they stand even when all dates are chosen.
class CDateRangeDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // Shows and, on OK, changes `preferences` (not owned).
    CDateRangeDialog(CPreferences& preferences, QWidget* parent);

    QRadioButton* AllDates() const { return allDates_; }
    QRadioButton* IncludeDates() const { return includeDates_; }
    StoredDateEdit* From() const { return from_; }
    StoredDateEdit* To() const { return to_; }

    void accept() override;

private:
    void EnablePickers();

    CPreferences& preferences_;  // not owned
    QRadioButton* allDates_;
    QRadioButton* includeDates_;
    QLabel* fromLabel_;
    StoredDateEdit* from_;
    QLabel* toLabel_;
    StoredDateEdit* to_;
};
