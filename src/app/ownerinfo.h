#pragma once

#include <QByteArray>
#include <QString>

// The device owner's details, as the first run copies them into the personal
// information. Each field is cleaned: line breaks become blanks and blanks at
// both ends are trimmed.
class COwnerInfo {
public:
    // The per-user registry value that holds the owner record.
    static constexpr char kOwnerKey[] = "ControlPanel\\Owner";
    static constexpr char kOwnerValue[] = "Owner";
    static constexpr int kOwnerRecordSize = 640;

    // From the registry's owner record when there is one; otherwise only the
    // name, taken from the account's full name in the password database.
    static COwnerInfo Read();

    // The 640-byte owner record: zero-terminated UTF-16LE strings, the name
    // at byte 0, the company at 72, the address at 144, the telephone at 516
    // and the e-mail at 566. A short record, or a string without its
    // terminator, gives what its field holds up to the field's or the
    // record's end.
    static COwnerInfo FromOwnerRecord(const QByteArray& record);

    // The account's full name: the password database's comment field up to
    // its first ",". Empty when there is none.
    static QString AccountFullName();

    // The address split into street, city, state and postal code:
    // "street\r\ncity, state postal". Without "\r\n" it is all street; a
    // later separator that is missing leaves the rest in the field being
    // split, so no part of the address is lost.
    void SetAddress(const QString& address);

    // The raw field with its line breaks made blanks, trimmed.
    static QString Clean(const QString& text);

    bool fromRecord = false;  // read from the owner record
    QString name;
    QString company;
    QString street;
    QString city;
    QString state;
    QString postalCode;
    QString telephone;
    QString email;
};
