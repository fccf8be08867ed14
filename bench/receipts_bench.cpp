// Attaching a 12-megapixel camera photo to an expense: read, checked,
// decoded at the stored size, encoded again and stored by its hash. The
// baseline is reading the photo and hashing it, the least any store of it
// does; "vs_read_and_hash" is the ratio of the two. "peak_added_MB" is what
// one attach adds to the process's peak resident memory: the photo decoded
// whole would take 46 MB.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <random>

#include "platform/directories.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "scratchplatform.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
using Clock = std::chrono::steady_clock;

double PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;  // kilobytes on Linux
}

// A photo of a receipt on a table, noisy as a camera's: 4,000 x 3,000.
void WritePhoto(const QString& path) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    std::mt19937 random(12);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int paper = (x > 1200 && x < 2800) ? 230 : 90;
            const int grey = std::clamp(paper + noise(random) + (y % 120 < 6 ? -120 : 0), 0, 255);
            line[x] = qRgb(grey, grey, std::min(255, grey + 10));
        }
    }
    photo.save(path, "JPG", 92);
}

// One report with one expense, and the photo; the photo is made by a child
// process so that making it leaves this process's peak memory alone.
struct Fixture {
    Fixture() : application(MakeApplication()) {
        photo = platform.Path("photo.jpg");
        const pid_t maker = fork();
        if (maker == 0) {
            WritePhoto(photo);
            _exit(0);
        }
        int status = 0;
        waitpid(maker, &status, 0);
        CExpenseReportInfo header;
        QString error;
        header.ValidateName(GetReportsDirectory(), QStringLiteral("Bench"), false, error);
        doc.CreateReport(header);
        doc.AddRecord(std::make_unique<CExpenseRecord>(), false);
        doc.SaveReport(false);
        expense = doc.GetRecords().GetAt(0, false)->GetId();
        const double before = PeakResidentBytes();
        Attach();
        peakAdded = PeakResidentBytes() - before;
    }

    bool Attach() {
        QString error;
        const bool attached = keeper.Attach(expense, {photo}, {}, error);
        keeper.DiscardPending(expense);
        return attached;
    }

    // The picture plugins are found through the GUI application, which needs
    // no display here.
    static std::unique_ptr<QGuiApplication> MakeApplication() {
        static int argc = 1;
        static char name[] = "receipts_bench";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }

    std::unique_ptr<QGuiApplication> application;
    ScratchPlatform platform;
    CExpenseDoc doc;
    CReceiptKeeper keeper{doc.GetReport()};
    QString photo;
    quint64 expense = 0;
    double peakAdded = 0;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

double ReadAndHashSeconds() {
    static const double seconds = [] {
        const QString photo = Shared().photo;
        const auto start = Clock::now();
        constexpr int kRounds = 10;
        for (int i = 0; i < kRounds; ++i) {
            QFile file(photo);
            file.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(
                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
        }
        return std::chrono::duration<double>(Clock::now() - start).count() / kRounds;
    }();
    return seconds;
}

void BM_Baseline_ReadAndHash(benchmark::State& state) {
    const QString photo = Shared().photo;
    for (auto _ : state) {
        QFile file(photo);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    state.counters["photo_MB"] = static_cast<double>(QFile(photo).size()) / kMegabyte;
}
BENCHMARK(BM_Baseline_ReadAndHash)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AttachPhoto(benchmark::State& state) {
    Fixture& fixture = Shared();
    const auto start = Clock::now();
    for (auto _ : state) {
        if (!fixture.Attach()) {
            state.SkipWithError("the photo was refused");
            return;
        }
    }
    const double each = std::chrono::duration<double>(Clock::now() - start).count() /
                        static_cast<double>(state.iterations());
    state.counters["vs_read_and_hash"] = each / ReadAndHashSeconds();
    state.counters["peak_added_MB"] = fixture.peakAdded / kMegabyte;
}
BENCHMARK(BM_AttachPhoto)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
