#include "views/widgets/filechooser.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>

bool ChooseFile(QWidget* parent, const FileChoice& choice, QString& path) {
    QFileDialog dialog(parent, choice.title, choice.folder, choice.filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(choice.forOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(choice.forOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(choice.suffix);
    if (!path.isEmpty()) {
        dialog.selectFile(path);
    }
    // The places list and the detail columns take more width than the
    // screen has; a plain list of names fits.
    dialog.setViewMode(QFileDialog::List);
    if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar"))) {
        sidebar->hide();
    }
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        child->setMinimumWidth(0);
    }
    dialog.setMinimumSize(0, 0);
    if (parent != nullptr) {
        dialog.setGeometry(parent->window()->geometry());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = dialog.selectedFiles().first();
    return true;
}
