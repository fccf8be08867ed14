#include "layoutproblems.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QToolButton>

#include "views/pads/amountedit.h"
#include "views/pads/editpadmileage.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/slip/categorybutton.h"
#include "views/widgets/pathfield.h"

namespace {

// The text a user reads on `widget`, if it shows one.
QString ShownText(const QWidget* widget) {
    if (const auto* path = qobject_cast<const CPathField*>(widget)) {
        return path->ShownText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return QString(button->text()).remove(QLatin1Char('&'));
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->displayText();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
        return box->title();
    }
    return QString();
}

// The widget's class and what it says or is called, to find it by.
QString Describe(const QWidget* widget) {
    QString name = ShownText(widget);
    if (name.isEmpty()) {
        name = widget->accessibleName();
    }
    if (name.isEmpty()) {
        name = widget->objectName();
    }
    QString described = QString::fromLatin1(widget->metaObject()->className());
    if (!name.isEmpty()) {
        described += QStringLiteral(" \"%1\"").arg(name.left(40));
    }
    // Inner parts of a control go by the control's name too.
    const QWidget* owner = widget->parentWidget();
    if (owner != nullptr && !owner->isWindow() && !owner->accessibleName().isEmpty() &&
        owner->accessibleName() != name) {
        described += QStringLiteral(" in \"%1\"").arg(owner->accessibleName());
    }
    return described;
}

QRect GlobalRect(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

QString Rect(const QRect& rect) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// Inside a scrolled area a widget may lie beyond what shows: that is what the
// scroll bars are for.
bool IsScrolled(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up != nullptr && !up->isWindow();
         up = up->parentWidget()) {
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(up->parentWidget())) {
            if (area->viewport() == up) {
                return true;
            }
        }
    }
    return false;
}

// The room a button gives its text, from its style.
int ButtonTextRoom(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button) != nullptr) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(button) != nullptr) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isFlat()) {
            option.features |= QStyleOptionButton::Flat;
        }
        if (push->menu() != nullptr) {
            option.features |= QStyleOptionButton::HasMenu;
        }
    }
    int room = button->style()->subElementRect(contents, &option, button).width();
    if (!button->icon().isNull()) {
        room -= button->iconSize().width() + 4;
    }
    return room;
}

int ComboTextRoom(const QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.currentText = combo->currentText();
    option.currentIcon = combo->itemIcon(combo->currentIndex());
    option.iconSize = combo->iconSize();
    int room =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
            .width();
    if (!option.currentIcon.isNull()) {
        room -= combo->iconSize().width() + 4;
    }
    return room;
}

QRect LineEditTextRect(const QLineEdit* edit) {
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                         : 0;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    // Qt keeps two pixels either side of the text.
    return contents.marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);
}

// A widget a user taps or types into.
bool IsControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(widget) != nullptr;
}

// The pop-ups and windows open over `window`: its menus, lists, message boxes.
QList<QWidget*> OpenOver(QWidget* window) {
    QList<QWidget*> over;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == window || !top->isVisible()) {
            continue;
        }
        for (QWidget* up = top->parentWidget(); up != nullptr; up = up->window()->parentWidget()) {
            if (up->window() == window) {
                over.append(top);
                break;
            }
        }
    }
    return over;
}

}  // namespace

LayoutProblems::LayoutProblems(QWidget* window) {
    // The program's window is the handheld's screen; what opens over it stays
    // inside it.
    QWidget* main = window;
    while (main->parentWidget() != nullptr) {
        main = main->parentWidget()->window();
    }
    QRect screen = main->geometry();
    if (QScreen* device = main->screen()) {
        screen = screen.intersected(device->geometry());
    }
    CheckWindow(window, screen);
    for (QWidget* popUp : OpenOver(window)) {
        CheckWindow(popUp, screen);
    }
}

void LayoutProblems::CheckWindow(QWidget* window, const QRect& screen) {
    ++checked_;
    if (!screen.contains(window->geometry())) {
        problems_ << QStringLiteral("%1 at %2 reaches outside the screen %3")
                         .arg(Describe(window), Rect(window->geometry()), Rect(screen));
    }
    CheckText(window);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->isVisible() && !widget->isWindow()) {
            CheckWidget(widget);
        }
    }
    for (CNumberPad* pad : window->findChildren<CNumberPad*>()) {
        if (pad->isVisible()) {
            CheckPad(pad, window);
        }
    }
}

void LayoutProblems::CheckWidget(QWidget* widget) {
    ++checked_;
    const QRect area = GlobalRect(widget);
    const QWidget* parent = widget->parentWidget();
    if (!area.isEmpty() && !IsScrolled(widget) && !GlobalRect(parent).contains(area)) {
        problems_ << QStringLiteral("%1 at %2 reaches outside %3 at %4")
                         .arg(Describe(widget), Rect(area), Describe(parent),
                              Rect(GlobalRect(parent)));
    }
    CheckText(widget);
}

void LayoutProblems::CheckText(QWidget* widget) {
    const QString text = ShownText(widget);
    if (text.isEmpty() || widget->width() <= 0) {
        return;
    }
    if (auto* path = qobject_cast<CPathField*>(widget)) {
        // A long folder is shortened by design; the file's name never is.
        if (!text.endsWith(path->FileName())) {
            problems_ << QStringLiteral("%1 cuts the file's name \"%2\"")
                             .arg(Describe(widget), path->FileName());
        }
        if (widget->fontMetrics().height() > path->contentsRect().height()) {
            problems_ << QStringLiteral("%1 is clipped").arg(Describe(widget));
        }
        return;
    }
    if (text.contains(QChar(0x2026))) {
        problems_ << QStringLiteral("%1 is shortened").arg(Describe(widget));
    }
    const QFontMetrics metrics = widget->fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    int room = widget->width();
    int height = widget->height();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height()) {
                problems_ << QStringLiteral("%1 is clipped: needs %2 px of height, has %3")
                                 .arg(Describe(widget))
                                 .arg(needed)
                                 .arg(label->height());
            }
            return;
        }
        const QSize hint = label->sizeHint();
        if (hint.width() > label->width()) {
            problems_ << QStringLiteral("%1 is cut: needs %2 px, has %3")
                             .arg(Describe(widget))
                             .arg(hint.width())
                             .arg(label->width());
        }
        if (metrics.height() > label->contentsRect().height()) {
            problems_ << QStringLiteral("%1 is clipped: %2 px high in %3")
                             .arg(Describe(widget))
                             .arg(metrics.height())
                             .arg(label->contentsRect().height());
        }
        return;
    }
    int needed = width;
    if (auto* category = qobject_cast<CategoryButton*>(widget)) {
        // It sets its name smaller to fit, and says how it drew it.
        if (category->DrawnName() != category->text()) {
            problems_ << QStringLiteral("%1 is shortened to \"%2\"")
                             .arg(Describe(widget), category->DrawnName());
        }
        return;
    }
    if (auto* tool = qobject_cast<QToolButton*>(widget)) {
        if (tool->toolButtonStyle() == Qt::ToolButtonIconOnly) {
            return;
        }
        // The text is centred inside the button's bevel.
        needed = width + 4;
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        room = ButtonTextRoom(button);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable()) {
            return;  // its line edit shows the text
        }
        if (combo->objectName() == QLatin1String("lookInCombo")) {
            return;  // the file dialog shortens its folder's path as it draws it
        }
        room = ComboTextRoom(combo);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        // What the user types scrolls in its field as far as it goes; what
        // the program writes there (a date, a number, a path to read) must
        // show whole.
        if (!edit->isReadOnly() && edit->validator() == nullptr &&
            qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr &&
            qobject_cast<CAmountEdit*>(edit) == nullptr &&
            qobject_cast<CEditPadMileage*>(edit) == nullptr) {
            return;
        }
        const QRect shown = LineEditTextRect(edit);
        room = shown.width();
        height = shown.height() + 2;
    } else if (qobject_cast<QGroupBox*>(widget) != nullptr) {
        // The title sits in the frame's line, a few pixels in from each end.
        needed = width + 16;
        height = metrics.height();
    }
    if (needed > room) {
        problems_ << QStringLiteral("%1 is cut: needs %2 px, has %3")
                         .arg(Describe(widget))
                         .arg(needed)
                         .arg(room);
    }
    if (metrics.height() > height) {
        problems_ << QStringLiteral("%1 is clipped: %2 px high in %3")
                         .arg(Describe(widget))
                         .arg(metrics.height())
                         .arg(height);
    }
    if (auto* header = qobject_cast<QHeaderView*>(widget);
        header != nullptr && header->orientation() == Qt::Horizontal && header->model()) {
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int i = 0; i < header->count(); ++i) {
            const QString title =
                header->model()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
            const int size = header->sectionSize(i);
            if (header->isSectionHidden(i) || size == 0 || title.isEmpty()) {
                continue;
            }
            const int titleWidth = header->fontMetrics().horizontalAdvance(title) + 2 * margin;
            if (titleWidth > size) {
                problems_ << QStringLiteral("%1 column \"%2\" is cut: needs %3 px, has %4")
                                 .arg(Describe(widget), title)
                                 .arg(titleWidth)
                                 .arg(size);
            }
        }
    }
}

void LayoutProblems::CheckPad(QWidget* pad, QWidget* window) {
    const QRect area = GlobalRect(pad);
    QList<QWidget*> covered;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget == pad || pad->isAncestorOf(widget) || widget->isAncestorOf(pad) ||
            !widget->isVisible() || !widget->isEnabled() || !GlobalRect(widget).intersects(area)) {
            continue;
        }
        const auto* label = qobject_cast<QLabel*>(widget);
        if (IsControl(widget) || (label != nullptr && !label->text().isEmpty())) {
            covered.append(widget);
        }
    }
    for (QWidget* widget : covered) {
        // One problem for a control, not one for each of its parts.
        bool inner = false;
        for (QWidget* other : covered) {
            inner = inner || (other != widget && other->isAncestorOf(widget));
        }
        if (inner) {
            continue;
        }
        const auto* field = qobject_cast<CPadAmountEdit*>(widget);
        problems_ << QStringLiteral("%1 at %2 covers %3%4 at %5")
                         .arg(Describe(pad), Rect(area),
                              field != nullptr && field->Pad() == pad ? QStringLiteral("its own ")
                                                                      : QString(),
                              Describe(widget), Rect(GlobalRect(widget)));
    }
}
