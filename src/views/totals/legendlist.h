#pragma once

#include <QList>
#include <QTableWidget>

#include "report/graphitem.h"

class CCurrencyTable;
class QLabel;

// The subtotals' legend: one row per group with a check box, a colour
// swatch, the group's name under "Legend" and its sum under "Value", and the
// sum of the ticked groups in the "Total:" label under it. Ticking a box
// says so with shownChanged; a tap on a row's name or swatch (pen down and up
// on the same row) with rowTapped. A pressed row shows in the highlight
// colours until the pen lifts.
class CLegendList : public QTableWidget {
    Q_OBJECT

public:
    explicit CLegendList(QWidget* parent = nullptr);

    // The values are written in the home currency of `table` (not owned);
    // without one they stay empty and the total reads "0.00".
    void SetCurrencyTable(const CCurrencyTable* table) { currencies_ = table; }
    // The label that shows "Total:" (not owned).
    void SetTotalLabel(QLabel* label) { totalLabel_ = label; }

    // New rows for `items`, each swatch in the item's colour, and the total.
    void Fill(const QList<GraphItem>& items, bool withSwatches);
    // Only the total, after the ticks changed.
    void UpdateTotal(const QList<GraphItem>& items);

    // The row the pen is down on, or -1.
    int PressedRow() const { return pressed_; }

signals:
    void shownChanged(int row, bool shown);
    void rowTapped(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString Format(double value) const;
    void Highlight(int row, bool on);
    void OnItemChanged(QTableWidgetItem* item);

    const CCurrencyTable* currencies_ = nullptr;  // not owned
    QLabel* totalLabel_ = nullptr;                // not owned
    QList<bool> ticks_;                           // each row's box as last seen
    int pressed_ = -1;
    bool filling_ = false;
};
