#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class QFileDevice;

// The central directory of a ZIP file and the local header of each entry, as
// they lie on disk, with every offset and length checked against the file.
// libzip neither notices entries that share their data nor lets two entries
// carry one name; this is what checks the one and renames the other.
// ZIP64 archives are recognised but not read: none of ours come near 4 GB
// or 65535 entries, and their directory is where shared data would hide.
class ZipDirectory {
public:
    struct Entry {
        QByteArray name;
        QByteArray comment;
        // The UTF-8 name of an Info-ZIP Unicode path field, which libzip
        // reports instead of `name`; empty without one.
        QByteArray unicodeName;
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        qint64 compressedSize = 0;
        qint64 size = 0;
        qint64 localOffset = 0;
        // Where the name's bytes lie in the central directory and in the
        // local header.
        qint64 centralNameOffset = 0;
        qint64 localNameOffset = 0;
        qint64 dataOffset = 0;
    };

    // Reads the directory of `file`, which is open for reading; `path` names
    // it in messages. Throws ZipError when it is not a sound single-disk ZIP
    // file: entries whose local header disagrees with the central directory,
    // data that runs into the directory or past the end, entries that share
    // bytes.
    static ZipDirectory Read(QFileDevice& file, const QString& path);

    // A ZIP64 archive, by its end records or by the size fields of a
    // directory entry or local header: Read stops there and lists no entries.
    bool IsZip64() const { return zip64_; }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    bool zip64_ = false;
    std::vector<Entry> entries_;
};
