#include <gtest/gtest.h>

#include <zlib.h>
#include <QDir>
#include <QFile>

#include "support/testplatform.h"
#include "zip/ziparchive.h"
#include "zip/zipdirectory.h"
#include "ziptestsupport.h"

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

// Entries whose data says something other than their headers: each fails
// on extraction, writes nothing, and leaves the file it would replace alone.
TEST(ZipArchiveHostile, LyingEntriesWriteNothing) {
    const QByteArray big(1 << 20, '\0');
    struct Case {
        const char* what;
        HandMadeEntry entry;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"inflates past its size", {"Car.bmp", "4", big, true, 1000}, "more than the 1000 bytes"},
        {"stores more than its size", {"Car.bmp", "4", big, false, 10}, "more than the 10 bytes"},
        {"inflates short of its size", {"Car.bmp", "4", "tiny data", true, 5000}, "damaged"},
        {"bad CRC, deflated", {"Car.bmp", "4", big, true, {}, 0x12345678}, "damaged"},
        {"bad CRC, stored", {"Car.bmp", "4", "abc", false, {}, 0x12345678}, "damaged"},
        // Refused for want of room, or as short of its size where there is room.
        {"declares 4 GB", {"Car.bmp", "4", "abc", false, 0xFFFFFFF0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPlatform platform;
        const QString path = platform.Path("hostile.xbf");
        WriteFileBytes(path, HandMadeZip({c.entry}));
        const QString into = platform.Path("into");
        WriteFileBytes(into + "/Car.bmp", "the picture already there");
        ZipArchive archive;
        archive.Open(path);
        const QString message = ThrownMessage([&] { archive.ExtractTo(0, into); });
        EXPECT_FALSE(message.isEmpty());
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
        EXPECT_EQ(FilesIn(into), QStringList{"Car.bmp"});
        EXPECT_EQ(ReadFileBytes(into + "/Car.bmp"), "the picture already there");
    }
}

// Hand-made entries that tell the truth extract like any other, so the
// failures above are the lies and not the maker.
TEST(ZipArchiveHostile, HonestHandMadeEntriesExtract) {
    TestPlatform platform;
    const QByteArray big(100000, 'z');
    WriteFileBytes(platform.Path("honest.xbf"),
                   HandMadeZip({{"Big.bmp", "4", big, true}, {"abc.dat", "2", "abc"}}));
    ZipArchive archive;
    archive.Open(platform.Path("honest.xbf"));
    ASSERT_EQ(archive.Count(), 2);
    const QString into = platform.Path("into");
    QDir().mkpath(into);
    EXPECT_EQ(ReadFileBytes(archive.ExtractTo(0, into)), big);
    EXPECT_EQ(ReadFileBytes(archive.ExtractTo(1, into)), "abc");
}

// Directory entries over one piece of data turn a small archive into many
// large files, whether they share one local header or each entry's data
// holds the next entry whole; such an archive is refused whatever the names,
// and whether or not ZIP64 records lead to its directory.
TEST(ZipArchiveHostile, EntriesSharingDataAreRefused) {
    const QByteArray big(1 << 20, 'x');
    enum class Overlap { SharedHeader, Nested };
    struct Case {
        const char* what;
        Overlap overlap;
        const char* name;  // of the entries after the first, %1 numbering them
        int more;          // entries after the first
        bool zip64;
        const char* message;
    };
    const Case cases[] = {
        {"one header, other name", Overlap::SharedHeader, "Other.bmp", 1, false, ""},
        {"one header, same name", Overlap::SharedHeader, "Car.bmp", 1, false, ""},
        {"ZIP64, one header, other name", Overlap::SharedHeader, "Other.bmp", 1, true, ""},
        {"ZIP64, one header, same name", Overlap::SharedHeader, "Car.bmp", 1, true, "ZIP64"},
        {"nested", Overlap::Nested, "Car%1.bmp", 1, false, "share their data"},
        {"nested, same name", Overlap::Nested, "Car.bmp", 1, false, "share their data"},
        {"ZIP64, nested", Overlap::Nested, "Car%1.bmp", 1, true, "ZIP64"},
        {"ZIP64, twenty nested", Overlap::Nested, "Car%1.bmp", 19, true, "ZIP64"},
        {"ZIP64, twenty on one header", Overlap::SharedHeader, "Car.bmp", 19, true, "ZIP64"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPlatform platform;
        std::vector<HandMadeEntry> entries{{"Car.bmp", "4", big, true}};
        for (int i = 0; i < c.more; ++i) {
            QString name = QString::fromLatin1(c.name);
            if (name.contains("%1")) {
                name = name.arg(i);
            }
            HandMadeEntry more{name.toLatin1(), "5", big, true};
            if (c.overlap == Overlap::SharedHeader) {
                more.sharesDataOf = 0;
            } else {
                // Each entry holds the next; the last holds the picture.
                entries.back().holdsNext = true;
            }
            entries.push_back(more);
        }
        const QString path = platform.Path("overlap.xbf");
        WriteFileBytes(path, HandMadeZip(entries, {}, {.zip64 = c.zip64, .otherDirectory = {}}));
        ZipArchive archive;
        const QString message = ThrownMessage([&] { archive.Open(path); });
        EXPECT_FALSE(message.isEmpty());
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
        EXPECT_FALSE(archive.IsOpen());
    }
}

// Nothing of ours is ZIP64, so no ZIP64 archive is read at all, however
// honest its entries.
TEST(ZipArchiveHostile, Zip64ArchivesAreRefused) {
    TestPlatform platform;
    const QString path = platform.Path("zip64.xbf");
    WriteFileBytes(
        path, HandMadeZip({{"Trip.xpf", "1", "report"}, {"Car.bmp", "4", "abc"}},
                          "[Outlaysheet - Device]\r\n", {.zip64 = true, .otherDirectory = {}}));
    ZipArchive archive;
    const QString message = ThrownMessage([&] { archive.Open(path); });
    EXPECT_TRUE(message.contains("ZIP64")) << message.toStdString();
    EXPECT_FALSE(archive.IsOpen());
}

// A second directory, with its own end record, ahead of the one that ends
// the file. Entries of one name keep libzip from checking the layout, and it
// then reads the directory whose entries span more of the file; entries
// that directory alone lists were never checked, so the archive is refused.
TEST(ZipArchiveHostile, DirectoriesThatDisagreeAreRefused) {
    const QByteArray big(100000, 'e');
    struct Case {
        const char* what;
        HandMadeEntry unlisted;
    };
    const std::vector<Case> cases = {
        {"another name", {"Evil.xpf", "1", big, true}},
        {"the same name, other data", {"Car.bmp", "5", big, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPlatform platform;
        HandMadeEntry unlisted = c.unlisted;
        unlisted.listed = false;
        const QString path = platform.Path("two.xbf");
        WriteFileBytes(
            path,
            HandMadeZip({{"Car.bmp", "4", "first car"}, {"Car.bmp", "5", "second car"}, unlisted},
                        {}, {.zip64 = false, .otherDirectory = {0, 2}}));
        ZipArchive archive;
        const QString message = ThrownMessage([&] { archive.Open(path); });
        EXPECT_TRUE(message.contains("in two ways")) << message.toStdString();
        EXPECT_FALSE(archive.IsOpen());
    }
}

// libzip reports the name of an Info-ZIP Unicode path field instead of the
// plain one; that alone is no disagreement between directories.
TEST(ZipArchiveHostile, UnicodePathNamesAreNoDisagreement) {
    TestPlatform platform;
    const QByteArray plain = "Caf\xE9.dat";
    const QByteArray unicode = QString::fromUtf8("Café.dat").toUtf8();
    QByteArray field("\x75\x70", 2);
    field.append(static_cast<char>(5 + unicode.size()));
    field.append('\0');
    field.append('\1');
    const auto crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(plain.constData()), plain.size()));
    for (int shift = 0; shift < 32; shift += 8) {
        field.append(static_cast<char>((crc >> shift) & 0xFF));
    }
    field.append(unicode);
    HandMadeEntry entry{plain, "2", "list bytes"};
    entry.extra = field;
    const QString path = platform.Path("foreign.xbf");
    WriteFileBytes(path, HandMadeZip({entry, {"Car.bmp", "4", "car"}, {"Car.bmp", "5", "car"}}));
    ZipArchive archive;
    EXPECT_EQ(ThrownMessage([&] { archive.Open(path); }), QString());
    ASSERT_TRUE(archive.IsOpen());
    EXPECT_EQ(archive.Count(), 3);
}

// Cut short anywhere, or not a ZIP file at all: refused when opened.
TEST(ZipArchiveHostile, TruncatedAndForeignFilesAreRefused) {
    const QByteArray whole = HandMadeZip(
        {{"Trip.xpf", "1", QByteArray(3000, 'r'), true}, {"Car.bmp", "4", "abc"}}, "comment");
    QByteArray outsideDirectory = whole;
    // The directory's offset, in the end record, pointing past the file.
    outsideDirectory[whole.size() - 7 - 6 + 3] = '\x7F';
    const std::vector<std::pair<const char*, QByteArray>> cases = {
        {"empty", {}},
        {"first header only", whole.left(40)},
        {"half", whole.left(whole.size() / 2)},
        {"end record cut", whole.left(whole.size() - 10)},
        {"directory outside the file", outsideDirectory},
        {"text", "This is not an archive, though it is long enough to be one."},
        {"end record alone in garbage", QByteArray(100, 'g') + "PK\x05\x06" + QByteArray(18, 'g')},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        TestPlatform platform;
        WriteFileBytes(platform.Path("bad.xbf"), bytes);
        ZipArchive archive;
        EXPECT_FALSE(ThrownMessage([&] { archive.Open(platform.Path("bad.xbf")); }).isEmpty());
        EXPECT_FALSE(archive.IsOpen());
    }
}

TEST(ZipDirectory, ReadsOffsetsAndRecognisesZip64) {
    TestPlatform platform;
    const QString path = platform.Path("a.zip");
    WriteFileBytes(path, HandMadeZip({{"a.dat", "2", "abcdef"}, {"Car.bmp", "4", "xyz"}}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ZipDirectory directory = ZipDirectory::Read(file, path);
    ASSERT_EQ(directory.Entries().size(), 2u);
    const ZipDirectory::Entry& car = directory.Entries()[1];
    EXPECT_EQ(car.comment, "4");
    EXPECT_EQ(car.localOffset, 30 + 5 + 6);
    EXPECT_EQ(car.dataOffset, car.localOffset + 30 + 7);
    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.mid(car.localNameOffset, 7), "Car.bmp");
    EXPECT_EQ(bytes.mid(car.centralNameOffset, 7), "Car.bmp");
    file.close();

    // An end record that defers to a ZIP64 one.
    QByteArray zip64 = bytes;
    zip64[zip64.size() - 12] = '\xFF';
    zip64[zip64.size() - 11] = '\xFF';
    WriteFileBytes(path, zip64);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ZipDirectory deferred = ZipDirectory::Read(file, path);
    EXPECT_TRUE(deferred.IsZip64());
    EXPECT_TRUE(deferred.Entries().empty());
}
