#pragma once

#include <QString>
#include <QStringList>

// The address book the contacts page reads from: the vCard files (*.vcf) of
// a folder, each holding one card or more. As with the handheld's address
// book, it is opened, asked for its number of contacts and for the name of
// the contact at a position (counted from 1), and closed. The order is that
// of the files by name, then of the cards within each file.
class ContactsSource {
public:
    // The platform's contacts folder.
    ContactsSource();
    explicit ContactsSource(QString folder);

    // Reads every card. False, and no contacts, when the folder cannot be
    // read; files that cannot be read, and cards without a name, are kept
    // out or left unnamed rather than failing the whole address book.
    bool Open();
    void Close();
    bool IsOpen() const { return open_; }

    int Count() const { return static_cast<int>(names_.size()); }
    // The contact's name: the formatted name (FN), else the given and family
    // names (N); empty when the card has neither or the position is outside
    // 1 to Count().
    QString Name(int position) const;

    // The names of a vCard text, one per card, in order. A card is never
    // dropped for a malformed line: the line is passed over.
    static QStringList NamesOf(const QByteArray& vcards);

    // Files larger than this are not address books and are passed over.
    static constexpr qint64 kLargestFile = 16 * 1024 * 1024;

private:
    QString folder_;
    QStringList names_;
    bool open_ = false;
};
