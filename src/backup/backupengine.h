#pragma once

#include <sys/types.h>
#include <QString>
#include <functional>

#include "backup/backupcategory.h"
#include "backup/backupfileentry.h"
#include "zip/ziparchive.h"

// Saves the user's reports, data files and pictures into one ZIP archive
// (".xbf") and brings them back, wholly or in part. Each entry is stored
// under its bare file name with its category code as comment; restore relies
// on those comments alone. Every message goes through the platform's
// prompts; the details of a failure go to the diagnostics log and to
// LastError().
class BackupEngine {
public:
    // What to save or restore besides an explicit report list: a combination
    // of BackupSelection flags.
    void SetSelection(quint32 flags) { selection_ = flags; }
    quint32 Selection() const { return selection_; }

    // Append the device's files of one kind. Each file is made writable as it
    // is listed, so that a later restore can replace it. A missing folder
    // lists nothing.
    static void ListReports(BackupFileList& list);
    static void ListDataFiles(BackupFileList& list);
    static void ListImages(BackupFileList& list);

    // Appends the report entries of an archive (comment beginning with '1'),
    // each with the path it would be restored to. An empty path, or an
    // archive that cannot be read, lists nothing; the latter is false, with
    // the reason in `error` when given.
    static bool ListArchiveReports(const QString& archivePath, BackupFileList& list,
                                   QString* error = nullptr);

    // 1 on success, 0 otherwise; the outcome has been shown.
    int Backup(const QString& archivePath, const BackupFileList& reports, bool confirmOverwrite);
    int Restore(const QString& archivePath, const BackupFileList& reports, bool replaceExisting,
                bool askBeforeReplacing);

    // What went wrong in the last Backup or Restore, for the log and the
    // command line; empty after a clean run.
    const QString& LastError() const { return lastError_; }
    // Files written by the last Restore.
    int RestoredCount() const { return restored_; }

    // Called before each file is written, with the files done so far, the
    // number of files in all and the file's name; returning false cancels
    // the work there. A cancelled backup leaves any earlier archive as it
    // was; a cancelled restore keeps what it restored.
    using Progress = std::function<bool(int done, int total, const QString& name)>;
    void SetProgress(Progress progress) { progress_ = std::move(progress); }
    // Called once the files are written, before the outcome is shown: a
    // display of the progress gives way to the message.
    void SetFinished(std::function<void()> finished) { finished_ = std::move(finished); }
    // Whether the last Backup or Restore was cancelled.
    bool WasCancelled() const { return cancelled_; }

    // The archive comment of a backup with these selection flags.
    static QString ArchiveComment(quint32 flags);

private:
    enum class EntryOutcome { Restored, Kept, Cancelled };

    // Writes the files, in order, into a new archive; failures go to
    // lastError_.
    void WriteArchive(const QString& archivePath, const BackupFileList& files);
    EntryOutcome RestoreEntry(qint64 index, const QString& folder, bool replaceExisting,
                              bool askBeforeReplacing);
    // Puts the files written since the last call in their places, all made
    // durable together; each is then restored.
    void CommitRestored();
    void NoteError(const QString& error);
    // Notes the failures of entries staged and written since.
    void NoteStagedErrors();
    void NoteErrorNow(const QString& error);
    // False when the user cancelled before this file.
    bool Advance(const QString& name);
    void Finish();
    // The entries a restore with the current selection writes besides the
    // chosen reports.
    QList<qint64> SelectedEntries();

    // Files written and waiting to be put in place at most; each holds a
    // file handle until then.
    static constexpr qsizetype kStagedAtMost = 256;

    quint32 selection_ = 0;
    ZipArchive archive_;
    QString archiveFile_;  // the open archive's canonical path, while restoring
    // Its file's identity, when found: no file of another can be the archive.
    bool archiveFound_ = false;
    dev_t archiveDevice_ = 0;
    ino_t archiveInode_ = 0;
    QString lastError_;
    int restored_ = 0;
    Progress progress_;
    std::function<void()> finished_;
    int done_ = 0;
    int total_ = 0;
    bool cancelled_ = false;
};
