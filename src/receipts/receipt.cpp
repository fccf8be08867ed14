#include "receipts/receipt.h"

#include <QFileInfo>

QString Receipt::FileName() const {
    return QFileInfo(path).fileName();
}
