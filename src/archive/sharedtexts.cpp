#include "archive/sharedtexts.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr size_t kFirstSlots = 64;
// A file's names repeat among its first few thousand texts; past that many
// distinct ones the rest are mostly each on its own, and a table of them
// would only grow.
constexpr size_t kMostKept = 8192;

quint64 Word(const char* bytes) {
    quint64 word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

quint64 HalfWord(const char* bytes) {
    quint32 word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The high and low halves of the full product folded together: every bit of
// either factor reaches the middle bits of the result.
quint64 Fold(quint64 a, quint64 b) {
    __extension__ using Wide = unsigned __int128;
    const Wide product = static_cast<Wide>(a) * b;
    return static_cast<quint64>(product) ^ static_cast<quint64>(product >> 64);
}

}  // namespace

quint64 SharedTexts::Hash(const char* bytes, size_t size) {
    // The texts are short, and a general-purpose hash spends more on setting
    // up and finishing than on them: sixteen bytes per multiplication here.
    // Only the table sees the values; a collision costs a compare.
    constexpr quint64 kOdd1 = 0x9E3779B97F4A7C15ULL;
    constexpr quint64 kOdd2 = 0xD6E8FEB86659FD93ULL;
    constexpr quint64 kOdd3 = 0xA0761D6478BD642FULL;
    quint64 state = size * kOdd1;
    while (size > 16) {
        state = Fold(Word(bytes) ^ kOdd2, Word(bytes + 8) ^ state);
        bytes += 16;
        size -= 16;
    }
    // The last 1 to 16 bytes as two words, overlapping when fewer.
    quint64 first = 0;
    quint64 last = 0;
    if (size >= 8) {
        first = Word(bytes);
        last = Word(bytes + size - 8);
    } else if (size >= 4) {
        first = HalfWord(bytes);
        last = HalfWord(bytes + size - 4);
    } else if (size > 0) {
        const auto byte = [bytes](size_t at) { return static_cast<quint64>(uchar(bytes[at])); };
        first = byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16;
    }
    const quint64 hash = Fold(first ^ kOdd3, last ^ state ^ kOdd2);
    return hash != 0 ? hash : 1;
}

const QString* SharedTexts::Lookup(const char* bytes, qsizetype units, quint64 hash) const {
    if (hashes_.empty()) {
        return nullptr;
    }
    const size_t mask = hashes_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const quint64 there = hashes_[at];
        if (there == 0) {
            return nullptr;
        }
        if (there == hash) {
            const QString& text = texts_[at];
            if (text.size() == units &&
                std::memcmp(text.constData(), bytes, static_cast<size_t>(units) * 2) == 0) {
                return &text;
            }
        }
    }
}

const QString& SharedTexts::Find(const char* bytes, qsizetype units) {
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        QString text(units, Qt::Uninitialized);
        for (qsizetype i = 0; i < units; ++i) {
            text[i] = QChar(qFromLittleEndian<quint16>(bytes + 2 * i));
        }
        return Find(text);
    }
    const quint64 hash = Hash(bytes, static_cast<size_t>(units) * 2);
    if (const QString* found = Lookup(bytes, units, hash)) {
        return *found;
    }
    QString text(units, Qt::Uninitialized);
    std::memcpy(text.data(), bytes, static_cast<size_t>(units) * 2);
    return Insert(hash, std::move(text));
}

const QString& SharedTexts::Find(const QString& text) {
    const auto* bytes = reinterpret_cast<const char*>(text.constData());
    const quint64 hash = Hash(bytes, static_cast<size_t>(text.size()) * 2);
    if (const QString* found = Lookup(bytes, text.size(), hash)) {
        return *found;
    }
    return Insert(hash, text);
}

const QString& SharedTexts::Insert(quint64 hash, QString text) {
    if (used_ >= kMostKept) {
        spare_ = std::move(text);
        return spare_;
    }
    // At most half the slots in use, so that a probe ends soon.
    if ((used_ + 1) * 2 > hashes_.size()) {
        Grow();
    }
    const size_t mask = hashes_.size() - 1;
    size_t at = hash & mask;
    while (hashes_[at] != 0) {
        at = (at + 1) & mask;
    }
    hashes_[at] = hash;
    texts_[at] = std::move(text);
    ++used_;
    return texts_[at];
}

void SharedTexts::Grow() {
    std::vector<quint64> oldHashes = std::move(hashes_);
    std::vector<QString> oldTexts = std::move(texts_);
    const size_t size = oldHashes.empty() ? kFirstSlots : oldHashes.size() * 2;
    hashes_.assign(size, 0);
    texts_.assign(size, QString());
    const size_t mask = size - 1;
    for (size_t from = 0; from < oldHashes.size(); ++from) {
        if (oldHashes[from] == 0) {
            continue;
        }
        size_t at = oldHashes[from] & mask;
        while (hashes_[at] != 0) {
            at = (at + 1) & mask;
        }
        hashes_[at] = oldHashes[from];
        texts_[at] = std::move(oldTexts[from]);
    }
}
