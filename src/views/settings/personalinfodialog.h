#pragma once

#include "views/widgets/fullwindowdialog.h"

class CPersonalInfoView;
class QToolButton;

// "Personal Info": the user's own details in a scrolling view; "Save" writes
// them, "Cancel" asks first when something was typed.
class CPersonalInfoDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CPersonalInfoDialog(bool internationalTraveler, QWidget* parent);

    CPersonalInfoView* View() const { return view_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

private:
    CPersonalInfoView* view_;
    QToolButton* save_;
    QToolButton* cancel_;
};
