#pragma once

#include <QMessageBox>

class WrappingLabel;

// A message box that fits the handheld's screen, the window it opens over:
// Qt sizes a box for the desktop's screen, often wider than the window, and
// lets a long file name run past the box's edge. Here the text is broken
// (inside a word where it must) and the buttons give up their spare width,
// so that the box keeps inside the window with every word of its text shown.
class PromptBox : public QMessageBox {
    Q_OBJECT

public:
    // Fits inside `window`, or inside the handheld's 240 pixels without one.
    explicit PromptBox(QWidget* window);

    // The text as the box shows it.
    WrappingLabel* TextLabel() const { return text_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Puts the text into the box's layout and gives it a width that keeps
    // the box inside the window.
    void Fit();

    WrappingLabel* text_;
};
