#pragma once

#include <functional>

#include "views/widgets/fullwindowdialog.h"

class CCategory;
class QAbstractButton;

// "Please Choose...": the twelve category buttons of the main screen; a tap
// on one chooses its category and closes.
class CCategoryPicker : public FullWindowDialog {
    Q_OBJECT

public:
    // The category each group's button shows, 1 to 12; null for none.
    using CategoryOfGroup = std::function<const CCategory*(int group)>;

    CCategoryPicker(CategoryOfGroup categoryOfGroup, QWidget* parent);

    // The chosen category's group, 0 until one is chosen.
    int ChosenGroup() const { return chosen_; }
    QAbstractButton* Button(int group) const;

private:
    int chosen_ = 0;
};
