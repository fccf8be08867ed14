#pragma once

#include <QAbstractListModel>
#include <vector>

class ContactsSource;

// The device's address book as a list with check boxes. A name is read from
// the address book only when its row is first asked for, so that a long
// address book opens at once; a contact without a name is "Unnamed".
class CAddressBookModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Rows for the contacts of `source` (not owned; open or empty).
    CAddressBookModel(const ContactsSource& source, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The contact's name, read now when it was not yet.
    QString Name(int row) const;
    bool IsChecked(int row) const { return entries_[row].checked; }
    // The ticked names, in address-book order.
    QStringList CheckedNames() const;

private:
    struct Entry {
        bool checked = false;
        QString name;  // empty until the row is first shown
    };

    const ContactsSource& source_;  // not owned
    mutable std::vector<Entry> entries_;
};
