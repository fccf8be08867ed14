#include "archive/streamedsavefile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

// Large enough that the writer's system calls and the disk's requests stay
// few, small enough that the disk starts early and most data files, far
// smaller, never need the second thread.
constexpr size_t kBatch = 1 << 20;

}  // namespace

StreamedSaveFile::StreamedSaveFile(const QString& path) : QSaveFile(path) {}

StreamedSaveFile::~StreamedSaveFile() {
    StopWriter();
}

qint64 StreamedSaveFile::writeData(const char* data, qint64 size) {
    if (handle_ < 0) {
        handle_ = handle();
        collected_.reserve(kBatch + kBatch / 4);
    }
    if (Failed()) {
        return -1;
    }
    collected_.insert(collected_.end(), data, data + size);
    if (collected_.size() >= kBatch && !PassOn(true)) {
        return -1;
    }
    return size;
}

bool StreamedSaveFile::Finish() {
    if (!collected_.empty() && !Failed()) {
        PassOn(false);
    }
    StopWriter();
    return !Failed();
}

bool StreamedSaveFile::PassOn(bool more) {
    if (more && !writer_.joinable() && !alone_) {
        try {
            handed_.reserve(collected_.capacity());
            writer_ = std::thread(&StreamedSaveFile::WriteBatches, this);
        } catch (const std::system_error&) {
            alone_ = true;  // no thread to be had: the save is only slower
        }
    }
    if (!writer_.joinable()) {
        const bool written = WriteOut(collected_);
        collected_.clear();
        return written;
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    if (failed_) {
        errno = error_;
        return false;
    }
    collected_.swap(handed_);
    collected_.clear();
    busy_ = true;
    changed_.notify_all();
    return true;
}

void StreamedSaveFile::WriteBatches() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (!busy_) {
            return;
        }
        // While the writer runs, only it sets failed_: no lock to read it.
        const bool skip = failed_;
        lock.unlock();
        if (!skip) {
            WriteOut(handed_);
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

bool StreamedSaveFile::WriteOut(const std::vector<char>& batch) {
    const char* data = batch.data();
    size_t left = batch.size();
    while (left > 0) {
        errno = 0;
        const ssize_t written = ::write(handle_, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            const int error = errno;
            {
                const std::lock_guard lock(mutex_);
                failed_ = true;
                error_ = error;
            }
            errno = error;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    // Only a start: the data sync that follows the last batch waits for the
    // disk and reports what its writing failed to store.
    ::sync_file_range(handle_, started_, static_cast<off_t>(batch.size()), SYNC_FILE_RANGE_WRITE);
    started_ += static_cast<qint64>(batch.size());
    return true;
}

void StreamedSaveFile::StopWriter() {
    if (!writer_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

bool StreamedSaveFile::Failed() {
    const std::lock_guard lock(mutex_);
    if (failed_) {
        errno = error_;
    }
    return failed_;
}
