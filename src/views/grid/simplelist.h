#pragma once

#include <functional>

#include <QScrollBar>

#include "views/grid/listgrid.h"

class CExpenseDoc;

// The main screen's list: one line per visible expense with its date,
// category, description and amount. A heading tap sorts, an amount in
// another currency shows its home-currency value, any other tap edits.
class CSimpleList : public CListGridClient {
public:
    using EditFunction = std::function<void(int visibleIndex)>;

    CSimpleList(CExpenseDoc& document, QWidget* parent);

    CListGrid* Grid() const { return grid_; }
    void SetEdit(EditFunction edit) { edit_ = std::move(edit); }
    // Row count, description width and headings anew, then a repaint.
    void ReloadSimple();
    // The height of the heading and `rows` rows, with the frame.
    int HeightForRows(int rows) const;

    void GetCell(int column, int row, GridCellFormat& format, QString& text) override;
    void GetHeaderCell(int column, int headerRow, GridCellFormat& format) override;
    void OnCellTap(int column, int row, const QRect& cell, const QPoint& point,
                   bool penUp) override;
    void OnHeaderTap(int column, int headerRow) override;

private:
    bool ReportOpen() const;

    CExpenseDoc& document_;  // not owned
    CListGrid* grid_;        // owned by the parent widget
    EditFunction edit_;
};
