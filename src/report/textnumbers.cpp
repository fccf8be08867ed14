#include "report/textnumbers.h"

namespace {

// The texts after which the storage table is kept or let go.
constexpr size_t kSample = 4096;

}  // namespace

size_t TextNumbers::SlotIndex(const QChar* data, qsizetype size) const {
    const auto bits = (reinterpret_cast<quintptr>(data) >> 1) ^ (static_cast<quint64>(size) << 40);
    const size_t mask = slots_.size() - 1;
    size_t index = static_cast<size_t>((bits * 0x9e3779b97f4a7c15) >> shift_);
    while (slots_[index].size >= 0 && (slots_[index].data != data || slots_[index].size != size)) {
        index = (index + 1) & mask;
    }
    return index;
}

bool TextNumbers::KnowsStorage(const QString& text) const {
    return byStorage_ && slots_[SlotIndex(text.constData(), text.size())].size >= 0;
}

quint32 TextNumbers::NumberOf(const QString& text) {
    size_t index = 0;
    if (byStorage_) {
        index = SlotIndex(text.constData(), text.size());
        if (slots_[index].size >= 0) {
            ++looked_;
            return slots_[index].number;
        }
        if (++looked_ <= kSample && ++missed_ * 2 > kSample) {
            byStorage_ = false;
            std::vector<Slot>().swap(slots_);
        }
    }
    quint32 number = 0;
    const auto known = byCharacters_.constFind(QStringView(text));
    if (known != byCharacters_.constEnd()) {
        number = known.value();
    } else {
        number = static_cast<quint32>(texts_.size());
        texts_.push_back(text);
        byCharacters_.insert(QStringView(texts_.back()), number);
    }
    if (byStorage_) {
        slots_[index] = {text.constData(), text.size(), number};
        if (++used_ * 2 > slots_.size()) {
            Grow();
        }
    }
    return number;
}

void TextNumbers::Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    --shift_;
    for (const Slot& slot : old) {
        if (slot.size >= 0) {
            slots_[SlotIndex(slot.data, slot.size)] = slot;
        }
    }
}
