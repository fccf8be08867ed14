#include "report/expenserecords.h"

#include <QBuffer>
#include <QHash>
#include <algorithm>
#include <unordered_map>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "archive/streamchecksum.h"
#include "lists/currencytable.h"
#include "report/expenserecord.h"
#include "report/expensetotals.h"
#include "report/recordsortorder.h"
#include "report/report.h"
#include "report/sharedcategories.h"

namespace {

// What each record is given as `context`: the records are part of a report.
constexpr int kRecordContext = 1;

}  // namespace

CExpenseRecords::CExpenseRecords(CExpenseReport* report) : query_(this), report_(report) {}

CExpenseRecords::~CExpenseRecords() = default;

void CExpenseRecords::Serialize(CExpenseArchive& archive, int context) {
    if (archive.IsStoring()) {
        WriteRecords(archive, context);
        return;
    }
    try {
        ReadRecords(archive, context);
    } catch (...) {
        // Half a report is no report: nothing read so far stays, and no
        // selection points into it.
        query_.Discard();
        records_.clear();
        ranks_.Clear();
        storedDigests_.clear();
        damaged_.clear();
        throw;
    }
}

void CExpenseRecords::WriteRecords(CExpenseArchive& archive, int) {
    archive.WriteInt32(static_cast<qint32>(records_.size()));
    writtenDigests_.clear();
    writtenDigests_.reserve(records_.size());
    for (const auto& record : records_) {
        archive.BeginCapture();
        record->Serialize(archive, kRecordContext);
        const QByteArrayView bytes = archive.EndCapture();
        StreamChecksum digest;
        digest.Add(bytes.data(), bytes.size());
        writtenDigests_.push_back(digest.Value());
    }
    archive.WriteInt32(GetSortField());
    archive.WriteInt32(GetSortDirection());
    query_.Serialize(archive, kRecordContext);
    // The selection in its own order: it may differ from the collection's
    // (a record inserted while it was in force), and every selected record
    // has to come back. Empty entries have no position and are left out.
    // Most saves have no selection and need no table of positions.
    QHash<const CExpenseRecord*, qint32> positions;
    if (query_.ResultCount() > 0) {
        positions.reserve(static_cast<qsizetype>(records_.size()));
        for (const auto& record : records_) {
            positions.insert(record.get(), static_cast<qint32>(positions.size()));
        }
    }
    QList<qint32> selected;
    for (qsizetype i = 0; i < query_.ResultCount(); ++i) {
        const auto found = positions.constFind(query_.ResultAt(i));
        if (found != positions.constEnd()) {
            selected.append(found.value());
        }
    }
    archive.WriteIntArray(selected);
}

qint32 CExpenseRecords::ReadRecordCount(CExpenseArchive& archive) {
    qint32 count = archive.ReadInt32();
    if (count < 0 || count > kMaxStoredRecords) {
        count = 0;
    }
    archive.CheckCount(static_cast<quint64>(count),
                       CExpenseRecord::MinimumStoredSize(archive.GetFileVersion()));
    return count;
}

void CExpenseRecords::ReadRecords(CExpenseArchive& archive, int context) {
    query_.EmptyResult();
    records_.clear();
    ranks_.Clear();
    storedDigests_.clear();
    writtenDigests_.clear();
    editedDigests_.clear();
    damaged_.clear();
    damagedVersion_ = archive.GetFileVersion();
    const qint32 count = ReadRecordCount(archive);
    storedDigests_.reserve(static_cast<size_t>(count));
    // The collection's position of each record of the file, or -1 for one
    // set aside as damaged; only needed once one is.
    std::vector<qint32> positionOfStored;
    // Each record's digest must be that of the bytes this program writes for
    // it, so that a record is the same record once another writer rewrote
    // the file. A file of the current version holds exactly those bytes; an
    // older one's records are written anew to find them.
    const bool current = archive.GetFileVersion() >= CurrentFileVersion(kFileTypeExpenseReport);
    QByteArray scratchBytes;
    QBuffer scratch(&scratchBytes);
    scratch.open(QIODevice::WriteOnly);
    CExpenseArchive canonical(scratch, CExpenseArchive::Mode::kStore);
    SharedCategories categories;
    for (qint32 i = 0; i < count; ++i) {
        auto record = CExpenseRecord::ToBeRead(this);
        archive.BeginCapture();
        archive.BeginTolerance();
        record->Serialize(archive, kRecordContext, categories);
        const bool damaged = archive.EndTolerance();
        const QByteArrayView bytes = archive.EndCapture();
        if (damaged) {
            // Kept as the file holds it, for the report to put beside the
            // file; such values in the totals would make every figure and
            // every later save of the report unreadable.
            if (positionOfStored.empty()) {
                positionOfStored.reserve(static_cast<size_t>(count));
                for (qint32 before = 0; before < i; ++before) {
                    positionOfStored.push_back(before - static_cast<qint32>(damaged_.size()));
                }
            }
            positionOfStored.push_back(-1);
            damaged_.append(bytes.toByteArray());
            continue;
        }
        if (!positionOfStored.empty()) {
            positionOfStored.push_back(static_cast<qint32>(records_.size()));
        }
        // Finding a record's description in the shared texts waits for
        // memory twice, for the table and for the text: each wait is begun a
        // record ahead, so that it passes while a record is read.
        CExpenseRecord::PrefetchAhead(archive, categories, kRecordContext);
        quint64 digest = 0;
        if (current) {
            StreamChecksum checksum;
            checksum.Add(bytes.data(), bytes.size());
            digest = checksum.Value();
        } else {
            digest = record->ComputeDigest(canonical);
            scratch.seek(0);
        }
        record->MarkStored(digest);
        storedDigests_.push_back(digest);
        records_.push_back(std::move(record));
    }
    const qint32 field = archive.ReadInt32();
    const qint32 direction = archive.ReadInt32();
    CRecordSortOrder::Shared().SetStored(field, direction);
    query_.Serialize(archive, context);
    // The selection comes back as it was saved, without evaluating the
    // conditions again; a position that names no record stays an empty entry.
    for (qint32 position : archive.ReadIntArray()) {
        if (!positionOfStored.empty() && position >= 0 && position < count) {
            position = positionOfStored[static_cast<size_t>(position)];
        }
        const bool inside = position >= 0 && position < GetCount(false);
        query_.AppendResult(inside ? records_[position].get() : nullptr);
    }
    CExpenseObject::SetModified(false);
}

void CExpenseRecords::MarkWrittenAsStored() {
    if (writtenDigests_.size() != records_.size()) {
        return;
    }
    for (size_t i = 0; i < records_.size(); ++i) {
        records_[i]->MarkStored(writtenDigests_[i]);
    }
    storedDigests_ = std::move(writtenDigests_);
    writtenDigests_.clear();
    editedDigests_.clear();
}

int CExpenseRecords::IndexOfId(quint64 id, bool selected) const {
    const int count = GetCount(selected);
    for (int i = 0; i < count; ++i) {
        const CExpenseRecord* record = GetAt(i, selected);
        if (record != nullptr && record->GetId() == id) {
            return i;
        }
    }
    return -1;
}

void CExpenseRecords::NoteEdited(const CExpenseRecord& record) {
    if (record.GetStoredDigest() != 0) {
        editedDigests_.push_back(record.GetStoredDigest());
    }
}

int CExpenseRecords::RebaseOnto(CExpenseRecords& theirs) {
    // What this collection changed since the file it last read or wrote: the
    // stored records it no longer holds as stored (deleted or edited), and
    // the records that are new or edited.
    std::unordered_map<quint64, int> gone;
    for (quint64 digest : storedDigests_) {
        ++gone[digest];
    }
    std::unordered_multimap<quint64, std::unique_ptr<CExpenseRecord>> unchanged;
    std::vector<std::unique_ptr<CExpenseRecord>> added;
    std::vector<quint64> edited = std::move(editedDigests_);
    for (auto& record : records_) {
        const auto kept = gone.find(record->GetStoredDigest());
        if (kept != gone.end() && kept->second > 0 && record->IsUnchangedSinceStored()) {
            --kept->second;
            unchanged.emplace(record->GetStoredDigest(), std::move(record));
            continue;
        }
        if (record->GetStoredDigest() != 0) {
            edited.push_back(record->GetStoredDigest());  // changed in place
        }
        added.push_back(std::move(record));
    }
    // The other file's records, less the ones this collection took away. A
    // record both still hold stays this collection's own object, so that a
    // dialog editing it finds it again by its identity.
    std::vector<std::unique_ptr<CExpenseRecord>> merged;
    merged.reserve(theirs.records_.size() + added.size());
    for (auto& record : theirs.records_) {
        const auto taken = gone.find(record->GetStoredDigest());
        if (taken != gone.end() && taken->second > 0) {
            --taken->second;
            continue;
        }
        const auto own = unchanged.find(record->GetStoredDigest());
        if (own != unchanged.end()) {
            merged.push_back(std::move(own->second));
            unchanged.erase(own);
            continue;
        }
        merged.push_back(std::move(record));
    }
    // An edited expense that the other writer deleted or changed meanwhile
    // is not found there: the edit comes in as an expense of its own.
    int lost = 0;
    for (quint64 digest : edited) {
        const auto left = gone.find(digest);
        if (left != gone.end() && left->second > 0) {
            --left->second;
            ++lost;
        }
    }
    for (auto& record : added) {
        merged.push_back(std::move(record));
    }
    // Unchanged records the other writer deleted go with `unchanged`; the
    // selection may point at them, so it is emptied first.
    query_.EmptyResult();
    records_ = std::move(merged);
    ranks_.Clear();
    unchanged.clear();
    for (auto& record : records_) {
        Adopt(*record);
    }
    storedDigests_ = std::move(theirs.storedDigests_);
    theirs.query_.EmptyResult();
    theirs.records_.clear();
    theirs.ranks_.Clear();
    theirs.storedDigests_.clear();
    if (query_.IsActive()) {
        query_.Evaluate();
    }
    Sort();
    RecomputeTotals();
    SetModified(true);
    return lost;
}

void CExpenseRecords::Reset() {
    CExpenseObject::Reset();
    RemoveAll(false);
    // A reset collection has no selection either: conditions left behind
    // would be written into whatever report this collection holds next.
    query_.Discard();
}

int CExpenseRecords::GetCount(bool selected) const {
    if (selected && query_.IsActive()) {
        return static_cast<int>(query_.ResultCount());
    }
    return static_cast<int>(records_.size());
}

const CExpenseRecord* CExpenseRecords::GetAt(int index, bool selected) const {
    if (selected && query_.IsActive()) {
        return query_.ResultAt(index);
    }
    return index >= 0 && index < GetCount(false) ? records_[index].get() : nullptr;
}

CExpenseRecord* CExpenseRecords::GetAt(int index, bool selected) {
    auto* record = const_cast<CExpenseRecord*>(std::as_const(*this).GetAt(index, selected));
    if (record != nullptr) {
        Adopt(*record);
    }
    return record;
}

int CExpenseRecords::CollectionIndex(int index) const {
    if (!query_.IsActive()) {
        return index >= 0 && index < GetCount(false) ? index : -1;
    }
    const CExpenseRecord* record = query_.ResultAt(index);
    if (record == nullptr) {
        return -1;
    }
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [record](const auto& own) { return own.get() == record; });
    return found == records_.end() ? -1 : static_cast<int>(found - records_.begin());
}

void CExpenseRecords::RecordChanged(const CExpenseRecord& record) {
    if (!ranks_.IsKept()) {
        return;
    }
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&record](const auto& held) { return held.get() == &record; });
    if (found != records_.end()) {
        ranks_.Changed(static_cast<size_t>(found - records_.begin()));
    } else {
        // A copy names the collection of its original without being held
        // here, and changes nothing in it.
        ranks_.Missed();
    }
}

void CExpenseRecords::Adopt(CExpenseRecord& record) {
    record.SetOwner(this);
}

bool CExpenseRecords::Add(std::unique_ptr<CExpenseRecord> record, bool sort) {
    if (record == nullptr) {
        return false;
    }
    Adopt(*record);
    UpdateTotals(*record, 1);
    if (query_.IsActive()) {
        // A new expense stays in view even when it does not match.
        query_.AppendResult(record.get());
    }
    records_.push_back(std::move(record));
    ranks_.Inserted(records_.size() - 1);
    if (sort) {
        Sort();
    }
    SetModified(true);
    return true;
}

bool CExpenseRecords::InsertAt(int position, std::unique_ptr<CExpenseRecord> record) {
    if (record == nullptr) {
        return false;
    }
    position = std::max(position, 0);
    if (position >= GetCount(false)) {
        return Add(std::move(record), false);
    }
    Adopt(*record);
    UpdateTotals(*record, 1);
    if (query_.IsActive()) {
        query_.InsertResult(position, record.get());
    }
    records_.insert(records_.begin() + position, std::move(record));
    ranks_.Inserted(static_cast<size_t>(position));
    SetModified(true);
    return true;
}

bool CExpenseRecords::SetAt(int index, std::unique_ptr<CExpenseRecord> record, bool sort) {
    const int position = CollectionIndex(index);
    if (record == nullptr || position < 0) {
        return false;
    }
    CExpenseRecord& old = *records_[position];
    const quint64 oldId = old.GetId();
    const quint64 newId = record->GetId();
    UpdateTotals(old, -1);
    Adopt(*record);
    UpdateTotals(*record, 1);
    // Every entry of the selection that showed the old record shows the new
    // one: none may point at the record about to be deleted.
    query_.ReplaceRecordEverywhere(&old, record.get());
    records_[position] = std::move(record);
    ranks_.Changed(static_cast<size_t>(position));
    if (sort) {
        Sort();
    }
    SetModified(true);
    if (ReportListener* listener = Listener()) {
        listener->RecordReplaced(oldId, newId);
    }
    return true;
}

bool CExpenseRecords::RemoveAt(int index) {
    const int position = CollectionIndex(index);
    if (position < 0) {
        return false;
    }
    const CExpenseRecord& old = *records_[position];
    const quint64 id = old.GetId();
    UpdateTotals(old, -1);
    query_.ReplaceRecordEverywhere(&old, nullptr);
    records_.erase(records_.begin() + position);
    ranks_.Removed(static_cast<size_t>(position));
    SetModified(true);
    if (ReportListener* listener = Listener()) {
        listener->RecordRemoved(id);
    }
    return true;
}

ReportListener* CExpenseRecords::Listener() const {
    return report_ != nullptr ? report_->GetListener() : nullptr;
}

void CExpenseRecords::RemoveAll(bool modifiedFlag) {
    query_.EmptyResult();
    records_.clear();
    ranks_.Clear();
    editedDigests_.clear();
    writtenDigests_.clear();
    CExpenseObject::SetModified(modifiedFlag);
}

void CExpenseRecords::Sort() {
    if (records_.size() < 2) {
        return;
    }
    // Stable, so that records the order holds equal keep their places.
    std::vector<const CExpenseRecord*> records;
    records.reserve(records_.size());
    for (const auto& record : records_) {
        records.push_back(record.get());
    }
    const std::vector<size_t> order = ranks_.Sort(CRecordSortOrder::Shared(), records);
    std::vector<std::unique_ptr<CExpenseRecord>> sorted;
    sorted.reserve(records_.size());
    for (size_t position : order) {
        sorted.push_back(std::move(records_[position]));
    }
    records_ = std::move(sorted);
    if (query_.IsActive()) {
        query_.SortResult(CRecordSortOrder::Shared());
    }
    SetModified(true);
}

void CExpenseRecords::SetSortOrder(qint32 field, qint32 direction) {
    CRecordSortOrder& order = CRecordSortOrder::Shared();
    order.SetField(field);
    order.SetDirection(direction);
    Sort();
}

qint32 CExpenseRecords::GetSortField() {
    return CRecordSortOrder::Shared().GetField();
}

qint32 CExpenseRecords::GetSortDirection() {
    return CRecordSortOrder::Shared().GetDirection();
}

void CExpenseRecords::RunQuery() {
    SetModified(true);
    query_.Evaluate();
}

void CExpenseRecords::ClearQuery() {
    SetModified(true);
    query_.Clear();
}

void CExpenseRecords::ComputeTotals(CExpenseTotals& totals, bool selected, bool convert) const {
    totals.Reset();
    const int count = GetCount(selected);
    // The home currency's decimals take a look at the regional settings:
    // once for the whole pass, for the records this collection owns.
    const int digits = convert && count > 0 ? HomeDigits() : 0;
    for (int i = 0; i < count; ++i) {
        if (const CExpenseRecord* record = GetAt(i, selected)) {
            const bool ours = record->GetOwner() == this;
            totals.AddRecord(*record, convert && ours ? record->GetConvertedAmount(digits)
                                                      : record->GetAmount(convert));
        }
    }
    if (report_ != nullptr) {
        totals.PutBackAdvance(report_->GetHeader().GetCashAdvance());
    }
}

CExpenseTotals CExpenseRecords::ComputeStoredTotals() const {
    CExpenseTotals totals;
    ComputeTotals(totals, false, true);
    totals.Round(HomeDigits());
    return totals;
}

void CExpenseRecords::RecomputeTotals() {
    if (report_ == nullptr) {
        return;
    }
    CExpenseTotals totals = ComputeStoredTotals();
    totals.SetChanged(true);
    report_->GetHeader().SetTotals(totals);
}

int CExpenseRecords::HomeDigits() const {
    return report_ != nullptr ? report_->GetCurrencyTable().GetHomeDigits()
                              : CCurrencyTable::kDigitsWithoutTable;
}

void CExpenseRecords::UpdateTotals(const CExpenseRecord& record, int sign) {
    if (report_ == nullptr) {
        return;
    }
    CExpenseReportInfo& header = report_->GetHeader();
    CExpenseTotals totals = header.GetTotals();
    const Amount advance = header.GetCashAdvance();
    totals.TakeOutAdvance(advance);
    Amount amount = record.GetAmount(true);
    if (sign < 0) {
        amount.SetValue(-amount.GetValue());
    }
    totals.AddRecord(record, amount);
    totals.PutBackAdvance(advance);
    totals.SetChanged(true);
    totals.Round(HomeDigits());
    header.SetTotals(totals);
}
