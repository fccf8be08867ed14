#include "views/settings/addressbookmodel.h"

#include "platform/contactssource.h"

CAddressBookModel::CAddressBookModel(const ContactsSource& source, QObject* parent)
    : QAbstractListModel(parent), source_(source), entries_(source.Count()) {}

int CAddressBookModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QString CAddressBookModel::Name(int row) const {
    Entry& entry = entries_[row];
    if (entry.name.isEmpty()) {
        // The address book counts its contacts from 1.
        entry.name = source_.Name(row + 1);
        if (entry.name.isEmpty()) {
            entry.name = QStringLiteral("Unnamed");
        }
    }
    return entry.name;
}

QVariant CAddressBookModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return Name(index.row());
        case Qt::CheckStateRole:
            return entries_[index.row()].checked ? Qt::Checked : Qt::Unchecked;
        default:
            return QVariant();
    }
}

bool CAddressBookModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::CheckStateRole) {
        return false;
    }
    entries_[index.row()].checked = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags CAddressBookModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
}

QStringList CAddressBookModel::CheckedNames() const {
    QStringList names;
    for (int row = 0; row < rowCount(); ++row) {
        if (entries_[row].checked) {
            names.append(Name(row));
        }
    }
    return names;
}
