#pragma once

#include <QList>
#include <QWidget>
#include <memory>

#include "report/graphitem.h"

class CChartControl;
class CExpenseRecords;
class CLegendList;

// The subtotals' chart: the selected expenses grouped by one field, one bar
// per ticked group in the group's colour, over an axis that fits the
// largest. The legend below it is refilled whenever the groups are.
class CGraphView : public QWidget {
    Q_OBJECT

public:
    // Groups the expenses of `records` (not owned).
    explicit CGraphView(CExpenseRecords& records, QWidget* parent = nullptr);
    ~CGraphView() override;

    // Groups by the field `fieldCode` and draws anew.
    void SetGroupBy(qint32 fieldCode);
    qint32 GetGroupBy() const { return groupBy_; }
    // A new chart of the groups; with `rebuildItems` the groups are made
    // again from the expenses and the legend is refilled.
    void Recompute(bool rebuildItems);
    void SetLegend(CLegendList* legend) { legend_ = legend; }

    // Draws group `index` and counts it in the total, or not.
    void SetShown(int index, bool shown);
    const QList<GraphItem>& Items() const { return items_; }
    const CChartControl* Chart() const { return chart_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool IsPortrait() const;

    CExpenseRecords& records_;  // not owned
    QList<GraphItem> items_;
    qint32 groupBy_;
    std::unique_ptr<CChartControl> chart_;
    CLegendList* legend_ = nullptr;  // not owned
};
