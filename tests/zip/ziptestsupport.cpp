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

QByteArray HandMadeZip(const std::vector<HandMadeEntry>& entries, const QByteArray& comment) {
    QByteArray out;
    std::vector<Header> headers;
    std::vector<quint32> offsets;
    for (const HandMadeEntry& entry : entries) {
        if (entry.sharesDataOf) {
            headers.push_back(headers.at(*entry.sharesDataOf));
            offsets.push_back(offsets.at(*entry.sharesDataOf));
            continue;
        }
        const QByteArray stored = entry.deflate ? RawDeflate(entry.data) : entry.data;
        const auto crc =
            static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(entry.data.constData()),
                                       static_cast<uInt>(entry.data.size())));
        const Header header{static_cast<quint16>(entry.deflate ? 8 : 0),
                            entry.declaredCrc.value_or(crc), static_cast<quint32>(stored.size()),
                            entry.declaredSize.value_or(static_cast<quint32>(entry.data.size()))};
        headers.push_back(header);
        offsets.push_back(static_cast<quint32>(out.size()));
        Put32(out, 0x04034b50);
        PutCommon(out, header, entry.name.size());
        Put16(out, 0);  // extra length
        out.append(entry.name);
        out.append(stored);
    }
    const auto directoryOffset = static_cast<quint32>(out.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        Put32(out, 0x02014b50);
        Put16(out, 20);  // version made by
        PutCommon(out, headers[i], entries[i].name.size());
        Put16(out, 0);  // extra length
        Put16(out, static_cast<quint32>(entries[i].comment.size()));
        Put16(out, 0);  // disk
        Put16(out, 0);  // internal attributes
        Put32(out, 0);  // external attributes
        Put32(out, offsets[i]);
        out.append(entries[i].name);
        out.append(entries[i].comment);
    }
    const auto directorySize = static_cast<quint32>(out.size()) - directoryOffset;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<quint32>(entries.size()));
    Put16(out, static_cast<quint32>(entries.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, static_cast<quint32>(comment.size()));
    out.append(comment);
    return out;
}
