#pragma once

#include <QColor>
#include <QString>

class CExpenseDoc;
class CExpenseRecord;
class CListGrid;
struct GridCellFormat;

// What both expense lists show of an expense, and how their headings show
// the shared sort order.
namespace ExpenseCells {

// Column 0 to 3 of the first line: date (month and day), category,
// description, amount in the expense's own currency.
QString FirstLine(const CExpenseDoc& document, const CExpenseRecord& record, int column);
// Columns 1 to 3 of the detailed list's second line: classification,
// payment source, expense type. Column 0 is the receipt box.
QString SecondLine(const CExpenseRecord& record, int column);
// The amount converted into the home currency, when the expense is in
// another currency; empty otherwise.
QString HomeCurrencyTip(const CExpenseDoc& document, const CExpenseRecord& record);
// The sort heading's colour: yellow while the direction flag is set, else
// green.
QColor SortHeadingColour();
// The column widths (45, 55, the rest, 60) for a grid of `width` pixels.
void SetColumnWidths(CListGrid& grid);
// The body font: "MS Sans Serif" (or its stand-in) at 12 pixels, weight 500.
void SetBodyFont(GridCellFormat& format);

}  // namespace ExpenseCells
