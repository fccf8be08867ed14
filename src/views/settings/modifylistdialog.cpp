#include "views/settings/modifylistdialog.h"

#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "lists/history.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/confirmations.h"
#include "views/widgets/textentrydialog.h"

CModifyListDialog::CModifyListDialog(CHistory& history, const QString& startText, QWidget* parent)
    : FullWindowDialog(QStringLiteral("Modify List"), TitleButton::Ok, parent),
      history_(history),
      list_(new QListWidget(Body())),
      add_(Commands()->AddButton(QStringLiteral("Add"))),
      modify_(Commands()->AddButton(QStringLiteral("Modify"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))) {
    Commands()->AddStretch();
    list_->setFont(AppFont());
    list_->setAccessibleName(QStringLiteral("Modify List"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    connect(add_, &QToolButton::clicked, this, &CModifyListDialog::AddEntry);
    connect(modify_, &QToolButton::clicked, this, &CModifyListDialog::ModifyEntry);
    connect(delete_, &QToolButton::clicked, this, &CModifyListDialog::DeleteEntry);
    connect(list_, &QListWidget::itemActivated, this, &CModifyListDialog::ModifyEntry);
    connect(list_, &QListWidget::currentRowChanged, this, &CModifyListDialog::UpdateCommands);
    const QString start = startText.trimmed();
    const int found = history_.Find(start);
    if (found < 0) {
        proposal_ = start;
    }
    Fill(found);
}

void CModifyListDialog::Run(CHistory& history, const QString& startText, QWidget* parent) {
    CModifyListDialog dialog(history, startText, parent);
    dialog.exec();
}

void CModifyListDialog::done(int result) {
    // However the dialog closes, the list on file is the list shown.
    history_.Save(false);
    FullWindowDialog::done(result);
}

void CModifyListDialog::Fill(int select) {
    list_->clear();
    list_->addItems(history_.GetItems());
    if (select >= 0 && select < list_->count()) {
        list_->setCurrentRow(select);
    }
    UpdateCommands();
}

void CModifyListDialog::UpdateCommands() {
    const bool selected = list_->currentRow() >= 0;
    modify_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void CModifyListDialog::Written(const QString& entry) {
    history_.Save(false);
    Fill(history_.Find(entry));
}

void CModifyListDialog::AddEntry() {
    QString entry;
    if (!CTextEntryDialog::AskListEntry(this, proposal_, entry)) {
        return;
    }
    proposal_.clear();
    history_.Add(entry);
    Written(entry);
}

void CModifyListDialog::ModifyEntry() {
    const int row = list_->currentRow();
    QString entry;
    if (row < 0 || !CTextEntryDialog::AskListEntry(this, history_.GetAt(row), entry)) {
        return;
    }
    history_.SetAt(row, entry);
    Written(entry);
}

void CModifyListDialog::DeleteEntry() {
    const int row = list_->currentRow();
    if (row < 0) {
        return;
    }
    if (!AskDeleteFromDatabase(history_.GetAt(row))) {
        return;
    }
    history_.RemoveAt(row);
    history_.Save(false);
    Fill(std::min(row, history_.GetCount() - 1));
}
