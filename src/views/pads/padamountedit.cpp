#include "views/pads/padamountedit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include "views/pads/numberpad.h"

namespace {

// Where the pad opens, from the field's edges.
constexpr int kBelowOverlap = 24;  // over the field's lower edge
constexpr int kRightGap = 2;
constexpr int kRightRise = 27;  // beside the field, above its top

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
    const QPoint corner = padAtRight_ ? QPoint(width() + kRightGap, -kRightRise)
                                      : QPoint(0, height() - kBelowOverlap);
    pad_->Open(this, mapTo(host, corner));
    SelectAllWhenZero();
    emit padOpened();
}

void CPadAmountEdit::ClosePad() {
    if (pad_ != nullptr) {
        pad_->Close();
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

void CPadAmountEdit::hideEvent(QHideEvent* event) {
    CAmountEdit::hideEvent(event);
    ClosePad();
}
