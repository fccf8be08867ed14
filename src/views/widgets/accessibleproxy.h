#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QHash>

class QWindow;

// A widget as a screen reader meets it: Qt's own interface for it underneath,
// with what that interface gets wrong here put right.
// - Places and sizes are in the screen's pixels. The desktop's zoom (--scale)
//   is Qt's: widgets live in unzoomed pixels, and Qt's bridge to the
//   accessibility bus hands their places on unconverted, so a tool clicking
//   where an object says it is would miss it.
// - A list box is named after its label, not after the item it shows (which
//   stays its value); the inner text field of a list box, date or number
//   field is named after the field.
// - A button or list box that shows a value beside its name ("Paid With":
//   "Cash") gives the value as its description too.
// - A control with a held-pen menu offers the menu as the "ShowMenu" action.
// - A text that does something when tapped (TapLabel) is a button to press.
// Children without a widget of their own (list items, tabs, menu items) are
// wrapped the same way as they are asked for.
class CAccessibleProxy : public QAccessibleInterface,
                         public QAccessibleActionInterface,
                         public QAccessibleTableInterface,
                         public QAccessibleTextInterface {
public:
    // Makes every widget answer through this class from now on. Call it
    // again after installing another factory, which would otherwise be asked
    // first.
    static void Install();

    // `rect` in the unzoomed pixels of `window` (or of the screen under it)
    // in the screen's own pixels; and a point back.
    static QRect ToScreenPixels(const QRect& rect, const QWindow* window);
    static QPoint FromScreenPixels(const QPoint& point, const QWindow* window);

    explicit CAccessibleProxy(QAccessibleInterface* inner);
    ~CAccessibleProxy() override;

    // The interface underneath, or null once it is gone.
    QAccessibleInterface* Inner() const;

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    void virtual_hook(int id, void* data) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override;

    // A table's cells, found by place, are the proxies the tree gives.
    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // A text's characters are placed in the screen's pixels too.
    void selection(int index, int* start, int* end) const override;
    int selectionCount() const override;
    void addSelection(int start, int end) override;
    void removeSelection(int index) override;
    void setSelection(int index, int start, int end) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int start, int end) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int start, int end) override;
    QString attributes(int offset, int* start, int* end) const override;

private:
    QAccessibleInterface* Wrap(QAccessibleInterface* child) const;
    QAccessibleTableInterface* Table() const;
    QAccessibleTextInterface* Text() const;
    QString ValueShownBeside() const;

    QAccessible::Id inner_;
    // The proxies made for children without a widget: the child's id to its
    // proxy's.
    mutable QHash<QAccessible::Id, QAccessible::Id> children_;
    mutable qsizetype purgeAt_ = 64;
};
