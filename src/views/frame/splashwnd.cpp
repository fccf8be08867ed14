#include "views/frame/splashwnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimerEvent>

namespace {

QPointer<CSplashWnd> current;

}  // namespace

CSplashWnd::CSplashWnd(const QPixmap& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Outlaysheet"));
    setFixedSize(picture_.size());
}

CSplashWnd* CSplashWnd::ShowSplash(QWidget* over) {
    const QPixmap picture(QStringLiteral(":/images/SPLASH.BMP"));
    if (picture.isNull()) {
        return nullptr;
    }
    HideSplash();
    current = new CSplashWnd(picture);
    QRect area;
    if (over != nullptr && over->isVisible()) {
        area = over->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    QRect placed(QPoint(), picture.size());
    placed.moveCenter(area.center());
    current->move(placed.topLeft());
    current->show();
    current->repaint();
    current->timer_.start(kShowMs, current);
    return current;
}

void CSplashWnd::HideSplash() {
    if (current != nullptr) {
        current->close();
    }
}

CSplashWnd* CSplashWnd::Current() {
    return current;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, picture_);
}

void CSplashWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        close();
    }
}

void CSplashWnd::closeEvent(QCloseEvent* event) {
    timer_.stop();
    current = nullptr;
    event->accept();
}
