#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QWidget;

// The handheld's screen is the program's window, and nothing it shows may
// reach past it. Qt places menus, drop-down lists and calendars only inside
// the desktop's screen; the keeper watches every pop-up of the program as it
// opens and moves it back inside the window it belongs to.
class PopUpKeeper : public QObject {
    Q_OBJECT

public:
    // Watches the whole application while it lives; `screen` (not owned) is
    // the window for pop-ups that belong to no window.
    explicit PopUpKeeper(QWidget* screen);

    // Where a pop-up of `size` wanted at `wanted` (global) goes so that it
    // stays inside the window of `anchor` and inside the desktop's screen:
    // moved left and up as far as it must, never past the left or top edge.
    static QPoint Inside(const QWidget* anchor, QPoint wanted, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> screen_;
};
