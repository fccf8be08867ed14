#pragma once

#include <QWidget>
#include <functional>

#include "views/grid/listgrid.h"

class CExpenseDoc;
class CReceiptKeeper;

// The detailed list: two lines for every visible expense (date, category,
// description, amount; receipt, classification, payment source, expense
// type), filling the view. The receipt box flips the receipt flag and the
// count of receipt files beside it opens them, an amount in another
// currency shows its home-currency value, a heading sorts, any other tap
// edits the expense.
class CGridViewDetails : public QWidget, public CListGridClient {
    Q_OBJECT

public:
    using EditFunction = std::function<void(int visibleIndex)>;

    CGridViewDetails(CExpenseDoc& document, QWidget* parent);

    CListGrid* Grid() const { return grid_; }
    void SetEdit(EditFunction edit) { edit_ = std::move(edit); }
    // Where the count of each expense's receipt files comes from (not
    // owned), and what a tap on it does.
    void SetReceipts(const CReceiptKeeper* receipts, EditFunction open) {
        receipts_ = receipts;
        openReceipts_ = std::move(open);
    }
    // Reads the records again into the grid.
    void ReloadDetails();

    void GetCell(int column, int row, GridCellFormat& format, QString& text) override;
    void GetHeaderCell(int column, int headerRow, GridCellFormat& format) override;
    void OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                   bool penUp) override;
    void OnHeaderTap(int column, int headerRow) override;
    void OnSelectionChange(int oldRow, int newRow) override;

private:
    bool ReportOpen() const;

    CExpenseDoc& document_;  // not owned
    CListGrid* grid_;        // owned by the view
    EditFunction edit_;
    const CReceiptKeeper* receipts_ = nullptr;  // not owned
    EditFunction openReceipts_;
};
