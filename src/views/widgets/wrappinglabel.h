#pragma once

#include <QLabel>

class QTextLayout;

// A static text broken into lines at word boundaries, and inside a word (a
// long file name or path) where a word alone is wider than a line. QLabel
// lets such a word run past its edge. The text stays exactly as set; only
// its drawing is broken. Plain text only.
class WrappingLabel : public QLabel {
    Q_OBJECT

public:
    explicit WrappingLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // The widest the label asks to be: its text in one line up to this
    // width, and more lines beyond it.
    void SetPreferredWidth(int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

    // The lines the text takes in `width` pixels, as drawn.
    QStringList Lines(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays out the text in lines of `width` pixels; its height.
    int Layout(QTextLayout& layout, int width) const;
    // The text in one line, without breaks.
    int NaturalWidth() const;

    int preferredWidth_ = 200;
};
