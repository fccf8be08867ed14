#pragma once

// A control whose pop-up menu opens when the pen is held on it. A screen
// reader cannot hold a pen, so the menu is also offered as the control's
// "ShowMenu" action.
class CHeldPenMenu {
public:
    virtual ~CHeldPenMenu() = default;
    virtual void OpenHeldPenMenu() = 0;
};
