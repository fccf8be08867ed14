#pragma once

#include <QtGlobal>

// A 64-bit checksum of a byte stream, the same however the stream is cut into
// pieces, fast enough to run over every byte a report file's reading or
// writing moves. It tells whether a file is still the one that was read; it
// is no defence against someone forging a file. The receipt index keeps
// values of it in its files, so the same bytes must always give the same
// value: however it is computed, the function itself never changes.
class StreamChecksum {
public:
    void Add(const char* data, qint64 size);
    quint64 Value() const;

private:
    static constexpr int kLanes = 4;
    static constexpr int kBlock = kLanes * 8;

    // Four words at a time, one to each lane: the lanes do not wait for one
    // another, so the checksum keeps up with memory rather than with one
    // multiplication after the other.
    void MixBlock(const char* block);

    quint64 lanes_[kLanes] = {0x243F6A8885A308D3ULL, 0x13198A2E03707344ULL, 0xA4093822299F31D0ULL,
                              0x082EFA98EC4E6C89ULL};
    quint64 length_ = 0;
    char pending_[kBlock] = {};  // the bytes of an unfinished block
    int pendingBytes_ = 0;
};
