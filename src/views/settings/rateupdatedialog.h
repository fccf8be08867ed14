#pragma once

#include "views/widgets/fullwindowdialog.h"

class CColumnList;
class CCurrencyTable;
class CRateUpdate;
class QLabel;
class QToolButton;

// "Update Rates": the day's reference rates before they are taken, each
// with its change against the rate the table keeps, and the codes that are
// not taken. "Update" accepts, "Cancel" leaves every rate as it is.
class CRateUpdateDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CRateUpdateDialog(const CCurrencyTable& table, const CRateUpdate& update, QWidget* parent);

    QLabel* Heading() const { return heading_; }
    CColumnList* Rates() const { return rates_; }
    QLabel* Left() const { return left_; }
    QToolButton* UpdateButton() const { return update_; }
    QToolButton* CancelButton() const { return cancel_; }

private:
    QLabel* heading_;
    CColumnList* rates_;
    QLabel* left_;
    QToolButton* update_;
    QToolButton* cancel_;
};
