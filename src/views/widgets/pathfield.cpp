#include "views/widgets/pathfield.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

const QChar kEllipsis(0x2026);

// The gap a line edit keeps between its frame and its text.
constexpr int kTextGap = 2;

}  // namespace

CPathField::CPathField(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    setContentsMargins(frame + kTextGap, frame, frame + kTextGap, frame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setBackgroundRole(QPalette::Base);
}

void CPathField::SetPath(const QString& path) {
    if (path == text()) {
        return;
    }
    setText(path);
    setToolTip(path);
    setAccessibleDescription(path);
    emit PathChanged(path);
}

QString CPathField::FileName() const {
    const QString path = text();
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

int CPathField::TextRoom() const {
    return contentsRect().width();
}

QString CPathField::ShownText() const {
    const QString path = text();
    const QFontMetrics metrics = fontMetrics();
    const int room = TextRoom();
    if (metrics.horizontalAdvance(path) <= room) {
        return path;
    }
    const QString name = FileName();
    const QString folder = path.left(path.size() - name.size());
    const int folderRoom = room - metrics.horizontalAdvance(name);
    if (folder.isEmpty() || folderRoom < metrics.horizontalAdvance(kEllipsis)) {
        return metrics.elidedText(name, Qt::ElideMiddle, room);
    }
    return metrics.elidedText(folder, Qt::ElideMiddle, folderRoom) + name;
}

QSize CPathField::sizeHint() const {
    const QMargins margins = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    return QSize(metrics.horizontalAdvance(text()) + margins.left() + margins.right() + 1,
                 metrics.height() + margins.top() + margins.bottom() + 2 * kTextGap);
}

QSize CPathField::minimumSizeHint() const {
    // An ellipsis and the file's name: narrower, the name itself is cut.
    const QMargins margins = contentsMargins();
    const QFontMetrics metrics = fontMetrics();
    const int shortest =
        metrics.horizontalAdvance(QString(kEllipsis) + QLatin1Char('/') + FileName());
    const QSize whole = sizeHint();
    return QSize(qMin(whole.width(), shortest + margins.left() + margins.right() + 1),
                 whole.height());
}

void CPathField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    panel.initFrom(this);
    panel.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, this);
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, ShownText());
}
