#include "views/settings/pagecontactsexpense.h"

#include <QListWidget>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/platform.h"
#include "views/widgets/appfont.h"
#include "views/widgets/textentrydialog.h"

CPageContactsExpense::CPageContactsExpense(QWidget* parent)
    : CPageContacts(parent),
      contacts_(CHistoryHolder::Kind::Contacts),
      list_(new QListWidget(this)) {
    contacts_.Load(false);
    list_->setFont(AppFont());
    list_->setAccessibleName(QStringLiteral("Contacts"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    connect(list_, &QListWidget::itemActivated, this, &CPageContactsExpense::Edit);
    Fill();
}

CPageContactsExpense::~CPageContactsExpense() {
    contacts_.Save(false);
}

void CPageContactsExpense::Fill() {
    QSet<QString> ticked;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->checkState() == Qt::Checked) {
            ticked.insert(list_->item(row)->text());
        }
    }
    list_->clear();
    for (const QString& name : contacts_.GetHistory().GetItems()) {
        auto* item = new QListWidgetItem(name, list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(name) ? Qt::Checked : Qt::Unchecked);
    }
    if (list_->count() > 0) {
        list_->setCurrentRow(0);
    }
}

QString CPageContactsExpense::Text() const {
    QStringList names;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->checkState() == Qt::Checked) {
            names.append(list_->item(row)->text());
        }
    }
    return names.join(QStringLiteral(", "));
}

bool CPageContactsExpense::AskName(const QString& name, QString& entered) {
    CTextEntryDialog dialog(QStringLiteral("Contact"), QStringLiteral("Name:"), name,
                            QStringLiteral("Please fill in the contact name."), this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    entered = dialog.Text();
    return true;
}

void CPageContactsExpense::Written() {
    contacts_.Save(false);
    Fill();
}

void CPageContactsExpense::New() {
    QString name;
    if (AskName(QString(), name)) {
        contacts_.GetHistory().Add(name);
        Written();
    }
}

void CPageContactsExpense::Edit() {
    const int row = list_->currentRow();
    QString name;
    if (row < 0 || !list_->item(row)->isSelected() || !AskName(list_->item(row)->text(), name)) {
        return;
    }
    contacts_.GetHistory().SetAt(row, name);
    // The row's tick goes with the person, under the new name.
    list_->item(row)->setText(name);
    Written();
}

void CPageContactsExpense::Delete() {
    QList<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    if (rows.isEmpty() || !Platform::Get().GetPrompts().AskYesNo(QStringLiteral(
                              "Are you sure you want to delete the selected item(s)?"))) {
        return;
    }
    // From the last to the first, so that the rows still to go keep their
    // places.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) {
        contacts_.GetHistory().RemoveAt(row);
    }
    Written();
}

bool CPageContactsExpense::AddIfMissing(const QString& name) {
    const QStringList& names = contacts_.GetHistory().GetItems();
    if (names.contains(name, Qt::CaseInsensitive)) {
        return false;
    }
    contacts_.GetHistory().Add(name);
    contacts_.Save(false);
    return true;
}
