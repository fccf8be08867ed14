#include "framefixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "lists/category.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "views/widgets/commandbar.h"

FrameFixture::FrameFixture() {
    InitDirectories(1 | 2 | 8);
    watcher_.setInterval(5);
    QObject::connect(&watcher_, &QTimer::timeout, [this] {
        CheckForDialog();
        CheckForMenu();
    });
    watcher_.start();
}

FrameFixture::~FrameFixture() {
    watcher_.stop();
    frame_.reset();
    document_.reset();
    EXPECT_TRUE(handlers_.empty()) << handlers_.size() << " dialog(s) never opened";
    EXPECT_TRUE(menuItems_.empty()) << menuItems_.size() << " menu(s) never opened";
}

QString FrameFixture::MakeReport(const QString& title, std::initializer_list<double> amounts,
                                 double cashAdvance) {
    CExpenseDoc document;
    CExpenseReportInfo header;
    QString error;
    EXPECT_TRUE(header.ValidateName(GetReportsDirectory(), title, false, error))
        << error.toStdString();
    header.SetCashAdvance(Amount(cashAdvance));
    EXPECT_TRUE(document.CreateReport(header));
    int day = 0;
    for (double amount : amounts) {
        auto record = std::make_unique<CExpenseRecord>();
        record->SetCategory(CCategory(QStringLiteral("Lunch"), 4, 1));
        record->SetDate(kTestNow + day++ * 86400);
        record->SetDescription(QStringLiteral("Expense %1").arg(day));
        record->SetAmount(Amount(amount));
        record->SetExchangeRate(Amount(1.0));
        record->SetCurrencyName(document.GetCurrencyTable().GetHomeCurrency());
        document.AddRecord(std::move(record), false);
    }
    document.SortRecords();
    EXPECT_TRUE(document.SaveReport(true));
    return document.GetReport().GetHeader().GetPath();
}

void FrameFixture::StartFrame() {
    document_ = std::make_unique<CExpenseDoc>();
    frame_ = std::make_unique<CMainFrame>(*document_);
    frame_->resize(240, 320);
    document_->OpenStartupReport(QString());
    frame_->RefreshViews();
    frame_->show();
    QApplication::processEvents();
}

void FrameFixture::Tap(QWidget* widget, QPoint at) {
    if (at == QPoint(-1, -1)) {
        // A check box or radio button takes taps on its box and label only,
        // which sit at its left end.
        const bool box = qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget);
        at = box ? QPoint(6, widget->height() / 2) : widget->rect().center();
    }
    // A user taps only what is shown.
    EXPECT_TRUE(widget->isVisible()) << "tap on a hidden " << widget->metaObject()->className()
                                     << " " << widget->accessibleName().toStdString();
    // A pen on a window that is not the active one makes it active, as a
    // window manager does; the offscreen screen has none, and leaves no
    // window active when a dialog above it closes. A window under a modal
    // dialog stays as it is: it takes no taps.
    QWidget* window = widget->window();
    QWidget* modal = QApplication::activeModalWidget();
    if (!window->isActiveWindow() && (modal == nullptr || modal == window)) {
        window->activateWindow();
        QApplication::processEvents();
    }
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void FrameFixture::Type(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClicks(widget, text);
}

void FrameFixture::TypeDate(QDateEdit* field, const QString& text) {
    field->setFocus();
    // Each part into its section, as a user taps the month, the day and the
    // year in turn and types over them.
    const QStringList parts = text.split(QLatin1Char('/'));
    for (int i = 0; i < parts.size() && i < field->sectionCount(); ++i) {
        field->setSelectedSection(field->sectionAt(i));
        QTest::keyClicks(field, parts[i]);
    }
}

bool FrameFixture::TapComboItem(QComboBox* box, const QString& text) {
    // Some lists fill themselves as they open, so the item is looked for
    // in the open list. A list whose field takes typing opens from its
    // arrow at the right end.
    Tap(box, box->isEditable() ? QPoint(box->width() - 6, box->height() / 2) : QPoint(-1, -1));
    QAbstractItemView* view = box->view();
    const int row = box->findText(text);
    if (!view->isVisible() || row < 0) {
        box->hidePopup();
        return false;
    }
    // A list opened by a pen takes no release until a double tap's time
    // has passed, so that the opening tap's own release picks nothing.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QModelIndex item = view->model()->index(row, box->modelColumn());
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(item).center());
    // What the pick shows is the caller's to check: a list may fill itself
    // anew, or put the pick beside the text already there.
    return !view->isVisible();
}

bool FrameFixture::TapListItem(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        return false;
    }
    list->scrollToItem(found.first());
    Tap(list->viewport(), list->visualItemRect(found.first()).center());
    return true;
}

bool FrameFixture::TapMenuItem(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text && action->isVisible()) {
            if (!action->isEnabled()) {
                break;
            }
            Tap(menu, menu->actionGeometry(action).center());
            return true;
        }
    }
    menu->close();
    return false;
}

bool FrameFixture::TapMenu(const QString& menu, const QString& item) {
    if (!TapBarButton(menu)) {
        return false;
    }
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (open == nullptr) {
        ADD_FAILURE() << "no menu opened under " << menu.toStdString();
        return false;
    }
    return TapMenuItem(open, item);
}

bool FrameFixture::TapBarButton(const QString& text) {
    for (QToolButton* button : frame_->Commands()->findChildren<QToolButton*>()) {
        if ((button->text() == text || button->accessibleName() == text) && button->isVisible()) {
            if (!button->isEnabled()) {
                return false;
            }
            Tap(button);
            QApplication::processEvents();
            return true;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString() << " on the command bar";
    return false;
}

QAction* FrameFixture::CommandNamed(const QString& text) const {
    for (QAction* action : frame_->findChildren<QAction*>()) {
        if (action->text() == text) {
            return action;
        }
    }
    ADD_FAILURE() << "no command " << text.toStdString();
    return nullptr;
}

bool FrameFixture::Choose(const QString& text) {
    frame_->UpdateCommands();
    QAction* action = CommandNamed(text);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

void FrameFixture::WhenDialogOpens(std::function<void(QDialog*)> handler) {
    handlers_.push_back(std::move(handler));
}

void FrameFixture::TapInNextMenu(const QString& text) {
    menuItems_.push_back(text);
}

void FrameFixture::CheckForMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) {
        lastMenu_ = nullptr;  // the next one may be the same menu opened again
        return;
    }
    if (menu == lastMenu_ || menuItems_.empty()) {
        return;
    }
    lastMenu_ = menu;
    const QString text = menuItems_.front();
    menuItems_.pop_front();
    // Apart from the watcher: the item may open a dialog of its own.
    QTimer::singleShot(0, menu, [menu, text] {
        EXPECT_TRUE(TapMenuItem(menu, text)) << "no item " << text.toStdString();
    });
}

void FrameFixture::CheckForDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible() || handled_.contains(dialog)) {
        return;
    }
    handled_.append(dialog);
    ++dialogsSeen_;
    if (handlers_.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog->windowTitle().toStdString();
        dialog->reject();
        return;
    }
    // Run apart from the watcher, so that a dialog the handler opens in turn
    // is seen too.
    QTimer::singleShot(0, dialog,
                       [dialog, handler = std::move(handlers_.front())] { handler(dialog); });
    handlers_.pop_front();
}
