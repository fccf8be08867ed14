#include "views/widgets/bitmapbutton.h"

#include <QPainter>

#include "platform/platform.h"
#include "platform/screen.h"
#include "views/widgets/appfont.h"

BitmapButton::BitmapButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setAccessibleName(text);
    setFont(AppFont());
    setFixedHeight(ScaleForDpi(13, Platform::Get().ScreenDpiX()) + 6);
    setFocusPolicy(Qt::TabFocus);
}

QSize BitmapButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 12, height()};
}

void BitmapButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor face = isDown() ? QColor(10, 36, 106) : QColor(33, 82, 165);
    painter.setPen(QPen(QColor(10, 36, 106), 1));
    painter.setBrush(isEnabled() ? face : QColor(150, 150, 150));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setPen(Qt::white);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
