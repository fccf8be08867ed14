#pragma once

#include <QAccessibleWidget>
#include <QHash>

class CListGrid;

// A CListGrid as a screen reader sees it: a table of its header and body
// cells, each with its text, and each able to be pressed as a tap would.
// Cells are made when they are first asked for, so a long list costs nothing
// until someone reads it.
class CListGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CListGridAccessible(CListGrid* grid);
    ~CListGridAccessible() override;

    // Makes every CListGrid answer through this class.
    static void Install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // A header cell (headerRow 0 or 1) or a body cell.
    QAccessibleInterface* Cell(bool header, int row, int column) const;

private:
    CListGrid* Grid() const;

    mutable QHash<quint64, QAccessible::Id> cells_;
};
