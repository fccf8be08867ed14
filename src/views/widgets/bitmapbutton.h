#pragma once

#include <QPushButton>

// The push button drawn as a picture: a dark blue face with its caption in
// white in the program's font, as the report dialog's "Location" and
// "Purpose" buttons are.
class BitmapButton : public QPushButton {
    Q_OBJECT

public:
    explicit BitmapButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
