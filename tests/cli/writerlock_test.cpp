#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <random>

#include "platform/filelock.h"
#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

QString TripPath(const TestPlatform& platform) {
    return platform.Root() + QStringLiteral("/Outlaysheet/Trip.xpf");
}

int StoredCount(const TestPlatform& platform) {
    const CliResult dump = RunCli(platform, {"dump", TripPath(platform)});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    return static_cast<int>(
        QJsonDocument::fromJson(dump.out.toUtf8()).object()["records"].toArray().size());
}

}  // namespace

// The tool killed at random moments of adding an expense, some of them while
// it holds the report's lock: the next writer gets the lock at once, and the
// report holds every expense whose command finished, whole.
TEST(CliWriterLock, AToolKilledHalfWayLeavesNoLockBehindAndNoDamage) {
    TestPlatform platform;
    ASSERT_EQ(RunCli(platform, {"new-report", "Trip"}).exitCode, 0);
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMs(0, 120);
    int finished = 0;
    for (int run = 0; run < 25; ++run) {
        QProcess tool;
        tool.start(ProgramPath(QStringLiteral("outlaysheet-cli")),
                   {"--root", platform.Root(), "--registry", platform.RegistryFolder(),
                    "add-expense", "Trip", "--category", "Taxi", "--amount", "7"});
        ASSERT_TRUE(tool.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        ::kill(static_cast<pid_t>(tool.processId()), SIGKILL);
        tool.waitForFinished();
        finished += tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0 ? 1 : 0;
    }
    // No dead writer's lock stands in the way: taken within a short wait.
    {
        const FileLock lock(TripPath(platform), 500);
        EXPECT_TRUE(lock.IsLocked());
    }
    const int stored = StoredCount(platform);
    EXPECT_GE(stored, finished);
    EXPECT_LE(stored, 25);
    ASSERT_EQ(
        RunCli(platform, {"add-expense", "Trip", "--category", "Taxi", "--amount", "7"}).exitCode,
        0);
    EXPECT_EQ(StoredCount(platform), stored + 1);
}

// A writer of another process that dies while it holds the lock: the kernel
// drops it, so the next writer waits no longer than the death.
TEST(CliWriterLock, TheLockOfAWriterThatDiesIsFreedAtOnce) {
    TestPlatform platform;
    const QString path = TripPath(platform);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const FileLock lock(path, 5000);
        const char held = lock.IsLocked() ? 'y' : 'n';
        (void)!::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    // The child holds it: this process is refused.
    {
        const FileLock probe(path, 0);
        EXPECT_TRUE(probe.IsBusy());
        EXPECT_FALSE(probe.IsLocked());
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const FileLock lock(path, 1000);
    EXPECT_TRUE(lock.IsLocked());
    // Within one process the lock is taken again by the one that holds it.
    const FileLock again(path, 0);
    EXPECT_TRUE(again.IsLocked());
}
