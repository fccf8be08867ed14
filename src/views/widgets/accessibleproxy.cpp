#include "views/widgets/accessibleproxy.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "views/widgets/heldpenmenu.h"
#include "views/widgets/taplabel.h"

namespace {

// The widget whose interface of Qt's is being made under its proxy.
QObject* creating = nullptr;

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType() || object == creating) {
        return nullptr;
    }
    // Qt keeps one interface per object and kind of object; the proxy, made
    // last, is the one it answers with from now on, and both go when the
    // widget goes.
    QObject* const outer = creating;
    creating = object;
    QAccessibleInterface* inner = QAccessible::queryAccessibleInterface(object);
    creating = outer;
    if (inner == nullptr || dynamic_cast<CAccessibleProxy*>(inner) != nullptr) {
        return nullptr;
    }
    return new CAccessibleProxy(inner);
}

struct Zoom {
    QPointF origin;
    qreal factor = 1;
};

// Qt zooms a screen's pixels about the screen's top left corner, which it
// keeps where it is.
Zoom ZoomAt(const QWindow* window, const QPoint& near) {
    const QScreen* screen = window != nullptr ? window->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::screenAt(near);
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {};
    }
    return {screen->geometry().topLeft(),
            window != nullptr ? window->devicePixelRatio() : screen->devicePixelRatio()};
}

QString Unmarked(QString text) {
    text.remove(QLatin1Char('&'));
    return text;
}

}  // namespace

void CAccessibleProxy::Install() {
    QAccessible::removeFactory(Factory);
    QAccessible::installFactory(Factory);
}

QRect CAccessibleProxy::ToScreenPixels(const QRect& rect, const QWindow* window) {
    const Zoom zoom = ZoomAt(window, rect.center());
    if (rect.isEmpty() || qFuzzyCompare(zoom.factor, 1)) {
        return rect;
    }
    const QPointF topLeft = zoom.origin + (QPointF(rect.topLeft()) - zoom.origin) * zoom.factor;
    return QRect(topLeft.toPoint(), (QSizeF(rect.size()) * zoom.factor).toSize());
}

QPoint CAccessibleProxy::FromScreenPixels(const QPoint& point, const QWindow* window) {
    const Zoom zoom = ZoomAt(window, point);
    if (qFuzzyCompare(zoom.factor, 1)) {
        return point;
    }
    return (zoom.origin + (QPointF(point) - zoom.origin) / zoom.factor).toPoint();
}

CAccessibleProxy::CAccessibleProxy(QAccessibleInterface* inner)
    : inner_(QAccessible::uniqueId(inner)) {}

CAccessibleProxy::~CAccessibleProxy() {
    // Proxies of children without an object of their own would outlive the
    // children; at exit Qt deletes every interface itself.
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    for (const QAccessible::Id id : std::as_const(children_)) {
        QAccessibleInterface* proxy = QAccessible::accessibleInterface(id);
        if (proxy != nullptr && proxy->object() == nullptr) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
}

QAccessibleInterface* CAccessibleProxy::Inner() const {
    return QAccessible::accessibleInterface(inner_);
}

bool CAccessibleProxy::isValid() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr && inner->isValid();
}

QObject* CAccessibleProxy::object() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->object() : nullptr;
}

QWindow* CAccessibleProxy::window() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->window() : nullptr;
}

QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> CAccessibleProxy::relations(
    QAccessible::Relation match) const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->relations(match)
                            : QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>();
}

QAccessibleInterface* CAccessibleProxy::focusChild() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? Wrap(inner->focusChild()) : nullptr;
}

QAccessibleInterface* CAccessibleProxy::childAt(int x, int y) const {
    // Every child answers in the screen's pixels, the point's own. The last
    // of overlapping children is the one drawn on top (an open pad).
    for (int index = childCount() - 1; index >= 0; --index) {
        QAccessibleInterface* candidate = child(index);
        if (candidate != nullptr && candidate->isValid() && candidate->rect().contains(x, y)) {
            return candidate;
        }
    }
    return nullptr;
}

QAccessibleInterface* CAccessibleProxy::parent() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->parent() : nullptr;
}

QAccessibleInterface* CAccessibleProxy::child(int index) const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? Wrap(inner->child(index)) : nullptr;
}

int CAccessibleProxy::childCount() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->childCount() : 0;
}

int CAccessibleProxy::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        return -1;
    }
    // Qt's interfaces know their own children, not the proxies of them.
    const auto* proxy = dynamic_cast<const CAccessibleProxy*>(child);
    if (proxy != nullptr && proxy->object() == nullptr) {
        child = proxy->Inner();
    }
    return inner->indexOfChild(child);
}

QString CAccessibleProxy::text(QAccessible::Text kind) const {
    const QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        return QString();
    }
    const auto* widget = qobject_cast<const QWidget*>(inner->object());
    if (widget != nullptr && kind == QAccessible::Name) {
        if (!widget->accessibleName().isEmpty()) {
            return widget->accessibleName();
        }
        QWidget* owner = widget->parentWidget();
        if (qobject_cast<const QLineEdit*>(widget) != nullptr &&
            (qobject_cast<QComboBox*>(owner) != nullptr ||
             qobject_cast<QAbstractSpinBox*>(owner) != nullptr)) {
            if (const QAccessibleInterface* field = QAccessible::queryAccessibleInterface(owner)) {
                return field->text(QAccessible::Name);
            }
        }
    }
    if (widget != nullptr && kind == QAccessible::Description &&
        widget->accessibleDescription().isEmpty()) {
        if (const QString value = ValueShownBeside(); !value.isEmpty()) {
            return value;
        }
    }
    return inner->text(kind);
}

QString CAccessibleProxy::ValueShownBeside() const {
    const auto* widget = qobject_cast<const QWidget*>(object());
    if (widget == nullptr || widget->accessibleName().isEmpty()) {
        return QString();
    }
    QString shown;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        shown = Unmarked(button->text());
    } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        shown = list->currentText();
    }
    // "..." on a button says that it opens something, not what it holds.
    const bool says =
        std::any_of(shown.cbegin(), shown.cend(), [](QChar c) { return c.isLetterOrNumber(); });
    return says && shown != widget->accessibleName() ? shown : QString();
}

void CAccessibleProxy::setText(QAccessible::Text kind, const QString& text) {
    if (QAccessibleInterface* inner = Inner()) {
        inner->setText(kind, text);
    }
}

QRect CAccessibleProxy::rect() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? ToScreenPixels(inner->rect(), inner->window()) : QRect();
}

QAccessible::Role CAccessibleProxy::role() const {
    const QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        return QAccessible::NoRole;
    }
    // A text that does something when tapped is a button to a screen
    // reader, or its user would never learn that it can be pressed.
    return qobject_cast<TapLabel*>(inner->object()) != nullptr ? QAccessible::Button
                                                               : inner->role();
}

QAccessible::State CAccessibleProxy::state() const {
    const QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        QAccessible::State gone;
        gone.invalid = true;
        return gone;
    }
    return inner->state();
}

QColor CAccessibleProxy::foregroundColor() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->foregroundColor() : QColor();
}

QColor CAccessibleProxy::backgroundColor() const {
    const QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->backgroundColor() : QColor();
}

void* CAccessibleProxy::interface_cast(QAccessible::InterfaceType type) {
    QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        return nullptr;
    }
    if (type == QAccessible::ActionInterface &&
        (dynamic_cast<CHeldPenMenu*>(inner->object()) != nullptr ||
         qobject_cast<TapLabel*>(inner->object()) != nullptr)) {
        return static_cast<QAccessibleActionInterface*>(this);
    }
    if (type == QAccessible::TableInterface && inner->tableInterface() != nullptr) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    if (type == QAccessible::TextInterface && inner->textInterface() != nullptr) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return inner->interface_cast(type);
}

void CAccessibleProxy::virtual_hook(int id, void* data) {
    if (QAccessibleInterface* inner = Inner()) {
        inner->virtual_hook(id, data);
    }
}

QStringList CAccessibleProxy::actionNames() const {
    QAccessibleInterface* inner = Inner();
    QStringList names;
    if (inner != nullptr && inner->actionInterface() != nullptr) {
        names = inner->actionInterface()->actionNames();
    }
    if (dynamic_cast<CHeldPenMenu*>(object()) != nullptr && !names.contains(showMenuAction())) {
        names.append(showMenuAction());
    }
    if (qobject_cast<TapLabel*>(object()) != nullptr && !names.contains(pressAction())) {
        names.append(pressAction());
    }
    return names;
}

void CAccessibleProxy::doAction(const QString& name) {
    QAccessibleInterface* inner = Inner();
    if (inner == nullptr) {
        return;
    }
    auto* menu = dynamic_cast<CHeldPenMenu*>(inner->object());
    auto* label = qobject_cast<TapLabel*>(inner->object());
    if (name == showMenuAction() && menu != nullptr) {
        menu->OpenHeldPenMenu();
    } else if (name == pressAction() && label != nullptr) {
        label->Tap();
    } else if (QAccessibleActionInterface* actions = inner->actionInterface()) {
        actions->doAction(name);
    }
}

QStringList CAccessibleProxy::keyBindingsForAction(const QString& name) const {
    QAccessibleInterface* inner = Inner();
    if (inner == nullptr || inner->actionInterface() == nullptr) {
        return {};
    }
    return inner->actionInterface()->keyBindingsForAction(name);
}

QAccessibleInterface* CAccessibleProxy::Wrap(QAccessibleInterface* child) const {
    if (child == nullptr || dynamic_cast<CAccessibleProxy*>(child) != nullptr) {
        return child;
    }
    // A widget's interface made before the proxies came stays as it is: a
    // second interface for one widget would confuse a screen reader more.
    if (child->object() != nullptr && child->object()->isWidgetType()) {
        return child;
    }
    const QAccessible::Id id = QAccessible::uniqueId(child);
    if (const auto found = children_.constFind(id); found != children_.constEnd()) {
        const auto* proxy =
            dynamic_cast<CAccessibleProxy*>(QAccessible::accessibleInterface(*found));
        if (proxy != nullptr && proxy->Inner() == child) {
            return QAccessible::accessibleInterface(*found);
        }
    }
    if (children_.size() >= purgeAt_) {
        // Lists drop their items' interfaces as they change; their proxies go
        // with them.
        for (auto entry = children_.begin(); entry != children_.end();) {
            const auto* proxy =
                dynamic_cast<CAccessibleProxy*>(QAccessible::accessibleInterface(entry.value()));
            if (proxy == nullptr || proxy->Inner() == nullptr) {
                if (proxy != nullptr) {
                    QAccessible::deleteAccessibleInterface(entry.value());
                }
                entry = children_.erase(entry);
            } else {
                ++entry;
            }
        }
        purgeAt_ = std::max<qsizetype>(64, 2 * children_.size());
    }
    auto* proxy = new CAccessibleProxy(child);
    children_.insert(id, QAccessible::registerAccessibleInterface(proxy));
    return proxy;
}

QAccessibleTableInterface* CAccessibleProxy::Table() const {
    QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->tableInterface() : nullptr;
}

QAccessibleInterface* CAccessibleProxy::caption() const {
    return Table() != nullptr ? Wrap(Table()->caption()) : nullptr;
}

QAccessibleInterface* CAccessibleProxy::summary() const {
    return Table() != nullptr ? Wrap(Table()->summary()) : nullptr;
}

QAccessibleInterface* CAccessibleProxy::cellAt(int row, int column) const {
    return Table() != nullptr ? Wrap(Table()->cellAt(row, column)) : nullptr;
}

int CAccessibleProxy::selectedCellCount() const {
    return Table() != nullptr ? Table()->selectedCellCount() : 0;
}

QList<QAccessibleInterface*> CAccessibleProxy::selectedCells() const {
    QList<QAccessibleInterface*> cells =
        Table() != nullptr ? Table()->selectedCells() : QList<QAccessibleInterface*>();
    for (QAccessibleInterface*& cell : cells) {
        cell = Wrap(cell);
    }
    return cells;
}

QString CAccessibleProxy::columnDescription(int column) const {
    return Table() != nullptr ? Table()->columnDescription(column) : QString();
}

QString CAccessibleProxy::rowDescription(int row) const {
    return Table() != nullptr ? Table()->rowDescription(row) : QString();
}

int CAccessibleProxy::selectedColumnCount() const {
    return Table() != nullptr ? Table()->selectedColumnCount() : 0;
}

int CAccessibleProxy::selectedRowCount() const {
    return Table() != nullptr ? Table()->selectedRowCount() : 0;
}

int CAccessibleProxy::columnCount() const {
    return Table() != nullptr ? Table()->columnCount() : 0;
}

int CAccessibleProxy::rowCount() const {
    return Table() != nullptr ? Table()->rowCount() : 0;
}

QList<int> CAccessibleProxy::selectedColumns() const {
    return Table() != nullptr ? Table()->selectedColumns() : QList<int>();
}

QList<int> CAccessibleProxy::selectedRows() const {
    return Table() != nullptr ? Table()->selectedRows() : QList<int>();
}

bool CAccessibleProxy::isColumnSelected(int column) const {
    return Table() != nullptr && Table()->isColumnSelected(column);
}

bool CAccessibleProxy::isRowSelected(int row) const {
    return Table() != nullptr && Table()->isRowSelected(row);
}

bool CAccessibleProxy::selectRow(int row) {
    return Table() != nullptr && Table()->selectRow(row);
}

bool CAccessibleProxy::selectColumn(int column) {
    return Table() != nullptr && Table()->selectColumn(column);
}

bool CAccessibleProxy::unselectRow(int row) {
    return Table() != nullptr && Table()->unselectRow(row);
}

bool CAccessibleProxy::unselectColumn(int column) {
    return Table() != nullptr && Table()->unselectColumn(column);
}

void CAccessibleProxy::modelChange(QAccessibleTableModelChangeEvent* event) {
    if (Table() != nullptr) {
        Table()->modelChange(event);
    }
}

QAccessibleTextInterface* CAccessibleProxy::Text() const {
    QAccessibleInterface* inner = Inner();
    return inner != nullptr ? inner->textInterface() : nullptr;
}

void CAccessibleProxy::selection(int index, int* start, int* end) const {
    *start = *end = 0;
    if (Text() != nullptr) {
        Text()->selection(index, start, end);
    }
}

int CAccessibleProxy::selectionCount() const {
    return Text() != nullptr ? Text()->selectionCount() : 0;
}

void CAccessibleProxy::addSelection(int start, int end) {
    if (Text() != nullptr) {
        Text()->addSelection(start, end);
    }
}

void CAccessibleProxy::removeSelection(int index) {
    if (Text() != nullptr) {
        Text()->removeSelection(index);
    }
}

void CAccessibleProxy::setSelection(int index, int start, int end) {
    if (Text() != nullptr) {
        Text()->setSelection(index, start, end);
    }
}

int CAccessibleProxy::cursorPosition() const {
    return Text() != nullptr ? Text()->cursorPosition() : 0;
}

void CAccessibleProxy::setCursorPosition(int position) {
    if (Text() != nullptr) {
        Text()->setCursorPosition(position);
    }
}

QString CAccessibleProxy::text(int start, int end) const {
    return Text() != nullptr ? Text()->text(start, end) : QString();
}

QString CAccessibleProxy::textBeforeOffset(int offset, QAccessible::TextBoundaryType type,
                                           int* start, int* end) const {
    *start = *end = -1;
    return Text() != nullptr ? Text()->textBeforeOffset(offset, type, start, end) : QString();
}

QString CAccessibleProxy::textAfterOffset(int offset, QAccessible::TextBoundaryType type,
                                          int* start, int* end) const {
    *start = *end = -1;
    return Text() != nullptr ? Text()->textAfterOffset(offset, type, start, end) : QString();
}

QString CAccessibleProxy::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                                       int* end) const {
    *start = *end = -1;
    return Text() != nullptr ? Text()->textAtOffset(offset, type, start, end) : QString();
}

int CAccessibleProxy::characterCount() const {
    return Text() != nullptr ? Text()->characterCount() : 0;
}

QRect CAccessibleProxy::characterRect(int offset) const {
    return Text() != nullptr ? ToScreenPixels(Text()->characterRect(offset), window()) : QRect();
}

int CAccessibleProxy::offsetAtPoint(const QPoint& point) const {
    return Text() != nullptr ? Text()->offsetAtPoint(FromScreenPixels(point, window())) : -1;
}

void CAccessibleProxy::scrollToSubstring(int start, int end) {
    if (Text() != nullptr) {
        Text()->scrollToSubstring(start, end);
    }
}

QString CAccessibleProxy::attributes(int offset, int* start, int* end) const {
    *start = *end = offset;
    return Text() != nullptr ? Text()->attributes(offset, start, end) : QString();
}
