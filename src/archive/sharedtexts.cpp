#include "archive/sharedtexts.h"

#include <QHashFunctions>
#include <QtEndian>
#include <cstring>

namespace {

constexpr size_t kFirstSlots = 64;
// A file's names repeat among its first few thousand texts; past that many
// distinct ones the rest are mostly each on its own, and a table of them
// would only grow.
constexpr size_t kMostKept = 8192;

}  // namespace

const QString* SharedTexts::Lookup(const char* bytes, qsizetype units, size_t hash) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.text.isNull()) {
            return nullptr;
        }
        if (slot.hash == hash && slot.text.size() == units &&
            std::memcmp(slot.text.constData(), bytes, static_cast<size_t>(units) * 2) == 0) {
            return &slot.text;
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
    const size_t hash = qHashBits(bytes, static_cast<size_t>(units) * 2);
    if (const QString* found = Lookup(bytes, units, hash)) {
        return *found;
    }
    QString text(units, Qt::Uninitialized);
    std::memcpy(text.data(), bytes, static_cast<size_t>(units) * 2);
    return Insert(hash, std::move(text));
}

const QString& SharedTexts::Find(const QString& text) {
    const auto* bytes = reinterpret_cast<const char*>(text.constData());
    const size_t hash = qHashBits(bytes, static_cast<size_t>(text.size()) * 2);
    if (const QString* found = Lookup(bytes, text.size(), hash)) {
        return *found;
    }
    return Insert(hash, text);
}

const QString& SharedTexts::Insert(size_t hash, QString text) {
    if (used_ >= kMostKept) {
        spare_ = std::move(text);
        return spare_;
    }
    // At most half the slots in use, so that a probe ends soon.
    if ((used_ + 1) * 2 > slots_.size()) {
        Grow();
    }
    const size_t mask = slots_.size() - 1;
    size_t at = hash & mask;
    while (!slots_[at].text.isNull()) {
        at = (at + 1) & mask;
    }
    slots_[at].hash = hash;
    slots_[at].text = std::move(text);
    ++used_;
    return slots_[at].text;
}

void SharedTexts::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? kFirstSlots : old.size() * 2, Slot());
    const size_t mask = slots_.size() - 1;
    for (Slot& slot : old) {
        if (slot.text.isNull()) {
            continue;
        }
        size_t at = slot.hash & mask;
        while (!slots_[at].text.isNull()) {
            at = (at + 1) & mask;
        }
        slots_[at] = std::move(slot);
    }
}
