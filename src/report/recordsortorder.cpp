#include "report/recordsortorder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "report/textnumbers.h"

namespace {

constexpr quint64 kSignBit = quint64{1} << 63;

// A key that orders as unsigned numbers as the date does as a signed one.
quint64 DateKey(qint64 date) {
    return static_cast<quint64>(date) ^ kSignBit;
}

// A key that orders as unsigned numbers as the amount does: amounts read
// from a damaged file may be no number at all, and they go first (all
// equal), so that sorting always sees a consistent order; zero and minus
// zero are one value.
quint64 AmountKey(double amount) {
    if (std::isnan(amount)) {
        return 0;
    }
    if (amount == 0.0) {
        amount = 0.0;
    }
    quint64 bits = 0;
    std::memcpy(&bits, &amount, sizeof bits);
    // Negative numbers: every bit flipped turns their order around; positive
    // ones: the sign bit set puts them after all negative ones.
    return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

// The bits that hold every number below `limit`.
int BitsBelow(quint64 limit) {
    int bits = 0;
    while (bits < 64 && (limit - 1) >> bits != 0) {
        ++bits;
    }
    return bits;
}

// Records are ranked by a small primary key, their date and their place,
// all three in one number when they fit in 64 bits, as they do for dates a
// file holds (32 bits) and for primaries such as a text's rank: the sort
// then compares plain numbers, side by side. False when they do not fit.
template <typename Entry>
bool RankPacked(const std::vector<Entry>& entries, quint64 primaryLimit,
                CRecordSortOrder::Ranking& ranking) {
    const int positionBits = std::max(BitsBelow(entries.size()), 1);
    const int dateShift = positionBits;
    const int primaryShift = positionBits + 32;
    if (primaryShift + BitsBelow(primaryLimit) > 64) {
        return false;
    }
    constexpr quint64 kLow = 0x7fffffff80000000;  // the keys of 32-bit dates
    constexpr quint64 kHigh = 0x800000007fffffff;
    std::vector<quint64> keys;
    keys.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (entry.date < kLow || entry.date > kHigh) {
            return false;
        }
        // A shift by 64 is undefined, so a primary always 0 is not shifted.
        const quint64 primary = primaryShift < 64 ? entry.primary << primaryShift : 0;
        keys.push_back(primary | ((entry.date - kLow) << dateShift) | entry.position);
    }
    std::sort(keys.begin(), keys.end());
    const quint64 positionMask = (quint64{1} << positionBits) - 1;
    quint32 rank = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && (keys[i] >> positionBits) != (keys[i - 1] >> positionBits)) {
            ++rank;
        }
        ranking.ranks[keys[i] & positionMask] = rank;
    }
    ranking.distinct = keys.empty() ? 0 : rank + 1;
    return true;
}

template <typename T>
int ThreeWay(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Asks the memory for the cache lines of `bytes` from `start`, not more than
// two. Inlined always: the compiler drops a call that only prefetches, as it
// changes nothing it can see.
[[gnu::always_inline]] inline void Prefetch(const void* start, size_t bytes) {
    const auto* first = static_cast<const char*>(start);
    __builtin_prefetch(first);
    __builtin_prefetch(first + bytes - 1);
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

std::vector<size_t> CRecordSortOrder::StableOrder(
    const std::vector<const CExpenseRecord*>& records) const {
    if (OrdersNothing()) {
        std::vector<size_t> positions(records.size());
        std::iota(positions.begin(), positions.end(), size_t{0});
        return positions;
    }
    const Ranking ranking = Rank(records);
    return OrderOfRanks(ranking.ranks, ranking.distinct);
}

CRecordSortOrder::Ranking CRecordSortOrder::Rank(
    const std::vector<const CExpenseRecord*>& records) const {
    // By the field's value, then by date. Each record is read once, for keys
    // that compare as plain numbers.
    struct Entry {
        quint64 primary;
        quint64 date;
        quint32 position;
    };
    const KeyKind kind = KindOf(field_);
    if (kind == KeyKind::None) {
        return {};
    }
    std::vector<Entry> entries(records.size());
    // Texts: each distinct one is folded and compared once, however many
    // records hold it; the records' key is first the text's number here,
    // then its rank among the others.
    TextNumbers numbers;
    // The records lie all over the heap, and a text lies behind one or two
    // more pointers: the sort would wait for memory most of its time, so each
    // record is asked for ahead of its turn and, for a text, then the string
    // that holds it (in the record or in its tuple), then its characters,
    // each step once the one before has arrived.
    const bool tupleField = field_ == kFieldCategory || field_ == kFieldClassification ||
                            field_ == kFieldPaidWith || field_ == kFieldExpenseType;
    constexpr size_t kRecordAhead = 16;
    constexpr size_t kStringAhead = 8;
    constexpr size_t kTextAhead = 4;
    const size_t count = records.size();
    for (size_t i = 0; i < count; ++i) {
        if (i + kRecordAhead < count) {
            const CExpenseRecord& ahead = *records[i + kRecordAhead];
            Prefetch(ahead.GetSortKeyPlace(), CExpenseRecord::kSortKeyBytes);
            if (kind == KeyKind::Text && !tupleField) {
                Prefetch(ahead.GetFieldString(field_), sizeof(QString));
            }
        }
        if (kind == KeyKind::Text) {
            if (tupleField && i + kStringAhead < count) {
                Prefetch(records[i + kStringAhead]->GetFieldString(field_), sizeof(QString));
            }
            // Only a text in a storage not met before is read.
            if (i + kTextAhead < count) {
                const QString& ahead = *records[i + kTextAhead]->GetFieldString(field_);
                if (!numbers.KnowsStorage(ahead)) {
                    __builtin_prefetch(ahead.constData());
                }
            }
        }
        const CExpenseRecord& record = *records[i];
        quint64 primary = 0;
        switch (kind) {
            case KeyKind::Amount:
                primary = AmountKey(record.GetAmount(false).GetValue());
                break;
            case KeyKind::Number:
                primary = record.GetReceipt() ? 1 : 0;
                break;
            case KeyKind::Text:
                primary = numbers.NumberOf(*record.GetFieldString(field_));
                break;
            case KeyKind::Date:
            case KeyKind::None:
                break;
        }
        entries[i] = {primary, DateKey(record.GetDate()), static_cast<quint32>(i)};
    }
    quint64 primaryLimit = 0;
    switch (kind) {
        case KeyKind::Text: {
            const std::vector<quint64> ranks = TextRanks(numbers.Texts());
            for (Entry& entry : entries) {
                entry.primary = ranks[entry.primary];
            }
            primaryLimit = ranks.size();
            break;
        }
        case KeyKind::Number:
            primaryLimit = 2;
            break;
        case KeyKind::Amount:
            primaryLimit = ~quint64{0};
            break;
        case KeyKind::Date:
        case KeyKind::None:
            primaryLimit = 1;
    }
    Ranking ranking;
    ranking.ranks.resize(count);
    if (RankPacked(entries, primaryLimit, ranking)) {
        return ranking;
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.primary != b.primary ? a.primary < b.primary : a.date < b.date;
    });
    quint32 rank = 0;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (entries[i].primary != entries[i - 1].primary ||
                      entries[i].date != entries[i - 1].date)) {
            ++rank;
        }
        ranking.ranks[entries[i].position] = rank;
    }
    ranking.distinct = count == 0 ? 0 : rank + 1;
    return ranking;
}

std::vector<size_t> CRecordSortOrder::OrderOfRanks(const std::vector<quint32>& ranks,
                                                   quint32 distinct) const {
    // Counted into place: each rank's first slot, then each record in turn
    // into the next slot of its rank, which keeps equal ranks by place.
    const bool falling = direction_ == kDescending;
    std::vector<quint32> next(size_t{distinct} + 1, 0);
    for (quint32 rank : ranks) {
        ++next[(falling ? distinct - 1 - rank : rank) + 1];
    }
    for (size_t i = 1; i < next.size(); ++i) {
        next[i] += next[i - 1];
    }
    std::vector<size_t> positions(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i) {
        const quint32 rank = ranks[i];
        positions[next[falling ? distinct - 1 - rank : rank]++] = i;
    }
    return positions;
}

int CRecordSortOrder::Compare(const CExpenseRecord& a, const CExpenseRecord& b) const {
    int primary = 0;
    switch (KindOf(field_)) {
        case KeyKind::Amount:
            primary = ThreeWay(AmountKey(a.GetAmount(false).GetValue()),
                               AmountKey(b.GetAmount(false).GetValue()));
            break;
        case KeyKind::Number:
            primary = ThreeWay(a.GetReceipt(), b.GetReceipt());
            break;
        case KeyKind::Text:
            primary = ThreeWay(
                QString::compare(FoldedForSort(*a.GetFieldString(field_)),
                                 FoldedForSort(*b.GetFieldString(field_)), Qt::CaseSensitive),
                0);
            break;
        case KeyKind::None:
            return 0;
        case KeyKind::Date:
            break;
    }
    return primary != 0 ? primary : ThreeWay(DateKey(a.GetDate()), DateKey(b.GetDate()));
}

std::vector<quint64> CRecordSortOrder::TextRanks(const std::vector<QString>& texts) {
    std::vector<QString> folded;
    folded.reserve(texts.size());
    for (const QString& text : texts) {
        folded.push_back(FoldedForSort(text));
    }
    std::vector<size_t> byText(texts.size());
    std::iota(byText.begin(), byText.end(), size_t{0});
    std::sort(byText.begin(), byText.end(), [&](size_t a, size_t b) {
        return QString::compare(folded[a], folded[b], Qt::CaseSensitive) < 0;
    });
    // Texts equal once folded share a rank.
    std::vector<quint64> ranks(texts.size());
    quint64 rank = 0;
    for (size_t i = 0; i < byText.size(); ++i) {
        if (i > 0 &&
            QString::compare(folded[byText[i - 1]], folded[byText[i]], Qt::CaseSensitive) != 0) {
            ++rank;
        }
        ranks[byText[i]] = rank;
    }
    return ranks;
}
