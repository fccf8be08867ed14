#include "report/recordranks.h"

#include <algorithm>

#include "report/expenserecord.h"
#include "report/recordsortorder.h"

namespace {

// Past this many changed records, reading every record again costs less
// than placing each changed one, and the ranks are forgotten. A pass over
// many records (a new home currency, a reload) stops counting here, and so
// stops searching the collection for each record it changes.
constexpr size_t kMostChanged = 256;

}  // namespace

void RecordRanks::Clear() {
    field_ = -1;
    std::vector<quint32>().swap(ranks_);
    distinct_ = 0;
    changed_ = 0;
    missed_ = 0;
}

void RecordRanks::Missed() {
    if (++missed_ > kMostChanged) {
        Clear();
    }
}

void RecordRanks::Inserted(size_t position) {
    if (!IsKept() || position > ranks_.size()) {
        Clear();
        return;
    }
    ranks_.insert(ranks_.begin() + static_cast<std::ptrdiff_t>(position), kChanged);
    if (++changed_ > kMostChanged) {
        Clear();
    }
}

void RecordRanks::Changed(size_t position) {
    if (!IsKept() || position >= ranks_.size()) {
        Clear();
        return;
    }
    if (ranks_[position] != kChanged) {
        ranks_[position] = kChanged;
        if (++changed_ > kMostChanged) {
            Clear();
        }
    }
}

void RecordRanks::Removed(size_t position) {
    if (!IsKept() || position >= ranks_.size()) {
        Clear();
        return;
    }
    if (ranks_[position] == kChanged) {
        --changed_;
    }
    ranks_.erase(ranks_.begin() + static_cast<std::ptrdiff_t>(position));
}

std::vector<size_t> RecordRanks::Sort(const CRecordSortOrder& order,
                                      const std::vector<const CExpenseRecord*>& records) {
    if (order.OrdersNothing()) {
        return order.StableOrder(records);  // every record where it is
    }
    const bool kept = field_ == order.GetField() && ranks_.size() == records.size() &&
                      (changed_ == 0 || PlaceChanged(order, records));
    if (!kept) {
        CRecordSortOrder::Ranking ranking = order.Rank(records);
        field_ = order.GetField();
        ranks_ = std::move(ranking.ranks);
        distinct_ = ranking.distinct;
        changed_ = 0;
    }
    const std::vector<size_t> positions = order.OrderOfRanks(ranks_, distinct_);
    std::vector<quint32> moved(ranks_.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        moved[i] = ranks_[positions[i]];
    }
    ranks_ = std::move(moved);
    missed_ = 0;
    return positions;
}

bool RecordRanks::PlaceChanged(const CRecordSortOrder& order,
                               const std::vector<const CExpenseRecord*>& records) {
    if (changed_ * 8 > records.size()) {
        return false;
    }
    const auto record = [&records](quint32 position) -> const CExpenseRecord& {
        return *records[position];
    };
    // One record for each rank still held, rising; ranks no record holds any
    // more (their records left) drop out.
    std::vector<quint32> holderOf(distinct_, kChanged);
    std::vector<quint32> changed;
    changed.reserve(changed_);
    for (size_t position = 0; position < ranks_.size(); ++position) {
        if (ranks_[position] == kChanged) {
            changed.push_back(static_cast<quint32>(position));
        } else {
            holderOf[ranks_[position]] = static_cast<quint32>(position);
        }
    }
    std::vector<quint32> held;
    std::vector<quint32> heldIndex(distinct_, 0);
    for (quint32 rank = 0; rank < distinct_; ++rank) {
        if (holderOf[rank] != kChanged) {
            heldIndex[rank] = static_cast<quint32>(held.size());
            held.push_back(holderOf[rank]);
        }
    }
    // The changed records rising, each with the first held rank it does not
    // rank above, and whether it ranks with it.
    std::sort(changed.begin(), changed.end(),
              [&](quint32 a, quint32 b) { return order.Compare(record(a), record(b)) < 0; });
    struct Place {
        size_t at;
        bool with;
    };
    std::vector<Place> places(changed.size());
    auto from = held.begin();
    for (size_t c = 0; c < changed.size(); ++c) {
        const CExpenseRecord& placed = record(changed[c]);
        from = std::lower_bound(from, held.end(), placed, [&](quint32 holder, const auto& value) {
            return order.Compare(record(holder), value) < 0;
        });
        const auto at = static_cast<size_t>(from - held.begin());
        places[c] = {at, from != held.end() && order.Compare(record(*from), placed) == 0};
    }
    // Ranks afresh from 0: the changed records below each held rank first,
    // equal ones sharing one, then the held rank with those equal to it.
    std::vector<quint32> heldRank(held.size());
    std::vector<quint32> changedRank(changed.size());
    quint32 rank = 0;
    size_t c = 0;
    for (size_t h = 0;; ++h) {
        for (; c < changed.size() && places[c].at == h && !places[c].with; ++c) {
            const bool withLast = c > 0 && places[c - 1].at == h && !places[c - 1].with &&
                                  order.Compare(record(changed[c - 1]), record(changed[c])) == 0;
            changedRank[c] = withLast ? changedRank[c - 1] : rank++;
        }
        if (h == held.size()) {
            break;
        }
        heldRank[h] = rank;
        for (; c < changed.size() && places[c].at == h && places[c].with; ++c) {
            changedRank[c] = rank;
        }
        ++rank;
    }
    for (quint32& value : ranks_) {
        if (value != kChanged) {
            value = heldRank[heldIndex[value]];
        }
    }
    for (size_t i = 0; i < changed.size(); ++i) {
        ranks_[changed[i]] = changedRank[i];
    }
    distinct_ = rank;
    changed_ = 0;
    return true;
}
