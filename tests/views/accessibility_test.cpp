#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QWindow>

#include "framefixture.h"
#include "lists/category.h"
#include "views/frame/statusbar.h"
#include "views/grid/listgrid.h"
#include "views/grid/simplelist.h"
#include "views/pads/editpadmileage.h"
#include "views/pads/milespaddlg.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/totals/pagetotals.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/storeddateedit.h"

// What a screen reader hears and where it finds things, asked of the
// accessibility interfaces of the screens a user reaches from the main window.
// The suite runs a second time with the interface zoomed (QT_SCALE_FACTOR=2).

namespace {

QAccessibleInterface* Accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QStringList ActionNames(QAccessibleInterface* object) {
    return object != nullptr && object->actionInterface() != nullptr
               ? object->actionInterface()->actionNames()
               : QStringList();
}

// The zoom of the window `widget` is in: real screen pixels per pixel of ours.
qreal Zoom(const QWidget* widget) {
    return widget->window()->windowHandle()->devicePixelRatio();
}

// Where `widget` really is on the screen (the screen's corner is 0, 0).
QRect ScreenRect(const QWidget* widget, const QRect& part) {
    const qreal zoom = Zoom(widget);
    const QPoint topLeft = widget->mapToGlobal(part.topLeft());
    return QRect((QPointF(topLeft) * zoom).toPoint(), (QSizeF(part.size()) * zoom).toSize());
}

// The deepest object at `point` of the screen, as a tool that clicks there
// would find it from the window down.
QAccessibleInterface* DeepestAt(QWidget* window, QPoint point) {
    QAccessibleInterface* found = Accessible(window);
    while (QAccessibleInterface* inner = found->childAt(point.x(), point.y())) {
        found = inner;
    }
    return found;
}

class AccessibilityTest : public FrameFixture {
protected:
    // Taps the main screen's button of `group` and runs `check` on the slip.
    void OnSlip(int group, std::function<void(CExpenseSlipDialog*)> check) {
        WhenDialogOpens([check](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            check(slip);
            if (slip->isVisible()) {
                slip->reject();
            }
        });
        Tap(frame_->MainView()->Button(group));
    }

    // The group pop-up the screen reader's "ShowMenu" opened.
    static QMenu* OpenMenu() {
        QApplication::processEvents();
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
};

TEST_F(AccessibilityTest, EveryTotalsFigureIsHeardWithItsCaption) {
    MakeReport(QStringLiteral("Trip"), {12.50, 30}, 100);
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* window = qobject_cast<CTotalsDialog*>(dialog);
        ASSERT_NE(window, nullptr);
        CPageTotals* page = window->TotalsPage();
        ASSERT_NE(page, nullptr);
        QAccessibleInterface* heard = Accessible(page);
        int figures = 0;
        for (const char* caption :
             {"Total Expenses:", "Business Paid:", "Cash Advanced:", "Bus. Credit Card:",
              "Personal (Non-Reimb):", "Deductible:", "Non-Deductible:", "Reimbursement Due:"}) {
            const QString figure = page->FigureText(QString::fromLatin1(caption));
            ASSERT_FALSE(figure.isEmpty()) << caption;
            bool found = false;
            for (int index = 0; index < heard->childCount() && !found; ++index) {
                QAccessibleInterface* item = heard->child(index);
                const QString name = item->text(QAccessible::Name);
                const bool says =
                    name.contains(figure) || item->text(QAccessible::Value).contains(figure);
                const bool named = name.contains(QString::fromLatin1(caption)) ||
                                   item->text(QAccessible::Description) == caption;
                found = says && named;
            }
            EXPECT_TRUE(found) << "no object says " << caption << " " << figure.toStdString();
            figures += found ? 1 : 0;
        }
        EXPECT_EQ(figures, 8);
        window->reject();
    });
    ASSERT_TRUE(Choose(QStringLiteral("Totals...")));
    EXPECT_EQ(DialogsSeen(), 1);
}

TEST_F(AccessibilityTest, EveryKeyOfTheNumberPadIsANamedButtonThatTypes) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    OnSlip(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        Tap(slip->AmountEdit());
        CNumberPad* pad = slip->AmountEdit()->Pad();
        ASSERT_TRUE(pad != nullptr && pad->IsOpen());
        QAccessibleInterface* keys = Accessible(pad);
        ASSERT_EQ(keys->childCount(), CNumberPad::kKeyCount);
        QStringList names;
        for (int index = 0; index < keys->childCount(); ++index) {
            QAccessibleInterface* key = keys->child(index);
            const QString name = key->text(QAccessible::Name);
            EXPECT_EQ(key->role(), QAccessible::Button) << name.toStdString();
            EXPECT_FALSE(name.isEmpty()) << "key " << index;
            EXPECT_TRUE(ActionNames(key).contains(QAccessibleActionInterface::pressAction()));
            // Where the key is drawn, in the screen's pixels.
            EXPECT_EQ(key->rect(), ScreenRect(pad, pad->KeyRect(index))) << name.toStdString();
            EXPECT_EQ(DeepestAt(slip, key->rect().center()), key) << name.toStdString();
            names.append(name);
        }
        EXPECT_EQ(names.removeDuplicates(), 0) << names.join(u',').toStdString();
        const auto press = [&](const QString& name) {
            const int index = static_cast<int>(names.indexOf(name));
            ASSERT_GE(index, 0) << name.toStdString();
            keys->child(index)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        };
        for (const char* name : {"Clear", "4", "2", "Decimal Separator", "5"}) {
            press(QString::fromLatin1(name));
        }
        EXPECT_EQ(slip->AmountEdit()->GetValue(), 42.5);
        press(QStringLiteral("Del"));
        EXPECT_EQ(slip->AmountEdit()->GetValue(), 42);
    });
    EXPECT_EQ(DialogsSeen(), 1);
}

TEST_F(AccessibilityTest, CategoryButtonsOfferTheirGroupMenuAndTheMilesPadKeysAreButtons) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    for (int group = 1; group <= CViewExpense::kButtonCount; ++group) {
        CategoryButton* button = frame_->MainView()->Button(group);
        QAccessibleInterface* held = Accessible(button);
        EXPECT_EQ(held->text(QAccessible::Name), button->text());
        const QStringList actions = ActionNames(held);
        EXPECT_TRUE(actions.contains(QAccessibleActionInterface::pressAction())) << group;
        ASSERT_TRUE(actions.contains(QAccessibleActionInterface::showMenuAction())) << group;
        held->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QMenu* menu = OpenMenu();
        ASSERT_NE(menu, nullptr) << "no pop-up for group " << group;
        menu->close();
    }

    // Mileage is in the fuel group's pop-up; its slip leads to the Miles Pad.
    WhenDialogOpens([this](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        WhenDialogOpens([](QDialog* opened) {
            auto* pad = qobject_cast<CMilesPadDlg*>(opened);
            ASSERT_NE(pad, nullptr);
            int keys = 0;
            for (QAbstractButton* key : pad->findChildren<QAbstractButton*>()) {
                QAccessibleInterface* heard = Accessible(key);
                EXPECT_EQ(heard->role(), QAccessible::Button);
                EXPECT_FALSE(heard->text(QAccessible::Name).isEmpty());
                EXPECT_TRUE(
                    ActionNames(heard).contains(QAccessibleActionInterface::pressAction()));
                ++keys;
            }
            EXPECT_EQ(keys, 15);
            Accessible(pad->Button(QStringLiteral("7")))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
            EXPECT_EQ(pad->Total()->text(), QStringLiteral("7"));
            pad->reject();
        });
        Tap(slip->OdometerButton());
        slip->reject();
    });
    Accessible(frame_->MainView()->Button(CCategory::kFuelGroup))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::showMenuAction());
    QMenu* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    QAction* mileage = nullptr;
    for (QAction* action : menu->actions()) {
        mileage = action->text() == QStringLiteral("Mileage") ? action : mileage;
    }
    ASSERT_NE(mileage, nullptr);
    Tap(menu, menu->actionGeometry(mileage).center());
    EXPECT_EQ(DialogsSeen(), 2);
}

TEST_F(AccessibilityTest, SlipFieldsAndTheirInnerFieldsAreNamedAfterTheirLabels) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    OnSlip(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        const struct {
            QWidget* field;
            const char* name;
        } cases[] = {
            {slip->DateEdit(), "Date:"},
            {slip->DateEdit()->findChild<QLineEdit*>(), "Date:"},
            {slip->AmountEdit(), "Amount"},
            {slip->Nights(), "Nights:"},
            {slip->Nights()->findChild<QLineEdit*>(), "Nights:"},
            {slip->Currency(), "Currency"},
            {slip->Description(), "Description"},
            {slip->Description()->lineEdit(), "Description"},
            {slip->PaidWithButton(), "Paid With"},
            {slip->ExpenseTypeButton(), "Expense Type"},
        };
        for (const auto& c : cases) {
            ASSERT_NE(c.field, nullptr) << c.name;
            EXPECT_EQ(Accessible(c.field)->text(QAccessible::Name), QString::fromLatin1(c.name))
                << c.field->metaObject()->className();
        }
        // What the lists and buttons show is still heard, as value or
        // description.
        EXPECT_EQ(Accessible(slip->Currency())->text(QAccessible::Value),
                  slip->Currency()->currentText());
        EXPECT_FALSE(slip->PaidWithButton()->text().isEmpty());
        EXPECT_EQ(Accessible(slip->PaidWithButton())->text(QAccessible::Description),
                  slip->PaidWithButton()->text());
    });
    EXPECT_EQ(DialogsSeen(), 1);
}

TEST_F(AccessibilityTest, PlacesAndSizesAreTheScreensPixelsAtEveryZoom) {
    MakeReport(QStringLiteral("Trip"), {12.50});
    StartFrame();
    const qreal zoom = Zoom(frame_.get());
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_EQ(zoom, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    QWidget* main = frame_.get();
    EXPECT_EQ(Accessible(main)->rect(), ScreenRect(main, main->rect()));
    for (QWidget* control : std::initializer_list<QWidget*>{
             frame_->MainView()->Button(CCategory::kMealsGroup),
             frame_->MainView()->Button(CViewExpense::kButtonCount), frame_->Status()->Total()}) {
        const QRect real = ScreenRect(control, control->rect());
        EXPECT_EQ(Accessible(control)->rect(), real) << control->metaObject()->className();
        EXPECT_EQ(DeepestAt(main, real.center())->object(), control)
            << control->metaObject()->className();
    }
    // A text's characters, where the amount field draws them.
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        CPadAmountEdit* field = slip->AmountEdit();
        QAccessibleTextInterface* text = Accessible(field)->textInterface();
        ASSERT_NE(text, nullptr);
        field->setCursorPosition(0);
        const QRect character = text->characterRect(0);
        EXPECT_FALSE(character.isEmpty());
        EXPECT_TRUE(ScreenRect(field, field->rect()).contains(character));
        EXPECT_EQ(text->offsetAtPoint(character.center()), 0);
        slip->reject();
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));

    // The list's cells have no widget of their own.
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    const QRect cell = ScreenRect(list->viewport(), list->CellRect(3, 0));
    QAccessibleInterface* found = DeepestAt(main, cell.center());
    EXPECT_EQ(found->rect(), cell);
    EXPECT_EQ(found->text(QAccessible::Name), list->CellText(3, 0));
    // The same cell found by its row and column.
    EXPECT_EQ(Accessible(list)->tableInterface()->cellAt(0, 3), found);
}

}  // namespace
