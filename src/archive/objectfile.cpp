#include "archive/objectfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <optional>

#include "archive/expensearchive.h"
#include "archive/expenseobject.h"
#include "archive/fileerrors.h"
#include "archive/filetypes.h"
#include "archive/streamedsavefile.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"

namespace {

QString StandardMessage(DefaultFileMessage message) {
    switch (message) {
        case DefaultFileMessage::kFailedToOpen:
            return QStringLiteral("The file could not be opened.");
        case DefaultFileMessage::kFailedToSave:
            return QStringLiteral("The file could not be saved.");
        case DefaultFileMessage::kInvalidFileName:
            return QStringLiteral("The file name is not valid, or the file could not be created.");
    }
    return {};
}

// The cause of the system call that just failed; its errno must be current.
CFileException LastFileError(const QString& fallbackText) {
    const int error = errno;
    return error != 0 ? CFileException::FromErrno(error)
                      : CFileException(CFileException::kGeneric, fallbackText);
}

// Opens the temporary file that will replace `path`. A read-only target is
// refused as the device refuses it, though renaming over it would work.
std::optional<CFileException> OpenForSaving(QSaveFile& file, const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode) || !(status.st_mode & S_IWUSR)) {
            return CFileException(CFileException::kAccessDenied);
        }
    }
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return LastFileError(file.errorString());
    }
    return std::nullopt;
}

// The new file replaces the old one only when every byte is on the disk.
// Gives the stamp of the file as written.
FileStamp CommitSave(StreamedSaveFile& file, const QString& path) {
    if (!file.Finish() || ::fdatasync(file.handle()) != 0) {
        throw LastFileError(file.errorString());
    }
    const FileStamp written = FileStamp::OfHandle(file.handle());
    errno = 0;
    if (!file.commit()) {
        throw LastFileError(file.errorString());
    }
    SyncFolderNames(QFileInfo(path).absolutePath());
    // Renaming changes the file's change time; a file of another inode there
    // now is another writer's, and the stamp taken before stays so that the
    // next save sees the difference.
    const FileStamp renamed = FileStamp::Of(path);
    const bool ours = renamed.inode == written.inode && renamed.device == written.device &&
                      renamed.size == written.size && renamed.modifiedNs == written.modifiedNs;
    return ours ? renamed : written;
}

}  // namespace

bool SaveObjectToFile(const QString& path, CExpenseObject* object, bool prompt, FileStamp* stamp) {
    if (path.isEmpty() || object == nullptr) {
        return false;
    }
    const FileLock lock(path);
    if (lock.IsBusy()) {
        if (prompt) {
            Platform::Get().GetPrompts().Warning(BusyFileMessage(path));
        }
        return false;
    }
    if (prompt && !object->IsValid()) {
        const QString question =
            QStringLiteral(
                "%1 was not successfully opened.  Would you like to overwrite this file with the "
                "new information?")
                .arg(path);
        if (!Platform::Get().GetPrompts().AskYesNo(question)) {
            return false;
        }
    }
    StreamedSaveFile file(path);
    if (const auto error = OpenForSaving(file, path)) {
        if (prompt) {
            ReportFileError(path, *error, true, DefaultFileMessage::kInvalidFileName, true);
        }
        return false;
    }
    CExpenseArchive archive(file, CExpenseArchive::Mode::kStore, path);
    try {
        object->Serialize(archive, prompt ? 1 : 0);
        archive.Close();
        const FileStamp written = CommitSave(file, path);
        if (stamp != nullptr) {
            *stamp = written;
            stamp->checksum = archive.GetChecksum();
        }
    } catch (const std::exception& error) {
        archive.Abort();
        file.cancelWriting();
        if (prompt) {
            ReportFileError(path, error, true, DefaultFileMessage::kFailedToSave, true);
        }
        return false;
    }
    if (!object->IsValid()) {
        object->SetValid(true);
    }
    object->SetLoaded(true);
    return true;
}

bool LoadObjectFromFile(const QString& path, CExpenseObject* object, bool createIfMissing,
                        bool reportErrors, bool resetOnFailure, FileStamp* stamp) {
    if (object == nullptr) {
        return false;
    }
    if (object->IsLoaded()) {
        return true;
    }
    if (path.isEmpty()) {
        return false;
    }
    const int flags = O_RDONLY | O_CLOEXEC | (createIfMissing ? O_CREAT : 0);
    const int handle = ::open(QFile::encodeName(path).constData(), flags, 0666);
    struct stat status {};
    std::optional<CFileException> openError;
    if (handle < 0) {
        openError = LastFileError(QString());
    } else if (::fstat(handle, &status) != 0 || S_ISDIR(status.st_mode)) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : errno;
        openError = LastFileError(QString());
        ::close(handle);
    }
    if (openError) {
        if (reportErrors) {
            ReportFileError(path, *openError, false, DefaultFileMessage::kFailedToOpen, true);
        }
        if (resetOnFailure) {
            object->SetValid(false);
            object->Reset();
        } else {
            object->SetValid(true);
        }
        return false;
    }
    // Taken before reading: a writer that changes the file in place while it
    // is read leaves it with another stamp than this one.
    const FileStamp before = FileStamp::OfHandle(handle);
    QFile file;
    file.open(handle, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    CExpenseArchive archive(file, CExpenseArchive::Mode::kLoad, path);
    try {
        bool result = false;
        if (status.st_size == 0) {
            if (resetOnFailure) {
                object->Reset();
            }
        } else {
            object->Serialize(archive, reportErrors ? 1 : 0);
            result = true;
        }
        archive.Close();
        if (stamp != nullptr) {
            *stamp = before;
            stamp->checksum = archive.GetChecksum();
        }
        file.close();
        object->SetLoaded(result);
        object->SetValid(true);
        return result;
    } catch (const std::exception& error) {
        object->SetValid(false);
        object->Reset();
        archive.Abort();
        file.close();
        if (reportErrors) {
            ReportFileError(path, error, false, DefaultFileMessage::kFailedToOpen, true);
        }
        return false;
    }
}

QString BusyFileMessage(const QString& path) {
    return QStringLiteral("%1 is being changed by another program. Please try again in a moment.")
        .arg(path);
}

quint32 ProbeDataFileType(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    try {
        CExpenseArchive archive(file, CExpenseArchive::Mode::kLoad, path);
        const quint32 type = archive.ReadUInt32();
        const quint32 version = archive.ReadUInt32();
        return CurrentFileVersion(type) >= version ? type : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

bool IsKnownDataFile(const QString& path) {
    const quint32 type = ProbeDataFileType(path);
    return type >= kFileTypeCurrencyTable && type <= kFileTypePreferences;
}

QString ReportFileError(const QString& path, const std::exception& error, bool saving,
                        DefaultFileMessage defaultMessage, bool show) {
    QString message;
    bool fromPlatform = true;
    if (dynamic_cast<const CUserException*>(&error) != nullptr) {
        return {};
    }
    if (const auto* archiveError = dynamic_cast<const CArchiveException*>(&error)) {
        fromPlatform = false;
        switch (archiveError->GetCause()) {
            case CArchiveException::kEndOfFile:
            case CArchiveException::kBadValue:
                message = QStringLiteral("Unexpected file format. \n\nFile: %1");
                break;
            case CArchiveException::kBadIndex:
            case CArchiveException::kBadClass:
                message = QStringLiteral(
                    "%1 \n\r\n\ris not an Outlaysheet file and cannot be opened. Any new "
                    "information entered pertaining to this file will not be saved.");
                break;
            case CArchiveException::kBadSchema:
                message = QStringLiteral(
                    "%1 \n\r\n\rwas created with a newer version of Outlaysheet and cannot be "
                    "opened. Any new information entered pertaining to this file will not be "
                    "saved.");
                break;
            default:
                fromPlatform = true;
                message = StandardMessage(defaultMessage);
                break;
        }
        if (!fromPlatform) {
            message = message.arg(path);
        }
    } else if (const auto* fileError = dynamic_cast<const CFileException*>(&error)) {
        if (!fileError->GetText().isEmpty()) {
            message = fileError->GetText();
        } else {
            switch (fileError->GetCause()) {
                case CFileException::kFileNotFound:
                case CFileException::kBadPath:
                    message = QStringLiteral("The file was not found.");
                    break;
                case CFileException::kAccessDenied:
                    message = saving ? QStringLiteral(
                                           "The file could not be saved because it is read-only "
                                           "or access to it was denied.")
                                     : QStringLiteral(
                                           "The file could not be opened because access to it "
                                           "was denied.");
                    break;
                case CFileException::kDiskFull:
                    message = QStringLiteral("There is not enough space on the disk.");
                    break;
                default:
                    message = StandardMessage(defaultMessage);
                    break;
            }
        }
    } else {
        message = StandardMessage(defaultMessage);
    }
    if (fromPlatform && !message.contains(path)) {
        message += QStringLiteral("\r\nFile: ") + path;
    }
    if (show && !message.isEmpty()) {
        Platform::Get().GetPrompts().Warning(message);
    }
    return message;
}
