#include "views/grid/sortheading.h"

#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecords.h"

void SortByHeading(CExpenseDoc& document, int key) {
    const qint32 direction = CExpenseRecords::GetSortDirection();
    WaitCursor wait(Platform::Get().GetPrompts());
    if (key == CExpenseRecords::GetSortField()) {
        document.GetRecords().SetSortOrder(key, direction != 0 ? 0 : 1);
    } else {
        document.GetRecords().SetSortOrder(key, direction);
    }
}
