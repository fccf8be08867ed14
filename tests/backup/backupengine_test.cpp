#include "backup/backupengine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/directories.h"
#include "support/infozip.h"
#include "support/testplatform.h"
#include "zip/ziparchive.h"

namespace {

const QString kBackupFailed = "Errors were encountered while trying to backup your files.";
const QString kRestoreFailed = "Errors were encountered while trying to restore your files.";
const QString kRestoreCanceled = "Restore Operation Was Canceled.";
const QString kRestored = "Restore Was Successful";

// A user's files: two reports, two data files and pictures in two folders.
struct UserFiles {
    explicit UserFiles(TestPlatform& platform) : platform(platform) {
        Put(GetReportsDirectory(), "Boston.xpf", QByteArray(3000, 'b'));
        Put(GetReportsDirectory(), "Tiny.xpf", "abc");
        Put(GetDataDirectory(), "PaidWith.dat", QByteArray(400, 'p'));
        Put(GetDataDirectory(), "Classification.dat", QByteArray(500, 'c'));
        Put(GetImagesSubdirectory(ImageFolder::Category), "Taxi.bmp", QByteArray(700, 't'));
        Put(GetImagesSubdirectory(ImageFolder::Class), "Flag.bmp", QByteArray(600, 'f'));
    }
    static void Put(const QString& folder, const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(WriteFileBytes(folder + "/" + name, bytes));
    }
    TestPlatform& platform;
};

QString Backup(TestPlatform& platform, quint32 flags, const QString& name = "all.xbf") {
    BackupFileList reports;
    if (flags & kBackupReports) {
        BackupEngine::ListReports(reports);
    }
    BackupEngine engine;
    engine.SetSelection(flags);
    const QString path = platform.Path(name);
    EXPECT_EQ(engine.Backup(path, reports, false), 1) << engine.LastError().toStdString();
    return path;
}

int Restore(quint32 flags, const QString& archive, bool replace = true, bool ask = false) {
    BackupFileList reports;
    if (flags & kBackupReports) {
        BackupEngine::ListArchiveReports(archive, reports);
    }
    BackupEngine engine;
    engine.SetSelection(flags);
    return engine.Restore(archive, reports, replace, ask);
}

// Every file below a folder, as "relative path=contents".
QStringList Tree(const QString& folder) {
    QStringList files;
    QDir dir(folder);
    for (const QFileInfo& file :
         dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (file.isDir()) {
            for (const QString& inner : Tree(file.filePath())) {
                files.append(file.fileName() + "/" + inner);
            }
        } else {
            files.append(file.fileName() + "=" +
                         QString::fromLatin1(ReadFileBytes(file.filePath())));
        }
    }
    return files;
}

void WipeUserFolders() {
    for (const QString& folder :
         {GetReportsDirectory(), GetDataDirectory(), GetImagesDirectory()}) {
        QDir(folder).removeRecursively();
    }
    InitDirectories(kInitReports | kInitData | kInitImages);
}

}  // namespace

TEST(Backup, ArchiveLayoutIsWhatInfoZipReads) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    UserFiles files(platform);
    const QString everything = Backup(platform, kBackupReports | kBackupDataFiles | kBackupImages);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{"Backup Was Successful"});

    EXPECT_EQ(InfoZip("unzip", {"-tq", everything}).exitCode, 0);
    // The archive comment, with its length in front, closes the file.
    const QByteArray comment = "[Outlaysheet - Device]\r\nVersion=1\r\nFileTypesFlag=11\r\n";
    EXPECT_TRUE(ReadFileBytes(everything).endsWith(QByteArray("\x35\x00", 2) + comment));
    // Reports, then data files, then the pictures folder by folder: class (4)
    // before category (5).
    const QString notes = InfoZip("zipnote", {everything}).out;
    const QString expected =
        "@ Boston.xpf\n1\n@ (comment above this line)\n"
        "@ Tiny.xpf\n1\n@ (comment above this line)\n"
        "@ Classification.dat\n2\n@ (comment above this line)\n"
        "@ PaidWith.dat\n2\n@ (comment above this line)\n"
        "@ Flag.bmp\n4\n@ (comment above this line)\n"
        "@ Taxi.bmp\n5\n@ (comment above this line)\n";
    EXPECT_TRUE(notes.startsWith(expected)) << notes.toStdString();
    // A 3-byte report is stored, everything larger deflated.
    const QString listing = InfoZip("zipinfo", {everything}).out;
    EXPECT_TRUE(listing.contains(QRegularExpression(R"(\s3 \S+ stor .* Tiny\.xpf)")))
        << listing.toStdString();
    EXPECT_TRUE(listing.contains(QRegularExpression(R"(\s3000 \S+ defN .* Boston\.xpf)")))
        << listing.toStdString();

    const QString reportsOnly = Backup(platform, kBackupReports, "reports.xbf");
    EXPECT_TRUE(ReadFileBytes(reportsOnly).endsWith("FileTypesFlag=1\r\n"));
    EXPECT_EQ(InfoZip("unzip", {"-Z1", reportsOnly}).out, "Boston.xpf\nTiny.xpf\n");
}

TEST(Backup, RefusesWhatCannotBeBackedUp) {
    TestPlatform platform;
    BackupEngine engine;
    const QString archive = platform.Path("a.xbf");

    EXPECT_EQ(engine.Backup("", {}, true), 0);
    engine.SetSelection(0);
    EXPECT_EQ(engine.Backup(archive, {}, true), 0);
    engine.SetSelection(kBackupDataFiles | kBackupImages);
    QDir(GetDataDirectory()).removeRecursively();
    EXPECT_EQ(engine.Backup(archive, {}, true), 0);
    EXPECT_EQ(platform.Prompts().Texts(),
              (QStringList{"Please select a location to save the backup to.",
                           "Please select at least one check box to backup.",
                           "No files were found to backup."}));
    EXPECT_FALSE(QFile::exists(archive));
}

TEST(Backup, AsksBeforeReplacingAnArchiveAndKeepsItOnFailure) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString archive = platform.Path("old.xbf");
    WriteFileBytes(archive, "the previous backup");
    BackupFileList reports;
    BackupEngine::ListReports(reports);
    BackupEngine engine;
    engine.SetSelection(kBackupReports);

    platform.Prompts().QueueAnswer(PromptAnswer::No);
    EXPECT_EQ(engine.Backup(archive, reports, true), 0);
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{archive + " already exists. Do you want to replace it?"});
    EXPECT_EQ(ReadFileBytes(archive), "the previous backup");

    // A report that vanished after it was listed fails the whole backup, and
    // the previous archive survives it.
    platform.Prompts().Clear();
    reports.append({GetReportsDirectory() + "/Gone.xpf", '1', -1});
    EXPECT_EQ(engine.Backup(archive, reports, false), 0);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kBackupFailed});
    EXPECT_TRUE(engine.LastError().contains("Gone.xpf"));
    EXPECT_EQ(ReadFileBytes(archive), "the previous backup");
}

TEST(Restore, BringsBackWhatWasBackedUp) {
    TestPlatform platform;
    UserFiles files(platform);
    const QStringList before = Tree(GetDocumentsRoot());
    const QString archive = Backup(platform, kBackupReports | kBackupDataFiles | kBackupImages);
    WipeUserFolders();
    platform.Prompts().Clear();
    platform.Clock().Set(kTestNow + 3600);

    EXPECT_EQ(Restore(kBackupReports | kBackupDataFiles | kBackupImages, archive), 1);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestored});
    EXPECT_EQ(Tree(GetDocumentsRoot()), before);
    // Restored files carry the time of the restore.
    EXPECT_EQ(QFileInfo(GetDataDirectory() + "/PaidWith.dat").lastModified().toSecsSinceEpoch(),
              kTestNow + 3600);
}

TEST(Restore, SelectsByCategory) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString images = Backup(platform, kBackupImages, "images.xbf");
    const QString all = Backup(platform, kBackupReports | kBackupDataFiles | kBackupImages);
    WipeUserFolders();

    // Pictures only, but data files asked for: nothing comes back, success.
    platform.Prompts().Clear();
    EXPECT_EQ(Restore(kBackupDataFiles, images), 1);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestored});
    EXPECT_TRUE(QDir(GetDataDirectory()).isEmpty());

    // Data files only from the full archive: the reports stay away.
    EXPECT_EQ(Restore(kBackupDataFiles, all), 1);
    EXPECT_EQ(QDir(GetDataDirectory()).entryList(QDir::Files),
              (QStringList{"Classification.dat", "PaidWith.dat"}));
    EXPECT_TRUE(QDir(GetReportsDirectory()).entryList(QDir::Files).isEmpty());

    // One chosen report.
    BackupFileList reports;
    ASSERT_TRUE(BackupEngine::ListArchiveReports(all, reports));
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1], (BackupFileEntry{GetReportsDirectory() + "/Tiny.xpf", '1', 1}));
    BackupEngine engine;
    engine.SetSelection(kBackupReports);
    EXPECT_EQ(engine.Restore(all, {reports[1]}, true, false), 1);
    EXPECT_EQ(QDir(GetReportsDirectory()).entryList(QDir::Files), QStringList{"Tiny.xpf"});
}

TEST(Restore, ExistingFilesAreKeptReplacedOrAskedAbout) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString archive = Backup(platform, kBackupReports | kBackupDataFiles);
    const QString boston = GetReportsDirectory() + "/Boston.xpf";
    const QString tiny = GetReportsDirectory() + "/Tiny.xpf";
    const QString paidWith = GetDataDirectory() + "/PaidWith.dat";
    for (const QString& file : {boston, tiny, paidWith}) {
        WriteFileBytes(file, "newer");
    }
    const quint32 both = kBackupReports | kBackupDataFiles;

    // Replacing unticked: nothing is touched, and that is a success.
    platform.Prompts().Clear();
    EXPECT_EQ(Restore(both, archive, false), 1);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestored});
    EXPECT_EQ(ReadFileBytes(boston), "newer");

    // Cancel at the first question stops at once.
    platform.Prompts().Clear();
    platform.Prompts().QueueAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(Restore(both, archive, true, true), 0);
    EXPECT_EQ(platform.Prompts().Texts(),
              (QStringList{"Replace Existing File: " + boston, kRestoreCanceled}));
    EXPECT_EQ(ReadFileBytes(boston), "newer");

    // No keeps one file, Yes replaces the next; a read-only file is replaced
    // too; a cancel after a replacement keeps the replacement.
    QFile::setPermissions(tiny, QFileDevice::ReadOwner);
    platform.Prompts().Clear();
    platform.Prompts().QueueAnswer(PromptAnswer::No);
    platform.Prompts().QueueAnswer(PromptAnswer::Yes);
    platform.Prompts().QueueAnswer(PromptAnswer::Cancel);
    EXPECT_EQ(Restore(both, archive, true, true), 0);
    EXPECT_EQ(platform.Prompts().Texts().last(), kRestoreCanceled);
    EXPECT_EQ(ReadFileBytes(boston), "newer");
    EXPECT_EQ(ReadFileBytes(tiny), "abc");
    EXPECT_EQ(ReadFileBytes(paidWith), "newer");

    // Replacing without asking.
    EXPECT_EQ(Restore(both, archive, true, false), 1);
    EXPECT_EQ(ReadFileBytes(boston), QByteArray(3000, 'b'));
    EXPECT_EQ(ReadFileBytes(paidWith), QByteArray(400, 'p'));
}

TEST(Restore, ReadsArchivesMadeByInfoZip) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    const QString staging = platform.Path("staging");
    WriteFileBytes(staging + "/Trip.xpf", "a report of another device");
    WriteFileBytes(staging + "/Category.dat", "categories");
    WriteFileBytes(staging + "/Car.bmp", "a picture");
    const QString archive = platform.Path("infozip.xbf");
    ASSERT_EQ(
        InfoZip("zip", {"-q", archive, "Trip.xpf", "Category.dat", "Car.bmp"}, staging).exitCode,
        0);

    // Without comments nothing is restored, and that is a success.
    const quint32 all = kBackupReports | kBackupDataFiles | kBackupImages;
    EXPECT_EQ(Restore(all, archive), 1);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestored});
    EXPECT_TRUE(QDir(GetReportsDirectory()).entryList(QDir::Files).isEmpty());

    ASSERT_TRUE(
        EditWithZipnote(archive, {{"Trip.xpf", "1"}, {"Category.dat", "2"}, {"Car.bmp", "8"}}));
    EXPECT_EQ(Restore(all, archive), 1);
    EXPECT_EQ(ReadFileBytes(GetReportsDirectory() + "/Trip.xpf"), "a report of another device");
    EXPECT_EQ(ReadFileBytes(GetDataDirectory() + "/Category.dat"), "categories");
    EXPECT_EQ(ReadFileBytes(GetImagesSubdirectory(ImageFolder::ExpenseType) + "/Car.bmp"),
              "a picture");
}

// Hostile and damaged archives: each is an error of the restore, writes
// nothing outside the folders, and keeps what was restored before it.
TEST(Restore, HostileAndDamagedArchives) {
    SKIP_WITHOUT_INFOZIP();
    struct Case {
        const char* name;
        QString entry;  // the name the second entry gets
        bool truncate = false;
        bool corrupt = false;
        bool foreign = false;
        bool keepsFirst = true;
    };
    TestPlatform platform;
    const QString outside = platform.Path("outside.xpf");
    const Case cases[] = {
        {"parent folder", "../outside.xpf"},
        {"absolute path", outside},
        {"folder part", "sub/x.xpf"},
        {"backslash", "..\\outside.xpf"},
        {"crc damage", "Second.xpf", false, true},
        {"truncated", "Second.xpf", true, false, false, false},
        {"not a zip", "Second.xpf", false, false, true, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        WipeUserFolders();
        const QString staging = platform.Path("staging");
        QDir(staging).removeRecursively();
        WriteFileBytes(staging + "/First.xpf", "first report");
        WriteFileBytes(staging + "/Second.xpf", "XQZ");
        WriteFileBytes(staging + "/Third.xpf", "third report");
        const QString archive = platform.Path("hostile.xbf");
        QFile::remove(archive);
        ASSERT_EQ(InfoZip("zip", {"-q", archive, "First.xpf", "Second.xpf", "Third.xpf"}, staging)
                      .exitCode,
                  0);
        ASSERT_TRUE(EditWithZipnote(archive,
                                    {{"First.xpf", "1"}, {"Second.xpf", "1"}, {"Third.xpf", "1"}},
                                    {{"Second.xpf", test.entry}}));
        ZipArchive made;
        made.Open(archive);
        ASSERT_EQ(made.Name(1), test.entry) << "zipnote did not give the entry its name";
        made.Discard();
        QByteArray bytes = ReadFileBytes(archive);
        if (test.corrupt) {
            bytes.replace("XQZ", "XQY");
        }
        if (test.truncate) {
            bytes.truncate(bytes.size() * 2 / 3);
        }
        if (test.foreign) {
            bytes = "%PDF-1.4 not an archive at all";
        }
        WriteFileBytes(archive, bytes);
        WriteFileBytes(GetReportsDirectory() + "/Second.xpf", "kept");

        platform.Prompts().Clear();
        EXPECT_EQ(Restore(kBackupReports, archive), 0);
        EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestoreFailed});
        EXPECT_FALSE(QFile::exists(outside));
        EXPECT_EQ(ReadFileBytes(GetReportsDirectory() + "/Second.xpf"), "kept");
        QStringList expected{"Second.xpf=kept"};
        if (test.keepsFirst) {
            expected =
                QStringList{"First.xpf=first report", "Second.xpf=kept", "Third.xpf=third report"};
        }
        EXPECT_EQ(Tree(GetReportsDirectory()), expected);
    }
}

// Pictures of one name in two folders are two entries of that name; each
// goes back into its own folder.
TEST(Backup, PicturesOfOneNameInSeveralFolders) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    const QString category = GetImagesSubdirectory(ImageFolder::Category) + "/Car.bmp";
    const QString other = GetImagesSubdirectory(ImageFolder::Other) + "/Car.bmp";
    WriteFileBytes(category, QByteArray(900, 'c'));
    WriteFileBytes(other, "car");
    const QString archive = Backup(platform, kBackupImages);
    EXPECT_EQ(InfoZip("unzip", {"-tq", archive}).exitCode, 0);
    EXPECT_TRUE(InfoZip("zipnote", {archive})
                    .out.startsWith("@ Car.bmp\n5\n@ (comment above this line)\n"
                                    "@ Car.bmp\n7\n@ (comment above this line)\n"));

    WipeUserFolders();
    EXPECT_EQ(Restore(kBackupImages, archive), 1);
    EXPECT_EQ(ReadFileBytes(category), QByteArray(900, 'c'));
    EXPECT_EQ(ReadFileBytes(other), "car");
}

TEST(Backup, NeverWritesTheArchiveOverAFileItBacksUp) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString report = GetReportsDirectory() + "/Boston.xpf";
    BackupFileList reports;
    BackupEngine::ListReports(reports);
    BackupEngine engine;
    engine.SetSelection(kBackupReports);
    EXPECT_EQ(engine.Backup(report, reports, false), 0);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kBackupFailed});
    EXPECT_EQ(ReadFileBytes(report), QByteArray(3000, 'b'));
}

// What a folder may hold besides files: a link to nowhere and a named pipe
// are passed over rather than failing the backup (or waiting on the pipe).
TEST(Backup, PassesOverWhatIsNoFile) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString reports = GetReportsDirectory();
    ASSERT_TRUE(QFile::link(reports + "/Nowhere.xpf", reports + "/Dangling.xpf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(reports + "/Pipe.xpf").constData(), 0644), 0);

    BackupFileList listed;
    BackupEngine::ListReports(listed);
    QStringList names;
    for (const BackupFileEntry& entry : listed) {
        names.append(entry.ShownName());
    }
    EXPECT_EQ(names, (QStringList{"Boston.xpf", "Tiny.xpf"}));
    Backup(platform, kBackupReports);
}

TEST(Restore, AReportListMustStillMatchTheArchive) {
    TestPlatform platform;
    UserFiles files(platform);
    const QString archive = Backup(platform, kBackupReports | kBackupDataFiles);
    WipeUserFolders();
    platform.Prompts().Clear();

    // Entry 2 is a data file: named as a report in a stale list, it is not
    // restored among the reports.
    BackupEngine engine;
    engine.SetSelection(kBackupReports);
    const BackupFileEntry stale{GetReportsDirectory() + "/Classification.dat", '1', 2};
    EXPECT_EQ(engine.Restore(archive, {stale}, true, false), 0);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestoreFailed});
    EXPECT_TRUE(QDir(GetReportsDirectory()).entryList(QDir::Files).isEmpty());
}

TEST(BackupFileEntry, ShownNameIsAfterTheLastSeparatorOfEitherKind) {
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/me/Outlaysheet/Oslo.xpf", "Oslo.xpf"},
        {"\\My Documents\\Outlaysheet\\Oslo.xpf", "Oslo.xpf"},
        {"/tmp/a\\b/Oslo.xpf", "Oslo.xpf"},
        {"/tmp/a/b\\Oslo.xpf", "Oslo.xpf"},
        {"Oslo.xpf", "Oslo.xpf"},
        {"", ""},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(BackupFileEntry{test.path}.ShownName(), test.shown) << test.path;
    }
}

TEST(Restore, NeverReplacesTheArchiveItReads) {
    TestPlatform platform;
    UserFiles files(platform);
    // An archive saved as a data file's name in the data folder.
    const QString archive = Backup(platform, kBackupDataFiles, "PaidWith.dat");
    const QString inData = GetDataDirectory() + "/PaidWith.dat";
    ASSERT_TRUE(QFile::remove(inData));
    ASSERT_TRUE(QFile::rename(archive, inData));
    const QByteArray archiveBytes = ReadFileBytes(inData);
    platform.Prompts().Clear();

    EXPECT_EQ(Restore(kBackupDataFiles, inData), 0);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestoreFailed});
    EXPECT_EQ(ReadFileBytes(inData), archiveBytes);
    EXPECT_EQ(ReadFileBytes(GetDataDirectory() + "/Classification.dat"), QByteArray(500, 'c'));
}

// Progress reaches the screen before each file, and a "no" there cancels:
// a backup then leaves the earlier archive, a restore keeps what it wrote.
TEST(Progress, CountsEveryFileAndCancelsBetweenFiles) {
    TestPlatform platform;
    UserFiles files(platform);
    const quint32 all = kBackupReports | kBackupDataFiles | kBackupImages;
    struct Step {
        int done;
        int total;
        QString name;
    };
    QList<Step> steps;
    int stopAt = -1;
    BackupEngine engine;
    engine.SetSelection(all);
    engine.SetProgress([&](int done, int total, const QString& name) {
        steps.append({done, total, name});
        return done != stopAt;
    });
    BackupFileList reports;
    BackupEngine::ListReports(reports);
    const QString archive = platform.Path("all.xbf");
    ASSERT_EQ(engine.Backup(archive, reports, false), 1);
    ASSERT_EQ(steps.size(), 6);
    EXPECT_EQ(steps.first().done, 0);
    EXPECT_EQ(steps.last().done, 5);
    EXPECT_EQ(steps.last().total, 6);
    EXPECT_EQ(steps.first().name, "Boston.xpf");
    const QByteArray complete = ReadFileBytes(archive);

    // A backup cancelled half-way leaves the complete one as it was.
    platform.Prompts().Clear();
    steps.clear();
    stopAt = 3;
    EXPECT_EQ(engine.Backup(archive, reports, false), 0);
    EXPECT_TRUE(engine.WasCancelled());
    EXPECT_EQ(steps.size(), 4);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{"Backup Operation Was Canceled."});
    EXPECT_EQ(ReadFileBytes(archive), complete);
    EXPECT_EQ(QDir(platform.Path("")).entryList({"*.xbf*"}, QDir::Files | QDir::Hidden),
              QStringList{"all.xbf"});

    // A restore cancelled at the third file keeps the two before it.
    WipeUserFolders();
    platform.Prompts().Clear();
    steps.clear();
    stopAt = 2;
    BackupFileList archived;
    BackupEngine::ListArchiveReports(archive, archived);
    EXPECT_EQ(engine.Restore(archive, archived, true, false), 0);
    EXPECT_EQ(platform.Prompts().Texts(), QStringList{kRestoreCanceled});
    EXPECT_EQ(engine.RestoredCount(), 2);
    EXPECT_EQ(steps.size(), 3);
    EXPECT_EQ(steps.last().total, 6);
    EXPECT_TRUE(QFileInfo::exists(GetReportsDirectory() + "/Boston.xpf"));
    EXPECT_TRUE(QFileInfo::exists(GetReportsDirectory() + "/Tiny.xpf"));
    EXPECT_FALSE(QFileInfo::exists(GetDataDirectory() + "/PaidWith.dat"));
}

// Entries are written while later ones are still being looked at: what went
// wrong is told in the order of the entries all the same, a damaged entry
// leaves its old file and nothing beside it, and the good ones come back.
TEST(Restore, FailuresAreToldInTheOrderOfTheEntries) {
    SKIP_WITHOUT_INFOZIP();
    TestPlatform platform;
    WipeUserFolders();
    const QString staging = platform.Path("staging");
    WriteFileBytes(staging + "/One.xpf", "XQZ");
    WriteFileBytes(staging + "/Out.xpf", "outside");
    WriteFileBytes(staging + "/Two.xpf", "two report");
    WriteFileBytes(staging + "/Three.xpf", "XQZ");
    const QString archive = platform.Path("ordered.xbf");
    const QStringList names{"One.xpf", "Out.xpf", "Two.xpf", "Three.xpf"};
    ASSERT_EQ(InfoZip("zip", QStringList{"-q", archive} + names, staging).exitCode, 0);
    ASSERT_TRUE(EditWithZipnote(
        archive, {{"One.xpf", "1"}, {"Out.xpf", "1"}, {"Two.xpf", "1"}, {"Three.xpf", "1"}},
        {{"Out.xpf", "../Out.xpf"}}));
    // Both short entries are stored as they are; each now fails its CRC.
    WriteFileBytes(archive, ReadFileBytes(archive).replace("XQZ", "XQY"));
    UserFiles::Put(GetReportsDirectory(), "One.xpf", "old one");
    UserFiles::Put(GetReportsDirectory(), "Three.xpf", "old three");

    BackupFileList reports;
    BackupEngine::ListArchiveReports(archive, reports);
    BackupEngine engine;
    engine.SetSelection(kBackupReports);
    EXPECT_EQ(engine.Restore(archive, reports, true, false), 0);
    const QStringList errors = engine.LastError().split('\n');
    ASSERT_EQ(errors.size(), 3) << engine.LastError().toStdString();
    EXPECT_TRUE(errors[0].startsWith("One.xpf in the archive is damaged"))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains("../Out.xpf")) << errors[1].toStdString();
    EXPECT_TRUE(errors[2].startsWith("Three.xpf in the archive is damaged"))
        << errors[2].toStdString();
    EXPECT_EQ(engine.RestoredCount(), 1);
    EXPECT_EQ(Tree(GetReportsDirectory()),
              (QStringList{"One.xpf=old one", "Three.xpf=old three", "Two.xpf=two report"}));
    EXPECT_FALSE(QFile::exists(platform.Path("Out.xpf")));
}
