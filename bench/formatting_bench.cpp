// Amount and date formatting run for every row a list draws. Each figure is
// read against the baseline of the same run: Qt writing the same numbers with
// QString::number, which knows nothing of patterns or rounding rules.
#include <benchmark/benchmark.h>

#include <QString>
#include <QTimeZone>

#include "platform/datepicture.h"
#include "platform/localeinfo.h"
#include "platform/numberformat.h"

namespace {

double Value(int64_t i) {
    return (i % 2 ? -1.0 : 1.0) * (static_cast<double>(i % 1000003) * 1.37 + 0.005);
}

void BM_Baseline_QStringNumber(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QString::number(Value(i++), 'f', 2));
    }
}
BENCHMARK(BM_Baseline_QStringNumber);

void BM_FormatCurrency(benchmark::State& state) {
    CurrencyFmt format;
    int64_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatCurrency(Value(i++), format));
    }
}
BENCHMARK(BM_FormatCurrency);

void BM_FormatDatePicture(benchmark::State& state) {
    LocaleInfo locale;
    QDate date(2026, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatDatePicture(date, u"M/d/yyyy", locale));
        date = date.addDays(1);
    }
}
BENCHMARK(BM_FormatDatePicture);

}  // namespace

BENCHMARK_MAIN();
