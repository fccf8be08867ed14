#pragma once

#include <QtGlobal>
#include <vector>

class CExpenseRecord;
class CRecordSortOrder;

// A collection's records ranked in the field it was last sorted by
// (CRecordSortOrder::Rank), kept in step with the collection's changes.
// Records lie scattered across the heap, so a sort that reads every one of
// them waits on memory most of its time; with the ranks kept, sorting again
// (the other way round, or after a few records changed) reads only the
// records that changed and counts the others into place.
class RecordRanks {
public:
    // Forgets every rank: the next sort reads every record.
    void Clear();
    bool IsKept() const { return field_ >= 0; }

    // The collection's changes, by position in it: a record came in there,
    // the record there changed or was replaced, the record there left.
    void Inserted(size_t position);
    void Changed(size_t position);
    void Removed(size_t position);
    // A record that names the collection as its owner but is not held there
    // changed: a copy being edited. Each such change costs a search of the
    // collection, so past a few of them between sorts the ranks are
    // forgotten instead.
    void Missed();

    // The positions of `records` (the collection, in its order) in `order`:
    // from the ranks kept for the order's field, with the changed records
    // placed among them, or from every record read afresh. The ranks then
    // follow the records into that order, which the caller gives them.
    std::vector<size_t> Sort(const CRecordSortOrder& order,
                             const std::vector<const CExpenseRecord*>& records);

private:
    static constexpr quint32 kChanged = 0xffffffff;

    // Ranks the changed records among the others; false when too many
    // changed for that to be worth it.
    bool PlaceChanged(const CRecordSortOrder& order,
                      const std::vector<const CExpenseRecord*>& records);

    qint32 field_ = -1;  // -1: none kept
    std::vector<quint32> ranks_;
    quint32 distinct_ = 0;  // the ranks run below this
    size_t changed_ = 0;
    size_t missed_ = 0;
};
