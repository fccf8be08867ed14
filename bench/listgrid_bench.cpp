// The detailed list of a 100,000-expense report against the same list of a
// 10-expense report, in the same run: showing the list once the report is
// open, painting one frame, scrolling one page at a time (time per page) and
// re-sorting by a heading tap. A list that asks only for the rows it shows
// costs the same per frame whatever the report's size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <map>
#include <memory>
#include <random>

#include "benchexpenses.h"
#include "platform/directories.h"
#include "report/expensedoc.h"
#include "report/expenserecords.h"
#include "scratchplatform.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "listgrid_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// One open report of `count` expenses and its detailed list, 240 x 272 as on
// the handheld's portrait screen.
struct Shown {
    explicit Shown(int count) {
        InitDirectories(1 | 2 | 8);
        CExpenseReportInfo header;
        QString error;
        header.ValidateName(GetReportsDirectory(), QStringLiteral("Bench%1").arg(count), false,
                            error);
        document.CreateReport(header);
        std::mt19937 random(7);
        AddBenchExpenses(document.GetRecords(), count, random);
        view = std::make_unique<CGridViewDetails>(document, nullptr);
        view->resize(240, 272);
        view->show();
        view->ReloadDetails();
        QApplication::processEvents();
    }

    CExpenseDoc document;
    std::unique_ptr<CGridViewDetails> view;
};

Shown& ListOf(int count) {
    Application();
    static ScratchPlatform platform;
    static std::map<int, std::unique_ptr<Shown>> lists;
    auto& list = lists[count];
    if (!list) {
        list = std::make_unique<Shown>(count);
    }
    return *list;
}

void Paint(CListGrid* grid, QImage& image) {
    grid->viewport()->render(&image);
}

void BM_ShowList(benchmark::State& state) {
    Shown& shown = ListOf(static_cast<int>(state.range(0)));
    QImage image(240, 272, QImage::Format_RGB32);
    for (auto _ : state) {
        shown.view->ReloadDetails();
        shown.view->render(&image);
    }
}

void BM_PaintFrame(benchmark::State& state) {
    Shown& shown = ListOf(static_cast<int>(state.range(0)));
    CListGrid* grid = shown.view->Grid();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        Paint(grid, image);
    }
}

void BM_ScrollPage(benchmark::State& state) {
    Shown& shown = ListOf(static_cast<int>(state.range(0)));
    CListGrid* grid = shown.view->Grid();
    QScrollBar* bar = grid->verticalScrollBar();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    bar->setValue(0);
    for (auto _ : state) {
        // Top to bottom a page at a time, and round again.
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        Paint(grid, image);
    }
    state.counters["pages"] = bar->maximum() / qMax(1, bar->pageStep()) + 1;
}

void BM_ResortByHeading(benchmark::State& state) {
    Shown& shown = ListOf(static_cast<int>(state.range(0)));
    CListGrid* grid = shown.view->Grid();
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        // "Amount" again and again: the direction flips each time.
        shown.view->OnHeaderTap(3, 0);
        Paint(grid, image);
    }
}

}  // namespace

BENCHMARK(BM_ShowList)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFrame)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollPage)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResortByHeading)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
