#include "zipdirectory.h"

#include <QFileDevice>
#include <algorithm>

#include "platform/codepage.h"
#include "ziperror.h"

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kZip64LocatorSignature = 0x07064b50;
constexpr quint32 kCentralSignature = 0x02014b50;
constexpr quint32 kLocalSignature = 0x04034b50;
constexpr qint64 kEndSize = 22;
constexpr qint64 kZip64LocatorSize = 20;
constexpr qint64 kCentralSize = 46;
constexpr qint64 kLocalSize = 30;
constexpr qint64 kMaxComment = 0xFFFF;
constexpr quint16 kDataDescriptorFlag = 0x0008;
constexpr quint32 kZip64Marker32 = 0xFFFFFFFF;
constexpr quint16 kZip64Marker16 = 0xFFFF;
constexpr quint16 kUnicodePathField = 0x7075;
// A directory this size would describe far more files than any backup holds;
// reading it whole could exhaust memory.
constexpr qint64 kMaxDirectory = 64 * 1024 * 1024;

// Little-endian numbers at `at`. Every caller checks the size of what it
// reads before it reads; the check here keeps a slip from reading outside
// the bytes, and lets the compiler see that no read can (a number that is not
// there reads as 0).
template <typename T>
T LittleEndian(const QByteArray& bytes, qint64 at) {
    if (at < 0 || bytes.size() - at < static_cast<qint64>(sizeof(T))) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(static_cast<T>(p[i]) << (8 * i));
    }
    return value;
}

quint16 U16(const QByteArray& bytes, qint64 at) {
    return LittleEndian<quint16>(bytes, at);
}

quint32 U32(const QByteArray& bytes, qint64 at) {
    return LittleEndian<quint32>(bytes, at);
}

class Reader {
public:
    Reader(QFileDevice& file, const QString& path) : file_(file), path_(path) {}

    [[noreturn]] void Damaged(const QString& what) const {
        throw ZipError(QStringLiteral("%1 is not a sound ZIP archive: %2.").arg(path_, what));
    }

    QByteArray At(qint64 offset, qint64 length) const {
        if (offset < 0 || length < 0 || offset > Size() || length > Size() - offset) {
            Damaged(QStringLiteral("it ends early"));
        }
        QByteArray bytes;
        if (!file_.seek(offset) || (bytes = file_.read(length)).size() != length) {
            throw ZipError(
                QStringLiteral("%1 cannot be read: %2").arg(path_, file_.errorString()));
        }
        return bytes;
    }

    qint64 Size() const { return file_.size(); }

private:
    QFileDevice& file_;
    const QString& path_;
};

// The end record is the last 22 bytes before a comment of at most 64 KiB;
// the one whose comment length reaches exactly the end of the file wins, so
// a comment that happens to hold the signature cannot mislead.
qint64 FindEnd(const Reader& reader, QByteArray& tail) {
    const qint64 size = reader.Size();
    if (size < kEndSize) {
        reader.Damaged(QStringLiteral("it is too short"));
    }
    const qint64 start = std::max<qint64>(0, size - kEndSize - kMaxComment);
    tail = reader.At(start, size - start);
    for (qint64 at = tail.size() - kEndSize; at >= 0; --at) {
        if (U32(tail, at) == kEndSignature && at + kEndSize + U16(tail, at + 20) == tail.size()) {
            tail = tail.mid(at);
            return start + at;
        }
    }
    reader.Damaged(QStringLiteral("its end record is missing"));
}

// The name an Info-ZIP Unicode path field (version 1, then the CRC of the
// plain name, then the UTF-8 name) holds among a directory entry's extra
// fields.
QByteArray UnicodeName(const QByteArray& extra) {
    for (qint64 at = 0; extra.size() - at >= 4;) {
        const qint64 length = U16(extra, at + 2);
        if (length > extra.size() - at - 4) {
            break;
        }
        if (U16(extra, at) == kUnicodePathField && length >= 5 && extra[at + 4] == 1) {
            return extra.mid(at + 4 + 5, length - 5);
        }
        at += 4 + length;
    }
    return {};
}

}  // namespace

ZipDirectory ZipDirectory::Read(QFileDevice& file, const QString& path) {
    const Reader reader(file, path);
    ZipDirectory directory;
    QByteArray end;
    const qint64 endOffset = FindEnd(reader, end);
    const quint16 disk = U16(end, 4);
    const quint16 directoryDisk = U16(end, 6);
    const quint16 diskCount = U16(end, 8);
    const quint16 count = U16(end, 10);
    const quint32 directorySize = U32(end, 12);
    const quint32 directoryOffset = U32(end, 16);
    const bool locator =
        endOffset >= kZip64LocatorSize &&
        U32(reader.At(endOffset - kZip64LocatorSize, 4), 0) == kZip64LocatorSignature;
    if (locator || count == kZip64Marker16 || directorySize == kZip64Marker32 ||
        directoryOffset == kZip64Marker32) {
        directory.zip64_ = true;
        return directory;
    }
    if (disk != 0 || directoryDisk != 0 || diskCount != count) {
        reader.Damaged(QStringLiteral("it spans several disks"));
    }
    if (directoryOffset > endOffset || directorySize > endOffset - directoryOffset) {
        reader.Damaged(QStringLiteral("its directory lies outside the file"));
    }
    if (directorySize > kMaxDirectory) {
        reader.Damaged(QStringLiteral("its directory is too large"));
    }
    const QByteArray central = reader.At(directoryOffset, directorySize);

    qint64 at = 0;
    directory.entries_.reserve(count);
    for (quint16 i = 0; i < count; ++i) {
        if (central.size() - at < kCentralSize || U32(central, at) != kCentralSignature) {
            reader.Damaged(QStringLiteral("entry %1 of its directory is damaged").arg(i));
        }
        Entry entry;
        entry.flags = U16(central, at + 8);
        entry.method = U16(central, at + 10);
        entry.crc = U32(central, at + 16);
        const quint32 compressed = U32(central, at + 20);
        const quint32 size = U32(central, at + 24);
        const qint64 nameLength = U16(central, at + 28);
        const qint64 extraLength = U16(central, at + 30);
        const qint64 commentLength = U16(central, at + 32);
        const quint32 localOffset = U32(central, at + 42);
        if (compressed == kZip64Marker32 || size == kZip64Marker32 ||
            localOffset == kZip64Marker32) {
            directory.zip64_ = true;
            directory.entries_.clear();
            return directory;
        }
        const qint64 next = at + kCentralSize + nameLength + extraLength + commentLength;
        if (next > central.size()) {
            reader.Damaged(QStringLiteral("entry %1 of its directory is damaged").arg(i));
        }
        entry.compressedSize = compressed;
        entry.size = size;
        entry.localOffset = localOffset;
        entry.centralNameOffset = directoryOffset + at + kCentralSize;
        entry.name = central.mid(at + kCentralSize, nameLength);
        entry.unicodeName = UnicodeName(central.mid(at + kCentralSize + nameLength, extraLength));
        entry.comment = central.mid(at + kCentralSize + nameLength + extraLength, commentLength);
        at = next;

        // The local header repeats what the directory says; libzip reads the
        // data from behind it, so the two must agree.
        if (entry.localOffset > directoryOffset - kLocalSize) {
            reader.Damaged(QStringLiteral("the data of %1 lies outside the file")
                               .arg(DecodeDeviceCodePage(entry.name)));
        }
        const QByteArray local = reader.At(entry.localOffset, kLocalSize + nameLength);
        const bool descriptor = (U16(local, 6) & kDataDescriptorFlag) != 0;
        // libzip marks a local header this way when it wrote an entry of
        // unknown size.
        if (U32(local, 0) == kLocalSignature && !descriptor &&
            (U32(local, 18) == kZip64Marker32 || U32(local, 22) == kZip64Marker32)) {
            directory.zip64_ = true;
            directory.entries_.clear();
            return directory;
        }
        if (U32(local, 0) != kLocalSignature || U16(local, 8) != entry.method ||
            U16(local, 26) != nameLength || local.mid(kLocalSize) != entry.name ||
            (!descriptor && (U32(local, 14) != entry.crc || U32(local, 18) != compressed ||
                             U32(local, 22) != size))) {
            reader.Damaged(QStringLiteral("the headers of %1 disagree")
                               .arg(DecodeDeviceCodePage(entry.name)));
        }
        entry.localNameOffset = entry.localOffset + kLocalSize;
        entry.dataOffset = entry.localOffset + kLocalSize + nameLength + U16(local, 28);
        if (entry.dataOffset > directoryOffset ||
            entry.compressedSize > directoryOffset - entry.dataOffset) {
            reader.Damaged(QStringLiteral("the data of %1 lies outside the file")
                               .arg(DecodeDeviceCodePage(entry.name)));
        }
        directory.entries_.push_back(std::move(entry));
    }

    // Entries that share bytes let a small file expand into many large ones.
    std::vector<const Entry*> byOffset;
    byOffset.reserve(directory.entries_.size());
    for (const Entry& entry : directory.entries_) {
        byOffset.push_back(&entry);
    }
    std::sort(byOffset.begin(), byOffset.end(),
              [](const Entry* a, const Entry* b) { return a->localOffset < b->localOffset; });
    for (size_t i = 1; i < byOffset.size(); ++i) {
        const Entry& before = *byOffset[i - 1];
        if (before.dataOffset + before.compressedSize > byOffset[i]->localOffset) {
            reader.Damaged(QStringLiteral("%1 and %2 share their data")
                               .arg(DecodeDeviceCodePage(before.name),
                                    DecodeDeviceCodePage(byOffset[i]->name)));
        }
    }
    return directory;
}
