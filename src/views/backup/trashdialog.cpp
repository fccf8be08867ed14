#include "views/backup/trashdialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "backup/trashfolder.h"
#include "platform/platform.h"
#include "views/widgets/appfont.h"

namespace {

enum Column { kFile, kDate, kSize };

Prompts& UserPrompts() {
    return Platform::Get().GetPrompts();
}

}  // namespace

CTrashDialog::CTrashDialog(QWidget* parent)
    : FullWindowDialog(QStringLiteral("Outlaysheet"), TitleButton::Ok, parent),
      list_(new QTreeWidget(Body())),
      restore_(new QPushButton(QStringLiteral("Restore"), Body())),
      deleteAll_(new QPushButton(QStringLiteral("Delete All"), Body())) {
    list_->setAccessibleName(QStringLiteral("Trash"));
    list_->setFont(AppFont());
    list_->setHeaderLabels(
        {QStringLiteral("File"), QStringLiteral("Date"), QStringLiteral("Size")});
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Date and size whole, the name in what is left, so that all three fit
    // the handheld's width.
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(kFile, QHeaderView::Stretch);
    list_->setTextElideMode(Qt::ElideRight);
    for (QPushButton* button : {restore_, deleteAll_}) {
        button->setAccessibleName(button->text());
        button->setFont(AppFont());
    }
    connect(restore_, &QPushButton::clicked, this, &CTrashDialog::Restore);
    connect(deleteAll_, &QPushButton::clicked, this, &CTrashDialog::DeleteAll);
    SetHelpTopic(QStringLiteral("Trash"));
    Fill();
}

void CTrashDialog::Fill() {
    list_->clear();
    for (const TrashFolder::Item& item : TrashFolder::List()) {
        auto* row = new QTreeWidgetItem(list_, {item.fileName, item.dateText, item.sizeText});
        row->setTextAlignment(kSize, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (list_->topLevelItemCount() > 0) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
}

void CTrashDialog::Restore() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        UserPrompts().Warning(QStringLiteral("You must select a file to restore."));
        return;
    }
    if (!UserPrompts().AskYesNo(QStringLiteral("Are you sure you want to restore this file?"))) {
        return;
    }
    const TrashFolder::RestoreResult result = TrashFolder::Restore(selected.first()->text(kFile));
    if (result == TrashFolder::RestoreResult::Failed) {
        UserPrompts().Warning(QStringLiteral("The file '%1' could not be restored.")
                                  .arg(selected.first()->text(kFile)));
    }
    Fill();
    if (result == TrashFolder::RestoreResult::Restored) {
        emit reportRestored();
    }
}

void CTrashDialog::DeleteAll() {
    if (list_->topLevelItemCount() == 0) {
        UserPrompts().Information(QStringLiteral("There are no files to delete."));
        return;
    }
    if (!UserPrompts().AskYesNo(
            QStringLiteral("Are you sure you want to permanently delete all file(s)?"))) {
        return;
    }
    TrashFolder::DeleteAll();
    Fill();
}

void CTrashDialog::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    // The low screen keeps the list as tall as it can: the buttons go beside
    // it rather than below.
    const bool landscape = layout == ScreenLayout::Landscape;
    QBoxLayout* outer =
        landscape ? static_cast<QBoxLayout*>(new QHBoxLayout(Body())) : new QVBoxLayout(Body());
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(list_, 1);
    QBoxLayout* buttons = landscape ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    if (!landscape) {
        buttons->addStretch(1);
    }
    buttons->addWidget(restore_);
    buttons->addWidget(deleteAll_);
    if (landscape) {
        buttons->addStretch(1);
    }
    outer->addLayout(buttons);
}
