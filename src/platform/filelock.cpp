#include "platform/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <cerrno>
#include <cstring>

#include "platform/diagnosticslog.h"

namespace {

struct HeldLock {
    int handle = -1;
    int depth = 0;
};

// flock belongs to an open file description: a second open of the same lock
// file in this process would wait for the first forever, so the process keeps
// one description per lock and counts.
QMutex& HeldLocksMutex() {
    static QMutex mutex;
    return mutex;
}

QHash<QString, HeldLock>& HeldLocks() {
    static QHash<QString, HeldLock> locks;
    return locks;
}

// The same name for every spelling of one file's path, existing or not.
QString CanonicalPath(const QString& path) {
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

QString LockFilePath(const QString& path) {
    const QByteArray digest =
        QCryptographicHash::hash(CanonicalPath(path).toUtf8(), QCryptographicHash::Sha1);
    return FileLock::LockFolder() + QLatin1Char('/') + QString::fromLatin1(digest.toHex()) +
           QStringLiteral(".lock");
}

}  // namespace

QString FileLock::LockFolder() {
    // Every process of the user must find the same folder, whatever its
    // environment: a tool started from cron or over ssh may lack
    // XDG_RUNTIME_DIR while the window has it, and both then use the user's
    // runtime folder when there is one.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(QFile::decodeName(runtime)).isDir()) {
        return QFile::decodeName(runtime) + QStringLiteral("/outlaysheet-locks");
    }
    const QString userRuntime = QStringLiteral("/run/user/%1").arg(::getuid());
    if (QFileInfo(userRuntime).isDir()) {
        return userRuntime + QStringLiteral("/outlaysheet-locks");
    }
    return QDir::tempPath() + QStringLiteral("/outlaysheet-locks-%1").arg(::getuid());
}

namespace {

// A lock folder in a shared place must be the user's own, not a folder or
// link another user put there to hold the locks.
bool IsOwnFolder(const QString& folder) {
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == ::getuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

FileLock::FileLock(const QString& path, int timeoutMs) {
    const QString lockPath = LockFilePath(path);
    QMutexLocker guard(&HeldLocksMutex());
    auto held = HeldLocks().find(lockPath);
    if (held != HeldLocks().end()) {
        ++held->depth;
        key_ = lockPath;
        return;
    }
    const QString folder = LockFolder();
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    if (!IsOwnFolder(folder)) {
        LogMessage(
            QStringLiteral("No lock for %1: %2 is not the user's own folder").arg(path, folder));
        return;
    }
    const int handle =
        ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (handle < 0) {
        LogMessage(QStringLiteral("No lock for %1: %2")
                       .arg(path, QString::fromLocal8Bit(::strerror(errno))));
        return;
    }
    // Polled rather than blocking, so that a writer stopped while holding the
    // lock costs the others a bounded wait, not a hang.
    for (int waited = 0;; waited += 10) {
        if (::flock(handle, LOCK_EX | LOCK_NB) == 0) {
            HeldLocks().insert(lockPath, HeldLock{handle, 1});
            key_ = lockPath;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            break;
        }
        if (waited >= timeoutMs) {
            busy_ = true;
            break;
        }
        guard.unlock();
        QThread::msleep(10);
        guard.relock();
        held = HeldLocks().find(lockPath);
        if (held != HeldLocks().end()) {
            // Another thread of this process took it meanwhile.
            ::close(handle);
            ++held->depth;
            key_ = lockPath;
            return;
        }
    }
    ::close(handle);
    LogMessage(QStringLiteral("No lock for %1 within %2 ms").arg(path).arg(timeoutMs));
}

FileLock::~FileLock() {
    if (key_.isEmpty()) {
        return;
    }
    QMutexLocker guard(&HeldLocksMutex());
    auto held = HeldLocks().find(key_);
    if (held == HeldLocks().end() || --held->depth > 0) {
        return;
    }
    // Unlocked before it is closed, and the lock file stays: removing it
    // would let a waiting process lock a file that the next one no longer
    // sees.
    ::flock(held->handle, LOCK_UN);
    ::close(held->handle);
    HeldLocks().erase(held);
}
