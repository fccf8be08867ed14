#include "archive/filestamp.h"

#include <sys/stat.h>

#include <QFile>

namespace {

FileStamp FromStatus(const struct stat& status) {
    FileStamp stamp;
    stamp.known = true;
    stamp.exists = true;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.changedNs = qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    return stamp;
}

}  // namespace

FileStamp FileStamp::Of(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        FileStamp missing;
        missing.known = true;
        return missing;
    }
    return FromStatus(status);
}

FileStamp FileStamp::OfHandle(int handle) {
    struct stat status {};
    if (::fstat(handle, &status) != 0) {
        return {};
    }
    return FromStatus(status);
}

bool FileStamp::SameFileAs(const FileStamp& other) const {
    // The change time cannot be set by anyone: a file rewritten in place
    // with its old size and modification time restored still differs there.
    return known && other.known && exists == other.exists && device == other.device &&
           inode == other.inode && size == other.size && modifiedNs == other.modifiedNs &&
           changedNs == other.changedNs;
}
