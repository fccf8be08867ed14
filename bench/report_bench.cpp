// A report of 100,000 expenses: opening, saving, sorting by every key, a
// two-condition selection and recomputing the totals, each read against a
// baseline of the same run (reading the file's bytes; sorting 100,000
// doubles). The memory counters are the heap a loaded record costs and the
// bytes it takes in the file.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "benchexpenses.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordquery.h"
#include "report/recordsortorder.h"
#include "report/recordsquery.h"
#include "report/report.h"
#include "scratchplatform.h"

namespace {

constexpr int kExpenses = 100000;

// One platform and one report file for the whole run.
struct Fixture {
    Fixture() {
        report = std::make_unique<CExpenseReport>();
        QString error;
        report->GetHeader().ValidateName(platform.Folder(), "Bench", false, error);
        path = report->GetHeader().GetPath();
        std::mt19937 random(7);
        AddBenchExpenses(report->GetRecords(), kExpenses, random);
        report->SaveAs(path, true);
    }

    ScratchPlatform platform;
    std::unique_ptr<CExpenseReport> report;
    QString path;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The expenses sorted as a user has them: read from the file, which shares
// repeated texts and tuples between expenses. Reading it changes what the
// heap holds, so the benchmarks of opening run without it (benchtable.py
// runs them apart).
CExpenseRecords& ReadRecords() {
    static const std::unique_ptr<CExpenseReport> report = [] {
        const QString path = Shared().path;  // the platform first
        auto read = std::make_unique<CExpenseReport>();
        if (!read->Open(path, false) || read->GetRecords().GetCount(false) != kExpenses) {
            std::fprintf(stderr, "The report to sort cannot be read.\n");
            std::abort();
        }
        return read;
    }();
    return report->GetRecords();
}

void BM_Baseline_ReadFileBytes(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        QFile file(fixture.path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(BM_Baseline_ReadFileBytes)->Unit(benchmark::kMillisecond);

void BM_OpenReport(benchmark::State& state) {
    Fixture& fixture = Shared();
    size_t heapPerRecord = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        CExpenseReport report;
        report.Open(fixture.path, false);
        heapPerRecord = (mallinfo2().uordblks - before) / kExpenses;
    }
    state.counters["heap_bytes_per_record"] = static_cast<double>(heapPerRecord);
    state.counters["file_bytes_per_record"] =
        static_cast<double>(QFileInfo(fixture.path).size()) / kExpenses;
}
BENCHMARK(BM_OpenReport)->Unit(benchmark::kMillisecond);

void BM_SaveReport(benchmark::State& state) {
    Fixture& fixture = Shared();
    const QString copy = fixture.platform.Path("Copy.xpf");
    for (auto _ : state) {
        fixture.report->SaveAs(copy, true);
    }
}
BENCHMARK(BM_SaveReport)->Unit(benchmark::kMillisecond);

// The baseline of sorting again the other way round: each sort meets the
// doubles in the opposite order, which a sort orders far faster than keys in
// no order (BM_Baseline_SortShuffledDoubles).
void BM_Baseline_SortDoubles(benchmark::State& state) {
    std::mt19937 random(7);
    std::vector<double> values(kExpenses);
    for (double& value : values) {
        value = random() / 100.0;
    }
    int direction = 0;
    for (auto _ : state) {
        direction ^= 1;
        if (direction) {
            std::sort(values.begin(), values.end());
        } else {
            std::sort(values.begin(), values.end(), std::greater<>());
        }
    }
}
BENCHMARK(BM_Baseline_SortDoubles)->Unit(benchmark::kMillisecond);

// The baseline of a first sort, which meets its keys in no order: doubles
// in random order, put back in that order untimed before each sort.
void BM_Baseline_SortShuffledDoubles(benchmark::State& state) {
    std::mt19937 random(7);
    std::vector<double> shuffled(kExpenses);
    for (double& value : shuffled) {
        value = random() / 100.0;
    }
    std::vector<double> values;
    for (auto _ : state) {
        state.PauseTiming();
        values = shuffled;
        state.ResumeTiming();
        std::sort(values.begin(), values.end());
    }
}
BENCHMARK(BM_Baseline_SortShuffledDoubles)->Unit(benchmark::kMillisecond);

// What no sort of the records can go below: reading each record's date where
// it lies on the heap, asked for ahead as the sorts ask for it, after sorts
// have left the records in another order than their memory.
void BM_Baseline_ReadEveryDate(benchmark::State& state) {
    CExpenseRecords& records = ReadRecords();
    records.SetSortOrder(kFieldAmount, CRecordSortOrder::kAscending);
    std::vector<TimeStamp> dates(kExpenses);
    constexpr int kAhead = 8;
    for (auto _ : state) {
        for (int i = 0; i < kExpenses; ++i) {
            if (i + kAhead < kExpenses) {
                __builtin_prefetch(records.GetAt(i + kAhead, false)->GetSortKeyPlace());
            }
            dates[i] = records.GetAt(i, false)->GetDate();
        }
        benchmark::DoNotOptimize(dates.data());
    }
}
BENCHMARK(BM_Baseline_ReadEveryDate)->Unit(benchmark::kMillisecond);

// Sorting again by each key, the other way round each time: every sort meets
// its records in the opposite order, as BM_Baseline_SortDoubles meets its
// doubles.
void BM_SortByField(benchmark::State& state) {
    CExpenseRecords& records = ReadRecords();
    const auto field = static_cast<qint32>(state.range(0));
    qint32 direction = 0;
    for (auto _ : state) {
        direction ^= 1;
        records.SetSortOrder(field, direction);
    }
    records.SetSortOrder(0, 1);
}
BENCHMARK(BM_SortByField)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

// The first sort by a heading since the records were read or changed in
// bulk: every record is read where it lies. A sort by another heading comes
// in between, untimed.
void BM_FirstSortByField(benchmark::State& state) {
    CExpenseRecords& records = ReadRecords();
    const auto field = static_cast<qint32>(state.range(0));
    const qint32 other = field == kFieldDate ? kFieldAmount : kFieldDate;
    qint32 direction = 0;
    for (auto _ : state) {
        state.PauseTiming();
        records.SetSortOrder(other, CRecordSortOrder::kAscending);
        state.ResumeTiming();
        direction ^= 1;
        records.SetSortOrder(field, direction);
    }
    records.SetSortOrder(0, 1);
}
BENCHMARK(BM_FirstSortByField)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

// A slip saved over one expense with another date, amount and description,
// which then takes its place in the sorted list.
void BM_SortAfterOneEdit(benchmark::State& state) {
    CExpenseRecords& records = ReadRecords();
    const auto field = static_cast<qint32>(state.range(0));
    records.SetSortOrder(field, CRecordSortOrder::kAscending);
    std::mt19937 random(3);
    for (auto _ : state) {
        state.PauseTiming();
        const int index = static_cast<int>(random() % kExpenses);
        auto edited = std::make_unique<CExpenseRecord>(*records.GetAt(index, false));
        edited->SetOwner(nullptr);
        const CExpenseRecord& another =
            *records.GetAt(static_cast<int>(random() % kExpenses), false);
        edited->SetDate(edited->GetDate() + 86400);
        edited->SetAmount(another.GetAmount(false));
        edited->SetDescription(another.GetDescription());
        state.ResumeTiming();
        records.SetAt(index, std::move(edited), true);
    }
    records.SetSortOrder(0, 1);
}
BENCHMARK(BM_SortAfterOneEdit)
    ->Arg(kFieldDate)
    ->Arg(kFieldDescription)
    ->Arg(kFieldAmount)
    ->Unit(benchmark::kMillisecond);

void BM_TwoConditionSelection(benchmark::State& state) {
    Fixture& fixture = Shared();
    CExpenseRecords& records = fixture.report->GetRecords();
    for (auto _ : state) {
        records.GetQuery().Clear();
        records.GetQuery().AddCondition(CRecordQuery::Text(1, 1, "Taxi"));
        records.GetQuery().AddCondition(CRecordQuery::Number(3, 4, 500.0));
        records.RunQuery();
        benchmark::DoNotOptimize(records.GetQuery().ResultCount());
    }
}
BENCHMARK(BM_TwoConditionSelection)->Unit(benchmark::kMillisecond);

void BM_RecomputeTotals(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        fixture.report->GetRecords().RecomputeTotals();
    }
}
BENCHMARK(BM_RecomputeTotals)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
