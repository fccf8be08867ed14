#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include "archive/expensearchive.h"

// Report files written out by hand, byte by byte, for the tests of the
// report classes and of the command-line dump.

inline QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

// A string as the files hold it: the wide marker FF FE FF, a one-byte length
// (the texts here are short) and the UTF-16LE code units.
inline QByteArray Str(const QString& text) {
    QByteArray bytes = Hex("fffeff");
    bytes.append(static_cast<char>(text.size()));
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

// A loading archive over bytes, kept alive with them, as if a file header of
// `type` and `version` had been read.
struct LoadingArchive {
    explicit LoadingArchive(QByteArray bytes, quint32 type = 0, quint32 version = 0)
        : data(std::move(bytes)), buffer(&data) {
        buffer.open(QIODevice::ReadOnly);
        archive.SetFileHeader(type, version);
    }
    QByteArray data;
    QBuffer buffer;
    CExpenseArchive archive{buffer, CExpenseArchive::Mode::kLoad};
};

// Local times of the sample, in the tests' zone UTC-05:00.
inline constexpr qint64 kLunchTime = 1773163800;      // 2026-03-10 12:30
inline constexpr qint64 kTripTime = 1773320400;       // 2026-03-12 08:00
inline constexpr qint64 kConditionDate = 1773205200;  // 2026-03-11 00:00

// The sample report "Berlin": cash advance 50; a lunch of 80 euros at 0.8
// (100.00 at home) with a receipt, and a mileage trip of 30.00 over 1000.0 to
// 1090.0 at 0.333; sorted by date ascending; the selection "description
// contains Air" and "date is after 2026-03-11" in force, selecting the trip.
// Version 1 files lack each record's mileage rate.
// clang-format off
inline QByteArray SampleReport(int version) {
    const QByteArray noRate = version >= 2 ? Hex("0000000000000000") : QByteArray();
    const QByteArray tripRate = version >= 2 ? Hex("1d5a643bdf4fd53f") : QByteArray();
    const QByteArray versionBytes = version >= 2 ? Hex("02000000") : Hex("01000000");
    return Hex("06000000") + versionBytes +
           // cash advance 50, total 130, deductible 0, non-deductible 0,
           // reimbursable 130, reimbursement due 80, business paid 50
           Hex("0000000000004940 0000000000406040 0000000000000000 0000000000000000 0000000000406040 0000000000005440 0000000000004940") +
           Str("Berlin") + Str("Kickoff") + Hex("01000000 00000000") +
           // two records
           Hex("02000000") +
           // the lunch: index 2, group 1, receipt 1
           Hex("02000000 01000000") + Str("Lunch") + Str("CATFOODU.BMP") + Hex("01000000") +
           Str("Client1") + Str("CLASSIFICATION04U.BMP") + Str("Business Reimbursable") +
           Str("Business") + Str("ETREIMBURSABLEU.BMP") + Hex("00000000") + Str("Cash") +
           Str("PAIDWITH08U.BMP") + Hex("00000000") + Hex("00000000") +
           Hex("1855b069") + Str("Team lunch") + Hex("0000000000005440 9a9999999999e93f") +
           Str("Euro") + Str("Kickoff") + Str("Berlin") + Str("Ann, Bob") +
           Hex("0000000000000000 0000000000000000") + noRate + Hex("00000000") +
           // the trip: index 9, group 5, reserved 7
           Hex("09000000 05000000") + Str("Mileage") + Str("CATMILEAGEU.BMP") +
           Hex("00000000") + Str("Client2") + Str("CLASSIFICATION01U.BMP") +
           Str("Business Reimbursable") + Str("Business") + Str("ETREIMBURSABLEU.BMP") +
           Hex("00000000") + Str("None") + Str("PAIDWITH01U.BMP") + Hex("00000000") +
           Hex("00000000") +
           Hex("d0b8b269") + Str("Airport run") + Hex("0000000000003e40 0000000000000000") +
           Str("U.S. Dollars") + Str("") + Str("") + Str("") +
           Hex("0000000000408f40 0000000000089140") + tripRate + Hex("07000000") +
           // sort by date, ascending
           Hex("00000000 01000000") +
           // the selection: active, two conditions
           Hex("01000000 02000000") +
           // text: description (2) contains (5) "Air"
           Hex("01000000 02000000 05000000") + Str("Air") +
           // date: date (0) is after (4) 2026-03-11
           Hex("03000000 00000000 04000000 d0f6b069") +
           // one selected position: 1
           Hex("0100 01000000");
}
// clang-format on

// A currency table damaged in one byte: its home currency, "U.S. Dollars",
// claims 16,711,682 decimal digits.
// clang-format off
inline QByteArray HugeDigitsCurrencyTable() {
    return Hex(
        "0100000002000000 00000000 01000000"
        "fffeff0c55002e0053002e00200044006f006c006c00610072007300"
        "0200ff00 01000000 00000000 00000000"
        "fffeff0333003b003000 fffeff012e00 fffeff012c00 fffeff012400 fffeff03550053004400"
        "00000000"
        "01000000 fffeff03550053004400 00105e5f 000000000000f03f"
        "fffeff0c55002e0053002e00200044006f006c006c00610072007300");
}
// clang-format on
