#include "views/totals/legendlist.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "lists/currencytable.h"
#include "report/subtotals.h"
#include "views/totals/chartcontrol.h"
#include "views/widgets/appfont.h"

namespace {

constexpr int kLegendColumn = 0;
constexpr int kValueColumn = 1;
const QSize kSwatchSize(18, 16);

QIcon Swatch(quint32 colour) {
    QPixmap picture(kSwatchSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setBrush(CChartControl::ToColor(colour));
    painter.drawRect(QRect(2, 2, 13, 11));
    return QIcon(picture);
}

}  // namespace

CLegendList::CLegendList(QWidget* parent) : QTableWidget(0, 2, parent) {
    setAccessibleName(QStringLiteral("Legend"));
    setFont(AppFont());
    setHorizontalHeaderLabels({QStringLiteral("Legend"), QStringLiteral("Value")});
    horizontalHeader()->setFont(AppFont());
    horizontalHeader()->setSectionResizeMode(kLegendColumn, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(kValueColumn, QHeaderView::ResizeToContents);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeaderItem(kLegendColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeaderItem(kValueColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(kSwatchSize);
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this, &CLegendList::OnItemChanged);
}

QString CLegendList::Format(double value) const {
    return currencies_ != nullptr ? currencies_->FormatInHome(Amount(value), 0) : QString();
}

void CLegendList::Fill(const QList<GraphItem>& items, bool withSwatches) {
    filling_ = true;
    pressed_ = -1;
    setRowCount(0);
    setRowCount(static_cast<int>(items.size()));
    ticks_.clear();
    for (int row = 0; row < items.size(); ++row) {
        const GraphItem& graphItem = items[row];
        auto* legend = new QTableWidgetItem(graphItem.label);
        legend->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        legend->setCheckState(graphItem.shown ? Qt::Checked : Qt::Unchecked);
        if (withSwatches) {
            legend->setIcon(Swatch(graphItem.colour));
        }
        auto* value = new QTableWidgetItem(Format(graphItem.value));
        value->setFlags(Qt::ItemIsEnabled);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, kLegendColumn, legend);
        setItem(row, kValueColumn, value);
        ticks_.append(graphItem.shown);
    }
    filling_ = false;
    UpdateTotal(items);
}

void CLegendList::UpdateTotal(const QList<GraphItem>& items) {
    if (totalLabel_ == nullptr) {
        return;
    }
    const double total = CSubtotals::ShownTotal(items);
    const QString text = currencies_ != nullptr ? Format(total) : QStringLiteral("0.00");
    totalLabel_->setText(QStringLiteral("Total: ") + text);
    totalLabel_->setAccessibleName(totalLabel_->text());
}

void CLegendList::OnItemChanged(QTableWidgetItem* changed) {
    if (filling_ || changed->column() != kLegendColumn) {
        return;
    }
    const int row = changed->row();
    const bool ticked = changed->checkState() == Qt::Checked;
    if (row < 0 || row >= ticks_.size() || ticks_[row] == ticked) {
        return;
    }
    ticks_[row] = ticked;
    emit shownChanged(row, ticked);
}

void CLegendList::Highlight(int row, bool on) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    const QSignalBlocker block(this);
    for (int column = 0; column < columnCount(); ++column) {
        if (QTableWidgetItem* cell = item(row, column)) {
            cell->setBackground(on ? palette().brush(QPalette::Highlight) : QBrush());
            cell->setForeground(on ? palette().brush(QPalette::HighlightedText) : QBrush());
        }
    }
}

void CLegendList::mousePressEvent(QMouseEvent* event) {
    pressed_ = rowAt(event->position().toPoint().y());
    QTableWidget::mousePressEvent(event);
    Highlight(pressed_, true);
}

void CLegendList::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = pressed_;
    const bool tickedBefore = pressed >= 0 && pressed < ticks_.size() && ticks_[pressed];
    // The box toggles on release, inside the table's own handling.
    QTableWidget::mouseReleaseEvent(event);
    Highlight(pressed, false);
    pressed_ = -1;
    const bool toggled =
        pressed >= 0 && pressed < ticks_.size() && ticks_[pressed] != tickedBefore;
    if (pressed >= 0 && !toggled && rowAt(event->position().toPoint().y()) == pressed) {
        emit rowTapped(pressed);
    }
}
