#pragma once

#include <QLabel>

// A static text that acts on a tap: pen down and up inside it. A pen that
// slides off before lifting does nothing.
class TapLabel : public QLabel {
    Q_OBJECT

public:
    explicit TapLabel(const QString& text = QString(), QWidget* parent = nullptr);

signals:
    void tapped();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};
