#include "views/backup/choosearchive.h"

#include "platform/directories.h"
#include "views/widgets/filechooser.h"

bool ChooseArchive(QWidget* parent, bool forOpen, QString& path) {
    FileChoice choice;
    choice.title =
        forOpen ? QStringLiteral("Restore Backup From") : QStringLiteral("Save Backup To");
    choice.folder = GetDocumentsRoot();
    choice.filter = QStringLiteral("Outlaysheet Backup Files (*.xbf)");
    choice.suffix = QStringLiteral("xbf");
    choice.forOpen = forOpen;
    return ChooseFile(parent, choice, path);
}
