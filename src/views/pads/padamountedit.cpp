#include "views/pads/padamountedit.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <limits>

#include "views/pads/numberpad.h"

namespace {

// Where the pad opens, from the field's edges.
constexpr int kBelowOverlap = 24;  // over the field's lower edge
constexpr int kRightGap = 2;
constexpr int kRightRise = 27;  // beside the field, above its top
constexpr int kStep = 2;        // the pad's places are tried this far apart

// What a user taps or reads on the window, which the pad leaves in sight.
bool KeepsInSight(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return !label->text().isEmpty();
    }
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(widget) != nullptr;
}

}  // namespace

CPadAmountEdit::CPadAmountEdit(QWidget* parent) : CAmountEdit(parent) {}

CPadAmountEdit::~CPadAmountEdit() {
    delete pad_.data();
}

CNumberPad* CPadAmountEdit::Pad() const {
    return pad_;
}

bool CPadAmountEdit::IsPadOpen() const {
    return pad_ != nullptr && pad_->IsOpen();
}

void CPadAmountEdit::OpenPad() {
    if (IsPadOpen()) {
        return;
    }
    QWidget* host = window();
    if (pad_ == nullptr) {
        pad_ = new CNumberPad(GetDecimalSeparator(), host);
    } else if (pad_->parentWidget() != host) {
        pad_->setParent(host);
    }
    pad_->Open(this, PadCorner(pad_->size()));
    // A window still being laid out moves the controls after this.
    QueuePlacing();
    SelectAllWhenZero();
    emit padOpened();
}

QPoint CPadAmountEdit::PadCorner(QSize pad) const {
    QWidget* host = window();
    const QRect field(mapTo(host, QPoint(0, 0)), size());
    // The handheld's places: beside the field, or over its lower edge.
    const QPoint wanted = padAtRight_ ? field.topRight() + QPoint(1 + kRightGap, -kRightRise)
                                      : QPoint(field.left(), field.bottom() + 1 - kBelowOverlap);
    QList<QRect> inSight;
    for (const QWidget* widget : host->findChildren<QWidget*>()) {
        if (widget != this && widget != pad_ && !pad_->isAncestorOf(widget) &&
            !widget->isWindow() && widget->isVisibleTo(host) && widget->isEnabled() &&
            KeepsInSight(widget) && !isAncestorOf(widget)) {
            inSight.append(QRect(widget->mapTo(host, QPoint(0, 0)), widget->size()));
        }
    }
    // On a small screen those places hide other controls, or the very amount
    // being typed: the pad goes where it hides the fewest controls (none, where
    // the window has room), never over its field, and nearest the handheld's
    // place.
    QPoint best = wanted;
    qint64 bestScore = std::numeric_limits<qint64>::max();
    const auto consider = [&](QPoint corner) {
        const QRect place(corner, pad);
        if (place.intersects(field) || !host->rect().contains(place)) {
            return;
        }
        qint64 hidden = 0;
        for (const QRect& control : inSight) {
            if (place.intersects(control)) {
                ++hidden;
            }
        }
        const QPoint away = corner - wanted;
        const qint64 score =
            hidden * (qint64(1) << 40) + qint64(away.x()) * away.x() + qint64(away.y()) * away.y();
        if (score < bestScore) {
            bestScore = score;
            best = corner;
        }
    };
    // The handheld's place itself, and right under the field, before the
    // places all over the window.
    consider(wanted);
    consider(QPoint(field.left(), field.bottom() + 1));
    for (int y = 0; y + pad.height() <= host->height(); y += kStep) {
        for (int x = 0; x + pad.width() <= host->width(); x += kStep) {
            consider(QPoint(x, y));
        }
    }
    return best;
}

void CPadAmountEdit::QueuePlacing() {
    if (placing_) {
        return;
    }
    placing_ = true;
    QTimer::singleShot(0, this, [this] {
        placing_ = false;
        if (IsPadOpen()) {
            pad_->move(PadCorner(pad_->size()));
        }
    });
}

void CPadAmountEdit::ClosePad() {
    if (IsPadOpen()) {
        pad_->Close();
        emit padClosed();
    }
}

void CPadAmountEdit::SelectAllWhenZero() {
    if (GetValue() == 0.0) {
        selectAll();
    }
}

void CPadAmountEdit::focusInEvent(QFocusEvent* event) {
    CAmountEdit::focusInEvent(event);
    OpenPad();
}

void CPadAmountEdit::focusOutEvent(QFocusEvent* event) {
    CAmountEdit::focusOutEvent(event);
    // A window that only stops being active (a message box above it) keeps
    // the field's focus, and the pad with it.
    if (event->reason() != Qt::ActiveWindowFocusReason &&
        event->reason() != Qt::PopupFocusReason) {
        ClosePad();
    }
}

void CPadAmountEdit::mouseReleaseEvent(QMouseEvent* event) {
    CAmountEdit::mouseReleaseEvent(event);
    SelectAllWhenZero();
}

void CPadAmountEdit::moveEvent(QMoveEvent* event) {
    CAmountEdit::moveEvent(event);
    if (IsPadOpen()) {
        QueuePlacing();
    }
}

void CPadAmountEdit::resizeEvent(QResizeEvent* event) {
    CAmountEdit::resizeEvent(event);
    if (IsPadOpen()) {
        QueuePlacing();
    }
}

void CPadAmountEdit::hideEvent(QHideEvent* event) {
    CAmountEdit::hideEvent(event);
    ClosePad();
}
