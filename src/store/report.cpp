#include "report.h"

CExpenseReport::CExpenseReport() : records_(this) {}

void CExpenseReport::Serialize(CExpenseArchive& archive, int context) {
    header_.Serialize(archive, context);
    records_.Serialize(archive, context);
}

void CExpenseReport::Reset() {
    CExpenseObject::Reset();
    header_.Reset();
    records_.Reset();
}

void CExpenseReport::SetModified(bool modified) {
    records_.SetModified(modified);
    header_.SetModified(modified);
    CExpenseObject::SetModified(modified);
}

bool CExpenseReport::IsModified() const {
    return records_.IsModified() || header_.IsModified() || CExpenseObject::IsModified();
}
