#include "views/grid/listgridaccessible.h"

#include <QPointer>

#include "views/grid/listgrid.h"
#include "views/widgets/accessibleproxy.h"

namespace {

// One cell, found again by its place: the grid answers for its contents.
class GridCellAccessible : public QAccessibleInterface,
                           public QAccessibleTableCellInterface,
                           public QAccessibleActionInterface {
public:
    GridCellAccessible(CListGrid* grid, bool header, int row, int column)
        : grid_(grid), header_(header), row_(row), column_(column) {}

    bool isValid() const override {
        return grid_ != nullptr && column_ < grid_->ColumnCount() &&
               row_ < (header_ ? grid_->HeaderRowCount() : grid_->RowCount());
    }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(grid_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        if (isValid() && !header_ && kind == QAccessible::Description) {
            return grid_->CellFormat(column_, row_).markName;
        }
        if (!isValid() || (kind != QAccessible::Name && kind != QAccessible::Value)) {
            return QString();
        }
        if (header_) {
            return grid_->Heading(column_, row_);
        }
        const GridCellFormat format = grid_->CellFormat(column_, row_);
        if (format.checkBox) {
            return format.checked ? QStringLiteral("checked") : QStringLiteral("not checked");
        }
        // An empty cell is heard as one, as screen readers say of them.
        const QString shown = grid_->CellText(column_, row_);
        return shown.isEmpty() && kind == QAccessible::Name ? QStringLiteral("blank") : shown;
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return QRect();
        }
        const QRect cell =
            header_ ? grid_->HeaderCellRect(column_, row_) : grid_->CellRect(column_, row_);
        return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override {
        if (header_) {
            return QAccessible::ColumnHeader;
        }
        return isValid() && grid_->CellFormat(column_, row_).checkBox ? QAccessible::CheckBox
                                                                      : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        if (!header_) {
            state.selectable = true;
            state.selected = isSelected();
            const GridCellFormat format = grid_->CellFormat(column_, row_);
            state.checkable = format.checkBox;
            state.checked = format.checkBox && format.checked;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::ActionInterface) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    bool isSelected() const override {
        return !header_ && grid_ != nullptr && grid_->SelectedRow() == row_;
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QList<QAccessibleInterface*> headers;
        if (auto* table = static_cast<CListGridAccessible*>(parent())) {
            for (int headerRow = 0; headerRow < grid_->HeaderRowCount(); ++headerRow) {
                headers.append(table->Cell(true, headerRow, column_));
            }
        }
        return headers;
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name != pressAction() || !isValid()) {
            return;
        }
        if (header_) {
            grid_->ActivateHeading(column_, row_);
        } else {
            grid_->ActivateCell(column_, row_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CListGrid> grid_;
    bool header_;
    int row_;
    int column_;
};

quint64 Key(bool header, int row, int column) {
    return (quint64(header) << 63) | (quint64(quint32(row)) << 16) | quint64(quint16(column));
}

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("CListGrid") && object != nullptr && object->isWidgetType()) {
        return new CListGridAccessible(static_cast<CListGrid*>(object));
    }
    return nullptr;
}

}  // namespace

CListGridAccessible::CListGridAccessible(CListGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

CListGridAccessible::~CListGridAccessible() {
    for (QAccessible::Id id : std::as_const(cells_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

void CListGridAccessible::Install() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(Factory);
        // The proxies stay the first to be asked.
        CAccessibleProxy::Install();
    }
}

CListGrid* CListGridAccessible::Grid() const {
    return static_cast<CListGrid*>(widget());
}

void* CListGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* CListGridAccessible::Cell(bool header, int row, int column) const {
    const quint64 key = Key(header, row, column);
    if (const auto found = cells_.constFind(key); found != cells_.constEnd()) {
        return QAccessible::accessibleInterface(*found);
    }
    auto* cell = new GridCellAccessible(Grid(), header, row, column);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int CListGridAccessible::childCount() const {
    return (Grid()->HeaderRowCount() + Grid()->RowCount()) * Grid()->ColumnCount();
}

QAccessibleInterface* CListGridAccessible::child(int index) const {
    const int columns = Grid()->ColumnCount();
    if (index < 0 || columns == 0 || index >= childCount()) {
        return nullptr;
    }
    const int row = index / columns;
    const int headers = Grid()->HeaderRowCount();
    return row < headers ? Cell(true, row, index % columns)
                         : Cell(false, row - headers, index % columns);
}

int CListGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QAccessibleTableCellInterface* cell =
        const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr || child->parent() == nullptr || child->parent()->object() != widget()) {
        return -1;
    }
    const bool header = child->role() == QAccessible::ColumnHeader;
    const int row = header ? cell->rowIndex() : Grid()->HeaderRowCount() + cell->rowIndex();
    return row * Grid()->ColumnCount() + cell->columnIndex();
}

QAccessibleInterface* CListGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= Grid()->RowCount() || column < 0 || column >= Grid()->ColumnCount()) {
        return nullptr;
    }
    return Cell(false, row, column);
}

int CListGridAccessible::selectedCellCount() const {
    return Grid()->SelectedRow() >= 0 ? Grid()->ColumnCount() : 0;
}

QList<QAccessibleInterface*> CListGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const int row = Grid()->SelectedRow();
    for (int column = 0; row >= 0 && column < Grid()->ColumnCount(); ++column) {
        cells.append(Cell(false, row, column));
    }
    return cells;
}

QString CListGridAccessible::columnDescription(int column) const {
    QStringList headings;
    for (int headerRow = 0; headerRow < Grid()->HeaderRowCount(); ++headerRow) {
        headings.append(Grid()->Heading(column, headerRow));
    }
    return headings.join(QStringLiteral(" / "));
}

QString CListGridAccessible::rowDescription(int) const {
    return QString();
}

int CListGridAccessible::selectedRowCount() const {
    return Grid()->SelectedRow() >= 0 ? 1 : 0;
}

int CListGridAccessible::columnCount() const {
    return Grid()->ColumnCount();
}

int CListGridAccessible::rowCount() const {
    return Grid()->RowCount();
}

QList<int> CListGridAccessible::selectedRows() const {
    return Grid()->SelectedRow() >= 0 ? QList<int>{Grid()->SelectedRow()} : QList<int>{};
}

bool CListGridAccessible::isRowSelected(int row) const {
    return Grid()->SelectedRow() == row;
}

bool CListGridAccessible::selectRow(int row) {
    Grid()->SetSelectedRow(row);
    return Grid()->SelectedRow() == row;
}

bool CListGridAccessible::unselectRow(int row) {
    if (Grid()->SelectedRow() == row) {
        Grid()->SetSelectedRow(-1);
    }
    return true;
}
