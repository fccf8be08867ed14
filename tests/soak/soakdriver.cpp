#include "soakdriver.h"

#include <QtTest/qtestkeyboard.h>
#include <QtTest/qtestmouse.h>
#include <QApplication>
#include <QDialog>
#include <cstdio>
#include <cstdlib>

#include "crashnote.h"
#include "soakwatchdog.h"

namespace {

// The keys a user of the handheld's keyboard presses; letters and digits
// type their text.
Qt::Key KeyOf(quint64 roll, QString& text) {
    if (roll < 40) {
        text = QString(QChar(static_cast<char16_t>(u'a' + roll % 26)));
        return static_cast<Qt::Key>(Qt::Key_A + roll % 26);
    }
    if (roll < 70) {
        text = QString(QChar(static_cast<char16_t>(u'0' + roll % 10)));
        return static_cast<Qt::Key>(Qt::Key_0 + roll % 10);
    }
    // Escape as often as Return, so that the run climbs out of dialogs as
    // readily as it goes into them.
    constexpr Qt::Key kOthers[] = {Qt::Key_Return, Qt::Key_Return, Qt::Key_Escape,
                                   Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Up,
                                   Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right};
    const Qt::Key key = kOthers[(roll - 70) % std::size(kOthers)];
    text = key == Qt::Key_Return   ? QStringLiteral("\r")
           : key == Qt::Key_Escape ? QStringLiteral("\x1b")
           : key == Qt::Key_Tab    ? QStringLiteral("\t")
                                   : QString();
    return key;
}

std::string Where(const QWindow* window, QPoint at) {
    return QStringLiteral("%1,%2 in \"%3\" (%4)")
        .arg(at.x())
        .arg(at.y())
        .arg(window->title(), window->objectName())
        .toStdString();
}

}  // namespace

SoakDriver::SoakDriver(const Settings& settings, Check check, MainWindow mainWindow,
                       SoakWatchdog& watchdog)
    : settings_(settings),
      check_(std::move(check)),
      mainWindow_(std::move(mainWindow)),
      watchdog_(watchdog),
      random_(settings.seed) {
    step_.setSingleShot(true);
    connect(&step_, &QTimer::timeout, this, &SoakDriver::Step);
}

void SoakDriver::Start() {
    step_.start(0);
}

void SoakDriver::Step() {
    if (finished_) {
        return;
    }
    watchdog_.Beat(eventsSent_, sent_);
    if (beforeStep_) {
        beforeStep_();
    }
    if (queue_.empty()) {
        if (eventsSent_ > lastChecked_ &&
            (eventsSent_ % settings_.checkEvery == 0 || eventsSent_ == settings_.events)) {
            RunCheck();
        }
        if (eventsSent_ >= settings_.events) {
            if (CloseOne()) {
                step_.start(0);
                return;
            }
            finished_ = true;
            RunCheck();
            emit Finished();
            return;
        }
        Plan();
    }
    if (queue_.empty()) {
        step_.start(0);
        return;
    }
    const Primitive primitive = queue_.front();
    queue_.pop_front();
    // Armed before the primitive goes out: when it opens a modal dialog, the
    // next step runs inside that dialog's loop.
    step_.start(primitive.kind == Kind::Wait ? primitive.advance : 0);
    if (primitive.kind != Kind::Wait) {
        Send(primitive);
    }
}

QWindow* SoakDriver::TargetWindow() {
    QWidget* widget = QApplication::activePopupWidget();
    if (widget == nullptr) {
        widget = QApplication::activeModalWidget();
    }
    if (widget == nullptr) {
        widget = QApplication::activeWindow();
    }
    if (widget == nullptr) {
        widget = mainWindow_();
    }
    if (widget == nullptr || !widget->isVisible()) {
        return nullptr;
    }
    return widget->window()->windowHandle();
}

QPoint SoakDriver::RandomPoint(const QWindow* window) {
    const int x = static_cast<int>(Below(static_cast<quint64>(qMax(1, window->width()))));
    const int y = static_cast<int>(Below(static_cast<quint64>(qMax(1, window->height()))));
    return {x, y};
}

void SoakDriver::Plan() {
    ++eventsSent_;
    NoteEvent(eventsSent_);
    // Now and then the pen goes back to the main window, as a user taps
    // the window behind a help page; a modal dialog still keeps it out.
    const bool toMain = Below(100) < 3;
    QWindow* window = TargetWindow();
    if (toMain && QApplication::activePopupWidget() == nullptr &&
        QApplication::activeModalWidget() == nullptr) {
        if (QWidget* main = mainWindow_(); main != nullptr && main->isVisible()) {
            main->activateWindow();
            window = main->windowHandle();
        }
    }
    if (window == nullptr) {
        Describe("nothing to send to");
        return;
    }
    if (Below(100) < 55) {
        PlanPen(window);
    } else {
        PlanKey(window);
    }
}

void SoakDriver::PlanPen(QWindow* window) {
    const QPoint at = RandomPoint(window);
    const quint64 kind = Below(100);
    const auto queue = [this, window](Kind what, QPoint where, int advance) {
        queue_.push_back({what, window, where, 0, QString(), advance});
    };
    if (kind < 4) {
        Describe("held pen at " + Where(window, at));
        queue(Kind::Press, at, 1000);
        queue(Kind::Wait, at, settings_.holdMs);
        queue(Kind::Release, at, settings_.holdMs);
    } else if (kind < 20) {
        const QPoint move(static_cast<int>(Below(81)) - 40, static_cast<int>(Below(81)) - 40);
        const QPoint end(qBound(0, at.x() + move.x(), window->width() - 1),
                         qBound(0, at.y() + move.y(), window->height() - 1));
        Describe("drag from " + Where(window, at) + " to " + std::to_string(end.x()) + "," +
                 std::to_string(end.y()));
        queue(Kind::Press, at, 1000);
        for (int part = 1; part <= 3; ++part) {
            queue(Kind::Move, at + (end - at) * part / 3, 30);
        }
        queue(Kind::Release, end, 30);
    } else if (kind < 28) {
        Describe("double tap at " + Where(window, at));
        queue(Kind::Press, at, 1000);
        queue(Kind::Release, at, 50);
        queue(Kind::Press, at, 100);
        queue(Kind::Release, at, 50);
    } else {
        Describe("tap at " + Where(window, at));
        queue(Kind::Press, at, 1000);
        queue(Kind::Release, at, 80);
    }
}

void SoakDriver::PlanKey(QWindow* window) {
    QString text;
    const Qt::Key key = KeyOf(Below(100), text);
    Describe("key " + QKeySequence(key).toString().toStdString() + " to \"" +
             window->title().toStdString() + "\"");
    queue_.push_back({Kind::KeyPress, window, QPoint(), key, text, 200});
    queue_.push_back({Kind::KeyRelease, window, QPoint(), key, text, 20});
}

void SoakDriver::Send(const Primitive& primitive) {
    QWindow* window = primitive.window;
    QPoint at = primitive.at;
    if (window == nullptr) {
        // The window went away while the pen or key was down; it comes up
        // wherever the user is now.
        if (primitive.kind == Kind::Press || primitive.kind == Kind::KeyPress) {
            return;
        }
        window = TargetWindow();
        if (window == nullptr) {
            return;
        }
        at = QPoint(qBound(0, at.x(), window->width() - 1),
                    qBound(0, at.y(), window->height() - 1));
    }
    timestamp_ += static_cast<ulong>(primitive.advance);
    ++primitives_;
    const QPointF local(at);
    const QPointF global = window->mapToGlobal(local);
    const int time = static_cast<int>(timestamp_);
    switch (primitive.kind) {
        case Kind::Press:
            qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton,
                                QEvent::MouseButtonPress, Qt::NoModifier, time);
            break;
        case Kind::Move:
            qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::NoButton,
                                QEvent::MouseMove, Qt::NoModifier, time);
            break;
        case Kind::Release:
            qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton,
                                QEvent::MouseButtonRelease, Qt::NoModifier, time);
            break;
        case Kind::KeyPress:
            qt_handleKeyEvent(window, QEvent::KeyPress, primitive.key, Qt::NoModifier,
                              primitive.text);
            break;
        case Kind::KeyRelease:
            qt_handleKeyEvent(window, QEvent::KeyRelease, primitive.key, Qt::NoModifier,
                              primitive.text);
            break;
        case Kind::Wait:
            break;
    }
}

bool SoakDriver::CloseOne() {
    QWidget* open = QApplication::activePopupWidget();
    if (open == nullptr) {
        open = QApplication::activeModalWidget();
    }
    if (open == nullptr) {
        return false;
    }
    // A dialog that answers every closing with another one would keep the
    // run from ending: that is a hang of its own.
    if (++closing_ > 200) {
        std::fprintf(stderr,
                     "soak: seed %llu: event %d: dialogs keep opening as they are closed\n",
                     static_cast<unsigned long long>(settings_.seed), eventsSent_);
        std::fflush(stderr);
        std::_Exit(1);
    }
    sent_ = "closing " + open->windowTitle().toStdString();
    if (auto* dialog = qobject_cast<QDialog*>(open)) {
        dialog->reject();
    } else {
        open->close();
    }
    return true;
}

void SoakDriver::RunCheck() {
    lastChecked_ = eventsSent_;
    ++checks_;
    QStringList faults = check_();
    QWidget* main = mainWindow_();
    if (main == nullptr || !main->isVisible()) {
        faults.append(QStringLiteral("the main window is gone"));
    }
    const auto seed = static_cast<unsigned long long>(settings_.seed);
    if (faults.isEmpty()) {
        if (settings_.verbose) {
            std::printf("soak: seed %llu: event %d: files and window good\n", seed, eventsSent_);
            std::fflush(stdout);
        }
        return;
    }
    for (const QString& fault : faults) {
        std::fprintf(stderr, "soak: seed %llu: event %d: %s\n", seed, eventsSent_,
                     qPrintable(fault));
    }
    std::fprintf(stderr, "soak: last sent: %s\nsoak: replay with --seed %llu --events %d\n",
                 sent_.c_str(), seed, eventsSent_);
    std::fflush(stderr);
    std::_Exit(1);
}

void SoakDriver::Describe(const std::string& text) {
    sent_ = "event " + std::to_string(eventsSent_) + ": " + text;
    if (settings_.verbose) {
        std::printf("soak: %s\n", sent_.c_str());
    }
}
