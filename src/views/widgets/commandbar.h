#pragma once

#include <QWidget>

class QAction;
class QHBoxLayout;
class QMenu;
class QToolButton;

// The bar at the bottom of the window and of every full-window dialog: the
// menus ("Edit", "View", "Tools", or a dialog's "Save", "Cancel", ...) and
// command buttons. Menus open upwards, over the screen they belong to.
class CommandBar : public QWidget {
    Q_OBJECT

public:
    explicit CommandBar(QWidget* parent = nullptr);

    // A button that opens `menu` (not owned) above itself.
    QToolButton* AddMenu(const QString& text, QMenu* menu);
    // A button for `action` (not owned), with its text.
    QToolButton* AddAction(QAction* action);
    // A button that does nothing yet: connect to its clicked signal.
    QToolButton* AddButton(const QString& text);
    // A text button that gives up its padding before the bar grows past a
    // narrow window; its words stay whole.
    static void LetShrink(QToolButton* button);
    // The buttons added after this go to the right end.
    void AddStretch();

    // Where `menu` opens for the button `button`: above it, inside the window.
    static QPoint MenuPosition(const QWidget* button, const QMenu* menu);

private:
    QToolButton* MakeButton(const QString& text);

    QHBoxLayout* layout_;  // owned by the widget
};
