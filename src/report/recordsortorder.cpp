#include "report/recordsortorder.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>

#include "report/expenserecord.h"
#include "report/recordquery.h"

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

// A record's key in the order: its value for the field, then its date; both
// turned around for a descending order.
struct SortKey {
    quint64 primary;
    quint64 date;
};

// The places of `keys` in their order, equal keys in their places: a stable
// radix sort, one pass a byte from the date's lowest to the value's highest,
// and none for a byte that every key shares. Nothing when a date does not
// fit in 32 bits, as every date a file holds does. `keys` is used up.
std::optional<std::vector<size_t>> OrderByRadix(std::vector<SortKey>& keys) {
    // The keys of 32-bit dates, either way round.
    constexpr quint64 kLow = 0x7fffffff80000000;
    constexpr quint64 kHigh = 0x800000007fffffff;
    if (keys.size() > 0xffffffff || std::any_of(keys.begin(), keys.end(), [](const SortKey& key) {
            return key.date < kLow || key.date > kHigh;
        })) {
        return std::nullopt;
    }
    // From here on a key's date is its low 32 bits, and its high 32 bits hold
    // its place, for the result; a sort never looks at them. The bits set in
    // any key and in all: a byte alike in both is one every key shares.
    SortKey any{0, 0};
    SortKey all{~quint64{0}, ~quint64{0}};
    for (size_t i = 0; i < keys.size(); ++i) {
        SortKey& key = keys[i];
        key.date = (key.date - kLow) | (quint64{i} << 32);
        any = {any.primary | key.primary, any.date | key.date};
        all = {all.primary & key.primary, all.date & key.date};
    }
    // Bytes 0 to 3 are the date's, 4 to 11 the value's.
    const auto byteOf = [](const SortKey& key, int byte) -> unsigned {
        return byte < 4 ? (key.date >> (8 * byte)) & 0xff
                        : (key.primary >> (8 * (byte - 4))) & 0xff;
    };
    std::vector<int> passes;
    for (int byte = 0; byte < 12; ++byte) {
        if (byteOf(any, byte) != byteOf(all, byte)) {
            passes.push_back(byte);
        }
    }
    std::vector<std::array<quint32, 256>> counts(passes.size());
    for (const SortKey& key : keys) {
        for (size_t pass = 0; pass < passes.size(); ++pass) {
            ++counts[pass][byteOf(key, passes[pass])];
        }
    }
    std::vector<SortKey> sorted(passes.empty() ? 0 : keys.size());
    for (size_t pass = 0; pass < passes.size(); ++pass) {
        std::array<quint32, 256> next;
        quint32 start = 0;
        for (int value = 0; value < 256; ++value) {
            next[value] = start;
            start += counts[pass][value];
        }
        for (const SortKey& key : keys) {
            sorted[next[byteOf(key, passes[pass])]++] = key;
        }
        keys.swap(sorted);
    }
    std::vector<size_t> positions(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        positions[i] = keys[i].date >> 32;
    }
    return positions;
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
    // By the field's value, equal values by date, both in the order's
    // direction, and records equal in both by their place: one total order,
    // which any sort puts into the one result a stable sort would give.
    // Each record is read once, for keys that compare as plain numbers.
    const KeyKind kind = KindOf(field_);
    if (kind == KeyKind::None) {
        std::vector<size_t> positions(records.size());
        std::iota(positions.begin(), positions.end(), size_t{0});
        return positions;
    }
    std::vector<SortKey> keys(records.size());
    // Texts: each distinct one is folded and compared once, however many
    // records hold it; the records' key is first the text's number here,
    // then its rank among the others.
    std::vector<QString> texts;
    QHash<QStringView, quint64> numbers;
    const auto numberOf = [&](QStringView text) {
        const auto found = numbers.constFind(text);
        if (found != numbers.constEnd()) {
            return found.value();
        }
        const quint64 number = texts.size();
        texts.push_back(text.toString());
        numbers.insert(QStringView(texts.back()), number);
        return number;
    };
    // The records lie all over the heap, and a text lies behind one or two
    // more pointers: the sort would wait for memory most of its time, so each
    // record is asked for ahead of its turn and, for a text, then its tuple,
    // then its characters, each step once the one before has arrived. Asking
    // further ahead than this only made the sorts slower.
    constexpr size_t kRecordAhead = 8;
    constexpr size_t kTextRecordAhead = 16;
    constexpr size_t kStringAhead = 8;
    constexpr size_t kTextAhead = 4;
    const size_t count = records.size();
    for (size_t i = 0; i < count; ++i) {
        if (kind != KeyKind::Text) {
            if (i + kRecordAhead < count) {
                records[i + kRecordAhead]->PrefetchSortKey(field_);
            }
        } else {
            if (i + kTextRecordAhead < count) {
                records[i + kTextRecordAhead]->PrefetchSortKey(field_);
            }
            if (i + kStringAhead < count) {
                records[i + kStringAhead]->PrefetchFieldString(field_);
            }
            if (i + kTextAhead < count) {
                __builtin_prefetch(records[i + kTextAhead]->GetFieldView(field_).data());
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
                primary = numberOf(record.GetFieldView(field_));
                break;
            case KeyKind::Date:
            case KeyKind::None:
                break;
        }
        keys[i] = {primary, DateKey(record.GetDate())};
    }
    if (kind == KeyKind::Text) {
        const std::vector<quint64> ranks = TextRanks(texts);
        for (SortKey& key : keys) {
            key.primary = ranks[key.primary];
        }
    }
    // Descending turns the keys around, never the places.
    if (direction_ == kDescending) {
        for (SortKey& key : keys) {
            key = {~key.primary, ~key.date};
        }
    }
    if (auto order = OrderByRadix(keys)) {
        return *std::move(order);
    }
    std::vector<size_t> positions(records.size());
    std::iota(positions.begin(), positions.end(), size_t{0});
    std::stable_sort(positions.begin(), positions.end(), [&keys](size_t a, size_t b) {
        return keys[a].primary != keys[b].primary ? keys[a].primary < keys[b].primary
                                                  : keys[a].date < keys[b].date;
    });
    return positions;
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
