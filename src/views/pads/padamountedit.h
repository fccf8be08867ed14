#pragma once

#include <QPointer>

#include "views/pads/amountedit.h"

class CNumberPad;

// An amount field with the number pad: the pad opens near the field (below
// it, or beside it at its right) when the field gets the focus, where it hides
// neither the field nor another control, and goes when the focus leaves the
// field. A field holding 0 selects its whole text
// on the focus and on a tap, so that typing replaces it.
class CPadAmountEdit : public CAmountEdit {
    Q_OBJECT

public:
    explicit CPadAmountEdit(QWidget* parent = nullptr);
    ~CPadAmountEdit() override;

    void SetPadAtRight(bool atRight) { padAtRight_ = atRight; }
    bool IsPadAtRight() const { return padAtRight_; }
    // The pad, shown or not; null before it first opened.
    CNumberPad* Pad() const;
    bool IsPadOpen() const;

signals:
    void padOpened();
    void padClosed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The controls around move with the field: the pad finds its place anew.
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OpenPad();
    // The top left of a pad of `pad`'s size in the field's window.
    QPoint PadCorner(QSize pad) const;
    // Places the open pad again once the window's layout has settled.
    void QueuePlacing();
    void ClosePad();
    void SelectAllWhenZero();

    // Owned; a child of the field's window so that it lies over the other
    // controls, but deleted with the field.
    QPointer<CNumberPad> pad_;
    bool padAtRight_ = false;
    bool placing_ = false;
};
