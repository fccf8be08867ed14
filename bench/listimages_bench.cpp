// The pictures an item editor offers, read from an image folder of 500
// files (far more than the fourteen or so a folder holds): every name ends in
// "u.bmp", and each one's header is opened to check its size. Read against
// listing the same folder's names alone in the same run: the counter
// "vs_listing" is the editor's time over the listing's.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <vector>

#include "lists/listimagefiles.h"
#include "platform/directories.h"
#include "scratchplatform.h"

namespace {

constexpr int kPictures = 500;

using Clock = std::chrono::steady_clock;

// A 32 x 32 bitmap's headers and pixels, 24 bits each.
QByteArray Bitmap(qint32 size) {
    QByteArray bytes(54 + size * size * 3, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    auto* data = reinterpret_cast<uchar*>(bytes.data());
    qToLittleEndian<quint32>(40, data + 14);
    qToLittleEndian<qint32>(size, data + 18);
    qToLittleEndian<qint32>(size, data + 22);
    return bytes;
}

struct Fixture {
    Fixture() {
        InitDirectories(kInitImages);
        const QString folder = GetImagesSubdirectory(ImageFolder::PaidWith, true);
        QDir().mkpath(folder);
        for (int i = 0; i < kPictures; ++i) {
            QFile file(folder + QStringLiteral("PICTURE%1U.BMP").arg(i));
            if (!file.open(QIODevice::WriteOnly)) {
                continue;
            }
            // One in ten is too large to be offered.
            file.write(Bitmap(i % 10 == 0 ? 48 : kListImageSize));
        }
    }

    ScratchPlatform platform;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

QStringList ListNames() {
    return QDir(GetImagesSubdirectory(ImageFolder::PaidWith))
        .entryList({QStringLiteral("*u.bmp")}, QDir::Files, QDir::Name);
}

// The median of five listings, in seconds.
double ListingSeconds() {
    static const double seconds = [] {
        std::vector<double> runs;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(ListNames());
            runs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        std::sort(runs.begin(), runs.end());
        return runs[2];
    }();
    return seconds;
}

void BM_Baseline_ListNames(benchmark::State& state) {
    Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ListNames());
    }
}
BENCHMARK(BM_Baseline_ListNames)->Unit(benchmark::kMillisecond);

void BM_StandardListImages(benchmark::State& state) {
    Shared();
    const double baseline = ListingSeconds();
    double seconds = 0;
    qsizetype offered = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        offered = StandardListImages(ImageFolder::PaidWith).size();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["offered"] = static_cast<double>(offered);
    state.counters["vs_listing"] = seconds / static_cast<double>(state.iterations()) / baseline;
}
BENCHMARK(BM_StandardListImages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
