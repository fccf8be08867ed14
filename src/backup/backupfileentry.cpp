#include "backupfileentry.h"

QString BackupFileEntry::ShownName() const {
    qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    if (cut < 0) {
        cut = path.lastIndexOf(QLatin1Char('/'));
    }
    return path.mid(cut + 1);
}
