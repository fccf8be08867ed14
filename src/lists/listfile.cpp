#include "lists/listfile.h"

#include <QFile>
#include <QFileInfo>

#include "archive/expenseobject.h"
#include "archive/objectfile.h"
#include "archive/streamchecksum.h"
#include "lists/unreadablefile.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"

namespace {

constexpr int kMostKeptVersions = 999;

// A list has no record of what the user changed in it, so a file that
// another writer changed since this program read it cannot be merged: that
// version is kept beside the file, and the user told, before this program's
// version takes its place. False when it could not be kept.
// `told` receives what the user is to hear once the save succeeded.
bool KeepOtherWritersVersion(const QString& path, QString& told) {
    if (!Platform::HasCurrent()) {
        return true;  // a build tool writing shipped data
    }
    const FileStamp known = Platform::Get().GetFileStamps().value(path);
    if (!known.known || FileStamp::Of(path).SameFileAs(known) || !FileExists(path)) {
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LogMessage(QStringLiteral("%1 was changed by another program and cannot be read; it "
                                  "was not written over.")
                       .arg(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    StreamChecksum checksum;
    checksum.Add(bytes.constData(), bytes.size());
    if (checksum.Value() == known.checksum && bytes.size() == known.size) {
        return true;
    }
    for (int number = 1; number <= kMostKeptVersions; ++number) {
        const QString kept = path + (number == 1 ? QStringLiteral(".other")
                                                 : QStringLiteral(".other-%1").arg(number));
        if (FileExists(kept)) {
            continue;
        }
        if (!QFile::copy(path, kept)) {
            break;
        }
        told = QStringLiteral(
                   "%1 was changed by another program while this program had it open. That "
                   "version is kept as %2, and this program's version was saved.")
                   .arg(path, kept);
        LogMessage(told);
        return true;
    }
    LogMessage(QStringLiteral("%1 was changed by another program and could not be kept aside; "
                              "it was not written over.")
                   .arg(path));
    return false;
}

}  // namespace

QString DataFilePath(const QString& fileName) {
    const QString data = Platform::HasCurrent() ? GetDataDirectory(true) : QString();
    return data.isEmpty() ? QString() : data + fileName;
}

bool LoadListFile(CExpenseObject& object, const QString& path, bool reportErrors,
                  const std::function<bool()>& accept, const std::function<void()>& makeDefaults,
                  bool* keptUnreadable) {
    if (keptUnreadable != nullptr) {
        *keptUnreadable = false;
    }
    if (path.isEmpty()) {
        return false;
    }
    bool keepOldFile = false;
    // A missing file is the normal first start, not an error: it is not read,
    // so that it is neither reported nor asked about before it is created.
    if (FileExists(path)) {
        FileStamp stamp;
        const bool read = LoadObjectFromFile(path, &object, false, reportErrors, true, &stamp);
        if (read && accept()) {
            object.SetModified(false);
            Platform::Get().GetFileStamps().insert(path, stamp);
            return true;
        }
        keepOldFile = !read && QFileInfo(path).size() > 0;
    }
    makeDefaults();
    if (keepOldFile) {
        // The defaults take the file's place, but what the user had must
        // survive: a file that holds anything is moved aside first, and one
        // that cannot be moved is not overwritten.
        if (!KeepUnreadableFile(path)) {
            return false;
        }
        if (keptUnreadable != nullptr) {
            *keptUnreadable = true;
        }
        object.SetValid(true);  // nothing is left to overwrite
    }
    object.SetModified(true);
    object.SetLoaded(true);
    return SaveListFile(object, path, reportErrors);
}

bool SaveListFile(CExpenseObject& object, const QString& path, bool reportErrors) {
    if (path.isEmpty()) {
        return false;
    }
    if (!object.IsModified()) {
        return true;
    }
    QString told;
    FileStamp stamp;
    {
        const FileLock lock(path);
        if (lock.IsBusy()) {
            if (reportErrors) {
                Platform::Get().GetPrompts().Warning(BusyFileMessage(path));
            }
            return false;
        }
        if (!KeepOtherWritersVersion(path, told) ||
            !SaveObjectToFile(path, &object, reportErrors, &stamp)) {
            return false;
        }
    }
    if (!told.isEmpty() && reportErrors) {
        Platform::Get().GetPrompts().Information(told);
    }
    if (Platform::HasCurrent()) {
        Platform::Get().GetFileStamps().insert(path, stamp);
    }
    object.SetModified(false);
    return true;
}
