#pragma once

#include <QList>
#include <vector>

#include "report/expensereportinfo.h"
#include "views/grid/listgrid.h"
#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;

// "Expense Reports...": every report of the reports folder on two rows
// (title over location, total over reimbursement due, submitted over
// reimbursed). The boxes change a report's status; a tap elsewhere opens the
// report. Closing writes every changed header back to its file.
class CReportListDialog : public FullWindowDialog, public CListGridClient {
    Q_OBJECT

public:
    CReportListDialog(CExpenseDoc& document, QWidget* parent);

    CListGrid* Grid() const { return grid_; }
    // The report a tap chose to open; empty when none was.
    const QString& ChosenReport() const { return chosen_; }

    void GetCell(int column, int row, GridCellFormat& format, QString& text) override;
    void OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                   bool penUp) override;

    void done(int result) override;

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    struct Entry {
        CExpenseReportInfo header;
        bool changed = false;
    };
    void WriteBack();
    void FitTitleColumn();

    CExpenseDoc& document_;  // not owned
    CListGrid* grid_;
    std::vector<Entry> reports_;
    QString chosen_;
};
