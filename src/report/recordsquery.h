#pragma once

#include <QList>

#include "archive/expenseobject.h"
#include "report/recordquery.h"

class CExpenseRecord;
class CExpenseRecords;
class CRecordSortOrder;

// The selection of a report: conditions that all have to hold, whether a
// selection is in force, and the records it selected. The records belong to
// the owning collection; the query only points at them and never deletes
// them. An entry of the result may be empty (a stored position that named no
// record); every reader of the result has to allow for that.
class CRecordsQuery : public CExpenseObject {
public:
    // The most conditions a stored query may claim; a larger count (or a
    // negative one) loads as no conditions.
    static constexpr qint32 kMaxStoredConditions = 16268815;

    explicit CRecordsQuery(CExpenseRecords* owner = nullptr) : owner_(owner) {}
    CRecordsQuery(const CRecordsQuery&) = delete;
    CRecordsQuery& operator=(const CRecordsQuery&) = delete;

    // `active`, the condition count and the conditions. Loading empties the
    // result and replaces the conditions with those of the file; the owning
    // collection rebuilds the result from the stored positions.
    void Serialize(CExpenseArchive& archive, int context) override;

    CExpenseRecords* GetOwner() const { return owner_; }
    void SetOwner(CExpenseRecords* owner) { owner_ = owner; }

    // Appends a copy; nothing is evaluated.
    void AddCondition(const CRecordQuery& condition);
    const QList<CRecordQuery>& GetConditions() const { return conditions_; }
    // The last condition on `fieldCode`, or none.
    const CRecordQuery* FindLastCondition(qint32 fieldCode) const;

    // Whether the record meets every condition; never with no conditions.
    bool Matches(const CExpenseRecord* record) const;

    // Selects, in collection order, the owner's records that match. Without
    // an owner or conditions no selection is in force afterwards; otherwise
    // one is, even when it selected nothing.
    void Evaluate();
    // Ends a selection in force: no conditions, an empty result, and the
    // owner sorts itself again. Without a selection in force nothing
    // changes, not even the conditions.
    void Clear();

    bool IsActive() const { return active_ != 0; }
    qsizetype ResultCount() const { return result_.size(); }
    // The entry at `index`; none outside the result or for an empty entry.
    CExpenseRecord* ResultAt(qsizetype index) const;

    // Keeping the result in step with the collection.
    void AppendResult(CExpenseRecord* record);
    // A negative position means 0; one at or past the end appends.
    void InsertResult(qsizetype position, CExpenseRecord* record);
    // Every entry for `record` becomes `replacement`, or goes when that is
    // none: a record about to be deleted must leave no entry behind.
    void ReplaceRecordEverywhere(const CExpenseRecord* record, CExpenseRecord* replacement);
    void EmptyResult() { result_.clear(); }
    // Orders the result by `order`; empty entries go last.
    void SortResult(const CRecordSortOrder& order);
    // Back to no selection and no conditions, without asking the owner to
    // sort (after a failed load).
    void Discard();

private:
    qint32 active_ = 0;
    QList<CRecordQuery> conditions_;
    QList<CExpenseRecord*> result_;  // not owned; entries may be null
    CExpenseRecords* owner_;         // not owned
};
