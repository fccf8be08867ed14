#include "trashfolder.h"

#include <QDir>
#include <QFile>

#include "platform/dateformatting.h"
#include "platform/datepicture.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "receipts/receiptfolders.h"

namespace {

QFileInfoList TrashReports() {
    const QString folder = GetTrashDirectory();
    if (folder.isEmpty()) {
        return {};
    }
    return QDir(folder).entryInfoList({QStringLiteral("*.xpf")}, QDir::Files | QDir::Hidden,
                                      QDir::Name | QDir::IgnoreCase);
}

}  // namespace

QList<TrashFolder::Item> TrashFolder::List() {
    QList<Item> items;
    for (const QFileInfo& file : TrashReports()) {
        Item item;
        item.fileName = file.fileName();
        item.path = file.filePath();
        item.size = file.size();
        item.modified = file.lastModified().toSecsSinceEpoch();
        item.dateText = FormatDate(item.modified, 0) + QLatin1Char(' ') +
                        FormatTime(item.modified, kTimeNoSeconds);
        item.sizeText =
            QString::number(static_cast<double>(item.size), 'f', 0) + QStringLiteral(" bytes");
        items.append(item);
    }
    return items;
}

TrashFolder::RestoreResult TrashFolder::Restore(const QString& fileName) {
    const QString trash = GetTrashDirectory();
    const QString reports = GetReportsDirectory();
    // Only a name the trash listing could have shown: nothing outside it.
    if (trash.isEmpty() || reports.isEmpty() || fileName.isEmpty() ||
        fileName.contains(QLatin1Char('/')) || fileName == QLatin1String("..") ||
        fileName == QLatin1String(".")) {
        return RestoreResult::Missing;
    }
    const QString source = JoinPath(trash, fileName);
    if (!QFileInfo(source).isFile()) {
        return RestoreResult::Missing;
    }
    const QString target = JoinPath(reports, fileName);
    if (FileExists(target)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("The file '%1' already exists, please rename the existing file and "
                           "try restoring again.")
                .arg(fileName));
        return RestoreResult::AlreadyExists;
    }
    // A rename never replaces a file that appeared meanwhile.
    if (!QFile::rename(source, target)) {
        return RestoreResult::Failed;
    }
    QString error;
    if (!ReceiptFolders::Move(source, target, error)) {
        // The report is back; its receipts stay in the trash for another try.
        LogMessage(error);
    }
    return RestoreResult::Restored;
}

int TrashFolder::DeleteAll() {
    int deleted = 0;
    for (const QFileInfo& file : TrashReports()) {
        if (QFile::remove(file.filePath())) {
            ReceiptFolders::Remove(file.filePath());
            ++deleted;
        }
    }
    return deleted;
}
