#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>

#include "report/expensedoc.h"
#include "report/sortorderscope.h"
#include "support/testplatform.h"
#include "views/frame/mainframe.h"

class QAction;
class QDateEdit;
class QDialog;

// The program's window on a temporary documents root and registry, driven as
// a user drives it: taps, typing, menu commands and the dialogs they open,
// with message boxes answered from the platform's script.
class FrameFixture : public ::testing::Test {
protected:
    FrameFixture();
    ~FrameFixture() override;

    // A report file in the reports folder with one expense of each amount,
    // dated a day apart; its path.
    QString MakeReport(const QString& title, std::initializer_list<double> amounts,
                       double cashAdvance = 0);
    // Creates the document and the window and opens the first report, as
    // start-up does.
    void StartFrame();

public:
    // Pen down and up on `widget` (its centre unless `at` is given).
    static void Tap(QWidget* widget, QPoint at = QPoint(-1, -1));
    static void Type(QWidget* widget, const QString& text);
    // Types `text` ("12/15/1900" in the device's order) into the date field,
    // one part into each of its sections.
    static void TypeDate(QDateEdit* field, const QString& text);

protected:
    // The window's command with this menu text.
    QAction* CommandNamed(const QString& text) const;
    // Picks the command as from its menu; false when it is disabled.
    bool Choose(const QString& text);

    // Runs `handler` on the next dialog that opens while a command runs. A
    // dialog no handler waits for is cancelled and fails the test.
    void WhenDialogOpens(std::function<void(QDialog* dialog)> handler);
    int DialogsSeen() const { return dialogsSeen_; }

    QStringList Messages() { return platform_.Prompts().Texts(); }

    // The program shares one sort order, which the lists change.
    SortOrderScope sortOrder_;
    TestPlatform platform_;
    std::unique_ptr<CExpenseDoc> document_;
    std::unique_ptr<CMainFrame> frame_;

private:
    void CheckForDialog();

    QTimer watcher_;
    std::deque<std::function<void(QDialog*)>> handlers_;
    QList<QPointer<QDialog>> handled_;  // every dialog seen, even under a later one
    int dialogsSeen_ = 0;
};
