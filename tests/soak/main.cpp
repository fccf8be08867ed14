#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "app/firstrundata.h"
#include "crashnote.h"
#include "platform/directories.h"
#include "samplereports.h"
#include "sandboxguard.h"
#include "soakdriver.h"
#include "soakwatchdog.h"
#include "storedfiles.h"
#include "support/testhome.h"
#include "support/testplatform.h"
#include "views/frame/expenseapp.h"
#include "views/frame/mainframe.h"
#include "views/slip/categorybutton.h"
#include "views/widgets/guiprompts.h"

namespace {

constexpr char kUsage[] =
    "usage: soak [--seed N] [--events N] [--check-every N] [--hang-seconds N] [--verbose]\n"
    "Sends N random taps, held pens, drags and keys (seeded by --seed) to the program's\n"
    "window on a temporary documents root, checking the stored files every\n"
    "--check-every events. Exit status 0: no fault; 1: a file or window fault; 3: a hang.\n";

struct Options {
    SoakDriver::Settings settings;
    int hangSeconds = 60;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray option = argv[i];
        if (option == "--verbose") {
            options.settings.verbose = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        bool number = false;
        const qulonglong value = QByteArray(argv[++i]).toULongLong(&number);
        if (!number) {
            return false;
        }
        if (option == "--seed") {
            options.settings.seed = value;
        } else if (option == "--events" && value <= 100000000) {
            options.settings.events = static_cast<int>(value);
        } else if (option == "--check-every" && value >= 1 && value <= 100000000) {
            options.settings.checkEvery = static_cast<int>(value);
        } else if (option == "--hang-seconds" && value >= 1 && value <= 86400) {
            options.hangSeconds = static_cast<int>(value);
        } else {
            return false;
        }
    }
    return true;
}

// Everything a run could reach beyond its folders is pointed inside the
// test home: sockets and temporary files, and the sound server, which is
// not there, so no sound device is needed.
void KeepInside(const QString& home) {
    const QString temp = home + QStringLiteral("/tmp");
    QDir().mkpath(temp);
    qputenv("TMPDIR", QFile::encodeName(temp));
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + home + "/no-sound"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("SESSION_MANAGER");
}

// The offscreen platform says at every dialog that it cannot raise a window
// or grab the keyboard; over thousands of events that buries what matters.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    qInstallMessageHandler(QuietMessages);
    NoteCrashesOf(options.settings.seed);
    const auto home = MakeTestHome();
    KeepInside(home->path());
    QApplication application(argc, argv);
    // The main window is never closed by the run; a dialog closing last
    // must not end it either.
    QApplication::setQuitOnLastWindowClosed(false);

    TestPlatform platform(UsEnglishLocale(), std::make_unique<GuiPrompts>());
    SandboxGuard guard(platform.TempFolder());
    InitDirectories(1 | 2 | 8);
    RunFirstRunDataStep();
    MakeSampleReports();
    if (const QStringList faults = CheckStoredFiles(platform.Root()); !faults.isEmpty()) {
        std::fprintf(stderr, "soak: the sample files are faulty: %s\n",
                     qPrintable(faults.join(QStringLiteral("; "))));
        return 1;
    }

    const SoakDriver::Settings& settings = options.settings;
    SoakWatchdog watchdog(settings.seed, options.hangSeconds);
    CExpenseApp program;
    options.settings.holdMs = CategoryButton::kHoldMs + 100;
    SoakDriver driver(
        options.settings, [&platform] { return CheckStoredFiles(platform.Root()); },
        [&program]() -> QWidget* { return program.Frame(); }, watchdog);
    driver.SetBeforeStep([&guard] { guard.FenceFileDialogs(); });
    QObject::connect(&driver, &SoakDriver::Finished, &application, &QApplication::quit);
    // Driving starts before the program does: start-up may already ask.
    driver.Start();
    CExpenseApp::Options window;
    window.splash = false;
    if (const int status = program.Start({}, window); status >= 0) {
        std::fprintf(stderr, "soak: the program did not start (status %d)\n", status);
        return 1;
    }
    QApplication::exec();
    std::printf(
        "soak: seed %llu: %d events (%d pen and key primitives), %d checks, "
        "%d desktop openings stubbed: no fault\n",
        static_cast<unsigned long long>(settings.seed), driver.EventsSent(), driver.Primitives(),
        driver.Checks(), guard.UrlsCaught());
    return 0;
}
