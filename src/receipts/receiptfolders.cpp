#include "receipts/receiptfolders.h"

#include <QFileInfo>

namespace ReceiptFolders {

QString Of(const QString& reportPath) {
    const QFileInfo report(reportPath);
    return report.path() + QStringLiteral("/Receipts/") + report.completeBaseName();
}

}  // namespace ReceiptFolders
