#pragma once

#include <QString>
#include <QtGlobal>

// What tells whether a file is still the one a program read or wrote: its
// identity and times as the file system reports them, and the checksum of
// its bytes as they were read or written. Any write to the file, a rename
// over it or a change of its times gives another stamp; a file whose stamp
// changed but whose checksum did not holds the same bytes all the same.
struct FileStamp {
    bool known = false;  // a stamp was taken
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 checksum = 0;

    // The file system's part of the stamp of `path` now (no checksum).
    static FileStamp Of(const QString& path);
    // The same for an open file.
    static FileStamp OfHandle(int handle);

    // Whether the file system reports the same file, unchanged.
    bool SameFileAs(const FileStamp& other) const;
};
