#include "archive/sharedtexts.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr size_t kFirstSlots = 64;
// A file's names repeat among its first few thousand texts; past that many
// distinct ones the rest are mostly each on its own, and a table of them
// would only grow.
constexpr size_t kMostKept = 8192;
// With the table full, texts are looked up in samples of this many; when
// fewer than one in kFewFound of a sample is found, the next kSkipped are
// not looked up.
constexpr size_t kSample = 1024;
constexpr size_t kFewFound = 32;
constexpr size_t kSkipped = 32768;

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
        state = Fold(qFromUnaligned<quint64>(bytes) ^ kOdd2,
                     qFromUnaligned<quint64>(bytes + 8) ^ state);
        bytes += 16;
        size -= 16;
    }
    // The last 1 to 16 bytes as two words, overlapping when fewer.
    quint64 first = 0;
    quint64 last = 0;
    if (size >= 8) {
        first = qFromUnaligned<quint64>(bytes);
        last = qFromUnaligned<quint64>(bytes + size - 8);
    } else if (size >= 4) {
        first = qFromUnaligned<quint32>(bytes);
        last = qFromUnaligned<quint32>(bytes + size - 4);
    } else if (size > 0) {
        const auto byte = [bytes](size_t at) { return static_cast<quint64>(uchar(bytes[at])); };
        first = byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16;
    }
    const quint64 hash = Fold(first ^ kOdd3, last ^ state ^ kOdd2);
    return hash != 0 ? hash : 1;
}

const QString* SharedTexts::Lookup(const char* bytes, qsizetype units, quint64 hash) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.hash == 0) {
            return nullptr;
        }
        if (slot.hash == hash && slot.text.size() == units &&
            std::memcmp(slot.text.constData(), bytes, static_cast<size_t>(units) * 2) == 0) {
            return &slot.text;
        }
    }
}

QString SharedTexts::Find(const char* bytes, qsizetype units) {
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        QString text(units, Qt::Uninitialized);
        for (qsizetype i = 0; i < units; ++i) {
            text[i] = QChar(qFromLittleEndian<quint16>(bytes + 2 * i));
        }
        return Find(text);
    }
    const auto decode = [bytes, units] {
        QString text(units, Qt::Uninitialized);
        std::memcpy(text.data(), bytes, static_cast<size_t>(units) * 2);
        return text;
    };
    if (!Looking()) {
        return decode();
    }
    const quint64 hash = Hash(bytes, static_cast<size_t>(units) * 2);
    const QString* found = Lookup(bytes, units, hash);
    Note(found != nullptr);
    if (found != nullptr) {
        return *found;
    }
    QString text = decode();
    Insert(hash, text);
    return text;
}

QString SharedTexts::Find(const QString& text) {
    if (!Looking()) {
        return text;
    }
    const auto* bytes = reinterpret_cast<const char*>(text.constData());
    const quint64 hash = Hash(bytes, static_cast<size_t>(text.size()) * 2);
    const QString* found = Lookup(bytes, text.size(), hash);
    Note(found != nullptr);
    if (found != nullptr) {
        return *found;
    }
    Insert(hash, text);
    return text;
}

void SharedTexts::Prefetch(const char* bytes, qsizetype units, bool text) const {
    if (slots_.empty() || skipped_ > 0) {
        return;
    }
    const quint64 hash = Hash(bytes, static_cast<size_t>(units) * 2);
    const Slot& slot = slots_[hash & (slots_.size() - 1)];
    if (!text) {
        __builtin_prefetch(&slot);
    } else if (slot.hash == hash) {
        // Finding the copy compares its units and counts one more user of
        // it, whose count sits just before the units.
        const char* units16 = reinterpret_cast<const char*>(slot.text.constData());
        __builtin_prefetch(units16);
        __builtin_prefetch(units16 - sizeof(void*) * 2);
    }
}

bool SharedTexts::Looking() {
    if (skipped_ == 0) {
        return true;
    }
    --skipped_;
    return false;
}

void SharedTexts::Note(bool found) {
    if (used_ < kMostKept) {
        return;
    }
    // A full table that finds next to nothing is a file of one-off texts
    // (notes, numbered descriptions): looking each up would only cost a
    // probe into a large table. They are taken as they come for a while,
    // then a new sample tells whether names repeat again.
    ++looked_;
    found_ += found ? 1 : 0;
    if (looked_ == kSample) {
        if (found_ * kFewFound < kSample) {
            skipped_ = kSkipped;
        }
        looked_ = 0;
        found_ = 0;
    }
}

void SharedTexts::Insert(quint64 hash, const QString& text) {
    if (used_ >= kMostKept) {
        return;
    }
    // At most half the slots in use, so that a probe ends soon.
    if ((used_ + 1) * 2 > slots_.size()) {
        Grow();
    }
    const size_t mask = slots_.size() - 1;
    size_t at = hash & mask;
    while (slots_[at].hash != 0) {
        at = (at + 1) & mask;
    }
    slots_[at].hash = hash;
    slots_[at].text = text;
    ++used_;
}
void SharedTexts::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? kFirstSlots : old.size() * 2, Slot());
    const size_t mask = slots_.size() - 1;
    for (Slot& slot : old) {
        if (slot.hash == 0) {
            continue;
        }
        size_t at = slot.hash & mask;
        while (slots_[at].hash != 0) {
            at = (at + 1) & mask;
        }
        slots_[at] = std::move(slot);
    }
}
