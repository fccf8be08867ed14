#include "views/pads/numberpad.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "views/pads/amountedit.h"
#include "views/pads/numberpadaccessible.h"
#include "views/widgets/appfont.h"

CNumberPad::CNumberPad(const QString& separator, QWidget* parent)
    : QWidget(parent),
      keys_{{QStringLiteral("7"), u'7'},
            {QStringLiteral("8"), u'8'},
            {QStringLiteral("9"), u'9'},
            {QStringLiteral("4"), u'4'},
            {QStringLiteral("5"), u'5'},
            {QStringLiteral("6"), u'6'},
            {QStringLiteral("1"), u'1'},
            {QStringLiteral("2"), u'2'},
            {QStringLiteral("3"), u'3'},
            {QStringLiteral("0"), u'0'},
            {QString(separator.isEmpty() ? QChar(u'.') : separator[0]),
             separator.isEmpty() ? u'.' : separator[0].unicode()},
            {QStringLiteral("C"), char16_t(kClearCode)},
            {QStringLiteral("DEL"), char16_t(kDeleteCode)},
            {QStringLiteral("-"), u'-'}} {
    // Before the first change that a screen reader would be told of.
    CNumberPadAccessible::Install();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Number Pad"));
    setFont(AppFont());
    setFixedSize(sizeHint());
    hide();
}

QSize CNumberPad::sizeHint() const {
    return QSize(kColumns * kCell + 2, kRows * kCell + 2);
}

void CNumberPad::Open(CAmountEdit* target, QPoint topLeft) {
    target_ = target;
    pressed_ = -1;
    highlight_ = false;
    // Inside the window, however near its edge the field is.
    const QSize room = parentWidget() ? parentWidget()->size() : size();
    move(std::clamp(topLeft.x(), 0, std::max(0, room.width() - width())),
         std::clamp(topLeft.y(), 0, std::max(0, room.height() - height())));
    raise();
    show();
}

void CNumberPad::Close() {
    pressed_ = -1;
    target_ = nullptr;
    hide();
}

QString CNumberPad::KeyLabel(int index) const {
    return index >= 0 && index < kKeyCount ? keys_[index].label : QString();
}

QString CNumberPad::KeyName(int index) const {
    if (index < 0 || index >= kKeyCount) {
        return QString();
    }
    switch (keys_[index].code) {
        case kClearCode:
            return QStringLiteral("Clear");
        case kDeleteCode:
            return QStringLiteral("Del");
        case u'-':
            return QStringLiteral("Minus");
        default:
            break;
    }
    // The names the Miles Pad's keys have.
    const QString& label = keys_[index].label;
    return label.front().isDigit() ? label : QStringLiteral("Decimal Separator");
}

void CNumberPad::PressKey(int index) {
    if (index >= 0 && index < kKeyCount) {
        Act(keys_[index]);
    }
}

int CNumberPad::KeyAt(QPoint point) const {
    if (!rect().contains(point)) {
        return -1;
    }
    // The border's pixels belong to the keys beside them.
    const int column = std::clamp((point.x() - 1) / kCell, 0, kColumns - 1);
    const int row = std::clamp((point.y() - 1) / kCell, 0, kRows - 1);
    const int index = row * kColumns + column;
    // "DEL" fills the last row's two left cells.
    return index == 13 ? 12 : index == 14 ? 13 : index;
}

QRect CNumberPad::KeyRect(int index) const {
    if (index < 0 || index >= kKeyCount) {
        return QRect();
    }
    if (index == 12) {
        return QRect(1, 1 + 4 * kCell, 2 * kCell, kCell);
    }
    const int cell = index == 13 ? 14 : index;
    return QRect(1 + (cell % kColumns) * kCell, 1 + (cell / kColumns) * kCell, kCell, kCell);
}

void CNumberPad::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i < kKeyCount; ++i) {
        const QRect key = KeyRect(i);
        const bool lit = i == pressed_ && highlight_;
        painter.fillRect(key, lit ? Qt::black : Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(key.adjusted(0, 0, -1, -1));
        painter.setPen(lit ? Qt::white : Qt::black);
        painter.drawText(key, Qt::AlignCenter | Qt::TextSingleLine, keys_[i].label);
    }
}

void CNumberPad::mousePressEvent(QMouseEvent* event) {
    pressed_ = KeyAt(event->position().toPoint());
    highlight_ = pressed_ >= 0;
    update();
}

void CNumberPad::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second tap is a tap of its own.
    mousePressEvent(event);
}

void CNumberPad::mouseMoveEvent(QMouseEvent* event) {
    const bool over = pressed_ >= 0 && KeyAt(event->position().toPoint()) == pressed_;
    if (over != highlight_) {
        highlight_ = over;
        update(KeyRect(pressed_));
    }
}

void CNumberPad::mouseReleaseEvent(QMouseEvent* event) {
    const int key = pressed_;
    pressed_ = -1;
    highlight_ = false;
    update();
    if (key >= 0 && KeyAt(event->position().toPoint()) == key) {
        Act(keys_[key]);
    }
}

void CNumberPad::Act(const Key& key) {
    if (target_ == nullptr) {
        return;
    }
    if (key.code == kClearCode) {
        target_->ClearTyped();
    } else {
        target_->TypeCharacter(QChar(key.code));
    }
}
