#include "archive/expensearchive.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "archive/fileerrors.h"
#include "support/testplatform.h"

namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(text);
}

// The bytes a storing archive produces for one action.
template <typename Action>
QByteArray Stored(Action action) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    action(archive);
    archive.Close();
    return buffer.data();
}

// A loading archive over the given bytes, kept alive with them.
struct Loading {
    explicit Loading(QByteArray bytes) : data(std::move(bytes)), buffer(&data) {
        buffer.open(QIODevice::ReadOnly);
    }
    QByteArray data;
    QBuffer buffer;
    CExpenseArchive archive{buffer, CExpenseArchive::Mode::kLoad};
};

QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

CArchiveException::Cause ArchiveCause(const std::function<void()>& action) {
    try {
        action();
    } catch (const CArchiveException& error) {
        return error.GetCause();
    }
    return CArchiveException::Cause(0);
}

}  // namespace

TEST(ArchiveStrings, HeadersForEveryLength) {
    struct Case {
        const char* name;
        int length;
        const char* header;  // the bytes before the characters
    } cases[] = {
        {"empty", 0, "fffeff00"},
        {"one", 1, "fffeff01"},
        {"254, the longest one-byte length", 254, "fffefffe"},
        {"255, the first two-byte length", 255, "fffeffffff00"},
        {"65533", 65533, "fffeffffFDFF"},
        {"65534, the first four-byte length", 65534, "fffeffffffffFEFF0000"},
        {"70000", 70000, "fffeffffffff70110100"},
    };
    for (const Case& c : cases) {
        const QString text(c.length, QChar(u'é'));
        const QByteArray expected = Hex(c.header) + Utf16(text);
        EXPECT_EQ(Stored([&](CExpenseArchive& a) { a.WriteString(text); }), expected) << c.name;
        Loading loading(expected);
        EXPECT_EQ(loading.archive.ReadString(), text) << c.name;
        EXPECT_EQ(loading.archive.BytesLeft(), 0) << c.name;
    }
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteString("abc"); }),
              Hex("fffeff03610062006300"));
}

TEST(ArchiveStrings, SingleByteTextIsTheDevicesCodePage) {
    // Length 33, no wide marker: 0x80..0x9F and é as Windows-1252 writes them.
    QByteArray bytes = Hex("21");
    for (int b = 0x80; b <= 0x9F; ++b) {
        bytes.append(char(b));
    }
    bytes.append(char(0xE9));
    Loading loading(bytes);
    const QString text = loading.archive.ReadString();
    const char16_t expected[] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00E9};
    EXPECT_EQ(text, QString::fromUtf16(expected, 33));

    // The two- and four-byte length forms exist without the marker too.
    Loading twoByte(Hex("ff0300") + "xyz");
    EXPECT_EQ(twoByte.archive.ReadString(), "xyz");
    Loading fourByte(Hex("ffffff02000000") + "hi");
    EXPECT_EQ(fourByte.archive.ReadString(), "hi");
}

TEST(ArchiveCounts, TwoBytesBelowFFFFAndSixFromIt) {
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteCount(0); }), Hex("0000"));
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteCount(0xFFFE); }), Hex("feff"));
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteCount(0xFFFF); }), Hex("ffffffff0000"));
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteCount(0x12345); }), Hex("ffff45230100"));

    EXPECT_EQ(Stored([](CExpenseArchive& a) {
                  a.WriteIntArray({1, -1});
              }),
              Hex("020001000000ffffffff"));
    Loading ints(Hex("020001000000ffffffff"));
    EXPECT_EQ(ints.archive.ReadIntArray(), (QList<qint32>{1, -1}));

    const QByteArray strings = Hex("0200") + Hex("fffeff0141 00") + Hex("fffeff00");
    EXPECT_EQ(Stored([](CExpenseArchive& a) { a.WriteStringArray({"A", ""}); }), strings);
    Loading loading(strings);
    EXPECT_EQ(loading.archive.ReadStringArray(), (QStringList{"A", ""}));

    Loading big(Hex("ffff45230100"));
    EXPECT_EQ(big.archive.ReadCount(), 0x12345u);
}

TEST(ArchiveNumbers, IntegersDoublesAndTimeStamps) {
    const QByteArray bytes = Hex("78563412") + Hex("feffffff") + Hex("01000000") +
                             Hex("000000000000f03f") + Hex("8fc2f5285c8f2440") +
                             Hex("000000000000f8ff") + Hex("76c0b569") + Hex("ffffffff");
    const QByteArray stored = Stored([](CExpenseArchive& a) {
        a.WriteUInt32(0x12345678);
        a.WriteInt32(-2);
        a.WriteBool(true);
        a.WriteDouble(1.0);
        a.WriteDouble(10.28);
        a.WriteDouble(-std::numeric_limits<double>::quiet_NaN());
        a.WriteTime(kTestNow);
        a.WriteTime(TimeStamp(1) << 40);  // beyond 32 bits: held at the end
    });
    EXPECT_EQ(stored, bytes);

    Loading loading(bytes + Hex("02000000") + Hex("00000000"));
    CExpenseArchive& a = loading.archive;
    EXPECT_EQ(a.ReadUInt32(), 0x12345678u);
    EXPECT_EQ(a.ReadInt32(), -2);
    EXPECT_TRUE(a.ReadBool());
    EXPECT_EQ(a.ReadDouble(), 1.0);
    EXPECT_EQ(a.ReadDouble(), 10.28);
    EXPECT_TRUE(std::isnan(a.ReadDouble()));
    EXPECT_EQ(a.ReadTime(), kTestNow);
    EXPECT_EQ(a.ReadTime(), 0xFFFFFFFFLL);
    // A flag is 0 or 1; anything else is a damaged value, not "true".
    EXPECT_EQ(ArchiveCause([&] { a.ReadBool(); }), CArchiveException::kBadValue);
    EXPECT_FALSE(a.ReadBool());
    EXPECT_EQ(ArchiveCause([&] { a.ReadUInt32(); }), CArchiveException::kEndOfFile);
    // What a field may hold is checked on reading only.
    EXPECT_EQ(ArchiveCause([&] { a.CheckValue(false); }), CArchiveException::kBadValue);
    Stored([](CExpenseArchive& store) { store.CheckValue(false); });
}

TEST(ArchiveBadInput, LengthsAndCountsBeyondTheBytesLeftEndTheLoad) {
    struct Case {
        const char* name;
        QByteArray bytes;
        std::function<void(CExpenseArchive&)> read;
    } cases[] = {
        {"a 4 GB wide string", Hex("fffeffffffffffffffff") + "abcd",
         [](CExpenseArchive& a) { a.ReadString(); }},
        {"a 2 GB narrow string", Hex("ffffffffffff7f") + "abcd",
         [](CExpenseArchive& a) { a.ReadString(); }},
        {"16 million integers", Hex("ffff00000001") + "abcd",
         [](CExpenseArchive& a) { a.ReadIntArray(); }},
        {"65534 strings in 4 bytes", Hex("feff") + "abcd",
         [](CExpenseArchive& a) { a.ReadStringArray(); }},
        {"a string cut short", Hex("fffeff05") + QByteArray("a\0b\0", 4),
         [](CExpenseArchive& a) { a.ReadString(); }},
        {"a length cut short", Hex("fffeffff"), [](CExpenseArchive& a) { a.ReadString(); }},
        {"a double cut short", Hex("00000000"), [](CExpenseArchive& a) { a.ReadDouble(); }},
        {"a collection of 4 billion", Hex("00"),
         [](CExpenseArchive& a) { a.CheckCount(0xFFFFFFFFu, 8); }},
        {"nothing at all", QByteArray(), [](CExpenseArchive& a) { a.ReadBool(); }},
    };
    for (Case& c : cases) {
        Loading loading(c.bytes);
        EXPECT_EQ(ArchiveCause([&] { c.read(loading.archive); }), CArchiveException::kEndOfFile)
            << c.name;
    }
    Loading fits(Hex("0000000000000000"));
    fits.archive.CheckCount(1, 8);  // exactly enough is enough
    EXPECT_EQ(ArchiveCause([&] { fits.archive.CheckCount(3, 4); }), CArchiveException::kEndOfFile);
}

TEST(ArchiveBuffering, LongStreamsCrossTheChunks) {
    // Values straddle every chunk border of the archive's buffer.
    const QByteArray bytes = Stored([](CExpenseArchive& a) {
        for (int i = 0; i < 30000; ++i) {
            a.WriteString(QString::number(i));
            a.WriteDouble(i * 0.5);
        }
    });
    Loading loading(bytes);
    for (int i = 0; i < 30000; ++i) {
        ASSERT_EQ(loading.archive.ReadString(), QString::number(i));
        ASSERT_EQ(loading.archive.ReadDouble(), i * 0.5);
    }
    EXPECT_EQ(loading.archive.BytesLeft(), 0);
}

TEST(ArchiveSharedTexts, OneOffTextsAndRepeatedNamesReadAsWritten) {
    // Far more one-off short texts than the shared table keeps, so that it
    // stops looking for a while, then names again; every form of header.
    const auto text = [](int i) {
        switch (i % 5) {
            case 0:
                return QStringLiteral("Note %1").arg(i);
            case 1:
                return QStringLiteral("Cash");
            case 2:
                return QString(40, QChar(u'a' + i % 26));  // the longest shared
            case 3:
                return QStringLiteral("A text too long to be shared by others %1").arg(i);
            default:
                return QString();
        }
    };
    const int count = 60000;
    const QByteArray bytes = Stored([&](CExpenseArchive& a) {
        for (int i = 0; i < count; ++i) {
            a.WriteString(text(i));
        }
        a.WriteString(QStringLiteral("Cash"));
    });
    Loading loading(bytes);
    for (int i = 0; i < count; ++i) {
        const QString read = loading.archive.ReadString();
        ASSERT_EQ(read, text(i)) << i;
        ASSERT_FALSE(read.isNull()) << i;
    }
    EXPECT_EQ(loading.archive.ReadString(), QStringLiteral("Cash"));
    EXPECT_EQ(loading.archive.BytesLeft(), 0);
}
