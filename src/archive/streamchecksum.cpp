#include "archive/streamchecksum.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ULL;

quint64 Mix(quint64 state, quint64 word) {
    state = (state ^ word) * kMultiplier;
    return state ^ (state >> 29);
}

quint64 Avalanche(quint64 value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDULL;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ULL;
    value ^= value >> 33;
    return value;
}

quint64 WordAt(const char* data) {
    quint64 word;
    std::memcpy(&word, data, 8);
    return qFromLittleEndian(word);
}

}  // namespace

void StreamChecksum::MixBlock(const char* block) {
    for (int lane = 0; lane < kLanes; ++lane) {
        lanes_[lane] = Mix(lanes_[lane], WordAt(block + 8 * lane));
    }
}

void StreamChecksum::Add(const char* data, qint64 size) {
    length_ += static_cast<quint64>(size);
    // Whole blocks only once the block begun by the last piece is complete,
    // so that the value does not depend on where the pieces were cut.
    if (pendingBytes_ != 0) {
        const qint64 part = qMin<qint64>(size, kBlock - pendingBytes_);
        std::memcpy(pending_ + pendingBytes_, data, static_cast<size_t>(part));
        pendingBytes_ += static_cast<int>(part);
        data += part;
        size -= part;
        if (pendingBytes_ < kBlock) {
            return;
        }
        MixBlock(pending_);
        pendingBytes_ = 0;
    }
    static_assert(kLanes == 4, "one register per lane below");
    if (size >= kBlock) {
        // The lanes stay in registers over the run of whole blocks: kept in
        // the object, each block would wait for the last one's stores.
        quint64 a = lanes_[0];
        quint64 b = lanes_[1];
        quint64 c = lanes_[2];
        quint64 d = lanes_[3];
        const char* const end = data + (size - size % kBlock);
        for (; data != end; data += kBlock) {
            a = Mix(a, WordAt(data));
            b = Mix(b, WordAt(data + 8));
            c = Mix(c, WordAt(data + 16));
            d = Mix(d, WordAt(data + 24));
        }
        lanes_[0] = a;
        lanes_[1] = b;
        lanes_[2] = c;
        lanes_[3] = d;
        size %= kBlock;
    }
    std::memcpy(pending_, data, static_cast<size_t>(size));
    pendingBytes_ = static_cast<int>(size);
}

quint64 StreamChecksum::Value() const {
    quint64 state = lanes_[0];
    for (int lane = 1; lane < kLanes; ++lane) {
        state = Mix(state, Avalanche(lanes_[lane]));
    }
    // The unfinished block, zero-padded: the length below tells its end.
    char tail[kBlock] = {};
    std::memcpy(tail, pending_, static_cast<size_t>(pendingBytes_));
    for (int at = 0; at < pendingBytes_; at += 8) {
        state = Mix(state, WordAt(tail + at));
    }
    return Avalanche(state ^ length_);
}
