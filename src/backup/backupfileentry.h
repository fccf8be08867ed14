#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One file offered for backup or restore: a file on the device, or an entry
// of an archive with the path it would be restored to.
struct BackupFileEntry {
    QString path;
    QChar category = QLatin1Char('0');  // a BackupCategory code
    qint32 archiveIndex = -1;           // -1 for a file on the device

    // The file name shown for the entry: the path after its last separator.
    QString ShownName() const;

    friend bool operator==(const BackupFileEntry&, const BackupFileEntry&) = default;
};

using BackupFileList = QList<BackupFileEntry>;
