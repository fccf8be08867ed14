#include "views/settings/chooseitemdialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/listimagefiles.h"
#include "platform/platform.h"
#include "views/settings/itemeditordialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/listpicture.h"

CChooseItemDialog::CChooseItemDialog(CExpenseDoc& document, CListItems::Kind kind,
                                     const QString& current, QWidget* parent, Use use)
    : FullWindowDialog(CListItems(document, kind).ChooserTitle(), TitleButton::Ok, parent),
      document_(document),
      items_(document, kind),
      use_(use),
      list_(new QListWidget(Body())),
      new_(Commands()->AddButton(QStringLiteral("New"))),
      edit_(Commands()->AddButton(QStringLiteral("Edit"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))),
      cancel_(nullptr) {
    SetHelpTopic(items_.HelpTopic());
    Commands()->AddStretch();
    cancel_ = Commands()->AddButton(QStringLiteral("Cancel"));
    // The longest title leaves the button less than its usual width.
    OkButton()->setMinimumWidth(40);
    list_->setAccessibleName(windowTitle());
    list_->setFont(AppFont());
    list_->setIconSize(QSize(kListImageSize, kListImageSize));
    list_->setSpacing(1);
    list_->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; }").arg(kLightYellow.name()));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);
    if (const auto item = items_.Find(current)) {
        current_ = item->name;
    }
    Fill(current);

    connect(list_, &QListWidget::currentItemChanged, this, &CChooseItemDialog::UpdateCommands);
    // A tap on the item that is current already changes its selection only.
    connect(list_, &QListWidget::itemSelectionChanged, this, &CChooseItemDialog::UpdateCommands);
    connect(list_, &QListWidget::itemActivated, this, [this] {
        if (use_ == Use::Pick) {
            accept();
        } else if (edit_->isEnabled()) {
            OpenEditor(SelectedName());
        }
    });
    connect(new_, &QToolButton::clicked, this, [this] { OpenEditor(QString()); });
    connect(edit_, &QToolButton::clicked, this, [this] {
        if (!SelectedName().isEmpty()) {
            OpenEditor(SelectedName());
        }
    });
    connect(delete_, &QToolButton::clicked, this, &CChooseItemDialog::DeleteSelected);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
}

void CChooseItemDialog::Fill(const QString& selected) {
    list_->clear();
    const ImageFolder folder = items_.Folder();
    for (const CListItems::Item& item : items_.Items()) {
        auto* entry =
            new QListWidgetItem(QIcon(ListPicture(folder, item.imageName)), item.name, list_);
        entry->setData(Qt::UserRole, item.builtIn);
        if (item.name.compare(selected, Qt::CaseInsensitive) == 0) {
            list_->setCurrentItem(entry);
        }
    }
    if (list_->currentItem() != nullptr) {
        list_->scrollToItem(list_->currentItem());
    }
    UpdateCommands();
}

QString CChooseItemDialog::SelectedName() const {
    const QListWidgetItem* entry = list_->currentItem();
    return entry != nullptr && entry->isSelected() ? entry->text() : QString();
}

void CChooseItemDialog::UpdateCommands() {
    const QListWidgetItem* entry = list_->currentItem();
    // The built-in categories are the program's own: the main screen's
    // buttons find them by these names.
    const bool editable = !SelectedName().isEmpty() && !entry->data(Qt::UserRole).toBool();
    edit_->setEnabled(editable);
    const auto item = items_.Find(SelectedName());
    delete_->setEnabled(editable && item && items_.CanRemove(*item));
}

void CChooseItemDialog::OpenEditor(const QString& name) {
    CItemEditorDialog editor(document_, items_.GetKind(), name, this);
    const int result = editor.exec();
    if (result == QDialog::Rejected) {
        return;
    }
    changed_ = true;
    const bool deleted = result == CItemEditorDialog::kDeleted;
    if (!name.isEmpty() && name.compare(current_, Qt::CaseInsensitive) == 0) {
        current_ = deleted ? QString() : editor.SavedName();
    }
    Fill(deleted ? QString() : editor.SavedName());
}

void CChooseItemDialog::DeleteSelected() {
    const QString name = SelectedName();
    if (name.isEmpty() || !delete_->isEnabled()) {
        return;
    }
    if (!items_.AskAndRemove(name)) {
        return;
    }
    changed_ = true;
    if (name.compare(current_, Qt::CaseInsensitive) == 0) {
        current_.clear();
    }
    Fill(QString());
}

void CChooseItemDialog::accept() {
    const QString name = SelectedName();
    if (use_ == Use::Keep) {
        FullWindowDialog::accept();
        return;
    }
    if (name.isEmpty()) {
        if (items_.GetKind() == CListItems::Kind::Classification) {
            Platform::Get().GetPrompts().Warning(
                QStringLiteral("Please select a Classification."));
            return;
        }
        // Nothing picked is nothing changed.
        reject();
        return;
    }
    chosen_ = name;
    FullWindowDialog::accept();
}
