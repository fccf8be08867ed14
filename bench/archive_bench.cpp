// Reading and writing about 10 MB of strings and doubles through the archive,
// against copying the same bytes in the same run. The ratio of the two is the
// archive's cost per byte; the file benchmarks add the crash-safe save
// (temporary file, data sync, rename) against a plain write of the bytes
// synced to the disk, so that the ratio is what the safety costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "archive/expensearchive.h"
#include "archive/expenseobject.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "platform/platform.h"
#include "platform/scriptedprompts.h"

namespace {

constexpr int kRecords = 130000;  // about 10 MB of strings and doubles

// The strings are made once, so that only the archive's work is timed.
class Payload : public CExpenseObject {
public:
    Payload() {
        for (int i = 0; i < kRecords; ++i) {
            texts_.append(QStringLiteral("Taxi from the airport to the hotel %1").arg(i));
        }
    }

    void Serialize(CExpenseArchive& archive, int) override {
        SerializeFileHeader(archive, kFileTypeHistory, 1);
        if (archive.IsStoring()) {
            for (int i = 0; i < kRecords; ++i) {
                archive.WriteString(texts_[i]);
                archive.WriteDouble(i * 1.25);
            }
            return;
        }
        for (int i = 0; i < kRecords; ++i) {
            benchmark::DoNotOptimize(archive.ReadString());
            benchmark::DoNotOptimize(archive.ReadDouble());
        }
    }

private:
    QStringList texts_;
};

QByteArray PayloadBytes() {
    static const QByteArray bytes = [] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
        Payload().Serialize(archive, 0);
        archive.Close();
        return buffer.data();
    }();
    return bytes;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * PayloadBytes().size());
    state.counters["payload_bytes"] = static_cast<double>(PayloadBytes().size());
}

void BM_Baseline_CopyBytes(benchmark::State& state) {
    const QByteArray bytes = PayloadBytes();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        buffer.write(bytes);
        benchmark::DoNotOptimize(buffer.data().constData());
    }
    SetBytes(state);
}
BENCHMARK(BM_Baseline_CopyBytes)->Unit(benchmark::kMillisecond);

void BM_ArchiveWrite(benchmark::State& state) {
    Payload payload;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
        payload.Serialize(archive, 0);
        archive.Close();
        benchmark::DoNotOptimize(buffer.data().constData());
    }
    SetBytes(state);
}
BENCHMARK(BM_ArchiveWrite)->Unit(benchmark::kMillisecond);

void BM_ArchiveRead(benchmark::State& state) {
    QByteArray bytes = PayloadBytes();
    Payload payload;
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
        payload.Serialize(archive, 0);
    }
    SetBytes(state);
}
BENCHMARK(BM_ArchiveRead)->Unit(benchmark::kMillisecond);

void BM_Baseline_WriteFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray bytes = PayloadBytes();
    for (auto _ : state) {
        QFile file(folder.filePath("plain.dat"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        file.flush();
        ::fdatasync(file.handle());
        file.close();
    }
    SetBytes(state);
}
BENCHMARK(BM_Baseline_WriteFile)->Unit(benchmark::kMillisecond);

// The least any crash-safe replace costs: the bytes into a new file, synced,
// then renamed over the old one, so that a crash leaves one whole version.
void BM_Baseline_ReplaceFile(benchmark::State& state) {
    QTemporaryDir folder;
    const QByteArray bytes = PayloadBytes();
    const QByteArray target = QFile::encodeName(folder.filePath("replaced.dat"));
    const QByteArray temporary = QFile::encodeName(folder.filePath("replaced.new"));
    for (auto _ : state) {
        QFile file(QFile::decodeName(temporary));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        file.flush();
        ::fdatasync(file.handle());
        file.close();
        ::rename(temporary.constData(), target.constData());
    }
    SetBytes(state);
}
BENCHMARK(BM_Baseline_ReplaceFile)->Unit(benchmark::kMillisecond);

void BM_SaveObjectToFile(benchmark::State& state) {
    QTemporaryDir folder;
    Platform platform(PlatformPaths{}, std::make_unique<FixedClock>(0, QTimeZone::utc()),
                      std::make_unique<ScriptedPrompts>(), LocaleInfo());
    PlatformScope scope(platform);
    Payload payload;
    for (auto _ : state) {
        SaveObjectToFile(folder.filePath("saved.dat"), &payload, false);
    }
    SetBytes(state);
}
BENCHMARK(BM_SaveObjectToFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
