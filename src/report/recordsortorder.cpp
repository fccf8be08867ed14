#include "report/recordsortorder.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "report/expenserecord.h"
#include "report/recordquery.h"

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

QString CRecordSortOrder::FoldedForSort(const QString& text) {
    QString folded = text;
    char16_t* unit = reinterpret_cast<char16_t*>(folded.data());
    const qsizetype size = folded.size();
    for (qsizetype i = 0; i < size; ++i) {
        // One to one, as the comparison folds: never "ss" for "\u00df". A lone
        // surrogate, only ever read from a damaged file, stays as it is; such
        // texts still get one consistent order, if not the comparison's.
        if (QChar::isHighSurrogate(unit[i]) && i + 1 < size &&
            QChar::isLowSurrogate(unit[i + 1])) {
            const char32_t foldedPoint =
                QChar::toCaseFolded(QChar::surrogateToUcs4(unit[i], unit[i + 1]));
            unit[i] = QChar::highSurrogate(foldedPoint);
            unit[i + 1] = QChar::lowSurrogate(foldedPoint);
            ++i;
        } else {
            unit[i] = static_cast<char16_t>(QChar::toCaseFolded(char32_t{unit[i]}));
        }
    }
    return folded;
}

CRecordSortOrder::KeyKind CRecordSortOrder::KindOf(qint32 field) {
    switch (field) {
        case kFieldDate:
            return KeyKind::Date;
        case kFieldAmount:
            return KeyKind::Amount;
        case kFieldReceipt:
            return KeyKind::Number;
        case kFieldCategory:
        case kFieldDescription:
        case kFieldClassification:
        case kFieldPaidWith:
        case kFieldExpenseType:
        case kFieldContacts:
        case kFieldLocation:
        case kFieldPurpose:
            return KeyKind::Text;
        default:
            return KeyKind::None;
    }
}

CRecordSortOrder::Key CRecordSortOrder::KeyOf(const CExpenseRecord& record) const {
    Key key;
    key.date = record.GetDate();
    switch (KindOf(field_)) {
        case KeyKind::Amount:
            key.number = record.GetAmount(false).GetValue();
            break;
        case KeyKind::Number:
            key.number = record.GetReceipt() ? 1 : 0;
            break;
        case KeyKind::Text:
            key.text = FoldedForSort(record.GetFieldText(field_));
            break;
        case KeyKind::Date:
        case KeyKind::None:
            break;
    }
    return key;
}

int CRecordSortOrder::CompareKeys(const Key& a, const Key& b) const {
    int order = 0;
    switch (KindOf(field_)) {
        case KeyKind::Date:
            return Order(a.date, b.date);
        case KeyKind::Amount:
            order = OrderAmounts(a.number, b.number);
            break;
        case KeyKind::Number:
            order = Order(a.number, b.number);
            break;
        case KeyKind::Text:
            order = QString::compare(a.text, b.text, Qt::CaseSensitive);
            break;
        case KeyKind::None:
            return 0;
    }
    return order != 0 ? order : Order(a.date, b.date);
}

std::vector<size_t> CRecordSortOrder::StableOrder(
    const std::vector<const CExpenseRecord*>& records) const {
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (const CExpenseRecord* record : records) {
        keys.push_back(KeyOf(*record));
    }
    std::vector<size_t> positions(records.size());
    std::iota(positions.begin(), positions.end(), size_t{0});
    const bool descending = direction_ == kDescending;
    std::stable_sort(positions.begin(), positions.end(), [&](size_t a, size_t b) {
        const int order = CompareKeys(keys[a], keys[b]);
        return descending ? order > 0 : order < 0;
    });
    return positions;
}
