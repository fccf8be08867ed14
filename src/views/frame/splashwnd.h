#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

// The picture shown while the program starts: borderless, above every other
// window, for at most five seconds or until start-up closes it.
class CSplashWnd : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShowMs = 5000;

    // Shows the splash centred over `over` when that is visible, else over
    // the screen; none when the picture cannot be loaded.
    static CSplashWnd* ShowSplash(QWidget* over);
    // Closes the splash if it is still open.
    static void HideSplash();
    static CSplashWnd* Current();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit CSplashWnd(const QPixmap& picture);

    QPixmap picture_;
    QBasicTimer timer_;
};
