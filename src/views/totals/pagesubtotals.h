#pragma once

#include <QWidget>

#include "platform/screen.h"

class CDateRangeBox;
class CExpenseDoc;
class CGraphView;
class CLegendList;
class CommandBar;
class QComboBox;
class QGridLayout;
class QLabel;
class QToolButton;

// The Subtotals page: the expenses within the chosen date range grouped by
// "Subtotal By:", as a chart and as a legend with each group's sum and the
// total of the ticked groups. Opening it replaces the selection by the date
// range's; a tap on a group selects that group's expenses within the range
// and asks for the window to close (groupChosen).
class CPageSubtotals : public QWidget {
    Q_OBJECT

public:
    CPageSubtotals(CExpenseDoc& document, QWidget* parent);
    // Remembers the "Subtotal By:" choice.
    ~CPageSubtotals() override;

    void ApplyLayout(ScreenLayout layout);

    QComboBox* SubtotalBy() const { return subtotalBy_; }
    CDateRangeBox* DateRange() const { return dateRange_; }
    CGraphView* Graph() const { return graph_; }
    CLegendList* Legend() const { return legend_; }
    QLabel* Total() const { return total_; }
    QToolButton* GraphButton() const { return graphButton_; }
    CommandBar* Commands() const { return commands_; }

    // Shows the graph, or gives its room to the legend, and remembers it.
    void ShowGraph(bool show);

signals:
    void doneChosen();
    void totalsChosen();
    void groupChosen();

private:
    void ChooseDateRange();
    void ApplyDateRange();
    void SelectGroup(int row);

    CExpenseDoc& document_;  // not owned
    QLabel* subtotalByLabel_;
    QComboBox* subtotalBy_;
    QLabel* dateRangeLabel_;
    CDateRangeBox* dateRange_;
    CGraphView* graph_;
    CLegendList* legend_;
    QLabel* total_;
    QGridLayout* grid_;
    CommandBar* commands_;
    QToolButton* graphButton_;
    ScreenLayout layout_ = ScreenLayout::Portrait;
};
