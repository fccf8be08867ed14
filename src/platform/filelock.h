#pragma once

#include <QString>

// An advisory lock on one file for the length of a read-modify-write, shared
// by every process of this program (the window and the command-line tool),
// so that two writers of a report or a list never interleave. The kernel
// drops the lock of a process that dies, so a writer killed half-way never
// blocks the next one.
//
// The lock is taken on a lock file of its own in the user's runtime folder,
// not on the file itself: saving replaces the file by renaming a new one over
// it, which would leave a lock on the old file behind. Within one process the
// lock is re-entrant, so a save inside a locked read-modify-write goes on.
class FileLock {
public:
    // Waits up to `timeoutMs` for the lock on `path`. A lock that cannot be
    // had in time, or whose lock file cannot be made, leaves the object not
    // locked (IsLocked); the caller decides whether to go on.
    explicit FileLock(const QString& path, int timeoutMs = kDefaultTimeoutMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool IsLocked() const { return !key_.isEmpty(); }
    // Whether the lock was refused because another process holds it, as
    // opposed to no lock file being possible here at all.
    bool IsBusy() const { return busy_; }

    // The folder that holds the lock files.
    static QString LockFolder();

    static constexpr int kDefaultTimeoutMs = 10000;

private:
    QString key_;  // the lock file's path while locked
    bool busy_ = false;
};
