#include "filehelpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>

#include "diagnosticslog.h"
#include "platform.h"

QString JoinPath(const QString& a, const QString& b) {
    qsizetype end = a.size();
    while (end > 0 && a[end - 1] == QLatin1Char('/')) {
        --end;
    }
    qsizetype start = 0;
    while (start < b.size() && b[start] == QLatin1Char('/')) {
        ++start;
    }
    return a.left(end) + QLatin1Char('/') + b.mid(start);
}

bool CreateDirectoryPath(const QString& path) {
    if (path.isEmpty()) {
        LogMessage(QStringLiteral("Cannot create an empty directory."), true);
        return true;
    }
    if (IsDirectory(path)) {
        return true;
    }
    QString partial = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (!partial.isEmpty() && !partial.endsWith(QLatin1Char('/'))) {
            partial += QLatin1Char('/');
        }
        partial += components[i];
        // An existing level is passed over; the requested folder itself must
        // be a folder, so a file in its place is reported, not accepted.
        const bool last = i + 1 == components.size();
        if (last ? IsDirectory(partial) : FileExists(partial)) {
            continue;
        }
        if (::mkdir(QFile::encodeName(partial).constData(), 0777) != 0) {
            // Further levels cannot be made below a missing one; the level
            // that failed and its reason are what help.
            const int error = errno;
            const QString message =
                QStringLiteral("Failed to create directory %1 for directory %2.")
                    .arg(partial, path);
            errno = error;
            LogMessage(message, true);
            return false;
        }
    }
    return true;
}

bool IsDirectory(const QString& path) {
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 &&
           S_ISDIR(status.st_mode);
}

bool FileExists(const QString& path) {
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

bool WriteWhole(int handle, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(handle, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

void SyncFolderNames(const QString& folder) {
    const int handle =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

bool TouchFile(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // Only a regular file: opening a named pipe to touch it would wait for a
    // reader that never comes.
    if (path.isEmpty() || ::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    if (!(status.st_mode & S_IWUSR) && ::chmod(name.constData(), status.st_mode | S_IWUSR) != 0) {
        return false;
    }
    const TimeStamp now = Platform::Get().GetClock().Now();
    const struct timespec times[2] = {{static_cast<time_t>(now), 0},
                                      {static_cast<time_t>(now), 0}};
    return ::utimensat(AT_FDCWD, name.constData(), times, 0) == 0;
}

QStringList FindFilesIgnoringCase(const QString& folder, const QString& fileName) {
    if (folder.isEmpty() || fileName.isEmpty()) {
        return {};
    }
    // Listed rather than matched with a name filter: a file name may hold
    // "*", "?" or "[", which a filter would take for wildcards.
    QStringList found;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0) {
            found.append(name);
        }
    }
    found.sort();
    return found;
}
