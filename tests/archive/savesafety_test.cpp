// A save must leave the previous file exactly as it was unless it wrote the
// whole new one, and must say so whenever it did not. These tests disturb
// real saves from outside: a full file system, a file-size limit, system
// calls made to fail one at a time, and a writer killed midway.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>

#include "archive/objectfile.h"
#include "sampleobjects.h"
#include "support/clirunner.h"
#include "support/syscallinjection.h"
#include "support/testplatform.h"

namespace {

QByteArray BulkBytes(int generation, int strings) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    BulkObject(generation, strings).Serialize(archive, 0);
    archive.Close();
    return buffer.data();
}

int RunChild(const QStringList& arguments, const QString& wrapper = {},
             const QStringList& wrapperArguments = {}) {
    QProcess process;
    if (wrapper.isEmpty()) {
        process.start(ProgramPath("savechild"), arguments);
    } else {
        process.start(wrapper,
                      wrapperArguments + QStringList{ProgramPath("savechild")} + arguments);
    }
    process.waitForFinished(120000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Files beside the target other than the target itself (left-over temporaries).
QStringList Strays(const QString& folder, const QString& keep) {
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    files.removeAll(keep);
    return files;
}

}  // namespace

TEST(SaveSafety, AFullFileSystemKeepsTheOldFile) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    TestPlatform platform;
    const QString mountPoint = platform.Path("tiny");
    QDir().mkpath(mountPoint);
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=96k") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const QString path = mountPoint + "/Trip.xpf";
    const QByteArray old = BulkBytes(1, 400);  // about 30 KB
    ASSERT_TRUE(WriteFileBytes(path, old));

    BulkObject large(2, 2000);  // about 150 KB: cannot fit
    EXPECT_FALSE(SaveObjectToFile(path, &large, true));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(platform.Prompts().Texts(),
              QStringList{"There is not enough space on the disk.\r\nFile: " + path});
    EXPECT_EQ(Strays(mountPoint, "Trip.xpf"), QStringList());

    // Space for the new file but not for both at once still keeps the old.
    BulkObject medium(3, 700);  // about 55 KB next to the old 30 KB
    const bool saved = SaveObjectToFile(path, &medium, false);
    EXPECT_EQ(ReadFileBytes(path), saved ? BulkBytes(3, 700) : old);
    ::umount(QFile::encodeName(mountPoint).constData());
}

TEST(SaveSafety, AFileSizeLimitKeepsTheOldFile) {
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    const QByteArray old = BulkBytes(1, 10);
    ASSERT_TRUE(WriteFileBytes(path, old));
    EXPECT_EQ(RunChild({path, "2", "3000", "--file-size-limit", "65536"}), 1);
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(Strays(platform.TempFolder(), "Trip.xpf"), QStringList());
    EXPECT_EQ(RunChild({path, "2", "300", "--file-size-limit", "65536"}), 0);
    EXPECT_EQ(ReadFileBytes(path), BulkBytes(2, 300));
}

TEST(SaveSafety, EverySystemCallThatFailsLeavesOldOrNewBytes) {
    STRACE_FOR_INJECTION_OR_SKIP(strace)
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    const QByteArray old = BulkBytes(1, 50);
    const QByteArray fresh = BulkBytes(2, 3000);  // several chunks of writes
    struct Injection {
        const char* calls;
        const char* error;
        bool onlyInTheFolder;  // count only calls naming the folder (not library loading)
    } injections[] = {
        {"write", "ENOSPC", false},        {"write", "EIO", false},
        {"fdatasync,fsync", "EIO", false}, {"rename,renameat,renameat2", "EXDEV", false},
        {"linkat", "EPERM", false},        {"openat", "EACCES", true},
    };
    for (const Injection& injection : injections) {
        int failures = 0;
        for (int n = 1; n <= 12; ++n) {
            ASSERT_TRUE(WriteFileBytes(path, old));
            const QString inject = QStringLiteral("inject=%1:error=%2:when=%3")
                                       .arg(injection.calls, injection.error)
                                       .arg(n);
            QStringList options = {"-f", "-qq", "-o", "/dev/null", "-e", inject};
            if (injection.onlyInTheFolder) {
                options << "-P" << platform.TempFolder();
            }
            const int exitCode = RunChild({path, "2", "3000"}, strace, options);
            ASSERT_GE(exitCode, 0);
            const QByteArray now = ReadFileBytes(path);
            const QString what =
                QStringLiteral("%1 failing at call %2").arg(injection.calls).arg(n);
            EXPECT_TRUE(now == old || now == fresh) << what.toStdString();
            // Success is claimed only when the new bytes are there.
            if (exitCode == 0) {
                EXPECT_EQ(now, fresh) << what.toStdString();
            } else {
                ++failures;
                EXPECT_EQ(now, old) << what.toStdString();
            }
            EXPECT_EQ(Strays(platform.TempFolder(), "Trip.xpf"), QStringList())
                << what.toStdString();
        }
        EXPECT_GT(failures, 0) << injection.calls << " never reached the save";
    }
}

// A save is over only once the new name is on the disk too: the folder is
// synced after the rename, or a crash right after a save brings back the
// old file.
TEST(SaveSafety, TheFolderIsSyncedAfterTheRename) {
    STRACE_FOR_INJECTION_OR_SKIP(strace)
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    ASSERT_TRUE(WriteFileBytes(path, BulkBytes(1, 50)));
    const QString trace = platform.Path("trace.txt");
    ASSERT_EQ(
        RunChild({path, "2", "300"}, strace,
                 {"-f", "-qq", "-y", "-o", trace, "-e", "trace=rename,renameat,renameat2,fsync"}),
        0);
    const QStringList calls = QString::fromUtf8(ReadFileBytes(trace)).split('\n');
    const auto renamed = std::find_if(calls.begin(), calls.end(), [](const QString& call) {
        return call.contains(QStringLiteral("rename")) &&
               call.contains(QStringLiteral("Trip.xpf"));
    });
    ASSERT_NE(renamed, calls.end());
    const QRegularExpression folderSync(
        QStringLiteral("fsync\\(\\d+<%1>\\)")
            .arg(QRegularExpression::escape(QFileInfo(path).absolutePath())));
    EXPECT_TRUE(std::any_of(renamed, calls.end(), [&](const QString& call) {
        return folderSync.match(call).hasMatch();
    })) << calls.join('\n').toStdString();
}

TEST(SaveSafety, AWriterKilledMidwayLeavesTheOldFile) {
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    const QByteArray old = BulkBytes(1, 50);
    ASSERT_TRUE(WriteFileBytes(path, old));
    QProcess child;
    child.start(ProgramPath("savechild"), {path, "2", "200000", "--pause-midway"});
    ASSERT_TRUE(child.waitForReadyRead(60000));
    EXPECT_EQ(child.readLine(), "midway\n");
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    child.waitForFinished();
    EXPECT_EQ(ReadFileBytes(path), old);
    // The unfinished temporary file is the only trace, and no report looks like it.
    for (const QString& stray : Strays(platform.TempFolder(), "Trip.xpf")) {
        EXPECT_FALSE(stray.endsWith(".xpf")) << stray.toStdString();
    }
}

// Saves are written in batches while the object is still being stored; what
// lands in the file must be the stored bytes in order, whether the save fits
// one batch, ends just past one or spans many.
TEST(SaveSafety, SavesOfEverySizeHoldTheStoredBytes) {
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    for (const int strings : {0, 1, 3000, 11900, 12000, 40000}) {
        BulkObject object(4, strings);
        ASSERT_TRUE(SaveObjectToFile(path, &object, true)) << strings;
        EXPECT_EQ(ReadFileBytes(path), BulkBytes(4, strings)) << strings;
    }
    EXPECT_EQ(Strays(platform.TempFolder(), "Trip.xpf"), QStringList());
    EXPECT_EQ(platform.Prompts().Texts(), QStringList());
}

// A write refused in any batch, the first, a middle one or the last one
// that finishing the save writes, fails the save, keeps the old file and
// leaves no stray.
TEST(SaveSafety, AWriteFailingInAnyBatchKeepsTheOldFile) {
    TestPlatform platform;
    const QString path = platform.Path("Trip.xpf");
    const QByteArray old = BulkBytes(1, 10);
    ASSERT_EQ(BulkBytes(2, 40000).size() / (1 << 20), 3);  // four batches
    for (const char* limit : {"500000", "2000000", "3300000"}) {
        ASSERT_TRUE(WriteFileBytes(path, old));
        EXPECT_EQ(RunChild({path, "2", "40000", "--file-size-limit", limit}), 1) << limit;
        EXPECT_EQ(ReadFileBytes(path), old) << limit;
        EXPECT_EQ(Strays(platform.TempFolder(), "Trip.xpf"), QStringList()) << limit;
    }
}
