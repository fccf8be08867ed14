#include "report/recordsquery.h"

#include <algorithm>

#include "archive/expensearchive.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordsortorder.h"

void CRecordsQuery::Serialize(CExpenseArchive& archive, int context) {
    if (archive.IsStoring()) {
        archive.WriteInt32(active_);
        archive.WriteInt32(static_cast<qint32>(conditions_.size()));
        for (CRecordQuery& condition : conditions_) {
            condition.Serialize(archive, context);
        }
        return;
    }
    result_.clear();
    // The conditions of the file replace those in memory; appending to them
    // would carry one report's selection into the next report opened.
    conditions_.clear();
    active_ = archive.ReadInt32();
    qint32 count = archive.ReadInt32();
    if (count < 0 || count > kMaxStoredConditions) {
        count = 0;
    }
    archive.CheckCount(static_cast<quint64>(count), CRecordQuery::kMinimumStoredSize);
    for (qint32 i = 0; i < count; ++i) {
        CRecordQuery condition;
        condition.Serialize(archive, context);
        conditions_.append(condition);
    }
}

void CRecordsQuery::AddCondition(const CRecordQuery& condition) {
    conditions_.append(condition);
}

const CRecordQuery* CRecordsQuery::FindLastCondition(qint32 fieldCode) const {
    for (qsizetype i = conditions_.size() - 1; i >= 0; --i) {
        if (conditions_[i].GetFieldCode() == fieldCode) {
            return &conditions_[i];
        }
    }
    return nullptr;
}

bool CRecordsQuery::Matches(const CExpenseRecord* record) const {
    if (conditions_.isEmpty()) {
        return false;
    }
    return std::all_of(
        conditions_.begin(), conditions_.end(),
        [record](const CRecordQuery& condition) { return condition.Passes(record); });
}

void CRecordsQuery::Evaluate() {
    result_.clear();
    active_ = 0;
    if (owner_ == nullptr || conditions_.isEmpty()) {
        return;
    }
    // Always from the whole collection, so that conditions added one by one
    // narrow the selection together rather than the last result.
    const int count = owner_->GetCount(false);
    for (int i = 0; i < count; ++i) {
        CExpenseRecord* record = owner_->GetAt(i, false);
        if (Matches(record)) {
            result_.append(record);
        }
    }
    active_ = 1;
}

void CRecordsQuery::Clear() {
    if (active_ == 0) {
        return;
    }
    active_ = 0;
    conditions_.clear();
    result_.clear();
    if (owner_ != nullptr) {
        owner_->Sort();
    }
}

CExpenseRecord* CRecordsQuery::ResultAt(qsizetype index) const {
    return index >= 0 && index < result_.size() ? result_[index] : nullptr;
}

void CRecordsQuery::AppendResult(CExpenseRecord* record) {
    result_.append(record);
}

void CRecordsQuery::InsertResult(qsizetype position, CExpenseRecord* record) {
    result_.insert(std::clamp<qsizetype>(position, 0, result_.size()), record);
}

void CRecordsQuery::ReplaceRecordEverywhere(const CExpenseRecord* record,
                                            CExpenseRecord* replacement) {
    if (record == nullptr) {
        return;
    }
    if (replacement == nullptr) {
        result_.removeAll(record);
    } else {
        std::replace(result_.begin(), result_.end(), const_cast<CExpenseRecord*>(record),
                     replacement);
    }
}

void CRecordsQuery::SortResult(const CRecordSortOrder& order) {
    // Empty entries go after every record.
    std::vector<const CExpenseRecord*> records;
    records.reserve(static_cast<size_t>(result_.size()));
    qsizetype empty = 0;
    for (CExpenseRecord* record : std::as_const(result_)) {
        if (record != nullptr) {
            records.push_back(record);
        } else {
            ++empty;
        }
    }
    QList<CExpenseRecord*> sorted;
    sorted.reserve(result_.size());
    for (size_t position : order.StableOrder(records)) {
        sorted.append(const_cast<CExpenseRecord*>(records[position]));
    }
    sorted.insert(sorted.size(), empty, nullptr);
    result_ = std::move(sorted);
}

void CRecordsQuery::Discard() {
    active_ = 0;
    conditions_.clear();
    result_.clear();
}
