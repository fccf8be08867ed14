#include "views/settings/columnlist.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "views/widgets/appfont.h"

CColumnList::CColumnList(const QString& accessibleName,
                         std::initializer_list<std::pair<QString, int>> columns, QWidget* parent)
    : QTreeWidget(parent) {
    setAccessibleName(accessibleName);
    setFont(AppFont());
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnCount(static_cast<int>(columns.size()));
    QStringList headings;
    for (const auto& column : columns) {
        headings.append(column.first);
    }
    setHeaderLabels(headings);
    header()->setFont(AppFont());
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
    header()->setMinimumSectionSize(8);
    int column = 0;
    for (const auto& [heading, width] : columns) {
        if (width > 0) {
            header()->setSectionResizeMode(column, QHeaderView::Fixed);
            header()->resizeSection(column, width);
        } else {
            header()->setSectionResizeMode(column, QHeaderView::Stretch);
        }
        ++column;
    }
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit rowTapped(indexOfTopLevelItem(item)); });
}

QTreeWidgetItem* CColumnList::AddRow(const QStringList& texts) {
    return new QTreeWidgetItem(this, texts);
}

int CColumnList::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void CColumnList::SelectRow(int row) {
    clearSelection();
    if (QTreeWidgetItem* item = topLevelItem(row)) {
        item->setSelected(true);
        setCurrentItem(item);
        // A list not yet laid out would scroll by its empty size.
        if (isVisible()) {
            scrollToItem(item);
        }
    }
}

QString CColumnList::Text(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->text(column) : QString();
}

void CColumnList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedRow() >= 0) {
        emit rowTapped(SelectedRow());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
