#include "report/recordquery.h"

#include <cmath>

#include "archive/expensearchive.h"
#include "platform/platform.h"
#include "report/expenserecord.h"

namespace {

// The number a number condition reads for a field: the amount as entered
// (never converted), the receipt flag or the payment source's type.
double FieldNumber(const CExpenseRecord& record, qint32 field) {
    switch (field) {
        case kFieldAmount:
            return record.GetAmount(false).GetValue();
        case kFieldReceipt:
            return record.GetReceipt() ? 1.0 : 0.0;
        case kFieldPaidWith:
            return static_cast<double>(record.GetPaidWith().GetPaymentType());
        default:
            return 0.0;
    }
}

QDate LocalDay(TimeStamp time) {
    return Platform::Get().GetClock().ToLocal(time).date();
}

}  // namespace

CRecordQuery::CRecordQuery(qint32 fieldCode, qint32 op, qint32 valueKind)
    : fieldCode_(fieldCode), op_(op), valueKind_(valueKind) {}

CRecordQuery CRecordQuery::Text(qint32 fieldCode, qint32 op, const QString& value) {
    CRecordQuery query(fieldCode, op, kKindText);
    query.textValue_ = value;
    return query;
}

CRecordQuery CRecordQuery::Number(qint32 fieldCode, qint32 op, double value) {
    CRecordQuery query(fieldCode, op, kKindNumber);
    query.numberValue_ = value;
    return query;
}

CRecordQuery CRecordQuery::Date(qint32 fieldCode, qint32 op, TimeStamp value) {
    CRecordQuery query(fieldCode, op, kKindDate);
    query.dateValue_ = value;
    return query;
}

void CRecordQuery::Serialize(CExpenseArchive& archive, int) {
    archive.Exchange(valueKind_);
    archive.Exchange(fieldCode_);
    archive.Exchange(op_);
    switch (valueKind_) {
        case kKindText:
            archive.Exchange(textValue_);
            break;
        case kKindNumber:
            archive.Exchange(numberValue_);
            // Kinds and operators outside the tables only select nothing,
            // but a value that is no number has no place in any file.
            archive.CheckValue(std::isfinite(numberValue_));
            break;
        case kKindDate:
            archive.ExchangeTime(dateValue_);
            break;
        default:
            break;
    }
}

bool CRecordQuery::Passes(const CExpenseRecord* record) const {
    if (record == nullptr) {
        return false;
    }
    switch (valueKind_) {
        case kKindText:
            return PassesText(*record);
        case kKindNumber:
            return PassesNumber(*record);
        case kKindDate:
            return PassesDate(*record);
        default:
            return false;
    }
}

bool CRecordQuery::PassesText(const CExpenseRecord& record) const {
    const QString text = record.GetFieldText(fieldCode_);
    // Letter case counts throughout; an empty value is part of every text.
    switch (op_) {
        case kOpEqual:
            return text == textValue_;
        case kOpNotEqual:
            return text != textValue_;
        case kOpContains:
            return textValue_.isEmpty() || text.contains(textValue_, Qt::CaseSensitive);
        case kOpNotContains:
            return !textValue_.isEmpty() && !text.contains(textValue_, Qt::CaseSensitive);
        case kOpStartsWith:
            return textValue_.isEmpty() || text.startsWith(textValue_, Qt::CaseSensitive);
        case kOpEndsWith:
            return textValue_.isEmpty() || text.endsWith(textValue_, Qt::CaseSensitive);
        default:
            return false;
    }
}

bool CRecordQuery::PassesNumber(const CExpenseRecord& record) const {
    const double value = FieldNumber(record, fieldCode_);
    // "Is less than" and "is greater than" take in the value itself, so that
    // an amount typed from a receipt finds that receipt.
    switch (op_) {
        case kOpEqual:
            return value == numberValue_;
        case kOpNotEqual:
            return value != numberValue_;
        case kOpLess:
            return value <= numberValue_;
        case kOpGreater:
            return value >= numberValue_;
        default:
            return false;
    }
}

bool CRecordQuery::PassesDate(const CExpenseRecord& record) const {
    // Only the expense date is a date; a date condition on another field
    // has nothing to compare and never passes.
    if (fieldCode_ != kFieldDate) {
        return false;
    }
    // Whole local days: the time of day an expense was entered at is noise.
    const QDate day = LocalDay(record.GetDate());
    const QDate wanted = LocalDay(dateValue_);
    switch (op_) {
        case kOpEqual:
            return day == wanted;
        case kOpNotEqual:
            return day != wanted;
        case kOpLess:
            return day < wanted;
        case kOpGreater:
            return day > wanted;
        default:
            return false;
    }
}
