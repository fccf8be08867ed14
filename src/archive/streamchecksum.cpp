#include "archive/streamchecksum.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ULL;

quint64 Avalanche(quint64 value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDULL;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ULL;
    value ^= value >> 33;
    return value;
}

}  // namespace

void StreamChecksum::Mix(quint64 word) {
    state_ = (state_ ^ word) * kMultiplier;
    state_ ^= state_ >> 29;
}

void StreamChecksum::Add(const char* data, qint64 size) {
    length_ += static_cast<quint64>(size);
    // Whole words only once the word begun by the last piece is complete, so
    // that the value does not depend on where the pieces were cut.
    while (size > 0 && pendingBytes_ != 0) {
        pending_ |= quint64(static_cast<unsigned char>(*data)) << (8 * pendingBytes_);
        ++data;
        --size;
        if (++pendingBytes_ == 8) {
            Mix(pending_);
            pending_ = 0;
            pendingBytes_ = 0;
        }
    }
    while (size >= 8) {
        quint64 word;
        std::memcpy(&word, data, 8);
        Mix(qFromLittleEndian(word));
        data += 8;
        size -= 8;
    }
    while (size > 0) {
        pending_ |= quint64(static_cast<unsigned char>(*data)) << (8 * pendingBytes_);
        ++pendingBytes_;
        ++data;
        --size;
    }
}

quint64 StreamChecksum::Value() const {
    quint64 state = state_;
    if (pendingBytes_ != 0) {
        state = ((state ^ pending_) * kMultiplier);
        state ^= state >> 29;
    }
    return Avalanche(state ^ length_);
}
