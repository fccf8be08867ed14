#include "zip/ziparchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "support/testplatform.h"
#include "zip/zipdirectory.h"
#include "zip/ziperror.h"
#include "ziptestsupport.h"

namespace {

// An archive of our own making with entries named by the test, for names
// that the program itself never writes.
QString ArchiveWithNames(const TestPlatform& platform, const QStringList& names) {
    const QString path = platform.Path("hostile.zip");
    QFile::remove(path);
    const QString staging = platform.Path("staging");
    QDir().mkpath(staging);
    for (const QString& name : names) {
        WriteFileBytes(staging + "/" + QString(name).replace('/', '_'),
                       "payload " + name.toUtf8());
    }
    // zip stores the names it is given; rename inside the archive afterwards.
    InfoZip("zip",
            QStringList{"-q", "-j", path} + QDir(staging).entryList(QDir::Files | QDir::Hidden),
            staging);
    // zipnote renames an entry by a "@=new" line after its "@ old" line.
    QString renames;
    for (const QString& line : InfoZip("zipnote", {path}).out.split('\n')) {
        renames += line + "\n";
        for (const QString& name : names) {
            if (line == "@ " + QString(name).replace('/', '_')) {
                renames += "@=" + name + "\n";
            }
        }
    }
    InfoZip("zipnote", {"-w", path}, {}, renames.toLatin1());
    return path;
}

}  // namespace

TEST(ZipArchive, WritesWhatInfoZipReads) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    const QString tiny = platform.Path("files/Tiny.xpf");
    const QString large = platform.Path("files/Boston Trip.xpf");
    const QString accented = platform.Path("files/Café.dat");
    WriteFileBytes(tiny, "abc");
    WriteFileBytes(large, QByteArray(5000, 'x'));
    WriteFileBytes(accented, "data");

    const QString path = platform.Path("backup.xbf");
    ZipArchive archive;
    archive.Create(path);
    archive.SetComment("[Outlaysheet - Device]\r\nVersion=1\r\nFileTypesFlag=11\r\n");
    for (const QString& file : {tiny, large, accented}) {
        const qint64 index = archive.AddFile(file);
        archive.SetEntryComment(index, file.endsWith(".dat") ? "2" : "1");
    }
    archive.Close();

    EXPECT_EQ(InfoZip("unzip", {"-tq", path}).exitCode, 0);
    const QString listing = InfoZip("unzip", {"-v", path}).out;
    EXPECT_TRUE(listing.contains(QRegularExpression("3\\s+Stored\\s+3\\s+0%.*Tiny.xpf")))
        << listing.toStdString();
    EXPECT_TRUE(listing.contains(QRegularExpression("5000\\s+Defl:N.*Boston Trip.xpf")))
        << listing.toStdString();
    const QString notes = InfoZip("zipnote", {path}).out;
    EXPECT_TRUE(notes.contains("@ Tiny.xpf\n1\n@ (comment above this line)"))
        << notes.toStdString();
    // The archive comment closes the file, its line ends as written.
    EXPECT_TRUE(ReadFileBytes(path).endsWith(
        "[Outlaysheet - Device]\r\nVersion=1\r\nFileTypesFlag=11\r\n"));

    // Names and comments come back as written, é as the code page's 0xE9.
    ZipArchive reading;
    reading.Open(path);
    ASSERT_EQ(reading.Count(), 3);
    EXPECT_EQ(reading.Name(0), "Tiny.xpf");
    EXPECT_EQ(reading.Comment(0), "1");
    EXPECT_EQ(reading.Name(2), "Café.dat");
    EXPECT_EQ(reading.Comment(2), "2");
    QDir().mkpath(platform.Path("out"));
    const QString restored = reading.ExtractTo(1, platform.Path("out"));
    EXPECT_EQ(ReadFileBytes(restored), QByteArray(5000, 'x'));
    reading.Close();
    const QByteArray raw = ReadFileBytes(path);
    EXPECT_TRUE(raw.contains("Caf\xE9.dat"));

    // No ZIP64 records, which our own Open would refuse: no end record or
    // locator, and no extra field in any header.
    EXPECT_FALSE(raw.contains("PK\x06\x06"));
    EXPECT_FALSE(raw.contains("PK\x06\x07"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ZipDirectory directory = ZipDirectory::Read(file, path);
    EXPECT_FALSE(directory.IsZip64());
    for (const ZipDirectory::Entry& entry : directory.Entries()) {
        EXPECT_EQ(entry.dataOffset, entry.localNameOffset + entry.name.size())
            << entry.name.data();
    }
    EXPECT_EQ(InfoZip("zipinfo", {"-v", path})
                  .out.count(QRegularExpression("length of extra field: +0 bytes")),
              3);
}

// A backup made at a link (to a stick, say) lands in the file the link leads
// to, and the link stays a link, as a file written in place would have it.
TEST(ZipArchive, AnArchiveAtALinkReplacesTheLinkedFile) {
    struct Case {
        const char* what;
        bool entries;
        bool targetExists;
    };
    for (const Case& c : {Case{"with entries", true, true}, Case{"without entries", false, true},
                          Case{"to no file yet", true, false}}) {
        SCOPED_TRACE(c.what);
        TestPlatform platform;
        const QString target = platform.Path("stick/backup.xbf");
        QDir().mkpath(platform.Path("stick"));
        if (c.targetExists) {
            WriteFileBytes(target, "previous backup");
        }
        QDir().mkpath(platform.Path("home"));
        const QString link = platform.Path("home/backup.xbf");
        ASSERT_TRUE(QFile::link("../stick/backup.xbf", link));
        WriteFileBytes(platform.Path("files/Trip.xpf"), "report");

        ZipArchive archive;
        archive.Create(link);
        archive.SetComment("[Outlaysheet - Device]\r\n");
        if (c.entries) {
            archive.AddFile(platform.Path("files/Trip.xpf"));
        }
        archive.Close();

        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), QFileInfo(target).absoluteFilePath());
        EXPECT_TRUE(ReadFileBytes(target).endsWith("[Outlaysheet - Device]\r\n"));
        EXPECT_EQ(
            QDir(platform.Path("home"))
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"backup.xbf"});
        EXPECT_EQ(QDir(platform.Path("stick")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"backup.xbf"});
        ZipArchive reading;
        reading.Open(link);
        EXPECT_EQ(reading.Count(), c.entries ? 1 : 0);
    }
}

// Links that lead in a circle name no file to write.
TEST(ZipArchive, LinksInACircleAreRefused) {
    TestPlatform platform;
    const QString link = platform.Path("backup.xbf");
    ASSERT_TRUE(QFile::link("other.xbf", link));
    ASSERT_TRUE(QFile::link("backup.xbf", platform.Path("other.xbf")));
    ZipArchive archive;
    EXPECT_TRUE(ThrownMessage([&] { archive.Create(link); }).contains("circle"));
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(ZipArchive, ReadsArchivesMadeByInfoZip) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    const QString folder = platform.Path("made");
    WriteFileBytes(folder + "/Trip.xpf", "report bytes");
    WriteFileBytes(folder + "/PaidWith.dat", "list bytes");
    const QString path = platform.Path("foreign.xbf");
    ASSERT_EQ(InfoZip("zip", {"-q", path, "Trip.xpf", "PaidWith.dat"}, folder).exitCode, 0);
    InfoZip("zipnote", {"-w", path}, {},
            "@ Trip.xpf\n1\n@ (comment above this line)\n@ PaidWith.dat\n2\n"
            "@ (comment above this line)\n");
    ZipArchive archive;
    archive.Open(path);
    ASSERT_EQ(archive.Count(), 2);
    EXPECT_EQ(archive.Comment(0), "1");
    EXPECT_EQ(archive.Comment(1), "2");
    QDir().mkpath(platform.Path("restored"));
    EXPECT_EQ(ReadFileBytes(archive.ExtractTo(0, platform.Path("restored"))), "report bytes");
}

TEST(ZipArchive, HostileEntriesWriteNothingOutsideTheFolder) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    const QString path = ArchiveWithNames(
        platform, {"../escape.xpf", "/tmp/absolute.xpf", "sub/inner.xpf", "fine.xpf"});
    const QString into = platform.Path("into");
    QDir().mkpath(into);
    ZipArchive archive;
    archive.Open(path);
    ASSERT_EQ(archive.Count(), 4);
    int refused = 0;
    for (qint64 i = 0; i < archive.Count(); ++i) {
        const QString name = archive.Name(i);
        const QString message = ThrownMessage([&] { archive.ExtractTo(i, into); });
        if (name == "fine.xpf") {
            EXPECT_EQ(message, QString());
        } else {
            EXPECT_TRUE(message.contains("outside its folder")) << name.toStdString();
            ++refused;
        }
    }
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(QDir(into).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"fine.xpf"});
    EXPECT_FALSE(QFile::exists(platform.TempFolder() + "/escape.xpf"));
}

TEST(ZipArchive, DamagedArchivesAreRefusedWhole) {
    TestPlatform platform;
    const QString source = platform.Path("Trip.xpf");
    WriteFileBytes(source, QByteArray("0123456789abcdef").repeated(10));
    const QString good = platform.Path("good.xbf");
    ZipArchive making;
    making.Create(good);
    making.AddFile(platform.Path("Trip.xpf"));
    making.Close();
    const QByteArray bytes = ReadFileBytes(good);

    // Truncated, and not a ZIP file at all: refused when opened.
    WriteFileBytes(platform.Path("cut.xbf"), bytes.left(bytes.size() - 30));
    WriteFileBytes(platform.Path("text.xbf"), "This is not an archive.");
    for (const char* name : {"cut.xbf", "text.xbf", "missing.xbf"}) {
        ZipArchive archive;
        EXPECT_FALSE(ThrownMessage([&] { archive.Open(platform.Path(name)); }).isEmpty()) << name;
        EXPECT_FALSE(archive.IsOpen());
    }

    // A flipped byte in the compressed data fails the CRC check on extraction,
    // and nothing is left behind.
    QByteArray corrupt = bytes;
    corrupt[40] = static_cast<char>(corrupt[40] ^ 0x55);
    WriteFileBytes(platform.Path("corrupt.xbf"), corrupt);
    const QString into = platform.Path("into");
    QDir().mkpath(into);
    ZipArchive archive;
    archive.Open(platform.Path("corrupt.xbf"));
    EXPECT_FALSE(ThrownMessage([&] { archive.ExtractTo(0, into); }).isEmpty());
    EXPECT_TRUE(QDir(into).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(ZipArchive, ADiscardedNewArchiveLeavesTheOldFile) {
    TestPlatform platform;
    const QString path = platform.Path("backup.xbf");
    WriteFileBytes(path, "previous backup");
    {
        ZipArchive archive;
        archive.Create(path);
        archive.SetComment("x");
        EXPECT_FALSE(
            ThrownMessage([&] { archive.AddFile(platform.Path("missing.xpf")); }).isEmpty());
        archive.Discard();
    }
    EXPECT_EQ(ReadFileBytes(path), "previous backup");

    // A file that vanishes before the archive is written fails the close.
    WriteFileBytes(platform.Path("gone.xpf"), "soon gone");
    ZipArchive archive;
    archive.Create(path);
    archive.AddFile(platform.Path("gone.xpf"));
    QFile::remove(platform.Path("gone.xpf"));
    // The message names the archive that was not written.
    EXPECT_TRUE(ThrownMessage([&] { archive.Close(); }).startsWith(path + " cannot be written"));
    EXPECT_EQ(ReadFileBytes(path), "previous backup");
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_EQ(QDir(platform.TempFolder()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"backup.xbf"});
}

// Any name the file system allows, up to its 255 bytes, can be an archive's,
// though the archive is written beside it under another name first.
TEST(ZipArchive, ArchivesMayHaveTheLongestNames) {
    TestPlatform platform;
    WriteFileBytes(platform.Path("files/Trip.xpf"), "report");
    const QString folder = platform.Path("backups");
    QDir().mkpath(folder);
    // "é" is two bytes in the file system's UTF-8.
    for (const QString& name : {QString(200, 'b') + ".xbf", QString(223, 'b') + ".xbf",
                                QString(251, 'b') + ".xbf", QString(125, QChar(0xE9)) + ".xbf"}) {
        SCOPED_TRACE(name.size());
        const QString path = folder + "/" + name;
        ZipArchive archive;
        archive.Create(path);
        archive.SetEntryComment(archive.AddFile(platform.Path("files/Trip.xpf")), "1");
        EXPECT_EQ(ThrownMessage([&] { archive.Close(); }), QString());
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{name});
        ZipArchive reading;
        reading.Open(path);
        EXPECT_EQ(reading.Comment(0), "1");
        reading.Close();
        QFile::remove(path);
    }
}

// A comment's length is a 16-bit field: one that does not fit is refused
// rather than cut short.
TEST(ZipArchive, CommentsBeyondTheirFieldAreRefused) {
    TestPlatform platform;
    WriteFileBytes(platform.Path("files/Trip.xpf"), "report");
    const QString path = platform.Path("backup.xbf");
    const QString longest(0xFFFF, 'c');
    const QString tooLong(0x10000, 'c');
    ZipArchive archive;
    archive.Create(path);
    const qint64 index = archive.AddFile(platform.Path("files/Trip.xpf"));
    EXPECT_TRUE(ThrownMessage([&] { archive.SetComment(tooLong); }).contains("65536 bytes"));
    EXPECT_TRUE(
        ThrownMessage([&] { archive.SetEntryComment(index, tooLong); }).contains("65536 bytes"));
    archive.SetComment(longest);
    archive.SetEntryComment(index, longest);
    archive.Close();
    ZipArchive reading;
    reading.Open(path);
    EXPECT_EQ(reading.Comment(0), longest);
    EXPECT_TRUE(ReadFileBytes(path).endsWith(longest.toLatin1()));
}

TEST(ZipArchive, SafeEntryNames) {
    for (const char* name : {"Trip.xpf", "Café.dat", "a b.BMP", ".hidden"}) {
        EXPECT_TRUE(ZipArchive::IsSafeEntryName(QString::fromUtf8(name))) << name;
    }
    for (const char* name : {"", ".", "..", "../x", "/x", "a/b", "a\\b", "C:x", "dir/"}) {
        EXPECT_FALSE(ZipArchive::IsSafeEntryName(QString::fromUtf8(name))) << name;
    }
}
