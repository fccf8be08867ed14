#include "views/widgets/wrappinglabel.h"

#include <QPainter>
#include <QTextLayout>

namespace {

QString LayoutText(const QString& text) {
    // A text layout keeps a line feed as a glyph; a line separator breaks.
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return laid;
}

}  // namespace

WrappingLabel::WrappingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void WrappingLabel::SetPreferredWidth(int width) {
    preferredWidth_ = qMax(1, width);
    updateGeometry();
}

int WrappingLabel::Layout(QTextLayout& layout, int width) const {
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setFont(font());
    const qreal leading = fontMetrics().leading();
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += leading + line.height();
    }
    layout.endLayout();
    return qCeil(y);
}

int WrappingLabel::NaturalWidth() const {
    int widest = 0;
    for (const QString& line : text().split(QLatin1Char('\n'))) {
        widest = qMax(widest, fontMetrics().horizontalAdvance(line));
    }
    return widest;
}

QSize WrappingLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    const int width = qMin(NaturalWidth(), preferredWidth_ - margins.left() - margins.right()) + 1;
    const int full = width + margins.left() + margins.right();
    return QSize(full, heightForWidth(full));
}

QSize WrappingLabel::minimumSizeHint() const {
    // Narrower only squeezes the text into more lines: the preferred width
    // is the least a box should give it.
    return sizeHint();
}

int WrappingLabel::heightForWidth(int width) const {
    const QMargins margins = contentsMargins();
    QTextLayout layout(LayoutText(text()));
    return Layout(layout, qMax(1, width - margins.left() - margins.right())) + margins.top() +
           margins.bottom();
}

QStringList WrappingLabel::Lines(int width) const {
    const QString laid = LayoutText(text());
    QTextLayout layout(laid);
    Layout(layout, width);
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines.append(laid.mid(line.textStart(), line.textLength()));
    }
    return lines;
}

void WrappingLabel::paintEvent(QPaintEvent*) {
    const QRect area = contentsRect();
    QTextLayout layout(LayoutText(text()));
    const int height = Layout(layout, area.width());
    QPointF corner = area.topLeft();
    if (alignment() & Qt::AlignVCenter) {
        corner.ry() += qMax(0, (area.height() - height) / 2);
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, corner);
}
