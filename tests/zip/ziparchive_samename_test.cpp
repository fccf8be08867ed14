#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/codepage.h"
#include "support/testplatform.h"
#include "zip/ziparchive.h"
#include "zip/zipdirectory.h"
#include "ziptestsupport.h"

namespace {

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct Written {
    QString name;
    QString comment;
    QByteArray data;
};

// Opens the archive and expects exactly these entries, in order, each
// extracted into a folder of its own.
void ExpectEntries(const TestPlatform& platform, const QString& path,
                   const std::vector<Written>& expected) {
    ZipArchive archive;
    archive.Open(path);
    ASSERT_EQ(archive.Count(), static_cast<qint64>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto index = static_cast<qint64>(i);
        EXPECT_EQ(archive.Name(index), expected[i].name) << i;
        EXPECT_EQ(archive.Comment(index), expected[i].comment) << i;
        const QString folder = platform.Path(QStringLiteral("restored/%1").arg(i));
        QDir().mkpath(folder);
        EXPECT_EQ(ReadFileBytes(archive.ExtractTo(index, folder)), expected[i].data) << i;
    }
}

}  // namespace

// What the handheld writes for two pictures of one name in two folders.
TEST(ZipArchiveSameName, ReadsEveryEntryOfOneName) {
    TestPlatform platform;
    const QString path = platform.Path("device.xbf");
    WriteFileBytes(path, HandMadeZip({{"Car.bmp", "4", "first car picture", true},
                                      {"Trip.xpf", "1", "report"},
                                      {"Car.bmp", "5", "second car"}}));
    ExpectEntries(platform, path,
                  {{"Car.bmp", "4", "first car picture"},
                   {"Trip.xpf", "1", "report"},
                   {"Car.bmp", "5", "second car"}});
}

TEST(ZipArchiveSameName, WritesEveryEntryOfOneName) {
    SKIP_WITHOUT_INFOZIP();
    struct Case {
        const char* name;
        int copies;
        qsizetype size;
    };
    // Three bytes are stored, five thousand deflated. Windows-1252 names
    // whose bytes also read as UTF-8 ("Ö–" is D6 96) go in whole as well,
    // alone or not.
    for (const Case& c :
         {Case{"Car.bmp", 2, 3}, Case{"Car.bmp", 3, 5000}, Case{"Café.bmp", 2, 5000},
          Case{"x", 3, 3}, Case{"Ö–Bahn.xpf", 1, 5000}, Case{"Ö–Bahn.xpf", 2, 3},
          Case{"Ä’s.bmp", 1, 3}, Case{"Ä’s.bmp", 3, 5000}, Case{"Â£…", 2, 3}, Case{"é", 2, 3}}) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE(name.toStdString() + " x" + std::to_string(c.copies));
        TestPlatform platform;
        std::vector<Written> expected;
        const QString path = platform.Path("backup.xbf");
        ZipArchive archive;
        archive.Create(path);
        for (int copy = 0; copy < c.copies; ++copy) {
            QByteArray data(c.size, static_cast<char>('a' + copy));
            const QString file = platform.Path(QStringLiteral("Images%1/").arg(copy) + name);
            WriteFileBytes(file, data);
            const QString comment = QString::number(4 + copy);
            archive.SetEntryComment(archive.AddFile(file), comment);
            expected.push_back({name, comment, data});
            if (copy == 0) {
                WriteFileBytes(platform.Path("Reports/Trip.xpf"), "report");
                archive.SetEntryComment(archive.AddFile(platform.Path("Reports/Trip.xpf")), "1");
                expected.push_back({"Trip.xpf", "1", "report"});
            }
        }
        ASSERT_EQ(archive.Count(), static_cast<qint64>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(archive.Name(static_cast<qint64>(i)), expected[i].name);
        }
        archive.Close();
        EXPECT_EQ(FilesIn(platform.TempFolder()), QStringList{"backup.xbf"});

        EXPECT_EQ(InfoZip("unzip", {"-tq", path}).exitCode, 0);
        const QString notes = InfoZip("zipnote", {path}).out;
        QString wanted;
        for (const Written& entry : expected) {
            wanted += "@ " + QString::fromLatin1(*EncodeDeviceCodePage(entry.name)) + "\n" +
                      entry.comment + "\n@ (comment above this line)\n";
        }
        EXPECT_TRUE(notes.startsWith(wanted)) << notes.toStdString();
        ExpectEntries(platform, path, expected);

        // The code page's bytes, in both headers, and never flagged as UTF-8.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const ZipDirectory directory = ZipDirectory::Read(file, path);
        const QByteArray bytes = ReadFileBytes(path);
        ASSERT_EQ(directory.Entries().size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const ZipDirectory::Entry& entry = directory.Entries()[i];
            EXPECT_EQ(entry.name, *EncodeDeviceCodePage(expected[i].name)) << i;
            EXPECT_EQ(entry.flags & 0x800, 0) << i;
            EXPECT_EQ(static_cast<unsigned char>(bytes[entry.localOffset + 7]) & 0x08, 0) << i;
        }
    }
}

// A later file may carry the very name an earlier duplicate stood in under.
TEST(ZipArchiveSameName, StandInNamesNeverClash) {
    TestPlatform platform;
    const QString path = platform.Path("backup.xbf");
    std::vector<Written> expected;
    ZipArchive archive;
    archive.Create(path);
    for (const char* file : {"a/00", "b/00", "c/00", "d/10", "e/20", "f/10"}) {
        const QByteArray data = QByteArray("from ") + file;
        WriteFileBytes(platform.Path(file), data);
        archive.AddFile(platform.Path(file));
        expected.push_back({QString::fromLatin1(file).mid(2), {}, data});
    }
    archive.Close();
    ExpectEntries(platform, path, expected);
}

// libzip deletes the file rather than write an archive without entries; the
// previous backup must not vanish while the new one reports success.
TEST(ZipArchiveSameName, AnArchiveWithoutEntriesIsStillWritten) {
    TestPlatform platform;
    const QString path = platform.Path("backup.xbf");
    WriteFileBytes(path, "previous backup");
    ZipArchive archive;
    archive.Create(path);
    archive.SetComment("[Outlaysheet - Device]\r\n");
    archive.Close();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(ReadFileBytes(path).endsWith("[Outlaysheet - Device]\r\n"));
    ZipArchive reading;
    reading.Open(path);
    EXPECT_EQ(reading.Count(), 0);
    EXPECT_EQ(FilesIn(platform.TempFolder()), QStringList{"backup.xbf"});
}

// A discarded archive leaves neither the old file changed nor its working
// copy behind.
TEST(ZipArchiveSameName, DiscardLeavesNoWorkingFile) {
    TestPlatform platform;
    const QString path = platform.Path("backup.xbf");
    WriteFileBytes(path, "previous backup");
    WriteFileBytes(platform.Path("one/Car.bmp"), "car");
    WriteFileBytes(platform.Path("two/Car.bmp"), "car");
    {
        ZipArchive archive;
        archive.Create(path);
        archive.AddFile(platform.Path("one/Car.bmp"));
        archive.AddFile(platform.Path("two/Car.bmp"));
    }
    EXPECT_EQ(ReadFileBytes(path), "previous backup");
    EXPECT_EQ(FilesIn(platform.TempFolder()), QStringList{"backup.xbf"});
}
