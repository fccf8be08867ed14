#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "lists/expensetype.h"

// The three built-in expense types, by position 0 to 2 (the position is the
// type code): business reimbursable, personal deductible, personal
// non-deductible. The table is fixed and has no file. A position out of
// range gives the default value of each lookup.
class CExpenseTypeManager : public CExpenseObject {
public:
    static constexpr int kCount = 3;

    static int GetCount() { return kCount; }
    // A copy of the table entry; a default CExpenseType out of range.
    static CExpenseType GetExpenseType(int position);
    // The entry's `name`, `shortName`; empty out of range.
    using CExpenseObject::GetName;
    static QString GetName(int position);
    static QString GetShortName(int position);
    // The entry's image path in the expense-type image folder; empty out of range.
    static QString GetImage(int position);
    // The entry's `typeCode`; CExpenseType::kNone out of range.
    static qint32 GetTypeCode(int position);

private:
    static const CExpenseType* Entry(int position);
};
