#pragma once

#include <QDialog>
#include <QPointer>

#include "platform/screen.h"

class CommandBar;
class QLabel;
class QHBoxLayout;
class QPushButton;
class QToolButton;

// A dialog that covers the program's window, as dialogs cover the handheld's
// screen: its title in a row at the top with an "OK" button at the right of
// that row where the dialog has one, its controls in the middle and its
// commands in a bar at the bottom. It follows the window's size, and lays its
// controls out anew for the portrait, landscape or square form whenever the
// form changes.
class FullWindowDialog : public QDialog {
    Q_OBJECT

public:
    enum class TitleButton { None, Ok };

    FullWindowDialog(const QString& title, TitleButton button, QWidget* parent);
    ~FullWindowDialog() override;

    // The area for the dialog's own controls.
    QWidget* Body() const { return body_; }
    CommandBar* Commands() const { return commands_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* TitleLabel() const { return title_; }
    // A button of the title row, right of the title and left of "OK": a
    // command that has no room in the bar.
    QToolButton* AddTitleButton(const QString& text);
    ScreenLayout Layout() const { return layout_; }
    // The help topic the help key opens ("First Expense Report").
    void SetHelpTopic(const QString& topic) { helpTopic_ = topic; }

protected:
    // Puts the controls in their places for `layout`; called before the
    // dialog first shows and whenever the form changes.
    virtual void ApplyLayout(ScreenLayout layout);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowWindow();
    void UpdateLayout(bool force);

    QPointer<QWidget> window_;
    QLabel* title_;  // owned by the dialog
    QHBoxLayout* titleRow_;
    QPushButton* ok_ = nullptr;
    QWidget* body_;
    CommandBar* commands_;
    ScreenLayout layout_ = ScreenLayout::Portrait;
    bool laidOut_ = false;
    QString helpTopic_;
};
