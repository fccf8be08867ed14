#include "ziptestsupport.h"

#include <zlib.h>

#include <stdexcept>

#include "zip/ziperror.h"

QString ThrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const ZipError& error) {
        return error.Message();
    }
    return {};
}

namespace {

void Put16(QByteArray& out, quint32 value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, quint32 value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Put64(QByteArray& out, quint64 value) {
    Put32(out, static_cast<quint32>(value & 0xFFFFFFFF));
    Put32(out, static_cast<quint32>(value >> 32));
}

QByteArray RawDeflate(const QByteArray& data) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.truncate(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return out;
}

struct Header {
    quint16 method;
    quint32 crc;
    quint32 compressed;
    quint32 size;
};

// The fields the local header and the directory entry have in common.
void PutCommon(QByteArray& out, const Header& header, qsizetype nameLength) {
    Put16(out, 20);  // version needed
    Put16(out, 0);   // flags
    Put16(out, header.method);
    Put16(out, 0);     // time
    Put16(out, 0x21);  // date: 1980-01-01
    Put32(out, header.crc);
    Put32(out, header.compressed);
    Put32(out, header.size);
    Put16(out, static_cast<quint32>(nameLength));
}

}  // namespace

QByteArray HandMadeZip(const std::vector<HandMadeEntry>& entries, const QByteArray& comment,
                       const HandMadeLayout& layout) {
    // Each entry's local header and data, last first, since an entry may
    // hold the next one.
    std::vector<Header> headers(entries.size());
    std::vector<QByteArray> records(entries.size());
    for (size_t i = entries.size(); i-- > 0;) {
        const HandMadeEntry& entry = entries[i];
        if (entry.sharesDataOf) {
            continue;
        }
        const QByteArray data = entry.holdsNext ? records.at(i + 1) : entry.data;
        const bool deflate = entry.deflate && !entry.holdsNext;
        const QByteArray stored = deflate ? RawDeflate(data) : data;
        const auto crc = static_cast<quint32>(crc32(
            0, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size())));
        headers[i] = {static_cast<quint16>(deflate ? 8 : 0), entry.declaredCrc.value_or(crc),
                      static_cast<quint32>(stored.size()),
                      entry.declaredSize.value_or(static_cast<quint32>(data.size()))};
        Put32(records[i], 0x04034b50);
        PutCommon(records[i], headers[i], entry.name.size());
        Put16(records[i], static_cast<quint32>(entry.extra.size()));
        records[i].append(entry.name);
        records[i].append(entry.extra);
        records[i].append(stored);
    }
    QByteArray out;
    std::vector<quint32> offsets;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].sharesDataOf) {
            headers[i] = headers.at(*entries[i].sharesDataOf);
            offsets.push_back(offsets.at(*entries[i].sharesDataOf));
        } else if (i > 0 && entries[i - 1].holdsNext && !entries[i - 1].sharesDataOf) {
            offsets.push_back(
                offsets[i - 1] + 30 +
                static_cast<quint32>(entries[i - 1].name.size() + entries[i - 1].extra.size()));
        } else {
            offsets.push_back(static_cast<quint32>(out.size()));
            out.append(records[i]);
        }
    }
    // Appends a directory of the entries at `indices` and returns its offset.
    const auto putDirectory = [&](const std::vector<size_t>& indices) {
        const auto directoryOffset = static_cast<quint32>(out.size());
        for (const size_t i : indices) {
            Put32(out, 0x02014b50);
            Put16(out, 20);  // version made by
            PutCommon(out, headers[i], entries[i].name.size());
            Put16(out, static_cast<quint32>(entries[i].extra.size()));
            Put16(out, static_cast<quint32>(entries[i].comment.size()));
            Put16(out, 0);  // disk
            Put16(out, 0);  // internal attributes
            Put32(out, 0);  // external attributes
            Put32(out, offsets[i]);
            out.append(entries[i].name);
            out.append(entries[i].extra);
            out.append(entries[i].comment);
        }
        return directoryOffset;
    };
    const auto putEnd = [&](quint32 count, quint32 size, quint32 offset,
                            const QByteArray& endComment) {
        Put32(out, 0x06054b50);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, count);
        Put16(out, count);
        Put32(out, size);
        Put32(out, offset);
        Put16(out, static_cast<quint32>(endComment.size()));
        out.append(endComment);
    };
    if (!layout.otherDirectory.empty()) {
        const quint32 otherOffset = putDirectory(layout.otherDirectory);
        putEnd(static_cast<quint32>(layout.otherDirectory.size()),
               static_cast<quint32>(out.size()) - otherOffset, otherOffset, {});
    }
    std::vector<size_t> listed;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].listed) {
            listed.push_back(i);
        }
    }
    const quint32 directoryOffset = putDirectory(listed);
    const auto directorySize = static_cast<quint32>(out.size()) - directoryOffset;
    if (!layout.zip64) {
        putEnd(static_cast<quint32>(listed.size()), directorySize, directoryOffset, comment);
        return out;
    }
    const auto zip64EndOffset = static_cast<quint64>(out.size());
    Put32(out, 0x06064b50);
    Put64(out, 44);  // size of the rest of this record
    Put16(out, 45);  // version made by
    Put16(out, 45);  // version needed
    Put32(out, 0);   // disk
    Put32(out, 0);   // disk of the directory
    Put64(out, listed.size());
    Put64(out, listed.size());
    Put64(out, directorySize);
    Put64(out, directoryOffset);
    Put32(out, 0x07064b50);
    Put32(out, 0);  // disk of the ZIP64 end record
    Put64(out, zip64EndOffset);
    Put32(out, 1);  // disks
    putEnd(0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, comment);
    return out;
}
