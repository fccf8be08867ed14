#include "shippedfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

QString ShareFolder() {
    return QDir::cleanPath(QStringLiteral(OUTLAYSHEET_SHARE_DIR));
}

QStringList ImageFolderNames() {
    return {"category", "class", "paidwith", "expensetype", "other"};
}

QStringList ShippedPictures(const QString& folder) {
    return QDir(ShareFolder() + "/images/" + folder).entryList(QDir::Files, QDir::Name);
}

QStringList FindInSources(const QRegularExpression& pattern, int* filesRead) {
    QStringList found;
    *filesRead = 0;
    QDirIterator files(QStringLiteral(OUTLAYSHEET_SOURCE_DIR), {"*.h", "*.cpp"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        ++*filesRead;
        const QString text = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& match : pattern.globalMatch(text)) {
            if (!found.contains(match.captured(1))) {
                found.append(match.captured(1));
            }
        }
    }
    found.sort();
    return found;
}
