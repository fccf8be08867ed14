#include "views/grid/gridviewdetails.h"

#include <QVBoxLayout>

#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "views/grid/expensecells.h"
#include "views/grid/sortheading.h"
#include "views/widgets/appfont.h"

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 16;
constexpr int kSecondRowKeys = 4;

}  // namespace

CGridViewDetails::CGridViewDetails(CExpenseDoc& document, QWidget* parent)
    : QWidget(parent), document_(document), grid_(new CListGrid(*this, this)) {
    setObjectName(QStringLiteral("Details"));
    setAccessibleName(QStringLiteral("Detailed list"));
    grid_->setObjectName(QStringLiteral("DetailedList"));
    grid_->setAccessibleName(QStringLiteral("Expenses"));
    grid_->SetColumnCount(4);
    grid_->SetHeaderRows(2, kHeaderHeight);
    grid_->SetBodyRowHeight(kRowHeight);
    grid_->SetRowsPerItem(2);
    const char* first[] = {"Date", "Categ.", "Description", "Amount"};
    const char* second[] = {"Rcpt", "Class.", "Paid With", "Exp Type"};
    for (int column = 0; column < 4; ++column) {
        grid_->SetHeading(column, 0, QString::fromLatin1(first[column]));
        grid_->SetHeading(column, 1, QString::fromLatin1(second[column]));
    }
    ExpenseCells::SetBodyFont(grid_->BodyFormat());
    connect(grid_, &CListGrid::resized, this, [this] { ExpenseCells::SetColumnWidths(*grid_); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
}

bool CGridViewDetails::ReportOpen() const {
    return document_.GetReport().IsOpen();
}

void CGridViewDetails::ReloadDetails() {
    grid_->HideTip();
    if (ReportOpen()) {
        const int count = document_.GetRecords().GetCount(true);
        // After the last expenses went, the selection stays on the last one.
        if (count > 0 && grid_->SelectedRow() >= 2 * count) {
            grid_->SetSelectedRow(2 * count - 2);
        }
        grid_->SetRowCount(2 * count);
    } else {
        grid_->SetRowCount(0);
    }
    const QString group = document_.GetClassificationGroups().GetCurrentGroupName();
    grid_->SetHeading(1, 1, group.isEmpty() ? QStringLiteral("Class.") : group);
    ExpenseCells::SetColumnWidths(*grid_);
    grid_->Reload();
}

void CGridViewDetails::GetCell(int column, int row, GridCellFormat& format, QString& text) {
    const CExpenseRecord* record = document_.GetRecords().GetAt(row / 2, true);
    if (record == nullptr) {
        return;
    }
    const bool second = row % 2 == 1;
    // One expense reads as one block: no line between its two rows.
    format.borders &= second ? ~GridCellFormat::kTop : ~GridCellFormat::kBottom;
    if (grid_->SelectedRow() >= 0 && grid_->SelectedRow() / 2 == row / 2) {
        format.background = palette().color(QPalette::Highlight);
        format.text = palette().color(QPalette::HighlightedText);
    }
    if (second && column == 0) {
        format.checkBox = true;
        format.checked = record->GetReceipt();
        // Beside the box: how many receipt files the expense has, or "+"
        // to attach the first.
        if (receipts_ != nullptr) {
            const auto count = receipts_->ReceiptsOf(record->GetId()).size();
            text = count > 0 ? QString::number(count) : QStringLiteral("+");
            format.markName = count == 1  ? QStringLiteral("1 receipt")
                              : count > 0 ? QStringLiteral("%1 receipts").arg(count)
                                          : QStringLiteral("no receipts");
        }
        return;
    }
    text = second ? ExpenseCells::SecondLine(*record, column)
                  : ExpenseCells::FirstLine(document_, *record, column);
    if (!second && column == 3) {
        format.alignment = Qt::AlignRight | Qt::AlignVCenter;
    }
}

void CGridViewDetails::GetHeaderCell(int column, int headerRow, GridCellFormat& format) {
    const int key = column + headerRow * kSecondRowKeys;
    if (key == CExpenseRecords::GetSortField()) {
        format.background = ExpenseCells::SortHeadingColour();
    }
}

void CGridViewDetails::OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                                 bool penUp) {
    if (!penUp || !ReportOpen()) {
        return;
    }
    CExpenseRecord* record = document_.GetRecords().GetAt(row / 2, true);
    if (record == nullptr) {
        return;
    }
    const bool second = row % 2 == 1;
    if (second && column == 0 && CListGrid::CheckBoxRect(cell).contains(point)) {
        record->SetReceipt(!record->GetReceipt());
        document_.SetModifiedFlag(true);
        document_.SaveReport(false);
        grid_->RepaintRow(row);
        return;
    }
    if (second && column == 0 && openReceipts_ &&
        CListGrid::CheckBoxMarkRect(cell).contains(point)) {
        openReceipts_(row / 2);
        return;
    }
    if (!second && column == 3) {
        const QString tip = ExpenseCells::HomeCurrencyTip(document_, *record);
        if (!tip.isEmpty()) {
            grid_->ShowTip(tip, cell);
            return;
        }
    }
    if (edit_) {
        edit_(row / 2);
    }
}

void CGridViewDetails::OnHeaderTap(int column, int headerRow) {
    if (!ReportOpen()) {
        return;
    }
    SortByHeading(document_, column + headerRow * kSecondRowKeys);
    ReloadDetails();
}

void CGridViewDetails::OnSelectionChange(int oldRow, int newRow) {
    // Both rows of the old and the new expense change colour; a move within
    // one expense changes nothing.
    if (oldRow >= 0 && newRow >= 0 && oldRow / 2 == newRow / 2) {
        return;
    }
    for (int row : {oldRow, newRow}) {
        if (row >= 0) {
            grid_->RepaintRow(row - row % 2);
            grid_->RepaintRow(row - row % 2 + 1);
        }
    }
}
