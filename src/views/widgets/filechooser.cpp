#include "views/widgets/filechooser.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QListView>

#include "platform/platform.h"
#include "platform/screen.h"

namespace {

// Qt puts the name and type fields between their captions and a column of
// buttons, which leaves them a few letters on the handheld's screen. Here
// each field has the width of the dialog: below its caption where the
// screen is narrow, beside it where it is wide, and the buttons go into a
// row of their own.
void PlaceFields(QFileDialog& dialog, ScreenLayout layout) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    const QStringList names = {QStringLiteral("fileNameLabel"), QStringLiteral("fileNameEdit"),
                               QStringLiteral("fileTypeLabel"), QStringLiteral("fileTypeCombo")};
    QList<QWidget*> fields;
    for (const QString& name : names) {
        fields.append(dialog.findChild<QWidget*>(name));
    }
    if (grid == nullptr || buttons == nullptr || fields.contains(nullptr)) {
        return;
    }
    for (QWidget* widget : fields) {
        grid->removeWidget(widget);
    }
    grid->removeWidget(buttons);
    const int columns = grid->columnCount();
    int row = grid->rowCount();
    const bool narrow = layout != ScreenLayout::Landscape;
    for (int i = 0; i < fields.size(); i += 2) {
        auto* pair = new QBoxLayout(narrow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
        pair->setSpacing(narrow ? 1 : grid->horizontalSpacing());
        pair->addWidget(fields[i]);
        pair->addWidget(fields[i + 1], 1);
        grid->addLayout(pair, row++, 0, 1, columns);
    }
    // The folder's path has the width that the hidden "Look in" caption and
    // history buttons leave.
    auto* lookIn = dialog.findChild<QComboBox*>(QStringLiteral("lookInCombo"));
    for (int i = 0; lookIn != nullptr && i < grid->count(); ++i) {
        auto* top = qobject_cast<QBoxLayout*>(grid->itemAt(i)->layout());
        if (top != nullptr && top->indexOf(lookIn) >= 0) {
            int at = 0, column = 0, rows = 0, span = 0;
            grid->getItemPosition(i, &at, &column, &rows, &span);
            grid->takeAt(i);
            grid->addLayout(top, at, 0, rows, columns);
            top->setStretchFactor(lookIn, 1);
            break;
        }
    }
    buttons->setOrientation(Qt::Horizontal);
    grid->addWidget(buttons, row, 0, 1, columns);
    // The list keeps what the fields leave of a low screen.
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileChoice& choice,
                                            const QString& path) {
    auto owned = std::make_unique<QFileDialog>(parent, choice.title, choice.folder, choice.filter);
    QFileDialog& dialog = *owned;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The question before replacing a file is the program's own, in a box
    // that fits the screen; Qt's is as wide as a desktop's.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(choice.many      ? QFileDialog::ExistingFiles
                       : choice.forOpen ? QFileDialog::ExistingFile
                                        : QFileDialog::AnyFile);
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
    // A pen has no Ctrl key to add a second file with: each tap on a name
    // adds it or takes it out again.
    auto* names = dialog.findChild<QListView*>(QStringLiteral("listView"));
    if (choice.many && names != nullptr) {
        names->setSelectionMode(QAbstractItemView::MultiSelection);
    }
    if (parent != nullptr) {
        const QRect window = parent->window()->geometry();
        PlaceFields(dialog, GetScreenLayout(window.width(), window.height()));
        dialog.setGeometry(window);
    }
    return owned;
}

bool ChooseFile(QWidget* parent, const FileChoice& choice, QString& path) {
    QString start = path;
    for (;;) {
        const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, choice, start);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
            return false;
        }
        const QString chosen = dialog->selectedFiles().first();
        if (choice.forOpen || !QFileInfo::exists(chosen) ||
            Platform::Get().GetPrompts().AskYesNo(
                QStringLiteral("%1 already exists. Do you want to replace it?").arg(chosen))) {
            path = chosen;
            return true;
        }
        // No: the dialog again, at the name, for another one.
        start = chosen;
    }
}

bool ChooseFiles(QWidget* parent, const FileChoice& choice, QStringList& paths) {
    const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, choice, QString());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return false;
    }
    paths = dialog->selectedFiles();
    return true;
}
