#include "views/widgets/taplabel.h"

#include <QMouseEvent>

TapLabel::TapLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAccessibleName(text);
}

void TapLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void TapLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool tap = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
    pressed_ = false;
    if (tap) {
        emit tapped();
    }
}
