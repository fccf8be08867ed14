// Exporting a report of 10,000 expenses as CSV and as PDF, each read against
// opening the same report in the same run: the counter "vs_open" is the
// export's time over the open's, "bytes" the size of the file written and
// "pages" the PDF's page count.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <random>

#include "benchexpenses.h"
#include "export/reportexporter.h"
#include "lists/personalinfo.h"
#include "report/report.h"
#include "scratchplatform.h"

namespace {

constexpr int kExpenses = 10000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// One platform and one report file for the whole run.
struct Fixture {
    Fixture() {
        CExpenseReport report;
        QString error;
        report.GetHeader().ValidateName(platform.Folder(), "Bench", false, error);
        path = report.GetHeader().GetPath();
        std::mt19937 random(7);
        AddBenchExpenses(report.GetRecords(), kExpenses, random);
        report.SaveAs(path, true);
        traveller.SetName(QStringLiteral("Bench Traveller"));
        traveller.SetCompany(QStringLiteral("Bench Company"));
    }

    ScratchPlatform platform;
    QString path;
    CPersonalInfo traveller;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

bool OpenReport(CExpenseReport& report) {
    return report.Open(Shared().path, false);
}

// The median of three opens, in seconds.
double OpenSeconds() {
    static const double seconds = [] {
        Shared();
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i) {
            const auto start = Clock::now();
            CExpenseReport report;
            OpenReport(report);
            runs.push_back(Seconds(Clock::now() - start));
        }
        std::sort(runs.begin(), runs.end());
        return runs[1];
    }();
    return seconds;
}

void BM_Baseline_OpenReport(benchmark::State& state) {
    Shared();
    for (auto _ : state) {
        CExpenseReport report;
        if (!OpenReport(report)) {
            state.SkipWithError("the report did not open");
            break;
        }
    }
}
BENCHMARK(BM_Baseline_OpenReport)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State& state, CReportExporter::Format format) {
    Fixture& fixture = Shared();
    CExpenseReport report;
    OpenReport(report);
    CReportExporter::Request request;
    request.format = format;
    request.outputPath =
        fixture.platform.Path(QStringLiteral("export.") + CReportExporter::FormatName(format));
    CReportExporter::Result result;
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        result = CReportExporter::Export(report, request, fixture.traveller);
        spent += Clock::now() - start;
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
    state.counters["vs_open"] =
        Seconds(spent) / static_cast<double>(state.iterations()) / OpenSeconds();
    state.counters["bytes"] = static_cast<double>(QFileInfo(result.path).size());
    state.counters["pages"] = result.pageCount;
}
BENCHMARK_CAPTURE(BM_Export, Csv, CReportExporter::Format::kCsv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Export, Pdf, CReportExporter::Format::kPdf)->Unit(benchmark::kMillisecond);

}  // namespace

// The PDF's fonts need the GUI application, which needs no display here.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
