#pragma once

#include <QStringList>
#include <functional>

#include "backup/backupfileentry.h"

class ZipArchive;

// The receipts of reports in a backup archive. Entries are named by file
// name alone, so each report's index goes in as "TITLE.json" and each stored
// file under its content name, once however many reports hold it; all carry
// the receipts code.
namespace ReceiptBackup {

// The files to add for the receipts of `reports` (of every report when
// empty). Each index is copied into `staging` under its archive name; the
// copies must stay until the archive is written.
BackupFileList List(const BackupFileList& reports, const QString& staging);

// Brings back the receipts of the reports titled `titles` (every report's
// when empty) from an open archive into the reports folder. A report whose
// receipts folder holds an index keeps it unless `replaceExisting`; a
// replaced index's ties that the archive lacks are kept as unmatched.
// Failures go to `noteError`; gives the number of files written.
int Restore(ZipArchive& archive, const QStringList& titles, bool replaceExisting,
            const std::function<void(const QString&)>& noteError);

}  // namespace ReceiptBackup
