#pragma once

#include <QByteArray>

// Classification, history and personal-info files written by hand, byte for
// byte, for the tests of the classes and of the command-line dump.

// Header 4/1, current group "Regions", two groups in the manager's order:
// REGIONS (bucket 2), then CUSTOM CLASS (bucket 8). The classifications of
// "Regions" are WEST (bucket 0), then SOUTH and NONE, which share bucket 9.
const QByteArray kClassificationsFile = QByteArray::fromHex(
    "04000000"
    "01000000"
    "fffeff0752006500670069006f006e007300"  // current group "Regions"
    "02000000"                              // two groups
    "fffeff0752006500670069006f006e007300"  // "Regions"
    "03000000"                              // three classifications
    "fffeff045700650073007400"              // "West", CLASSIFICATION02U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000320055002e0042004d005000"
    "fffeff0553006f00750074006800"  // "South", CLASSIFICATION03U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000330055002e0042004d005000"
    "fffeff044e006f006e006500"  // "None", CLASSIFICATION01U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000310055002e0042004d005000"
    "fffeff0c43007500730074006f006d00200043006c00610073007300"  // "Custom Class"
    "01000000"                                                  // one classification
    "fffeff0843006c00690065006e00740020003100"  // "Client 1", CLASSIFICATION09U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000390055002e0042004d00500"
    "0");

// The defaults as the program writes them: "Custom Class", current, holding
// Client 1, Client 2, Client 3 and None (buckets 3, 4, 5 and 9).
const QByteArray kDefaultClassificationsFile = QByteArray::fromHex(
    "04000000"
    "01000000"
    "fffeff0c43007500730074006f006d00200043006c00610073007300"  // current "Custom Class"
    "01000000"
    "fffeff0c43007500730074006f006d00200043006c00610073007300"  // "Custom Class"
    "04000000"
    "fffeff0843006c00690065006e00740020003100"  // "Client 1", CLASSIFICATION09U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000390055002e0042004d005000"
    "fffeff0843006c00690065006e00740020003200"  // "Client 2", CLASSIFICATION11U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003100310055002e0042004d005000"
    "fffeff0843006c00690065006e00740020003300"  // "Client 3", CLASSIFICATION10U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003100300055002e0042004d005000"
    "fffeff044e006f006e006500"  // "None", CLASSIFICATION01U.BMP
    "fffeff1543004c0041005300530049004600490043004100540049004f004e003000310055002e0042004d00500"
    "0");

// Header 5/1 and three texts in an order that is not sorted: "Zürich",
// "Agenda", "Budget review".
const QByteArray kHistoryFile = QByteArray::fromHex(
    "05000000"
    "01000000"
    "0300"
    "fffeff065a00fc007200690063006800"
    "fffeff064100670065006e0064006100"
    "fffeff0d4200750064006700650074002000720065007600690065007700");

// Header 9/1 and the 13 fields: name "Jane Roe", company "Acme Ltd.", direct
// phone "555-0100", email "jane@acme.example", the others empty.
const QByteArray kPersonalInfoFile = QByteArray::fromHex(
    "09000000"
    "01000000"
    "fffeff084a0061006e006500200052006f006500"      // name
    "fffeff09410063006d00650020004c00740064002e00"  // company
    "fffeff00fffeff00fffeff00fffeff00"              // department, division, employee ID, mail stop
    "fffeff00fffeff00fffeff00fffeff00"              // address, city, state, zip
    "fffeff00"                                      // company phone
    "fffeff083500350035002d003000310030003000"      // direct phone
    "fffeff116a0061006e0065004000610063006d0065002e006500780061006d0070006c006500");  // email
