#include "views/totals/graphview.h"

#include <QPainter>

#include "platform/screen.h"
#include "report/recordquery.h"
#include "report/subtotals.h"
#include "views/totals/chartcontrol.h"
#include "views/totals/legendlist.h"

CGraphView::CGraphView(CExpenseRecords& records, QWidget* parent)
    : QWidget(parent), records_(records), groupBy_(kFieldCategory) {
    setWindowTitle(QStringLiteral("Graph"));
    setAccessibleName(QStringLiteral("Graph"));
}

CGraphView::~CGraphView() = default;

void CGraphView::SetGroupBy(qint32 fieldCode) {
    groupBy_ = fieldCode;
    Recompute(true);
}

bool CGraphView::IsPortrait() const {
    const QWidget* screen = window();
    return GetScreenLayout(screen->width(), screen->height()) == ScreenLayout::Portrait;
}

void CGraphView::Recompute(bool rebuildItems) {
    chart_ = std::make_unique<CChartControl>(CChartControl::kBar3D);
    chart_->SetGrid(true);
    if (rebuildItems) {
        items_ = CSubtotals::Group(records_, groupBy_);
    }
    if (items_.isEmpty()) {
        chart_ = std::make_unique<CChartControl>();
        chart_->SetAxis(0, IsPortrait() ? 100 : 50, 10);
    } else {
        CChartControl::Series series;
        int dataMax = 0;
        for (const GraphItem& item : items_) {
            if (!item.shown) {
                continue;
            }
            const int value = CSubtotals::ChartValue(item.value);
            const int point = static_cast<int>(series.size());
            CChartControl::SetPoint(series, point, value);
            chart_->SetPointColour(point, item.colour);
            dataMax = qMax(dataMax, value);
        }
        chart_->AddSeries(series);
        const CSubtotals::Axis axis = CSubtotals::ValueAxis(dataMax, IsPortrait());
        chart_->SetAxis(0, axis.maximum, axis.interval);
    }
    update();
    if (legend_ == nullptr) {
        return;
    }
    if (rebuildItems) {
        legend_->Fill(items_, true);
    } else {
        legend_->UpdateTotal(items_);
    }
}

void CGraphView::SetShown(int index, bool shown) {
    if (index < 0 || index >= items_.size()) {
        return;
    }
    items_[index].shown = shown;
    Recompute(false);
}

void CGraphView::paintEvent(QPaintEvent*) {
    if (chart_ == nullptr) {
        return;
    }
    QPainter painter(this);
    chart_->Draw(painter, rect());
}
