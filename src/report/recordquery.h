#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "platform/clock.h"

class CExpenseRecord;

// The values of an expense a condition can test and the list can be sorted
// by. The codes are stored in report files.
enum RecordField : qint32 {
    kFieldDate = 0,
    kFieldCategory = 1,
    kFieldDescription = 2,
    kFieldAmount = 3,
    kFieldReceipt = 4,
    kFieldClassification = 5,
    kFieldPaidWith = 6,
    kFieldExpenseType = 7,
    kFieldContacts = 8,
    kFieldLocation = 9,
    kFieldPurpose = 10,
    kFieldCurrency = 11,
};

// The operators of a condition; which ones apply depends on the value kind.
enum RecordOperator : qint32 {
    kOpEqual = 1,        // text, number, date ("is", "is equal to")
    kOpNotEqual = 2,     // text, number, date
    kOpLess = 3,         // number (inclusive), date (strictly before)
    kOpGreater = 4,      // number (inclusive), date (strictly after)
    kOpContains = 5,     // text
    kOpNotContains = 6,  // text
    kOpStartsWith = 7,   // text
    kOpEndsWith = 8,     // text
};

// One condition of a selection: a field of the expense, an operator and a
// text, number or date to compare with.
class CRecordQuery : public CExpenseObject {
public:
    // `valueKind` values.
    static constexpr qint32 kKindNone = 0;
    static constexpr qint32 kKindText = 1;
    static constexpr qint32 kKindNumber = 2;
    static constexpr qint32 kKindDate = 3;

    CRecordQuery() = default;

    // A condition on a text, a number or a date; every other field at its
    // default.
    static CRecordQuery Text(qint32 fieldCode, qint32 op, const QString& value);
    static CRecordQuery Number(qint32 fieldCode, qint32 op, double value);
    static CRecordQuery Date(qint32 fieldCode, qint32 op, TimeStamp value);

    // `valueKind`, `fieldCode`, `op`, then the value of the kind (nothing for
    // another kind).
    void Serialize(CExpenseArchive& archive, int context) override;

    // Whether the record meets the condition. A kind or operator outside the
    // tables never passes, and neither does a missing record.
    bool Passes(const CExpenseRecord* record) const;

    qint32 GetFieldCode() const { return fieldCode_; }
    qint32 GetOperator() const { return op_; }
    qint32 GetValueKind() const { return valueKind_; }
    const QString& GetTextValue() const { return textValue_; }
    double GetNumberValue() const { return numberValue_; }
    TimeStamp GetDateValue() const { return dateValue_; }

    // The minimum a stored condition takes: its three integers.
    static constexpr quint64 kMinimumStoredSize = 12;

private:
    // Every other field at its default.
    CRecordQuery(qint32 fieldCode, qint32 op, qint32 valueKind);

    bool PassesText(const CExpenseRecord& record) const;
    bool PassesNumber(const CExpenseRecord& record) const;
    bool PassesDate(const CExpenseRecord& record) const;

    qint32 fieldCode_ = -1;
    qint32 op_ = 0;
    double numberValue_ = -1.0;
    QString textValue_;
    TimeStamp dateValue_ = 0;
    qint32 valueKind_ = kKindNone;
};
