#include "views/widgets/popupkeeper.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

PopUpKeeper::PopUpKeeper(QWidget* screen) : QObject(screen), screen_(screen) {
    qApp->installEventFilter(this);
}

QPoint PopUpKeeper::Inside(const QWidget* anchor, QPoint wanted, QSize size) {
    QRect area;
    if (anchor != nullptr) {
        const QWidget* window = anchor->window();
        area = QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
        if (const QScreen* screen = window->screen()) {
            area &= screen->availableGeometry();
        }
    }
    if (area.isEmpty()) {
        return wanted;
    }
    // Right and bottom first, so that a pop-up larger than the window keeps
    // its start in view.
    wanted.setX(qMax(area.left(), qMin(wanted.x(), area.right() + 1 - size.width())));
    wanted.setY(qMax(area.top(), qMin(wanted.y(), area.bottom() + 1 - size.height())));
    return wanted;
}

bool PopUpKeeper::eventFilter(QObject* watched, QEvent* event) {
    // Show comes before the pop-up reaches the screen: moved here, it is
    // never seen outside.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* popUp = static_cast<QWidget*>(watched);
        if (popUp->windowType() == Qt::Popup) {
            const QWidget* owner =
                popUp->parentWidget() != nullptr ? popUp->parentWidget() : screen_.data();
            popUp->move(Inside(owner, popUp->pos(), popUp->size()));
        }
    }
    return QObject::eventFilter(watched, event);
}
