#include "views/settings/classificationgroupsdialog.h"

#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/classification.h"
#include "lists/classificationgroupmgr.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/confirmations.h"
#include "views/widgets/textentrydialog.h"

CClassificationGroupsDialog::CClassificationGroupsDialog(CClassificationGroupMgr& groups,
                                                         QWidget* parent)
    : FullWindowDialog(QStringLiteral("Classification Groups"), TitleButton::Ok, parent),
      groups_(groups),
      list_(new QListWidget(Body())),
      add_(Commands()->AddButton(QStringLiteral("Add"))),
      rename_(Commands()->AddButton(QStringLiteral("Rename"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))) {
    SetHelpTopic(QStringLiteral("Classification"));
    Commands()->AddStretch();
    list_->setFont(AppFont());
    list_->setAccessibleName(QStringLiteral("Classification groups"));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    connect(add_, &QToolButton::clicked, this, &CClassificationGroupsDialog::Add);
    connect(rename_, &QToolButton::clicked, this, &CClassificationGroupsDialog::Rename);
    connect(delete_, &QToolButton::clicked, this, &CClassificationGroupsDialog::Delete);
    connect(list_, &QListWidget::itemActivated, this, &CClassificationGroupsDialog::Rename);
    connect(list_, &QListWidget::currentRowChanged, this,
            &CClassificationGroupsDialog::UpdateCommands);
    const CClassificationGroup* current = groups_.GetCurrentGroup();
    Fill(current != nullptr ? current->GetName() : QString());
}

const QString& CClassificationGroupsDialog::DuplicateMessage() {
    static const QString message = QStringLiteral(
        "A Classification with the same name already exists.\n\nPlease choose another name.");
    return message;
}

void CClassificationGroupsDialog::ApplyLayout(ScreenLayout) {}

void CClassificationGroupsDialog::Fill(const QString& selected) {
    list_->clear();
    int row = 0;
    for (const CClassificationGroup& group : groups_) {
        if (group.GetName() == selected) {
            row = list_->count();
        }
        list_->addItem(group.GetName());
    }
    list_->setCurrentRow(list_->count() > 0 ? row : -1);
    UpdateCommands();
}

void CClassificationGroupsDialog::UpdateCommands() {
    const bool chosen = list_->currentRow() >= 0;
    rename_->setEnabled(chosen);
    delete_->setEnabled(chosen);
}

QString CClassificationGroupsDialog::Selected() const {
    const QListWidgetItem* item = list_->currentItem();
    return item != nullptr ? item->text() : QString();
}

void CClassificationGroupsDialog::Add() {
    QString name;
    if (!CTextEntryDialog::AskListEntry(this, QString(), name, [this](const QString& name) {
            return groups_.GroupExists(name) ? DuplicateMessage() : QString();
        })) {
        return;
    }
    // A group is never offered empty on the slip: it starts with "None".
    CClassificationGroup* group = groups_.CreateGroup(name);
    groups_.AddClassification(
        group->GetName(),
        CClassification(QStringLiteral("None"), QStringLiteral("CLASSIFICATION01U.BMP")));
    groups_.Save(true);
    Fill(name);
}

void CClassificationGroupsDialog::Rename() {
    const QString old = Selected();
    if (old.isEmpty()) {
        return;
    }
    QString name;
    if (!CTextEntryDialog::AskListEntry(this, old, name, [this, old](const QString& name) {
            const bool other = name.compare(old, Qt::CaseInsensitive) != 0;
            return other && groups_.GroupExists(name) ? DuplicateMessage() : QString();
        })) {
        return;
    }
    groups_.RenameGroup(old, name);
    groups_.Save(true);
    Fill(name);
}

void CClassificationGroupsDialog::Delete() {
    const QString name = Selected();
    if (name.isEmpty() || !AskDeleteFromDatabase(name)) {
        return;
    }
    groups_.RemoveGroup(name);
    groups_.Save(true);
    Fill(QString());
}
