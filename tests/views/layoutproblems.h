#pragma once

#include <QRect>
#include <QStringList>

class QWidget;

// What a user of the handheld's small screen cannot read or reach on a shown
// window: a text cut or clipped by its control, a control or pop-up outside
// the window or the screen, and a number pad or other open pad over an enabled
// control. The main window is the handheld's screen, so a dialog, message box
// or pop-up of it must stay inside it. Each problem names the widget.
class LayoutProblems {
public:
    // Measures `window` as it is shown now, with the pop-ups open over it.
    explicit LayoutProblems(QWidget* window);

    const QStringList& List() const { return problems_; }
    // How many visible widgets were measured.
    int WidgetsChecked() const { return checked_; }

private:
    void CheckWindow(QWidget* window, const QRect& screen);
    void CheckWidget(QWidget* widget);
    void CheckText(QWidget* widget);
    void CheckPad(QWidget* pad, QWidget* window);

    QStringList problems_;
    int checked_ = 0;
};
