#pragma once

#include <QString>

// Where the receipts of a report file live: the folder "Receipts/TITLE"
// beside it, TITLE being the file's name without its extension. The same
// rule holds in the reports folder and in the trash, so a receipts folder
// follows its report wherever the report file goes.
//
// Each operation below takes report paths; a report without a receipts
// folder has nothing to move and succeeds.
namespace ReceiptFolders {

QString Of(const QString& reportPath);

// The report went from `fromReportPath` to `toReportPath` (renamed, into
// the trash, back from it): its receipts go with it. A folder already at
// the new place (left over, or restored) takes the moved ties in beside its
// own. False, with the reason, when the files could not be moved; they are
// then all still where they were.
bool Move(const QString& fromReportPath, const QString& toReportPath, QString& error);
// The report was copied (duplicated): the copy gets the same receipts.
bool Copy(const QString& fromReportPath, const QString& toReportPath, QString& error);
// The report was deleted for good: its receipts go too.
void Remove(const QString& reportPath);

}  // namespace ReceiptFolders
