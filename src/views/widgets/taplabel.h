#pragma once

#include <QLabel>

// A static text that acts on a tap: pen down and up inside it. A pen that
// slides off before lifting does nothing.
class TapLabel : public QLabel {
    Q_OBJECT

public:
    explicit TapLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // What a tap does, for a screen reader's press.
    void Tap() { emit tapped(); }

signals:
    void tapped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
