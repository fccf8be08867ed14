#pragma once

#include <QDialog>

class QTextBrowser;

// The program's help: the help page shown in a window of its own, opened at
// the topic of the screen it was asked from.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    // Opens (or brings forward) the help at `topic`, an anchor of the page
    // such as "Main_Contents".
    static HelpWindow* Show(const QString& topic, QWidget* parent);

    QTextBrowser* Browser() const { return browser_; }

private:
    explicit HelpWindow(QWidget* parent);

    QTextBrowser* browser_;  // owned by the window
};
