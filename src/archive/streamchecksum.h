#pragma once

#include <QtGlobal>

// A 64-bit checksum of a byte stream, the same however the stream is cut into
// pieces, fast enough to run over every byte a report file's reading or
// writing moves. It tells whether a file is still the one that was read; it
// is no defence against someone forging a file.
class StreamChecksum {
public:
    void Add(const char* data, qint64 size);
    quint64 Value() const;

private:
    void Mix(quint64 word);

    quint64 state_ = 0x243F6A8885A308D3ULL;
    quint64 length_ = 0;
    quint64 pending_ = 0;  // the bytes of an unfinished word, low byte first
    int pendingBytes_ = 0;
};
