// Subtotals of a report of 100,000 expenses by each "Subtotal By:" choice,
// and by the description, which makes 5,000 groups (far more than any real
// grouping), to show that many groups cost no more than few. Each is read
// against recomputing the report's totals over the same expenses in the
// same run: the counter "vs_totals" is the subtotals' time over the totals'.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "benchexpenses.h"
#include "report/recordquery.h"
#include "report/report.h"
#include "report/subtotals.h"
#include "scratchplatform.h"

namespace {

constexpr int kExpenses = 100000;

using Clock = std::chrono::steady_clock;

struct Fixture {
    Fixture() {
        std::mt19937 random(7);
        AddBenchExpenses(report.GetRecords(), kExpenses, random);
    }

    ScratchPlatform platform;
    CExpenseReport report;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// The median of five recomputations, in seconds.
double TotalsSeconds() {
    static const double seconds = [] {
        std::vector<double> runs;
        for (int i = 0; i < 5; ++i) {
            const auto start = Clock::now();
            Shared().report.GetRecords().RecomputeTotals();
            runs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        std::sort(runs.begin(), runs.end());
        return runs[2];
    }();
    return seconds;
}

void BM_Baseline_RecomputeTotals(benchmark::State& state) {
    for (auto _ : state) {
        Shared().report.GetRecords().RecomputeTotals();
    }
}
BENCHMARK(BM_Baseline_RecomputeTotals)->Unit(benchmark::kMillisecond);

void Subtotals(benchmark::State& state, qint32 field) {
    const CExpenseRecords& records = Shared().report.GetRecords();
    const double baseline = TotalsSeconds();
    double seconds = 0;
    qsizetype groups = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        groups = CSubtotals::Group(records, field).size();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["groups"] = static_cast<double>(groups);
    state.counters["vs_totals"] = seconds / static_cast<double>(state.iterations()) / baseline;
}

void BM_SubtotalBy(benchmark::State& state) {
    Subtotals(state, CSubtotals::FieldOfPosition(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SubtotalBy)
    ->DenseRange(0, CSubtotals::kGroupingCount - 1)
    ->Unit(benchmark::kMillisecond);

void BM_SubtotalByDescription(benchmark::State& state) {
    Subtotals(state, kFieldDescription);
}
BENCHMARK(BM_SubtotalByDescription)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
