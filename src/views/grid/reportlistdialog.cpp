#include "views/grid/reportlistdialog.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "platform/directories.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expensetotals.h"
#include "report/recordsortorder.h"
#include "report/report.h"
#include "views/grid/expensecells.h"
#include "views/widgets/commandbar.h"

namespace {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 16;
constexpr int kDisplayStyle = 3;

}  // namespace

CReportListDialog::CReportListDialog(CExpenseDoc& document, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Expense Reports..."), TitleButton::None, parent),
      document_(document),
      grid_(new CListGrid(*this, Body())) {
    SetHelpTopic(QStringLiteral("Expense Reports"));
    grid_->setAccessibleName(QStringLiteral("Expense reports"));
    grid_->SetColumnCount(3);
    grid_->SetHeaderRows(2, kHeaderHeight);
    grid_->SetBodyRowHeight(kRowHeight);
    grid_->SetRowsPerItem(2);
    ExpenseCells::SetBodyFont(grid_->BodyFormat());
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    connect(grid_, &CListGrid::resized, this, &CReportListDialog::FitTitleColumn);
    QList<CExpenseReportInfo> headers;
    CExpenseReport::ListReports(headers, GetReportsDirectory(), false);
    for (const CExpenseReportInfo& header : headers) {
        reports_.push_back({header, false});
    }
    grid_->SetRowCount(2 * static_cast<int>(reports_.size()));
    QToolButton* close = Commands()->AddButton(QStringLiteral("Done"));
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
    Commands()->AddStretch();
}

void CReportListDialog::ApplyLayout(ScreenLayout layout) {
    // Outside the landscape form the headings are shorter and the status
    // column narrower.
    const bool wide = layout == ScreenLayout::Landscape;
    grid_->SetHeading(0, 0, QStringLiteral("Title"));
    grid_->SetHeading(0, 1, QStringLiteral("Location"));
    grid_->SetHeading(1, 0, QStringLiteral("Total"));
    grid_->SetHeading(1, 1,
                      wide ? QStringLiteral("Reimbursement Due") : QStringLiteral("Reimb. Due"));
    grid_->SetHeading(2, 0, wide ? QStringLiteral("Submitted") : QStringLiteral("Subm."));
    grid_->SetHeading(2, 1, wide ? QStringLiteral("Reimbursed") : QStringLiteral("Reimb."));
    grid_->SetColumnWidth(1, 100);
    grid_->SetColumnWidth(2, wide ? 50 : 30);
    FitTitleColumn();
}

void CReportListDialog::FitTitleColumn() {
    // The titles give way where this screen's scroll bar is wider than the
    // handheld's, so that the boxes stay in view.
    const int room = grid_->viewport()->width() - grid_->ColumnWidth(1) - grid_->ColumnWidth(2);
    grid_->SetColumnWidth(0, qBound(40, room, 100));
}

void CReportListDialog::GetCell(int column, int row, GridCellFormat& format, QString& text) {
    const size_t index = static_cast<size_t>(row / 2);
    if (index >= reports_.size()) {
        return;
    }
    const CExpenseReportInfo& header = reports_[index].header;
    const bool second = row % 2 == 1;
    format.borders &= second ? ~GridCellFormat::kTop : ~GridCellFormat::kBottom;
    switch (column) {
        case 0:
            text = second ? header.GetLocation().simplified() : header.GetTitle();
            format.alignment = Qt::AlignLeft | Qt::AlignVCenter;
            break;
        case 1: {
            const CExpenseTotals& totals = header.GetTotals();
            text = document_.GetCurrencyTable().FormatInHome(
                second ? totals.GetReimbursementDue() : totals.GetTotal(), kDisplayStyle);
            format.alignment = Qt::AlignRight | Qt::AlignVCenter;
            break;
        }
        case 2:
            format.checkBox = true;
            format.checked = second ? header.IsReimbursed() : header.IsSubmitted();
            break;
        default:
            break;
    }
}

void CReportListDialog::OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                                  bool penUp) {
    const size_t index = static_cast<size_t>(row / 2);
    if (!penUp || index >= reports_.size()) {
        return;
    }
    Entry& entry = reports_[index];
    if (column == 2 && CListGrid::CheckBoxRect(cell).contains(point)) {
        if (row % 2 == 0) {
            const bool submitted = !entry.header.IsSubmitted();
            entry.header.SetSubmitted(submitted);
            if (!submitted) {
                entry.header.SetReimbursed(false);
            }
        } else {
            entry.header.SetReimbursed(!entry.header.IsReimbursed());
        }
        entry.changed = true;
        grid_->RepaintRow(row - row % 2);
        grid_->RepaintRow(row - row % 2 + 1);
        return;
    }
    chosen_ = entry.header.GetPath();
    accept();
}

void CReportListDialog::done(int result) {
    WriteBack();
    if (!chosen_.isEmpty()) {
        document_.OpenReport(chosen_);
    }
    FullWindowDialog::done(result);
}

void CReportListDialog::WriteBack() {
    WaitCursor wait(Platform::Get().GetPrompts());
    // Reading another report brings its sort order into force; the lists
    // keep the one they show.
    const CRecordSortOrder order = CRecordSortOrder::Shared();
    CExpenseReport& open = document_.GetReport();
    for (Entry& entry : reports_) {
        if (!entry.changed) {
            continue;
        }
        entry.changed = false;
        const CExpenseReportInfo& changed = entry.header;
        if (open.IsOpen() && open.GetHeader().GetPath() == changed.GetPath()) {
            open.GetHeader().SetSubmitted(changed.IsSubmitted());
            open.GetHeader().SetReimbursed(changed.IsReimbursed());
            document_.SaveReport(false);
            continue;
        }
        CExpenseReport other;
        other.GetCurrencyTable().Load(false);
        if (other.Open(changed.GetPath(), false)) {
            other.GetHeader().SetSubmitted(changed.IsSubmitted());
            other.GetHeader().SetReimbursed(changed.IsReimbursed());
            other.Save(false);
        }
    }
    CRecordSortOrder::Shared() = order;
}
