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
class QComboBox;
class QDateEdit;
class QDialog;
class QListWidget;
class QMenu;

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
    // Opens the list of `box` with a tap and taps the item `text`; false
    // when the list has no such item or stays open.
    static bool TapComboItem(QComboBox* box, const QString& text);
    // Taps the row of `list` that shows `text`; false when none does.
    static bool TapListItem(QListWidget* list, const QString& text);
    // Taps the item `text` of an open menu; false when it is missing or
    // disabled, and the menu is closed then.
    static bool TapMenuItem(QMenu* menu, const QString& text);

protected:
    // The window's command with this menu text.
    QAction* CommandNamed(const QString& text) const;
    // Picks the command as from its menu; false when it is disabled.
    bool Choose(const QString& text);
    // Taps the command bar's button `menu` ("Tools"), then `item` in the
    // menu it opens; false when the item is missing or disabled.
    bool TapMenu(const QString& menu, const QString& item);
    // Taps the command bar's button with this text or accessible name.
    bool TapBarButton(const QString& text);

    // Runs `handler` on the next dialog that opens while a command runs. A
    // dialog no handler waits for is cancelled and fails the test.
    void WhenDialogOpens(std::function<void(QDialog* dialog)> handler);
    int DialogsSeen() const { return dialogsSeen_; }
    // Taps the item `text` of the next pop-up menu that opens (a held pen's,
    // a button's); a menu no one waits for is left to the test.
    void TapInNextMenu(const QString& text);
    bool MenusPending() const { return !menuItems_.empty(); }

    QStringList Messages() { return platform_.Prompts().Texts(); }

    // The program shares one sort order, which the lists change.
    SortOrderScope sortOrder_;
    TestPlatform platform_;
    std::unique_ptr<CExpenseDoc> document_;
    std::unique_ptr<CMainFrame> frame_;

private:
    void CheckForDialog();
    void CheckForMenu();

    QTimer watcher_;
    std::deque<std::function<void(QDialog*)>> handlers_;
    QList<QPointer<QDialog>> handled_;  // every dialog seen, even under a later one
    int dialogsSeen_ = 0;
    std::deque<QString> menuItems_;
    QPointer<QMenu> lastMenu_;  // the menu an item was last tapped in
};
