#pragma once

#include <QTreeWidget>
#include <initializer_list>
#include <utility>

// A list of rows under column headings, as the list editors show their
// items: one row selected at a time, picked with a tap. Columns keep the
// widths they are given, so that the same screen reads the same in every
// form of the window.
class CColumnList : public QTreeWidget {
    Q_OBJECT

public:
    // Headings with their widths in the handheld's pixels; a width of 0
    // takes what is left of the list's width.
    CColumnList(const QString& accessibleName,
                std::initializer_list<std::pair<QString, int>> columns, QWidget* parent);

    // Appends a row; `texts` follow the columns.
    QTreeWidgetItem* AddRow(const QStringList& texts);
    // The selected row, -1 for none.
    int SelectedRow() const;
    void SelectRow(int row);
    // A column's text in `row`; empty outside the list.
    QString Text(int row, int column) const;

signals:
    // Pen down and up on the same row, or Enter on the selected one.
    void rowTapped(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
