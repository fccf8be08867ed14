#include "recordsortorder.h"

#include <cmath>

#include "store/expenserecord.h"
#include "store/recordquery.h"

namespace {

template <typename T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Amounts read from a damaged file may be no number at all; they go first,
// so that sorting always sees a consistent order.
int OrderAmounts(double a, double b) {
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan) {
        return Order(!aNan, !bNan);
    }
    return Order(a, b);
}

}  // namespace

CRecordSortOrder& CRecordSortOrder::Shared() {
    static CRecordSortOrder order;
    return order;
}

bool CRecordSortOrder::SetField(qint32 field) {
    if (field < kFieldDate || field > kFieldCurrency) {
        return false;
    }
    field_ = field;
    return true;
}

void CRecordSortOrder::SetStored(qint32 field, qint32 direction) {
    field_ = field;
    direction_ = direction;
}

int CRecordSortOrder::Compare(const CExpenseRecord& a, const CExpenseRecord& b) const {
    int order = 0;
    switch (field_) {
        case kFieldDate:
            return Order(a.GetDate(), b.GetDate());
        case kFieldAmount:
            order = OrderAmounts(a.GetAmount(false).GetValue(), b.GetAmount(false).GetValue());
            break;
        case kFieldReceipt:
            order = Order(int(a.GetReceipt()), int(b.GetReceipt()));
            break;
        case kFieldCategory:
        case kFieldDescription:
        case kFieldClassification:
        case kFieldPaidWith:
        case kFieldExpenseType:
        case kFieldContacts:
        case kFieldLocation:
        case kFieldPurpose:
            order = QString::compare(a.GetFieldText(field_), b.GetFieldText(field_),
                                     Qt::CaseInsensitive);
            break;
        default:
            return 0;
    }
    return order != 0 ? order : Order(a.GetDate(), b.GetDate());
}

bool CRecordSortOrder::Less(const CExpenseRecord& a, const CExpenseRecord& b) const {
    const int order = Compare(a, b);
    return direction_ == kDescending ? order > 0 : order < 0;
}
