// Backing up 300 reports of 200 expenses each with the data files and the
// shipped pictures, and restoring them all, each read against Info-ZIP on the
// same files in the same run: `zip -q -6` for the backup and `unzip -q -o`
// of the engine's own archive for the restore. The counter "vs_infozip" is
// the ratio of the two. The argument 1 runs the engine with a progress
// callback, as the screens do.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <chrono>
#include <random>

#include "backup/backupengine.h"
#include "benchexpenses.h"
#include "platform/directories.h"
#include "platform/shippeddata.h"
#include "report/expensedoc.h"
#include "report/report.h"
#include "scratchplatform.h"

namespace {

constexpr int kReports = 300;
constexpr int kExpensesPerReport = 200;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// One platform with the user's files for the whole run.
struct Fixture {
    Fixture() {
        InstallShippedImages(GetShippedDataFolder());
        CExpenseDoc().ReloadAll();
        WriteReports();
        BackupEngine::ListReports(reports);
        for (const BackupFileList& list : {reports, Others()}) {
            for (const BackupFileEntry& entry : list) {
                files.append(entry.path);
            }
        }
    }

    void WriteReports() {
        std::mt19937 random(7);
        for (int r = 0; r < kReports; ++r) {
            CExpenseReport report;
            QString error;
            report.GetHeader().ValidateName(GetReportsDirectory(),
                                            QStringLiteral("Trip %1").arg(r, 3, 10, QChar('0')),
                                            false, error);
            AddBenchExpenses(report.GetRecords(), kExpensesPerReport, random);
            report.SaveAs(report.GetHeader().GetPath(), true);
        }
    }

    static BackupFileList Others() {
        BackupFileList others;
        BackupEngine::ListDataFiles(others);
        BackupEngine::ListImages(others);
        return others;
    }

    static quint32 Everything() { return kBackupReports | kBackupDataFiles | kBackupImages; }

    ScratchPlatform platform;
    BackupFileList reports;
    QStringList files;  // every file a backup of everything takes
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

bool RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    return process.waitForFinished(-1) && process.exitCode() == 0;
}

// The median of three runs of an Info-ZIP command, in seconds; with
// `onDisk`, each run starts once every file is on the disk.
double InfoZipSeconds(const QString& tool, const QStringList& arguments, bool onDisk = false) {
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i) {
        if (onDisk) {
            ::sync();
        }
        const auto start = Clock::now();
        if (!RunTool(tool, arguments)) {
            return 0;
        }
        runs.push_back(Seconds(Clock::now() - start));
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

QString ZipBaselineArchive() {
    return Shared().platform.Path("infozip.zip");
}

double ZipSeconds() {
    static const double seconds = [] {
        QFile::remove(ZipBaselineArchive());
        return InfoZipSeconds(
            "zip", QStringList{"-q", "-6", "-j", ZipBaselineArchive()} + Shared().files);
    }();
    return seconds;
}

void BM_Baseline_InfoZipBackup(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        QFile::remove(ZipBaselineArchive());
        RunTool("zip", QStringList{"-q", "-6", "-j", ZipBaselineArchive()} + fixture.files);
    }
    state.counters["files"] = static_cast<double>(fixture.files.size());
}
BENCHMARK(BM_Baseline_InfoZipBackup)->Unit(benchmark::kMillisecond);

// The screens' progress display, reduced to its call.
void FollowProgress(benchmark::State& state, BackupEngine& engine) {
    if (state.range(0) != 0) {
        engine.SetProgress([](int done, int, const QString&) {
            benchmark::DoNotOptimize(done);
            return true;
        });
    }
}

void BM_Backup(benchmark::State& state) {
    Fixture& fixture = Shared();
    BackupEngine engine;
    engine.SetSelection(Fixture::Everything());
    FollowProgress(state, engine);
    const QString archive = fixture.platform.Path("backup.xbf");
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (engine.Backup(archive, fixture.reports, false) != 1) {
            state.SkipWithError("the backup failed");
            break;
        }
        spent += Clock::now() - start;
    }
    state.counters["vs_infozip"] =
        Seconds(spent) / static_cast<double>(state.iterations()) / ZipSeconds();
    state.counters["archive_bytes"] = static_cast<double>(QFileInfo(archive).size());
}
BENCHMARK(BM_Backup)->Arg(0)->Arg(1)->MinTime(3)->Unit(benchmark::kMillisecond);

// The engine's own archive of everything, which both the restore and its
// baseline read.
QString RestoreArchive() {
    static const QString archive = [] {
        BackupEngine engine;
        engine.SetSelection(Fixture::Everything());
        const QString path = Shared().platform.Path("restore.xbf");
        engine.Backup(path, Shared().reports, false);
        return path;
    }();
    return archive;
}

QStringList UnzipArguments() {
    return {"-q", "-o", RestoreArchive(), "-d", Shared().platform.Path("unzipped")};
}

// With 1, over files on the disk, as a restore finds them and as BM_Restore
// leaves them; with 0, over the files of the run before, which never reached
// the disk: freeing their blocks costs nothing.
void BM_Baseline_InfoZipRestore(benchmark::State& state) {
    const QStringList arguments = UnzipArguments();
    const bool onDisk = state.range(0) != 0;
    for (auto _ : state) {
        if (onDisk) {
            state.PauseTiming();
            ::sync();
            state.ResumeTiming();
        }
        RunTool("unzip", arguments);
    }
}
BENCHMARK(BM_Baseline_InfoZipRestore)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& state) {
    Fixture& fixture = Shared();
    BackupEngine engine;
    engine.SetSelection(Fixture::Everything());
    const QString archive = RestoreArchive();
    BackupFileList reports;
    BackupEngine::ListArchiveReports(archive, reports);
    FollowProgress(state, engine);
    const double unzipSeconds = InfoZipSeconds("unzip", UnzipArguments(), true);
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        if (engine.Restore(archive, reports, true, false) != 1) {
            state.SkipWithError("the restore failed");
            break;
        }
        spent += Clock::now() - start;
    }
    state.counters["vs_infozip"] =
        Seconds(spent) / static_cast<double>(state.iterations()) / unzipSeconds;
    state.counters["files"] = static_cast<double>(fixture.files.size());
}
BENCHMARK(BM_Restore)->Arg(0)->Arg(1)->MinTime(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
