// The reimbursement package of a report of 200 expenses with a receipt each
// (190 photos of 2,000 x 1,500 pixels as receipts are kept, 10 one-page PDF
// scans), as a ZIP file and as a folder, each read against the printable
// report alone of the same expenses: "vs_pdf" is the package's time over the
// PDF's, "bytes" the package's size and "receipt_bytes" the receipts' own,
// "pages" the PDF's, "peak_mb" the process's peak memory so far.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <chrono>
#include <map>
#include <random>

#include "benchexpenses.h"
#include "export/reportexporter.h"
#include "lists/personalinfo.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "scratchplatform.h"

namespace {

constexpr int kExpenses = 200;
constexpr int kScanEvery = 20;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// A photo of a slip: paper lit unevenly, with a camera's faint grain, so
// that it compresses as such a photo does, and lines of text.
QImage Photo() {
    QImage image(2000, 1500, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int shade = 170 + (x + y) / 60 + static_cast<int>(random.bounded(6));
            line[x] = qRgb(shade, shade, shade - 12);
        }
    }
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(48);
    painter.setFont(font);
    for (int row = 0; row < 20; ++row) {
        painter.drawText(200, 150 + row * 60, QStringLiteral("Item %1 .......... 12.50").arg(row));
    }
    return image;
}

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

        const QString photo = platform.Path("photo.jpg");
        Photo().save(photo, "jpg", 85);
        const QString scan = platform.Path("scan.pdf");
        {
            QPdfWriter writer(scan);
            QPainter painter(&writer);
            painter.drawImage(painter.viewport(), Photo());
        }
        for (int i = 0; i < kExpenses; ++i) {
            const bool isPdf = i % kScanEvery == 0;
            const QString name = QStringLiteral("receipt%1.%2").arg(i).arg(isPdf ? "pdf" : "jpg");
            QFile::copy(isPdf ? scan : photo, platform.Path(name));
            receipts.push_back({platform.Path(name), name, isPdf});
        }
    }

    ScratchPlatform platform;
    QString path;
    CPersonalInfo traveller;
    std::vector<ReceiptFile> receipts;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Each expense of the open report gets one receipt, by its place.
ReceiptSource SourceFor(const CExpenseReport& report) {
    auto places = std::make_shared<std::map<const CExpenseRecord*, int>>();
    for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
        (*places)[report.GetRecords().GetAt(i, false)] = i;
    }
    return [places](const CExpenseRecord& record) {
        return std::vector<ReceiptFile>{Shared().receipts[(*places)[&record]]};
    };
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

CReportExporter::Result Run(CExpenseReport& report, const CReportExporter::Request& request,
                            Clock::duration& spent) {
    const auto start = Clock::now();
    CReportExporter::Result result = CReportExporter::Export(report, request, Shared().traveller);
    spent += Clock::now() - start;
    return result;
}

// The median of three exports of the printable report alone, in seconds.
double PdfSeconds() {
    static const double seconds = [] {
        Shared();
        CExpenseReport report;
        report.Open(Shared().path, false);
        CReportExporter::Request request;
        request.format = CReportExporter::Format::kPdf;
        request.outputPath = Shared().platform.Path("alone.pdf");
        std::vector<double> runs;
        for (int i = 0; i < 3; ++i) {
            Clock::duration spent{};
            Run(report, request, spent);
            runs.push_back(Seconds(spent));
        }
        std::sort(runs.begin(), runs.end());
        return runs[1];
    }();
    return seconds;
}

void BM_Baseline_Pdf(benchmark::State& state) {
    Fixture& fixture = Shared();
    CExpenseReport report;
    report.Open(fixture.path, false);
    CReportExporter::Request request;
    request.format = CReportExporter::Format::kPdf;
    request.outputPath = Shared().platform.Path("alone.pdf");
    for (auto _ : state) {
        Clock::duration spent{};
        if (!Run(report, request, spent).ok) {
            state.SkipWithError("the PDF was not written");
            break;
        }
    }
}
BENCHMARK(BM_Baseline_Pdf)->Unit(benchmark::kMillisecond);

void BM_Package(benchmark::State& state, bool folder) {
    Fixture& fixture = Shared();
    CExpenseReport report;
    report.Open(fixture.path, false);
    CReportExporter::Request request;
    request.format = CReportExporter::Format::kPackage;
    request.receipts = SourceFor(report);
    request.packageFolder = folder;
    CReportExporter::Result result;
    Clock::duration spent{};
    int run = 0;
    for (auto _ : state) {
        // A new name each time: a folder is never replaced.
        request.outputPath = fixture.platform.Path(
            QStringLiteral("package%1%2").arg(++run).arg(folder ? "" : ".zip"));
        result = Run(report, request, spent);
        if (!result.ok) {
            state.SkipWithError(qPrintable(result.error));
            break;
        }
    }
    state.counters["vs_pdf"] =
        Seconds(spent) / static_cast<double>(state.iterations()) / PdfSeconds();
    // The package's size: the ZIP, or the folder's files.
    qint64 bytes = QFileInfo(result.path).size();
    if (folder) {
        bytes = 0;
        for (const QFileInfo& file : QDir(result.path).entryInfoList(QDir::Files)) {
            bytes += file.size();
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    qint64 receipts = 0;
    for (const ReceiptFile& receipt : fixture.receipts) {
        receipts += QFileInfo(receipt.path).size();
    }
    state.counters["receipt_bytes"] = static_cast<double>(receipts);
    state.counters["pages"] = result.pageCount;
    state.counters["receipts"] = result.receiptCount;
    state.counters["peak_mb"] = PeakMegabytes();
}
BENCHMARK_CAPTURE(BM_Package, Zip, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Package, Folder, true)->Unit(benchmark::kMillisecond);

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
