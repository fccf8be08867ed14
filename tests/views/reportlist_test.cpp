#include <QDialog>
#include <QTest>

#include "framefixture.h"
#include "platform/directories.h"
#include "report/expensetotals.h"
#include "report/report.h"
#include "views/frame/statusbar.h"
#include "views/grid/listgrid.h"
#include "views/grid/reportlistdialog.h"

namespace {

using ReportListTest = FrameFixture;

QString ReportPath(const QString& title) {
    return GetReportsDirectory() + QStringLiteral("/") + title + QStringLiteral(".xpf");
}

// The row of a report's first line in the list.
int RowOf(CListGrid* grid, const QString& title) {
    for (int row = 0; row < grid->RowCount(); row += 2) {
        if (grid->CellText(0, row) == title) {
            return row;
        }
    }
    ADD_FAILURE() << "no report " << title.toStdString();
    return 0;
}

void TapBox(CListGrid* grid, int row) {
    const QRect box = CListGrid::CheckBoxRect(grid->CellRect(2, row));
    FrameFixture::Tap(grid->viewport(), box.center());
}

CExpenseReportInfo StoredHeader(const QString& path) {
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    EXPECT_TRUE(report.Open(path, false));
    return report.GetHeader();
}

TEST_F(ReportListTest, TheBoxesFollowTheStatusRuleAndAreWrittenBackOnClose) {
    MakeReport(QStringLiteral("Open one"), {5});
    const QString other = MakeReport(QStringLiteral("Other"), {10, 20}, 50);
    // The bytes a header with both flags writes, made the ordinary way.
    const QString expected = MakeReport(QStringLiteral("Expected"), {10, 20}, 50);
    {
        CExpenseDoc document;
        ASSERT_TRUE(document.OpenReport(expected));
        document.GetReport().GetHeader().SetSubmitted(true);
        document.GetReport().GetHeader().SetReimbursed(true);
        ASSERT_TRUE(document.SaveReport(false));
    }
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Open one"))));
    WhenDialogOpens([&](QDialog* dialog) {
        auto* list = qobject_cast<CReportListDialog*>(dialog);
        ASSERT_NE(list, nullptr);
        CListGrid* grid = list->Grid();
        EXPECT_EQ(grid->Heading(1, 1), QStringLiteral("Reimb. Due"));
        EXPECT_EQ(grid->Heading(2, 0), QStringLiteral("Subm."));
        EXPECT_EQ(grid->ColumnWidth(2), 30);
        const int row = RowOf(grid, QStringLiteral("Other"));
        EXPECT_EQ(grid->CellText(1, row), QStringLiteral("$30.00"));
        EXPECT_EQ(grid->CellText(1, row + 1),
                  document_->GetCurrencyTable().FormatInHome(
                      StoredHeader(other).GetTotals().GetReimbursementDue(), 3));
        // Reimbursed, then Submitted, then Submitted off: both clear.
        TapBox(grid, row + 1);
        EXPECT_TRUE(grid->CellFormat(2, row + 1).checked);
        TapBox(grid, row);
        TapBox(grid, row);
        EXPECT_FALSE(grid->CellFormat(2, row).checked);
        EXPECT_FALSE(grid->CellFormat(2, row + 1).checked);
        // Both on for the write-back.
        TapBox(grid, row);
        TapBox(grid, row + 1);
        const int open = RowOf(grid, QStringLiteral("Open one"));
        TapBox(grid, open);
        list->accept();
    });
    ASSERT_TRUE(Choose(QStringLiteral("All Reports")));
    EXPECT_EQ(ReadFileBytes(other), ReadFileBytes(expected));
    EXPECT_TRUE(document_->GetReport().GetHeader().IsSubmitted());
    EXPECT_TRUE(StoredHeader(ReportPath(QStringLiteral("Open one"))).IsSubmitted());
    EXPECT_FALSE(StoredHeader(ReportPath(QStringLiteral("Open one"))).IsReimbursed());
}

TEST_F(ReportListTest, ATapBesideTheBoxesOpensTheReportAndCloses) {
    MakeReport(QStringLiteral("Alpha"), {1});
    MakeReport(QStringLiteral("Beta"), {2, 3});
    StartFrame();
    ASSERT_TRUE(document_->OpenReport(ReportPath(QStringLiteral("Alpha"))));
    frame_->RefreshViews();
    WhenDialogOpens([&](QDialog* dialog) {
        CListGrid* grid = qobject_cast<CReportListDialog*>(dialog)->Grid();
        const int row = RowOf(grid, QStringLiteral("Beta"));
        Tap(grid->viewport(), grid->CellRect(1, row + 1).center());
        EXPECT_FALSE(dialog->isVisible());
    });
    ASSERT_TRUE(Choose(QStringLiteral("All Reports")));
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("2 items"));
    EXPECT_FALSE(StoredHeader(ReportPath(QStringLiteral("Beta"))).IsSubmitted());
}

}  // namespace
