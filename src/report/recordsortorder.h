#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class CExpenseRecord;

// How expenses are listed: one field (a RecordField code) and a direction.
// The whole program shares one order (Shared()), not one per collection: a
// report read from a file brings its stored order into force for every list.
class CRecordSortOrder {
public:
    static constexpr qint32 kDescending = 0;
    static constexpr qint32 kAscending = 1;

    // The order every collection sorts by.
    static CRecordSortOrder& Shared();

    qint32 GetField() const { return field_; }
    qint32 GetDirection() const { return direction_; }
    // Only the field codes 0 to 11 are taken; false for anything else.
    bool SetField(qint32 field);
    // 0 is descending, anything else ascending.
    void SetDirection(qint32 direction) { direction_ = direction; }
    // The order as a file holds it, unchecked: a field outside the table
    // leaves every pair of records equal until another order is set.
    void SetStored(qint32 field, qint32 direction);

    // The positions of `records` in this order: by the field's value (text
    // without regard to letter case, the amount as entered), equal values by
    // date, both in the order's direction; the currency field and codes
    // outside the table order nothing. Records the order holds equal keep
    // their relative places. Each record's value is taken once,
    // so a sort of many records does not reach into every record at every
    // comparison.
    std::vector<size_t> StableOrder(const std::vector<const CExpenseRecord*>& records) const;

    // Each record's place among the others by the field's value and then
    // its date, rising whatever the direction: records equal in both share a
    // rank, and the ranks run from 0 to below `distinct` without gaps. Ranks
    // depend on the records' values alone, so a collection may keep them
    // while its records stay.
    struct Ranking {
        std::vector<quint32> ranks;
        quint32 distinct = 0;
    };
    // Nothing for an order that orders nothing (OrdersNothing).
    Ranking Rank(const std::vector<const CExpenseRecord*>& records) const;
    // The positions in this order's direction for `ranks` running from 0
    // to below `distinct`, equal ranks by position.
    std::vector<size_t> OrderOfRanks(const std::vector<quint32>& ranks, quint32 distinct) const;
    // Negative, 0 or positive as `a` ranks below, with or above `b`.
    int Compare(const CExpenseRecord& a, const CExpenseRecord& b) const;
    // The currency field and codes outside the table keep every record where
    // it is.
    bool OrdersNothing() const { return KindOf(field_) == KeyKind::None; }

    // `text` with every letter folded as QString::compare folds it without
    // regard to case, so that plain comparisons of folded texts order them
    // as that comparison does, at a fraction of its cost.
    static QString FoldedForSort(const QString& text);

private:
    // What a field's values are compared as; None orders nothing.
    enum class KeyKind { None, Date, Amount, Number, Text };
    static KeyKind KindOf(qint32 field);

    // For each text, its place in the order of the texts folded, texts
    // equal once folded in one place.
    static std::vector<quint64> TextRanks(const std::vector<QString>& texts);

    qint32 field_ = 0;
    qint32 direction_ = kAscending;
};
