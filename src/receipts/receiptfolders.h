#pragma once

#include <QString>

// Where the receipts of a report file live: the folder "Receipts/TITLE"
// beside it, TITLE being the file's name without its extension. The same
// rule holds in the reports folder and in the trash, so a receipts folder
// follows its report wherever the report file goes.
namespace ReceiptFolders {

QString Of(const QString& reportPath);

}  // namespace ReceiptFolders
