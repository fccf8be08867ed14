#pragma once

#include <QAccessibleWidget>

class CNumberPad;

// The number pad as a screen reader sees it: a group of its keys, each a
// button named after what it types ("7", "Decimal Separator", "Clear",
// "Del", "Minus") that can be pressed as a tap would.
class CNumberPadAccessible : public QAccessibleWidget {
public:
    explicit CNumberPadAccessible(CNumberPad* pad);
    ~CNumberPadAccessible() override;

    // Makes every CNumberPad answer through this class.
    static void Install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    CNumberPad* Pad() const;

    mutable QList<QAccessible::Id> keys_;
};
