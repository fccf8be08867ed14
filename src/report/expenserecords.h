#pragma once

#include <QByteArray>
#include <QList>
#include <memory>
#include <vector>

#include "archive/expenseobject.h"
#include "report/recordranks.h"
#include "report/recordsquery.h"

class CExpenseRecord;
class CExpenseReport;
class CExpenseTotals;
class ReportListener;

// The expenses of a report, in collection order, with the report's
// selection. The collection owns its records and deletes them when they are
// replaced, removed or when it goes. While it belongs to a report, every
// record that enters or leaves updates the report's totals.
//
// Positions given as "selected" mean positions in the selection while one is
// in force, and positions in the whole collection otherwise. Positions
// outside either give false or nothing, never an error.
class CExpenseRecords : public CExpenseObject {
public:
    // The most records a stored collection may claim; a larger count (or a
    // negative one) loads as none.
    static constexpr qint32 kMaxStoredRecords = 16268815;

    explicit CExpenseRecords(CExpenseReport* report = nullptr);
    ~CExpenseRecords() override;
    CExpenseRecords(const CExpenseRecords&) = delete;
    CExpenseRecords& operator=(const CExpenseRecords&) = delete;

    // The record count, the records, the program's sort order, the query
    // and the positions of the selected records. A read error deletes what
    // was read and leaves the collection empty with no selection.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Reading the stored record count as Serialize does: checked against the
    // bytes left, and a negative or too large one taken as 0. For tools that
    // read the records one at a time, in file order.
    static qint32 ReadRecordCount(CExpenseArchive& archive);
    // Clears `modified`, deletes every record (RemoveAll(false)) and drops
    // the selection with its conditions.
    void Reset() override;

    CExpenseReport* GetReport() const { return report_; }  // not owned
    void SetReport(CExpenseReport* report) { report_ = report; }
    CRecordsQuery& GetQuery() { return query_; }
    const CRecordsQuery& GetQuery() const { return query_; }

    int GetCount(bool selected) const;
    // The record at `index`, or none; the record's owner is set to this.
    CExpenseRecord* GetAt(int index, bool selected);
    const CExpenseRecord* GetAt(int index, bool selected) const;

    // Takes the record: into the totals, to the end of the collection (and of
    // a selection in force, whether or not it matches), sorted when `sort`.
    // False only for no record.
    bool Add(std::unique_ptr<CExpenseRecord> record, bool sort);
    // A negative position means 0; one at or past the end adds at the end.
    // A selection in force takes the record at the same position.
    bool InsertAt(int position, std::unique_ptr<CExpenseRecord> record);
    // Replaces the record at the selected position `index`: the old one
    // leaves the totals and is deleted, the new one takes its place in the
    // collection and in the selection. False when there is no such record.
    bool SetAt(int index, std::unique_ptr<CExpenseRecord> record, bool sort);
    // Deletes the record at the selected position `index`, out of the totals,
    // the collection and the selection. False when there is no such record.
    bool RemoveAt(int index);
    // Deletes every record and empties the selection's result; the totals
    // stay as they are. `modified` becomes `modifiedFlag`.
    void RemoveAll(bool modifiedFlag);

    // The selected position of the expense with identity `id`, or -1.
    int IndexOfId(quint64 id, bool selected) const;

    // Records read with values no expense can hold, each as its file held
    // it, with the version of that file; they are not in the collection.
    const QList<QByteArray>& GetDamaged() const { return damaged_; }
    quint32 GetDamagedVersion() const { return damagedVersion_; }
    void ClearDamaged() { damaged_.clear(); }

    // After the collection was written to its file for good: what was
    // written becomes what is stored.
    void MarkWrittenAsStored();
    // Remembers that `record`, as stored, is being replaced by an edit.
    void NoteEdited(const CExpenseRecord& record);
    // Makes the collection the records of `theirs` (read from the file
    // again, as another writer left it) with this collection's own changes
    // since its file was last read or written on top: the stored expenses it
    // deleted or edited leave, the new and edited ones come in. `theirs` is
    // left empty. Gives the number of edited expenses that the other writer
    // had deleted or changed meanwhile: they come in as new expenses.
    int RebaseOnto(CExpenseRecords& theirs);

    // A record this collection holds changed in place; its setters tell.
    void RecordChanged(const CExpenseRecord& record);

    // Sorts by the program's sort order (the selection too, while in force).
    void Sort();
    // Makes `field` (when it is a field code) and `direction` the program's
    // sort order, then sorts.
    void SetSortOrder(qint32 field, qint32 direction);
    static qint32 GetSortField();
    static qint32 GetSortDirection();

    // Marks the collection modified, then selects by the conditions or ends
    // the selection.
    void RunQuery();
    void ClearQuery();

    // The six figures over the records (the selected ones when `selected`),
    // converted to the home currency when `convert`, with the report's cash
    // advance; not rounded and not stored.
    void ComputeTotals(CExpenseTotals& totals, bool selected, bool convert) const;
    // The totals over all records as the report's header keeps them:
    // converted and rounded at the home currency's decimals, as every change
    // of the records rounds them, so that figures worked out afresh compare
    // equal to the stored ones.
    CExpenseTotals ComputeStoredTotals() const;
    // ComputeStoredTotals, stored in the report's header.
    void RecomputeTotals();

private:
    // The collection's position of the record at the selected `index`, or -1.
    int CollectionIndex(int index) const;
    // One record entering (sign 1) or leaving (sign -1) the report totals.
    void UpdateTotals(const CExpenseRecord& record, int sign);
    int HomeDigits() const;
    // The report's listener, told of replaced and removed records; or none.
    ReportListener* Listener() const;
    void Adopt(CExpenseRecord& record);
    void ReadRecords(CExpenseArchive& archive, int context);
    void WriteRecords(CExpenseArchive& archive, int context);

    CRecordsQuery query_;
    CExpenseReport* report_;  // not owned
    std::vector<std::unique_ptr<CExpenseRecord>> records_;
    // In step with records_ at every change of it.
    RecordRanks ranks_;
    // The checksums of the records as the file last read or written holds
    // them, in any order; those of the last write until it is committed; and
    // those of stored records replaced by edits since.
    std::vector<quint64> storedDigests_;
    std::vector<quint64> writtenDigests_;
    std::vector<quint64> editedDigests_;
    QList<QByteArray> damaged_;
    quint32 damagedVersion_ = 0;
};
