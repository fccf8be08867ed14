#include "views/grid/simplelist.h"

#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "views/grid/expensecells.h"
#include "views/grid/sortheading.h"

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 14;

}  // namespace

CSimpleList::CSimpleList(CExpenseDoc& document, QWidget* parent)
    : document_(document), grid_(new CListGrid(*this, parent)) {
    grid_->setObjectName(QStringLiteral("SimpleList"));
    grid_->setAccessibleName(QStringLiteral("Expenses"));
    grid_->SetColumnCount(4);
    grid_->SetHeaderRows(1, kHeaderHeight);
    grid_->SetBodyRowHeight(kRowHeight);
    grid_->SetRowsPerItem(1);
    const char* headings[] = {"Date", "Categ.", "Description", "Amount"};
    for (int column = 0; column < 4; ++column) {
        grid_->SetHeading(column, 0, QString::fromLatin1(headings[column]));
    }
    ExpenseCells::SetBodyFont(grid_->BodyFormat());
    ExpenseCells::SetColumnWidths(*grid_);
    QObject::connect(grid_, &CListGrid::resized, grid_,
                     [this] { ExpenseCells::SetColumnWidths(*grid_); });
}

bool CSimpleList::ReportOpen() const {
    return document_.GetReport().IsOpen();
}

void CSimpleList::ReloadSimple() {
    grid_->HideTip();
    grid_->SetRowCount(ReportOpen() ? document_.GetRecords().GetCount(true) : 0);
    ExpenseCells::SetColumnWidths(*grid_);
    grid_->Reload();
}

int CSimpleList::HeightForRows(int rows) const {
    return kHeaderHeight + rows * kRowHeight + 2 * grid_->frameWidth() +
           (grid_->horizontalScrollBar()->isVisible() ? grid_->horizontalScrollBar()->height()
                                                      : 0);
}

void CSimpleList::GetCell(int column, int row, GridCellFormat& format, QString& text) {
    const CExpenseRecord* record = document_.GetRecords().GetAt(row, true);
    if (record == nullptr) {
        return;
    }
    text = ExpenseCells::FirstLine(document_, *record, column);
    if (column == 3) {
        format.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

void CSimpleList::GetHeaderCell(int column, int, GridCellFormat& format) {
    if (column == CExpenseRecords::GetSortField()) {
        format.background = ExpenseCells::SortHeadingColour();
    }
}

void CSimpleList::OnCellTap(int column, int row, const QRect& cell, const QPoint&, bool penUp) {
    if (!penUp || !ReportOpen()) {
        return;
    }
    const CExpenseRecord* record = document_.GetRecords().GetAt(row, true);
    if (record == nullptr) {
        return;
    }
    if (column == 3) {
        const QString tip = ExpenseCells::HomeCurrencyTip(document_, *record);
        if (!tip.isEmpty()) {
            grid_->ShowTip(tip, cell);
            return;
        }
    }
    if (edit_) {
        edit_(row);
    }
}

void CSimpleList::OnHeaderTap(int column, int) {
    if (!ReportOpen()) {
        return;
    }
    SortByHeading(document_, column);
    ReloadSimple();
}
