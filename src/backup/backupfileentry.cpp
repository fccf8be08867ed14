#include "backupfileentry.h"

#include <algorithm>

QString BackupFileEntry::ShownName() const {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}
