#include "views/widgets/filechooser.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileChoice& choice,
                                            const QString& path) {
    auto owned = std::make_unique<QFileDialog>(parent, choice.title, choice.folder, choice.filter);
    QFileDialog& dialog = *owned;
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
    for (const char* name : {"sidebar", "backButton", "forwardButton", "listModeButton",
                             "detailModeButton", "lookInLabel"}) {
        if (auto* child = dialog.findChild<QWidget*>(QLatin1String(name))) {
            child->hide();
        }
    }
    // Fields and lists ask for the font's widest glyph and more as their
    // least width; they are usable narrower.
    for (QWidget* child : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child)) {
            child->setMinimumWidth(40);
        }
    }
    dialog.setMinimumSize(0, 0);
    if (parent != nullptr) {
        dialog.setGeometry(parent->window()->geometry());
    }
    return owned;
}

bool ChooseFile(QWidget* parent, const FileChoice& choice, QString& path) {
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, choice, path);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return false;
    }
    path = dialog->selectedFiles().first();
    return true;
}
