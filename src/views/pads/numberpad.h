#pragma once

#include <QString>
#include <QWidget>

class CAmountEdit;

// The pop-up keypad of an amount field: digits, the decimal separator, "C"
// (empty the field), "DEL" (backspace) and "-", in three columns and five
// rows. A key acts when the pen lifts on the key it went down on; sliding off
// first does nothing. The pad never takes the focus, so its field keeps it
// and its own typing rules apply to every key.
class CNumberPad : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCell = 18;
    static constexpr int kColumns = 3;
    static constexpr int kRows = 5;
    static constexpr int kKeyCount = 14;
    static constexpr int kClearCode = 12;
    static constexpr int kDeleteCode = 8;

    // `separator`: the decimal separator of the locale ("." when none).
    explicit CNumberPad(const QString& separator, QWidget* parent = nullptr);

    // Shows the pad at `topLeft` of the field's window, over everything
    // there, typing into `target` (not owned).
    void Open(CAmountEdit* target, QPoint topLeft);
    void Close();
    bool IsOpen() const { return isVisible(); }

    QString KeyLabel(int index) const;
    // What a screen reader calls the key: its label, spelt out where the
    // label is a sign or shortened.
    QString KeyName(int index) const;
    // The key's action, as a tap on it would do.
    void PressKey(int index);
    // The key under `point`, or -1 outside the pad.
    int KeyAt(QPoint point) const;
    QRect KeyRect(int index) const;
    // The key under the pen since it went down, or -1.
    int Pressed() const { return pressed_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Key {
        QString label;
        char16_t code;
    };
    void Act(const Key& key);

    Key keys_[kKeyCount];
    CAmountEdit* target_ = nullptr;  // not owned
    int pressed_ = -1;
    bool highlight_ = false;
};
