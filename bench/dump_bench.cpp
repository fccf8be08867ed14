// The command-line dump of a report of 100,000 expenses: the peak memory of
// the dumping process against the size of the file it dumps, and its time.
// The baseline is the same program doing nothing but print its help text,
// which shows what the process costs before it reads a byte.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <random>
#include <string>
#include <vector>

#include "benchexpenses.h"
#include "report/report.h"
#include "scratchplatform.h"

extern char** environ;

namespace {

constexpr int kExpenses = 100000;
constexpr double kMegabyte = 1024.0 * 1024.0;

// outlaysheet-cli lies beside the benchmark programs.
std::string CliPath() {
    char self[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    const std::string path(self, length > 0 ? static_cast<size_t>(length) : 0);
    return path.substr(0, path.rfind('/') + 1) + "outlaysheet-cli";
}

// One report file for the whole run. It is made by a child process: the
// peak memory the kernel reports for a spawned program includes that of the
// process it was spawned from, which must stay small to measure anything.
struct Fixture {
    Fixture() {
        path = platform.Path("Bench.xpf");
        const pid_t maker = fork();
        if (maker == 0) {
            CExpenseReport report;
            QString error;
            report.GetHeader().ValidateName(platform.Folder(), "Bench", false, error);
            std::mt19937 random(7);
            AddBenchExpenses(report.GetRecords(), kExpenses, random);
            _exit(report.SaveAs(path, true) ? 0 : 1);
        }
        int status = 0;
        waitpid(maker, &status, 0);
        fileBytes = static_cast<double>(QFileInfo(path).size());
    }

    ScratchPlatform platform;
    QString path;
    double fileBytes = 0;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Runs outlaysheet-cli with `arguments`, its output thrown away; the peak
// resident memory of the process in bytes, or -1 when it failed.
double RunCli(const std::vector<std::string>& arguments) {
    const Fixture& fixture = Shared();
    const std::string cli = CliPath();
    const std::string root = fixture.platform.Root().toStdString();
    const std::string registry = fixture.platform.Path("registry").toStdString();
    std::vector<std::string> all = {cli, "--root", root, "--registry", registry};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, cli.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<double>(usage.ru_maxrss) * 1024.0;  // kilobytes on Linux
}

double BaselinePeak() {
    static const double peak = RunCli({"help"});
    return peak;
}

void BM_Baseline_CliHelp(benchmark::State& state) {
    double peak = 0;
    for (auto _ : state) {
        peak = RunCli({"help"});
    }
    if (peak < 0) {
        state.SkipWithError("outlaysheet-cli help failed");
        return;
    }
    state.counters["peak_MB"] = peak / kMegabyte;
}
BENCHMARK(BM_Baseline_CliHelp)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DumpReport(benchmark::State& state) {
    const Fixture& fixture = Shared();
    const double baseline = BaselinePeak();
    double peak = 0;
    for (auto _ : state) {
        peak = RunCli({"dump", fixture.path.toStdString()});
    }
    if (peak < 0 || baseline < 0 || fixture.fileBytes == 0) {
        state.SkipWithError("outlaysheet-cli dump failed");
        return;
    }
    state.counters["file_MB"] = fixture.fileBytes / kMegabyte;
    state.counters["peak_MB"] = peak / kMegabyte;
    // The whole process against the file, and what reading the file added
    // to the process against the file.
    state.counters["peak_per_file_byte"] = peak / fixture.fileBytes;
    state.counters["added_per_file_byte"] = (peak - baseline) / fixture.fileBytes;
}
BENCHMARK(BM_DumpReport)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
