#include "archive/streamedsavefile.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/filehelpers.h"

namespace {

// Large enough that system calls and the disk's requests stay few, small
// enough that the disk starts early.
constexpr size_t kBatch = 1 << 20;

}  // namespace

StreamedSaveFile::StreamedSaveFile(const QString& path) : QSaveFile(path) {}

qint64 StreamedSaveFile::writeData(const char* data, qint64 size) {
    if (collected_.capacity() == 0) {
        collected_.reserve(kBatch + kBatch / 4);
    }
    collected_.insert(collected_.end(), data, data + size);
    if (collected_.size() >= kBatch && !WriteOut(true)) {
        return -1;
    }
    return size;
}

bool StreamedSaveFile::Finish() {
    return collected_.empty() || WriteOut(false);
}

bool StreamedSaveFile::WriteOut(bool more) {
    if (!WriteWhole(handle(), collected_.data(), static_cast<qint64>(collected_.size()))) {
        return false;
    }
    if (more) {
        // Only a start: the data sync after the last batch waits for the disk
        // and reports what its writing failed to store.
        ::sync_file_range(handle(), started_, static_cast<off_t>(collected_.size()),
                          SYNC_FILE_RANGE_WRITE);
    }
    started_ += static_cast<qint64>(collected_.size());
    collected_.clear();
    return true;
}
