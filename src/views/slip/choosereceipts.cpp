#include "views/slip/choosereceipts.h"

#include "platform/directories.h"
#include "views/widgets/filechooser.h"

bool ChooseReceipts(QWidget* parent, QStringList& files) {
    FileChoice choice;
    choice.title = QStringLiteral("Attach Receipts");
    choice.folder = GetDocumentsRoot();
    choice.filter = QStringLiteral(
        "Receipts (*.jpg *.jpeg *.png *.webp *.pdf);;Photos (*.jpg *.jpeg *.png *.webp);;"
        "PDF Scans (*.pdf)");
    choice.many = true;
    return ChooseFiles(parent, choice, files);
}
