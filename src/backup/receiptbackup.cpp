#include "backup/receiptbackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>

#include "backup/backupcategory.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "receipts/receiptfolders.h"
#include "receipts/receiptindex.h"
#include "zip/ziparchive.h"
#include "zip/ziperror.h"

namespace ReceiptBackup {

namespace {

const QString kIndexSuffix = QStringLiteral(".json");

QString ReportPathOf(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf"));
}

QStringList AllReports() {
    QStringList paths;
    const QString folder = GetReportsDirectory();
    for (const QString& name : QDir(folder).entryList({QStringLiteral("*.xpf")}, QDir::Files,
                                                      QDir::Name | QDir::IgnoreCase)) {
        paths.append(JoinPath(folder, name));
    }
    return paths;
}

// Puts the entries of `restored` in `index` as the archive left them;
// what `index` tied that the archive does not is kept as unmatched.
void Combine(CReceiptIndex& index, const CReceiptIndex& restored) {
    QList<CReceiptIndex::Entry> loose = index.unmatched + index.ties;
    index.ties = restored.ties;
    index.unmatched = restored.unmatched;
    for (CReceiptIndex::Entry entry : loose) {
        if (!index.References(entry.file)) {
            entry.digest = 0;
            entry.rank = 0;
            index.unmatched.append(entry);
        }
    }
}

}  // namespace

BackupFileList List(const BackupFileList& reports, const QString& staging) {
    QStringList paths;
    for (const BackupFileEntry& report : reports) {
        paths.append(report.path);
    }
    if (paths.isEmpty()) {
        paths = AllReports();
    }
    BackupFileList files;
    QSet<QString> added;
    for (const QString& path : paths) {
        const QString folder = ReceiptFolders::Of(path);
        const QString indexFile = JoinPath(folder, CReceiptIndex::FileName());
        if (!QFileInfo(indexFile).isFile()) {
            continue;
        }
        CReceiptIndex index;
        QString error;
        const QString copy = JoinPath(staging, QFileInfo(path).completeBaseName() + kIndexSuffix);
        // Read and copied under the report's lock: no writer changes it half-way.
        const FileLock lock(path);
        if (!index.Read(folder, error) || !QFile::copy(indexFile, copy)) {
            continue;
        }
        files.append({copy, BackupCategory::kReceipts, -1});
        for (const QList<CReceiptIndex::Entry>* entries : {&index.ties, &index.unmatched}) {
            for (const CReceiptIndex::Entry& entry : *entries) {
                const QString file = JoinPath(folder, entry.file);
                if (!added.contains(entry.file) && QFileInfo(file).isFile()) {
                    added.insert(entry.file);
                    files.append({file, BackupCategory::kReceipts, -1});
                }
            }
        }
    }
    return files;
}

int Restore(ZipArchive& archive, const QStringList& titles, bool replaceExisting,
            const std::function<void(const QString&)>& noteError) {
    QHash<QString, qint64> stored;  // content name -> entry
    QList<qint64> indexes;
    const qint64 count = archive.Count();
    for (qint64 i = 0; i < count; ++i) {
        if (BackupCategory::FromComment(archive.Comment(i)) != BackupCategory::kReceipts) {
            continue;
        }
        const QString name = archive.Name(i);
        if (name.endsWith(kIndexSuffix)) {
            const QString title = name.chopped(kIndexSuffix.size());
            if (titles.isEmpty() || titles.contains(title, Qt::CaseInsensitive)) {
                indexes.append(i);
            }
        } else {
            stored.insert(name, i);
        }
    }
    QTemporaryDir staging;
    int written = 0;
    for (qint64 i : indexes) {
        const QString title = archive.Name(i).chopped(kIndexSuffix.size());
        const QString reportPath = ReportPathOf(title);
        const QString folder = ReceiptFolders::Of(reportPath);
        try {
            CReceiptIndex restored;
            QString error;
            const QString extracted = archive.ExtractTo(i, staging.path());
            if (!restored.ReadFile(extracted, error)) {
                noteError(QStringLiteral("%1: %2").arg(archive.Name(i), error));
                continue;
            }
            const FileLock lock(reportPath);
            CReceiptIndex index;
            if (!index.Read(folder, error)) {
                noteError(error);
                continue;
            }
            if (!index.IsEmpty() && !replaceExisting) {
                continue;
            }
            QDir().mkpath(folder);
            for (const QList<CReceiptIndex::Entry>* entries :
                 {&restored.ties, &restored.unmatched}) {
                for (const CReceiptIndex::Entry& entry : *entries) {
                    // Named by content: one already there is the same file.
                    if (QFile::exists(JoinPath(folder, entry.file))) {
                        continue;
                    }
                    if (!stored.contains(entry.file)) {
                        noteError(QStringLiteral("The receipt %1 of %2 is not in the archive.")
                                      .arg(entry.file, title));
                        continue;
                    }
                    archive.ExtractTo(stored.value(entry.file), folder);
                    ++written;
                }
            }
            Combine(index, restored);
            if (!index.Write(folder, error)) {
                noteError(error);
                continue;
            }
            ++written;
        } catch (const ZipError& failure) {
            noteError(failure.Message());
        }
    }
    return written;
}

}  // namespace ReceiptBackup
