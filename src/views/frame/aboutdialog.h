#pragma once

#include "views/widgets/fullwindowdialog.h"

class QPlainTextEdit;

// "About": the program's name, its version and how to reach its makers.
// Ctrl+V opens the System Info dialog.
class CAboutDialog : public FullWindowDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent);

    QLabel* Version() const { return version_; }
    QPlainTextEdit* Contact() const { return contact_; }

    // The version text shown: the program's, or "N.A." when unknown.
    static QString VersionText();

protected:
    void ApplyLayout(ScreenLayout layout) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* picture_;
    QLabel* name_;
    QLabel* version_;
    QPlainTextEdit* contact_;
};
