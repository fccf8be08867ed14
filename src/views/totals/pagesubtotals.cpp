#include "views/totals/pagesubtotals.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "report/expensedoc.h"
#include "report/subtotals.h"
#include "views/totals/daterangebox.h"
#include "views/totals/daterangedialog.h"
#include "views/totals/graphview.h"
#include "views/totals/legendlist.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

namespace {

// The button's two pictures: bars while the graph shows, list lines while
// the legend has the whole page.
QIcon GraphPicture(bool shown) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    if (shown) {
        painter.fillRect(2, 8, 3, 7, QColor(150, 0, 0));
        painter.fillRect(7, 3, 3, 12, QColor(0, 120, 0));
        painter.fillRect(12, 6, 3, 9, QColor(0, 0, 160));
        painter.setPen(Qt::black);
        painter.drawLine(0, 15, 15, 15);
        painter.drawLine(0, 0, 0, 15);
    } else {
        painter.setPen(Qt::black);
        for (int y = 2; y < 16; y += 4) {
            painter.fillRect(1, y, 2, 2, Qt::black);
            painter.drawLine(5, y, 14, y);
        }
    }
    return QIcon(picture);
}

QLabel* MakeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(AppFont());
    label->setAccessibleName(text);
    return label;
}

}  // namespace

CPageSubtotals::CPageSubtotals(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent),
      document_(document),
      subtotalByLabel_(MakeLabel(QStringLiteral("Subtotal By:"), this)),
      subtotalBy_(new QComboBox(this)),
      dateRangeLabel_(MakeLabel(QStringLiteral("Date Range:"), this)),
      dateRange_(new CDateRangeBox(this)),
      graph_(new CGraphView(document.GetRecords(), this)),
      legend_(new CLegendList(this)),
      total_(MakeLabel(QString(), this)),
      grid_(new QGridLayout),
      commands_(new CommandBar(this)),
      graphButton_(nullptr) {
    setAccessibleName(QStringLiteral("Subtotals"));
    connect(commands_->AddButton(QStringLiteral("Done")), &QToolButton::clicked, this,
            &CPageSubtotals::doneChosen);
    connect(commands_->AddButton(QStringLiteral("Totals")), &QToolButton::clicked, this,
            &CPageSubtotals::totalsChosen);
    graphButton_ = commands_->AddButton(QStringLiteral("Show or Hide Graph"));
    graphButton_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    graphButton_->setCheckable(true);
    graphButton_->setToolTip(graphButton_->text());
    connect(graphButton_, &QToolButton::clicked, this,
            [this] { ShowGraph(!graph_->isVisibleTo(this)); });
    commands_->AddStretch();

    legend_->SetCurrencyTable(&document_.GetCurrencyTable());
    legend_->SetTotalLabel(total_);
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont totalFont = AppFont();
    totalFont.setWeight(QFont::Bold);
    total_->setFont(totalFont);
    graph_->SetLegend(legend_);
    // Low enough for the square screen, whose page is only about 190 high:
    // a page that asked for more would grow the window out of its form.
    graph_->setMinimumHeight(40);
    legend_->setMinimumHeight(40);
    // The stretch factors share the height out, not the table's wish.
    legend_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    graph_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    legend_->UpdateTotal({});
    connect(legend_, &CLegendList::shownChanged, graph_, &CGraphView::SetShown);
    connect(legend_, &CLegendList::rowTapped, this, &CPageSubtotals::SelectGroup);

    subtotalBy_->setFont(AppFont());
    subtotalBy_->setAccessibleName(QStringLiteral("Subtotal By:"));
    dateRange_->setFont(AppFont());
    const QString classifyBy = document_.GetClassificationGroups().GetCurrentGroupName();
    for (int position = 0; position < CSubtotals::kGroupingCount; ++position) {
        const bool classification = CSubtotals::FieldOfPosition(position) == kFieldClassification;
        subtotalBy_->addItem(classification && !classifyBy.isEmpty()
                                 ? classifyBy
                                 : CSubtotals::CaptionOfPosition(position));
    }
    CPreferences& preferences = document_.GetPreferences();
    const int stored = preferences.GetSubtotalBy();
    subtotalBy_->setCurrentIndex(stored >= 0 && stored < CSubtotals::kGroupingCount ? stored : 0);
    graph_->SetGroupBy(CSubtotals::FieldOfPosition(subtotalBy_->currentIndex()));
    connect(subtotalBy_, &QComboBox::currentIndexChanged, this,
            [this](int position) { graph_->SetGroupBy(CSubtotals::FieldOfPosition(position)); });

    dateRange_->Refill(preferences);
    ApplyDateRange();
    connect(dateRange_, &CDateRangeBox::tapped, this, &CPageSubtotals::ChooseDateRange);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(grid_, 1);
    layout->addWidget(commands_);

    ShowGraph(preferences.GetShowGraph());
    preferences.SetSubtotals(1);
    preferences.WriteRegistry();
}

CPageSubtotals::~CPageSubtotals() {
    CPreferences& preferences = document_.GetPreferences();
    preferences.SetSubtotalBy(subtotalBy_->currentIndex());
    preferences.WriteRegistry();
}

void CPageSubtotals::ApplyLayout(ScreenLayout layout) {
    layout_ = layout;
    // A hidden chart's row or column gets no share: the legend takes it.
    const int graphShare = graph_->isVisibleTo(this) ? 1 : 0;
    for (QWidget* control :
         {static_cast<QWidget*>(subtotalByLabel_), static_cast<QWidget*>(subtotalBy_),
          static_cast<QWidget*>(dateRangeLabel_), static_cast<QWidget*>(dateRange_),
          static_cast<QWidget*>(graph_), static_cast<QWidget*>(legend_),
          static_cast<QWidget*>(total_)}) {
        grid_->removeWidget(control);
    }
    for (int row = 0; row < grid_->rowCount(); ++row) {
        grid_->setRowStretch(row, 0);
    }
    for (int column = 0; column < grid_->columnCount(); ++column) {
        grid_->setColumnStretch(column, 0);
    }
    grid_->setContentsMargins(3, 3, 3, 2);
    grid_->setSpacing(3);
    if (layout == ScreenLayout::Landscape) {
        // Wide and low: the chart on the left, the choices and the legend
        // beside it. A hidden chart leaves its column to the legend.
        grid_->addWidget(graph_, 0, 0, 5, 1);
        grid_->addWidget(subtotalByLabel_, 0, 1);
        grid_->addWidget(subtotalBy_, 0, 2);
        grid_->addWidget(dateRangeLabel_, 1, 1);
        grid_->addWidget(dateRange_, 1, 2);
        grid_->addWidget(legend_, 2, 1, 2, 2);
        grid_->addWidget(total_, 4, 1, 1, 2);
        grid_->setColumnStretch(0, graphShare);
        grid_->setColumnStretch(2, 1);
        grid_->setRowStretch(2, 1);
    } else {
        grid_->addWidget(subtotalByLabel_, 0, 0);
        grid_->addWidget(subtotalBy_, 0, 1);
        grid_->addWidget(dateRangeLabel_, 1, 0);
        grid_->addWidget(dateRange_, 1, 1);
        grid_->addWidget(graph_, 2, 0, 1, 2);
        grid_->addWidget(legend_, 3, 0, 1, 2);
        grid_->addWidget(total_, 4, 0, 1, 2);
        grid_->setColumnStretch(1, 1);
        // The square screen is low: chart and legend share it equally.
        grid_->setRowStretch(2, graphShare * (layout == ScreenLayout::Portrait ? 3 : 2));
        grid_->setRowStretch(3, 2);
    }
    // The empty chart's axis follows the form of the screen.
    graph_->Recompute(false);
}

void CPageSubtotals::ShowGraph(bool show) {
    graph_->setVisible(show);
    ApplyLayout(layout_);
    graphButton_->setChecked(show);
    graphButton_->setIcon(GraphPicture(show));
    CPreferences& preferences = document_.GetPreferences();
    preferences.SetShowGraph(show);
    preferences.WriteRegistry();
}

void CPageSubtotals::ChooseDateRange() {
    CDateRangeDialog dialog(document_.GetPreferences(), window());
    dialog.exec();
    dateRange_->Refill(document_.GetPreferences());
    ApplyDateRange();
}

void CPageSubtotals::ApplyDateRange() {
    CSubtotals::ApplyDateRange(document_.GetRecords(), document_.GetPreferences());
    graph_->Recompute(true);
}

void CPageSubtotals::SelectGroup(int row) {
    const QList<GraphItem>& items = graph_->Items();
    if (row < 0 || row >= items.size()) {
        return;
    }
    CRecordsQuery& query = document_.GetRecords().GetQuery();
    query.AddCondition(CSubtotals::GroupCondition(graph_->GetGroupBy(), items[row].label));
    query.Evaluate();
    emit groupChosen();
}
