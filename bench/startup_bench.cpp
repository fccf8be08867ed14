// The window's start, as the program starts it (the document, the window,
// the last report opened, the list shown and painted), with a report of
// 1,000 and of 100,000 expenses on an offscreen screen. The time runs from
// the start until the first frame of the list has been painted; what the
// start leaves for the message loop afterwards runs outside the time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <map>
#include <memory>
#include <random>

#include "app/firstrundata.h"
#include "benchexpenses.h"
#include "platform/directories.h"
#include "report/expensedoc.h"
#include "report/report.h"
#include "scratchplatform.h"
#include "views/frame/expenseapp.h"
#include "views/frame/mainframe.h"

namespace {

// The user's folders after the first start, for the whole run.
ScratchPlatform& Folders() {
    static ScratchPlatform platform;
    static const bool installed = [] {
        InitDirectories(1 | 2 | 8);
        return RunFirstRunDataStep().Succeeded();
    }();
    Q_UNUSED(installed);
    return platform;
}

// A report of `count` expenses, the one the window is started with.
struct User {
    explicit User(int count) {
        Folders();
        CExpenseDoc document;
        CExpenseReportInfo header;
        QString error;
        header.ValidateName(GetReportsDirectory(), QStringLiteral("Trip %1").arg(count), false,
                            error);
        document.CreateReport(header);
        std::mt19937 random(7);
        AddBenchExpenses(document.GetRecords(), count, random);
        document.GetReport().Save(true);
        path = document.GetReport().GetHeader().GetPath();
    }

    QString path;
};

std::map<int, std::unique_ptr<User>>& Users() {
    static std::map<int, std::unique_ptr<User>> users;
    return users;
}

User& UserWith(int count) {
    auto& user = Users()[count];
    if (!user) {
        user = std::make_unique<User>(count);
    }
    return *user;
}

void BM_StartToPaintedList(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    User& user = UserWith(count);
    CExpenseApp::Options options;
    options.splash = false;
    for (auto _ : state) {
        auto program = std::make_unique<CExpenseApp>();
        // Start returns once the window has been shown and painted.
        if (program->Start({user.path}, options) != -1 ||
            program->Document()->GetRecords().GetCount(false) == 0) {
            state.SkipWithError("the window did not start with the report");
            break;
        }
        state.PauseTiming();
        QApplication::processEvents();
        program.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToPaintedList)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

// The application lives in main, so that it goes before the statics that
// the benchmarks leave behind, and before the runtime's own.
int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Users().clear();
    return 0;
}
