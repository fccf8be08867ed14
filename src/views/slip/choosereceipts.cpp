#include "views/slip/choosereceipts.h"

#include "platform/directories.h"
#include "views/widgets/filechooser.h"

namespace {

// The patterns for `extensions` in both cases: cameras name their photos
// "IMG_0001.JPG", and the dialog matches names as the file system does.
QString Patterns(const QStringList& extensions) {
    QStringList patterns;
    for (const QString& extension : extensions) {
        patterns << QStringLiteral("*.") + extension << QStringLiteral("*.") + extension.toUpper();
    }
    return patterns.join(QLatin1Char(' '));
}

}  // namespace

bool ChooseReceipts(QWidget* parent, QStringList& files) {
    const QStringList photos = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                QStringLiteral("png"), QStringLiteral("webp")};
    const QStringList scans = {QStringLiteral("pdf")};
    FileChoice choice;
    choice.title = QStringLiteral("Attach Receipts");
    choice.folder = GetDocumentsRoot();
    choice.filter = QStringLiteral("Receipts (%1);;Photos (%2);;PDF Scans (%3)")
                        .arg(Patterns(photos + scans), Patterns(photos), Patterns(scans));
    choice.many = true;
    return ChooseFiles(parent, choice, files);
}
