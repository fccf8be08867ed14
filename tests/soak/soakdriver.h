#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>
#include <deque>
#include <functional>
#include <random>
#include <string>

class SoakWatchdog;

// Random pen and key events sent to the program's active window, one
// primitive (pen down, move, up, key down, key up, a wait) each time the
// event loop turns, so that a tap opening a modal dialog goes on being
// driven inside that dialog's own loop. What is sent depends on the seed
// alone: the driver's own generator, its own event time stamps, nothing
// from the clock; the program's timers still run between the steps.
class SoakDriver : public QObject {
    Q_OBJECT

public:
    struct Settings {
        quint64 seed = 1;
        int events = 1000;     // the run ends after this many
        int checkEvery = 100;  // the invariants run after each this many
        int holdMs = 700;      // a held pen stays down this long
        bool verbose = false;
    };
    // Faults found in the stored files (none when all is well).
    using Check = std::function<QStringList()>;
    // The main window, which the pen goes back to now and then.
    using MainWindow = std::function<QWidget*()>;

    SoakDriver(const Settings& settings, Check check, MainWindow mainWindow,
               SoakWatchdog& watchdog);

    // Starts stepping once the event loop runs.
    void Start();
    // Runs before every step, to look at what the last one opened.
    void SetBeforeStep(std::function<void()> hook) { beforeStep_ = std::move(hook); }

    int EventsSent() const { return eventsSent_; }
    int Checks() const { return checks_; }
    int Primitives() const { return primitives_; }

signals:
    // Every event was sent and every dialog closed again.
    void Finished();

private:
    enum class Kind { Press, Move, Release, KeyPress, KeyRelease, Wait };
    struct Primitive {
        Kind kind;
        QPointer<QWindow> window;
        QPoint at;
        int key = 0;
        QString text;
        int advance = 0;  // ms added to the event time stamp, or the wait
    };

    void Step();
    // Queues the primitives of the next event.
    void Plan();
    void PlanPen(QWindow* window);
    void PlanKey(QWindow* window);
    void Send(const Primitive& primitive);
    // One step of closing what is open once the events are all sent; false
    // when nothing is left open.
    bool CloseOne();
    // Runs the checks; on a fault, says so and ends the process.
    void RunCheck();
    QWindow* TargetWindow();
    quint64 Below(quint64 bound) { return random_() % bound; }
    QPoint RandomPoint(const QWindow* window);
    void Describe(const std::string& text);

    Settings settings_;
    Check check_;
    MainWindow mainWindow_;
    std::function<void()> beforeStep_;
    SoakWatchdog& watchdog_;
    std::mt19937_64 random_;
    QTimer step_;
    std::deque<Primitive> queue_;
    ulong timestamp_ = 100000;
    int eventsSent_ = 0;
    int primitives_ = 0;
    int checks_ = 0;
    int closing_ = 0;
    int lastChecked_ = 0;
    bool finished_ = false;
    std::string sent_;
};
