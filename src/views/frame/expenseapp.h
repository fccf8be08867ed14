#pragma once

#include <QSize>
#include <QStringList>
#include <memory>

class CExpenseDoc;
class CMainFrame;
class GuiPrompts;
class InstanceChannel;
class Platform;
class PlatformScope;

// The program: start-up in the order the handheld program kept (one running
// program per user and settings folder, the first-run data on a user's
// first start, the synchronisation provider's check, the splash, the
// document, the window and the first report), the message loop, and the
// exit.
class CExpenseApp {
public:
    struct Options {
        QSize screen{240, 320};  // the handheld's screen: the window's size
        double scale = 0;        // the zoom of the whole interface; 0 chooses
        bool splash = true;
    };

    // Takes --screen WxH, --scale N and --no-splash out of `arguments`; false
    // with `error` for a malformed value.
    static bool TakeOptions(QStringList& arguments, Options& options, QString& error);

    // The whole run of the program, from the process's arguments; the
    // process's exit status.
    static int Main(int argc, char* argv[]);

    // Start-up after the application object and the platform exist, with
    // the arguments left for the command line. Returns -1 when the message
    // loop should run, else the exit status.
    int Start(const QStringList& arguments, const Options& options);

    CExpenseApp();
    ~CExpenseApp();
    CMainFrame* Frame() const { return frame_.get(); }
    CExpenseDoc* Document() const { return document_.get(); }

private:
    std::unique_ptr<InstanceChannel> channel_;
    std::unique_ptr<CExpenseDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
};
