#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/prompts.h"

class QMessageBox;

// The message boxes and the wait cursor of the program's window: a small
// dialog centred over the window with the text, the icon and the buttons
// asked for.
class GuiPrompts : public Prompts {
public:
    PromptAnswer Show(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

    // The window the boxes are centred over; none until the frame exists.
    void SetWindow(QWidget* window) { window_ = window; }

    // The box Show runs, for a look at it without running it.
    static std::unique_ptr<QMessageBox> MakeBox(const QString& text, PromptButtons buttons,
                                                PromptIcon icon, QWidget* parent);

private:
    QPointer<QWidget> window_;
};
