#include "views/grid/expensecells.h"

#include "platform/dateformatting.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordsortorder.h"
#include "views/grid/listgrid.h"
#include "views/widgets/appfont.h"

namespace ExpenseCells {

namespace {

constexpr int kDateWidth = 45;
constexpr int kCategoryWidth = 55;
constexpr int kAmountWidth = 60;
constexpr int kDisplayStyle = 3;

}  // namespace

QString FirstLine(const CExpenseDoc& document, const CExpenseRecord& record, int column) {
    switch (column) {
        case 0:
            return FormatDate(record.GetDate(), 5);
        case 1:
            return record.GetCategory().GetName();
        case 2:
            return record.GetDescription();
        case 3:
            return document.GetCurrencyTable().FormatIn(record.GetCurrencyName(),
                                                        record.GetAmount(false), kDisplayStyle);
        default:
            return QString();
    }
}

QString SecondLine(const CExpenseRecord& record, int column) {
    switch (column) {
        case 1:
            return record.GetClassification().GetName();
        case 2:
            return record.GetPaidWith().GetName();
        case 3:
            return record.GetExpenseType().GetName();
        default:
            return QString();
    }
}

QString HomeCurrencyTip(const CExpenseDoc& document, const CExpenseRecord& record) {
    const CCurrencyTable& table = document.GetCurrencyTable();
    if (record.GetCurrencyName().isEmpty() ||
        record.GetCurrencyName().compare(table.GetHomeCurrency(), Qt::CaseInsensitive) == 0) {
        return QString();
    }
    return table.FormatInHome(record.GetAmount(true), kDisplayStyle);
}

QColor SortHeadingColour() {
    return CExpenseRecords::GetSortDirection() != 0 ? QColor(255, 255, 0) : QColor(0, 255, 0);
}

void SetColumnWidths(CListGrid& grid) {
    grid.SetColumnWidth(0, kDateWidth);
    grid.SetColumnWidth(1, kCategoryWidth);
    grid.SetColumnWidth(3, kAmountWidth);
    // The description takes what the others and the scroll bar leave; the
    // viewport is the grid's client area without its scroll bar.
    const int rest = grid.viewport()->width() - kDateWidth - kCategoryWidth - kAmountWidth;
    grid.SetColumnWidth(2, qMax(20, rest));
}

void SetBodyFont(GridCellFormat& format) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setWeight(QFont::Medium);
    format.font = ScaledFont(font, 12);
}

}  // namespace ExpenseCells
