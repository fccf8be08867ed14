#include "archive/expenseobject.h"

void CExpenseObject::Serialize(CExpenseArchive&, int) {}

void CExpenseObject::Reset() {
    SetModified(false);
}
