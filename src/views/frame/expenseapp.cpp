#include "views/frame/expenseapp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <cstdio>

#include "app/commandlineinfo.h"
#include "app/firstrundata.h"
#include "app/instancechannel.h"
#include "app/syncprovider.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "views/frame/mainframe.h"
#include "views/frame/splashwnd.h"
#include "views/widgets/accessibleproxy.h"
#include "views/widgets/guiprompts.h"

namespace {

constexpr int kDirectoriesAtStart = 1 | 2 | 8;  // reports, data, images
// Below this width the screen is a phone's, and the window fills it.
constexpr int kPhoneWidth = 600;

// The zoom for a screen: the handheld's pixels are too small to read on a
// desktop's tall screen.
double ChooseScale(int argc, char* argv[]) {
    int height = 0;
    {
        QGuiApplication probe(argc, argv);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            height = screen->size().height();
        }
    }
    return height >= 1000 ? 2 : 1;
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int FirstRunOnly(int argc, char* argv[], QStringList arguments) {
    QCoreApplication application(argc, argv);
    auto platform = Platform::CreateDefault(arguments, std::make_unique<GuiPrompts>());
    PlatformScope scope(*platform);
    return RunFirstRunDataStep().Succeeded() ? 0 : 1;
}

}  // namespace

CExpenseApp::CExpenseApp() = default;

CExpenseApp::~CExpenseApp() {
    // The window goes before the document it shows.
    frame_.reset();
    document_.reset();
}

bool CExpenseApp::TakeOptions(QStringList& arguments, Options& options, QString& error) {
    for (int i = 0; i < arguments.size();) {
        const QString option = arguments[i];
        if (option == QLatin1String("--no-splash")) {
            options.splash = false;
            arguments.removeAt(i);
            continue;
        }
        if (option != QLatin1String("--screen") && option != QLatin1String("--scale")) {
            ++i;
            continue;
        }
        const QString value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (option == QLatin1String("--screen")) {
            const QRegularExpressionMatch size =
                QRegularExpression(QStringLiteral("^(\\d{2,4})x(\\d{2,4})$")).match(value);
            if (!size.hasMatch() || size.captured(1).toInt() < 120 ||
                size.captured(2).toInt() < 120) {
                error = QStringLiteral(
                    "--screen takes WIDTHxHEIGHT, each at least 120, "
                    "for example 240x320");
                return false;
            }
            options.screen = QSize(size.captured(1).toInt(), size.captured(2).toInt());
        } else {
            bool number = false;
            const double scale = value.toDouble(&number);
            if (!number || scale < 1 || scale > 8) {
                error = QStringLiteral("--scale takes a zoom from 1 to 8, for example 2");
                return false;
            }
            options.scale = scale;
        }
        arguments.remove(i, 2);
    }
    return true;
}

int CExpenseApp::Main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    Options options;
    QString error;
    if (!TakeOptions(arguments, options, error)) {
        std::fprintf(stderr, "outlaysheet: %s\n", qPrintable(error));
        return 2;
    }
    CExpenseCommandLineInfo commandLine;
    commandLine.Parse(arguments);
    if (commandLine.InitFiles) {
        return FirstRunOnly(argc, argv, arguments);
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "outlaysheet: there is no display to show the window on (DISPLAY and "
                     "WAYLAND_DISPLAY are not set).\n"
                     "Run it on a desktop or under xvfb-run, or use outlaysheet-cli, the "
                     "command-line tool (outlaysheet-cli help).\n");
        return 1;
    }
    if (options.scale == 0 && qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        options.scale = ChooseScale(argc, argv);
    }
    if (options.scale > 0) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Outlaysheet"));
    // Before the first widget: a screen reader may ask for a widget's
    // interface while it is being built, and Qt keeps the first one made.
    CAccessibleProxy::Install();
    auto platform = Platform::CreateDefault(arguments, std::make_unique<GuiPrompts>());
    PlatformScope scope(*platform);
    CExpenseApp program;
    const int status = program.Start(arguments, options);
    return status >= 0 ? status : QApplication::exec();
}

int CExpenseApp::Start(const QStringList& arguments, const Options& options) {
    // One program per user and settings folder: a second start brings the
    // first forward instead.
    if (InstanceChannel::Send(InstanceChannel::Request::Raise)) {
        return 0;
    }
    channel_ = std::make_unique<InstanceChannel>();
    if (!channel_->Listen() && InstanceChannel::Send(InstanceChannel::Request::Raise)) {
        return 0;
    }
    CExpenseCommandLineInfo commandLine;
    commandLine.Parse(arguments);
    if (commandLine.InitFiles) {
        RunFirstRunDataStep();
        return 0;
    }
    // The window's pixels are the handheld's; a desktop's zoom lies on top.
    Platform::Get().SetScreenDpi(96, 96);
    InitDirectories(kDirectoriesAtStart);
    if (FirstRunDataStepPending()) {
        RunFirstRunDataStep();
    }
    CheckSyncProvider();
    DeleteLog();
    if (options.splash) {
        CSplashWnd::ShowSplash(nullptr);
    }
    document_ = std::make_unique<CExpenseDoc>();
    frame_ = std::make_unique<CMainFrame>(*document_);
    if (auto* prompts = dynamic_cast<GuiPrompts*>(&Platform::Get().GetPrompts())) {
        prompts->SetWindow(frame_.get());
    }
    CMainFrame* frame = frame_.get();
    QObject::connect(channel_.get(), &InstanceChannel::raiseRequested, frame,
                     &CMainFrame::BringForward);
    QObject::connect(channel_.get(), &InstanceChannel::refreshRequested, frame,
                     &CMainFrame::ReloadFromFiles);
    frame->resize(options.screen);

    const bool opened = document_->OpenStartupReport(commandLine.fileName);
    switch (document_->GetPreferences().GetCurrentView()) {
        case 0:
            frame->SendCommand(CMainFrame::Command::SimpleList);
            break;
        case 1:
            frame->SendCommand(CMainFrame::Command::DetailedList);
            break;
        default:
            break;
    }
    frame->RefreshViews();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && screen->availableGeometry().width() < kPhoneWidth) {
        frame->showMaximized();
    } else {
        frame->show();
    }
    frame->repaint();
    CSplashWnd::HideSplash();
    if (!opened) {
        Platform::Get().GetPrompts().Information(QStringLiteral(
            "There are no expense reports to open, please create a new expense report."));
        frame->SendCommand(CMainFrame::Command::NewReport);
    }
    return -1;
}
