#include "backupengine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "backup/receiptbackup.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "zip/ziperror.h"

namespace {

// Clears what would stop a later restore from replacing the file, as the
// device clears a file's read-only attribute.
void MakeWritable(const QFileInfo& file) {
    constexpr auto kNormal = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if ((file.permissions() & kNormal) != kNormal) {
        QFile::setPermissions(file.filePath(), file.permissions() | kNormal);
    }
}

// The files of a folder with one extension, in name order so that archives
// come out the same on every file system.
void ListFolder(const QString& folder, const QString& pattern, QChar category,
                BackupFileList& list) {
    if (folder.isEmpty()) {
        return;
    }
    const QFileInfoList files = QDir(folder).entryInfoList({pattern}, QDir::Files | QDir::Hidden,
                                                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        // A link to nowhere is nothing to back up; every listed file must go
        // into the archive, or the whole backup fails.
        if (!file.isFile()) {
            continue;
        }
        MakeWritable(file);
        list.append({file.filePath(), category, -1});
    }
}

Prompts& UserPrompts() {
    return Platform::Get().GetPrompts();
}

QString FolderFor(QChar code, quint32 selection) {
    if (code == BackupCategory::kDataFile) {
        return (selection & kBackupDataFiles) ? GetDataDirectory() : QString();
    }
    const auto imageFolder = BackupCategory::ImageFolderOf(code);
    return imageFolder && (selection & kBackupImages) ? GetImagesSubdirectory(*imageFolder)
                                                      : QString();
}

}  // namespace

void BackupEngine::ListReports(BackupFileList& list) {
    ListFolder(GetReportsDirectory(), QStringLiteral("*.xpf"), BackupCategory::kReport, list);
}

void BackupEngine::ListDataFiles(BackupFileList& list) {
    ListFolder(GetDataDirectory(), QStringLiteral("*.dat"), BackupCategory::kDataFile, list);
}

void BackupEngine::ListImages(BackupFileList& list) {
    for (const BackupCategory::ImageCategory& category : BackupCategory::kImageCategories) {
        ListFolder(GetImagesSubdirectory(category.folder), QStringLiteral("*.bmp"), category.code,
                   list);
    }
}

bool BackupEngine::ListArchiveReports(const QString& archivePath, BackupFileList& list,
                                      QString* error) {
    if (archivePath.isEmpty()) {
        return true;
    }
    try {
        ZipArchive archive;
        archive.Open(archivePath);
        const QString folder = GetReportsDirectory();
        const qint64 count = archive.Count();
        // Gathered apart, so that an archive failing half-way lists nothing.
        BackupFileList reports;
        for (qint64 i = 0; i < count && i <= INT32_MAX; ++i) {
            if (BackupCategory::FromComment(archive.Comment(i)) == BackupCategory::kReport) {
                // The stored name is kept as it is, even a hostile one: restore
                // checks it again and refuses what would leave the folder.
                reports.append({JoinPath(folder, archive.Name(i)), BackupCategory::kReport,
                                static_cast<qint32>(i)});
            }
        }
        archive.Discard();
        list.append(reports);
        return true;
    } catch (const ZipError& failure) {
        LogMessage(failure.Message());
        if (error != nullptr) {
            *error = failure.Message();
        }
        return false;
    }
}

QString BackupEngine::ArchiveComment(quint32 flags) {
    return QStringLiteral("[Outlaysheet - Device]\r\nVersion=1\r\nFileTypesFlag=%1\r\n")
        .arg(flags);
}

void BackupEngine::NoteError(const QString& error) {
    // Entries staged before the one this is about may yet fail to be
    // written; their messages come first, as they would have come.
    NoteStagedErrors();
    NoteErrorNow(error);
}

void BackupEngine::NoteStagedErrors() {
    for (const QString& error : archive_.WaitStaged()) {
        NoteErrorNow(error);
    }
}

void BackupEngine::NoteErrorNow(const QString& error) {
    LogMessage(error);
    if (!lastError_.isEmpty()) {
        lastError_ += QLatin1Char('\n');
    }
    lastError_ += error;
}

void BackupEngine::Finish() {
    if (finished_) {
        finished_();
    }
}

bool BackupEngine::Advance(const QString& name) {
    if (progress_ && !progress_(done_, total_, name)) {
        cancelled_ = true;
    }
    ++done_;
    return !cancelled_;
}

int BackupEngine::Backup(const QString& archivePath, const BackupFileList& reports,
                         bool confirmOverwrite) {
    lastError_.clear();
    cancelled_ = false;
    Prompts& prompts = UserPrompts();
    if (archivePath.isEmpty()) {
        prompts.Warning(QStringLiteral("Please select a location to save the backup to."));
        return 0;
    }
    if (selection_ == 0) {
        prompts.Warning(QStringLiteral("Please select at least one check box to backup."));
        return 0;
    }
    if (confirmOverwrite && FileExists(archivePath) &&
        !prompts.AskYesNo(
            QStringLiteral("%1 already exists. Do you want to replace it?").arg(archivePath))) {
        return 0;
    }
    BackupFileList others;
    if (selection_ & kBackupDataFiles) {
        ListDataFiles(others);
    }
    if (selection_ & kBackupImages) {
        ListImages(others);
    }
    // Each report's index goes in under the report's title; the copies so
    // named must last until the archive is written.
    QTemporaryDir staging;
    if (selection_ & kBackupReceipts) {
        others.append(ReceiptBackup::List(reports, staging.path()));
    }
    if (reports.isEmpty() && others.isEmpty()) {
        prompts.Warning(QStringLiteral("No files were found to backup."));
        return 0;
    }

    BackupFileList files = reports;
    files.append(others);
    WriteArchive(archivePath, files);
    Finish();
    if (!lastError_.isEmpty()) {
        prompts.Warning(
            QStringLiteral("Errors were encountered while trying to backup your files."));
        return 0;
    }
    if (cancelled_) {
        prompts.Information(QStringLiteral("Backup Operation Was Canceled."));
        return 0;
    }
    prompts.Information(QStringLiteral("Backup Was Successful"));
    return 1;
}

void BackupEngine::WriteArchive(const QString& archivePath, const BackupFileList& files) {
    // Writing the archive over one of its own files would replace that file
    // with the archive.
    const QString archiveFile = QFileInfo(archivePath).canonicalFilePath();
    for (const BackupFileEntry& entry : files) {
        if (!archiveFile.isEmpty() && QFileInfo(entry.path).canonicalFilePath() == archiveFile) {
            NoteError(QStringLiteral("The backup cannot be saved over %1, which it backs up.")
                          .arg(entry.path));
            return;
        }
    }
    archive_.Discard();
    try {
        // The archive replaces an existing file only when it is complete, so
        // a failed backup leaves the previous one as it was.
        archive_.Create(archivePath);
        archive_.SetComment(ArchiveComment(selection_));
        done_ = 0;
        total_ = static_cast<int>(files.size());
        for (const BackupFileEntry& entry : files) {
            if (!Advance(entry.ShownName())) {
                // Nothing of the new archive reaches the disk.
                archive_.Discard();
                return;
            }
            const qint64 index = archive_.AddFile(entry.path);
            archive_.SetEntryComment(index, QString(entry.category));
        }
        archive_.Close();
    } catch (const ZipError& error) {
        archive_.Discard();
        NoteError(error.Message());
    }
}

int BackupEngine::Restore(const QString& archivePath, const BackupFileList& reports,
                          bool replaceExisting, bool askBeforeReplacing) {
    lastError_.clear();
    restored_ = 0;
    Prompts& prompts = UserPrompts();
    if (archivePath.isEmpty()) {
        prompts.Warning(QStringLiteral("Please select a location to restore the files from."));
        return 0;
    }
    if (selection_ == 0) {
        prompts.Warning(
            QStringLiteral("Please select at least one check box to restore data from."));
        return 0;
    }

    archive_.Discard();
    cancelled_ = false;
    try {
        archive_.Open(archivePath);
        archiveFile_ = QFileInfo(archivePath).canonicalFilePath();
        struct stat status {};
        archiveFound_ = ::stat(QFile::encodeName(archivePath).constData(), &status) == 0;
        archiveDevice_ = status.st_dev;
        archiveInode_ = status.st_ino;
        const qint64 count = archive_.Count();
        const QString reportsFolder = GetReportsDirectory();
        const QList<qint64> others = SelectedEntries();
        done_ = 0;
        total_ = static_cast<int>(reports.size() + others.size());
        for (const BackupFileEntry& entry : reports) {
            // The list may stem from an earlier look at another archive: the
            // entry must still be that report.
            const qint64 index = entry.archiveIndex;
            if (index < 0 || index >= count ||
                JoinPath(reportsFolder, archive_.Name(index)) != entry.path ||
                BackupCategory::FromComment(archive_.Comment(index)) != BackupCategory::kReport) {
                NoteError(QStringLiteral("%1 holds no report \"%2\" at entry %3.")
                              .arg(archivePath, entry.ShownName())
                              .arg(index));
                continue;
            }
            if (!Advance(entry.ShownName()) ||
                RestoreEntry(index, reportsFolder, replaceExisting, askBeforeReplacing) ==
                    EntryOutcome::Cancelled) {
                cancelled_ = true;
                break;
            }
        }
        for (qint64 index : others) {
            if (cancelled_) {
                break;
            }
            const QString folder =
                FolderFor(BackupCategory::FromComment(archive_.Comment(index)), selection_);
            if (!Advance(archive_.Name(index)) ||
                RestoreEntry(index, folder, replaceExisting, askBeforeReplacing) ==
                    EntryOutcome::Cancelled) {
                cancelled_ = true;
            }
        }
        if ((selection_ & kBackupReceipts) && !cancelled_) {
            // The receipts of the reports restored (of all, with no report
            // chosen), once those are in place.
            CommitRestored();
            QStringList titles;
            for (const BackupFileEntry& entry : reports) {
                titles.append(QFileInfo(entry.path).completeBaseName());
            }
            restored_ +=
                ReceiptBackup::Restore(archive_, titles, replaceExisting,
                                       [this](const QString& error) { NoteError(error); });
        }
    } catch (const ZipError& error) {
        NoteError(error.Message());
    }
    // What was written stays, whatever stopped the restore.
    CommitRestored();
    archive_.Discard();
    Finish();

    if (!lastError_.isEmpty()) {
        prompts.Warning(
            QStringLiteral("Errors were encountered while trying to restore your files."));
        return 0;
    }
    if (cancelled_) {
        prompts.Information(QStringLiteral("Restore Operation Was Canceled."));
        return 0;
    }
    prompts.Information(QStringLiteral("Restore Was Successful"));
    return 1;
}

QList<qint64> BackupEngine::SelectedEntries() {
    QList<qint64> entries;
    const qint64 count = archive_.Count();
    for (qint64 index = 0; index < count; ++index) {
        if (!FolderFor(BackupCategory::FromComment(archive_.Comment(index)), selection_)
                 .isEmpty()) {
            entries.append(index);
        }
    }
    return entries;
}

BackupEngine::EntryOutcome BackupEngine::RestoreEntry(qint64 index, const QString& folder,
                                                      bool replaceExisting,
                                                      bool askBeforeReplacing) {
    const QString name = archive_.Name(index);
    if (folder.isEmpty()) {
        NoteError(QStringLiteral("There is no folder to restore \"%1\" into.").arg(name));
        return EntryOutcome::Kept;
    }
    // Checked before anything looks at the target, which for a hostile name
    // would lie outside the folder.
    if (!ZipArchive::IsSafeEntryName(name)) {
        NoteError(QStringLiteral("The archive entry \"%1\" is not a plain file name and was "
                                 "not restored.")
                      .arg(name));
        return EntryOutcome::Kept;
    }
    const QString target = JoinPath(folder, name);
    // A second entry for the same file meets the first one in place, as if
    // each were restored on its own.
    if (archive_.IsStaged(target)) {
        CommitRestored();
    }
    struct stat status {};
    if (::stat(QFile::encodeName(target).constData(), &status) == 0) {
        // An archive kept among the files it holds must not be replaced by
        // one of its own entries while it is being read. Only a file that
        // is the archive's can lead to the archive's path.
        if ((!archiveFound_ ||
             (status.st_dev == archiveDevice_ && status.st_ino == archiveInode_)) &&
            QFileInfo(target).canonicalFilePath() == archiveFile_) {
            NoteError(
                QStringLiteral("%1 was not restored over the archive it comes from.").arg(target));
            return EntryOutcome::Kept;
        }
        if (!replaceExisting) {
            return EntryOutcome::Kept;
        }
        if (askBeforeReplacing) {
            const PromptAnswer answer =
                UserPrompts().AskYesNoCancel(QStringLiteral("Replace Existing File: ") + target);
            if (answer == PromptAnswer::Cancel) {
                return EntryOutcome::Cancelled;
            }
            if (answer != PromptAnswer::Yes) {
                return EntryOutcome::Kept;
            }
        }
        // The existing file is not deleted first: the entry is written next to
        // it and renamed over it only once it is whole, so a damaged entry
        // leaves the old file in place.
        if ((status.st_mode & (S_IRUSR | S_IWUSR)) != (S_IRUSR | S_IWUSR)) {
            MakeWritable(QFileInfo(target));
        }
    }
    try {
        archive_.StageExtract(index, folder);
    } catch (const ZipError& error) {
        NoteError(error.Message());
        return EntryOutcome::Kept;
    }
    if (archive_.StagedCount() >= kStagedAtMost) {
        CommitRestored();
    }
    return EntryOutcome::Restored;
}

void BackupEngine::CommitRestored() {
    NoteStagedErrors();
    try {
        for (const QString& target : archive_.CommitExtracted()) {
            TouchFile(target);
            ++restored_;
        }
    } catch (const ZipError& error) {
        NoteError(error.Message());
    }
}
