#include "views/grid/listgrid.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QScroller>
#include <algorithm>

#include "views/grid/listgridaccessible.h"
#include "views/widgets/appfont.h"

namespace {

// Key repeat speeds up the longer a key is held: one row a step at first,
// then a few, then a page.
int RepeatStep(int repeats, int page) {
    if (repeats < 5) {
        return 1;
    }
    return repeats < 15 ? 3 : qMax(1, page);
}

}  // namespace

CListGrid::CListGrid(CListGridClient& client, QWidget* parent)
    : QAbstractScrollArea(parent), client_(client), tip_(new QLabel(viewport())) {
    headerFormat_.font = AppFont();
    headerFormat_.background = palette().color(QPalette::Button);
    headerFormat_.text = palette().color(QPalette::ButtonText);
    headerFormat_.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    bodyFormat_.font = AppFont();
    bodyFormat_.background = kLightYellow;
    bodyFormat_.text = palette().color(QPalette::WindowText);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    tip_->setAutoFillBackground(true);
    tip_->setFrameShape(QFrame::Box);
    tip_->setMargin(2);
    tip_->setFont(AppFont());
    QPalette tipColours = tip_->palette();
    tipColours.setColor(QPalette::Window, QColor(255, 255, 225));
    tipColours.setColor(QPalette::WindowText, Qt::black);
    tip_->setPalette(tipColours);
    tip_->hide();
    QScroller::grabGesture(viewport(), QScroller::TouchGesture);
    CListGridAccessible::Install();
}

CListGrid::~CListGrid() = default;

void CListGrid::SetColumnCount(int count) {
    widths_.assign(static_cast<size_t>(qMax(0, count)), 0);
    for (QStringList& row : headings_) {
        row = QStringList(count, QString());
    }
    UpdateScrollBars();
}

void CListGrid::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < ColumnCount()) {
        widths_[static_cast<size_t>(column)] = qMax(0, width);
        UpdateScrollBars();
        viewport()->update();
    }
}

int CListGrid::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? widths_[static_cast<size_t>(column)] : 0;
}

void CListGrid::SetHeaderRows(int count, int height) {
    headerRows_ = qBound(1, count, 2);
    headerHeight_ = qMax(1, height);
    headings_.assign(static_cast<size_t>(headerRows_), QStringList(ColumnCount(), QString()));
    UpdateScrollBars();
}

void CListGrid::SetHeading(int column, int headerRow, const QString& text) {
    if (headerRow >= 0 && headerRow < headerRows_ && column >= 0 && column < ColumnCount()) {
        headings_[static_cast<size_t>(headerRow)][column] = text;
        viewport()->update(QRect(0, 0, viewport()->width(), HeaderHeight()));
    }
}

QString CListGrid::Heading(int column, int headerRow) const {
    if (headerRow >= 0 && headerRow < headerRows_ && column >= 0 && column < ColumnCount()) {
        return headings_[static_cast<size_t>(headerRow)][column];
    }
    return QString();
}

void CListGrid::SetBodyRowHeight(int height) {
    rowHeight_ = qMax(1, height);
    verticalScrollBar()->setSingleStep(rowHeight_);
    UpdateScrollBars();
}

void CListGrid::SetRowCount(int rows) {
    rowCount_ = qMax(0, rows);
    if (selected_ >= rowCount_) {
        selected_ = rowCount_ > 0 ? rowCount_ - 1 : -1;
    }
    UpdateScrollBars();
    viewport()->update();
}

void CListGrid::SetSelectedRow(int row) {
    row = rowCount_ > 0 ? qBound(-1, row, rowCount_ - 1) : -1;
    if (row == selected_) {
        return;
    }
    const int old = selected_;
    selected_ = row;
    client_.OnSelectionChange(old, row);
    RepaintRow(old);
    RepaintRow(row);
}

void CListGrid::EnsureVisible(int row) {
    if (row < 0) {
        return;
    }
    const int body = viewport()->height() - HeaderHeight();
    const int top = row * rowHeight_;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value()) {
        bar->setValue(top);
    } else if (top + rowHeight_ > bar->value() + body) {
        bar->setValue(top + rowHeight_ - body);
    }
}

int CListGrid::FirstVisibleRow() const {
    return verticalScrollBar()->value() / rowHeight_;
}

void CListGrid::ShowTip(const QString& text, const QRect& cell) {
    tip_->setText(text);
    tip_->setAccessibleName(text);
    tip_->adjustSize();
    int x = qBound(0, cell.left(), qMax(0, viewport()->width() - tip_->width()));
    int y = cell.bottom() + 1;
    if (y + tip_->height() > viewport()->height()) {
        y = qMax(0, cell.top() - tip_->height());
    }
    tip_->move(x, y);
    tip_->show();
    tip_->raise();
}

void CListGrid::HideTip() {
    tip_->hide();
}

int CListGrid::TableWidth() const {
    int width = 0;
    for (int w : widths_) {
        width += w;
    }
    return width;
}

QRect CListGrid::CellRect(int column, int row) const {
    if (column < 0 || column >= ColumnCount() || row < 0 || row >= rowCount_) {
        return QRect();
    }
    int x = -horizontalScrollBar()->value();
    for (int c = 0; c < column; ++c) {
        x += widths_[static_cast<size_t>(c)];
    }
    const int y = HeaderHeight() + row * rowHeight_ - verticalScrollBar()->value();
    return QRect(x, y, ColumnWidth(column), rowHeight_);
}

QRect CListGrid::HeaderCellRect(int column, int headerRow) const {
    if (column < 0 || column >= ColumnCount() || headerRow < 0 || headerRow >= headerRows_) {
        return QRect();
    }
    int x = -horizontalScrollBar()->value();
    for (int c = 0; c < column; ++c) {
        x += widths_[static_cast<size_t>(c)];
    }
    return QRect(x, headerRow * headerHeight_, ColumnWidth(column), headerHeight_);
}

QString CListGrid::CellText(int column, int row) const {
    GridCellFormat format = bodyFormat_;
    QString text;
    if (column >= 0 && column < ColumnCount() && row >= 0 && row < rowCount_) {
        client_.GetCell(column, row, format, text);
    }
    return text;
}

GridCellFormat CListGrid::CellFormat(int column, int row) const {
    GridCellFormat format = bodyFormat_;
    QString text;
    if (column >= 0 && column < ColumnCount() && row >= 0 && row < rowCount_) {
        client_.GetCell(column, row, format, text);
    }
    return format;
}

GridCellFormat CListGrid::HeaderCellFormat(int column, int headerRow) const {
    GridCellFormat format = headerFormat_;
    client_.GetHeaderCell(column, headerRow, format);
    return format;
}

int CListGrid::ScrollBarWidth() const {
    return verticalScrollBar()->sizeHint().width();
}

QRect CListGrid::CheckBoxRect(const QRect& cell) {
    const int h = cell.height();
    const int m = qMin(12, h - 6);
    const int top = cell.top() + (h - m) / 2 - 1;
    return QRect(QPoint(cell.left() + 2, top), QPoint(cell.left() + m + 6, top + m + 2));
}

QRect CListGrid::CheckBoxMarkRect(const QRect& cell) {
    constexpr int kClearance = 4;
    const int left = CheckBoxRect(cell).right() + kClearance;
    return QRect(QPoint(left, cell.top()), QPoint(qMax(left, cell.right()), cell.bottom()));
}

void CListGrid::ActivateCell(int column, int row) {
    if (column < 0 || column >= ColumnCount() || row < 0 || row >= rowCount_) {
        return;
    }
    EnsureVisible(row);
    SetSelectedRow(row);
    const QRect cell = CellRect(column, row);
    const QPoint point =
        CellFormat(column, row).checkBox ? CheckBoxRect(cell).center() : cell.center();
    client_.OnCellTap(column, row, cell, point, false);
    client_.OnCellTap(column, row, cell, point, true);
}

void CListGrid::ActivateHeading(int column, int headerRow) {
    if (column >= 0 && column < ColumnCount() && headerRow >= 0 && headerRow < headerRows_) {
        client_.OnHeaderTap(column, headerRow);
    }
}

void CListGrid::Reload() {
    UpdateScrollBars();
    viewport()->update();
}

void CListGrid::RepaintRow(int row) {
    if (row >= 0 && row < rowCount_) {
        const QRect first = CellRect(0, row);
        viewport()->update(QRect(0, first.top(), viewport()->width(), rowHeight_));
    }
}

QSize CListGrid::sizeHint() const {
    return {TableWidth() + ScrollBarWidth() + 2, HeaderHeight() + 4 * rowHeight_ + 2};
}

void CListGrid::UpdateScrollBars() {
    const int body = qMax(0, viewport()->height() - HeaderHeight());
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, qMax(0, rowCount_ * rowHeight_ - body));
    vertical->setPageStep(qMax(rowHeight_, body - body % rowHeight_));
    vertical->setSingleStep(rowHeight_);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, qMax(0, TableWidth() - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
}

void CListGrid::PaintCell(QPainter& painter, const QRect& rect, const GridCellFormat& format,
                          const QString& text, bool header) const {
    painter.fillRect(rect, format.background);
    painter.setPen(QColor(128, 128, 128));
    const QRect r = rect.adjusted(0, 0, -1, -1);
    if (format.borders & GridCellFormat::kLeft)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (format.borders & GridCellFormat::kTop)
        painter.drawLine(r.topLeft(), r.topRight());
    if (format.borders & GridCellFormat::kRight)
        painter.drawLine(r.topRight(), r.bottomRight());
    if (format.borders & GridCellFormat::kBottom)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (format.checkBox) {
        const int m = qMin(12, rect.height() - 6);
        const QRect box = CheckBoxRect(rect);
        const QRect drawn(box.left() + 2, box.top() + 1, m, m);
        painter.setPen(format.text);
        painter.setBrush(Qt::white);
        painter.drawRect(drawn.adjusted(0, 0, -1, -1));
        if (format.checked) {
            QPen tick(format.text, 2);
            painter.setPen(tick);
            painter.drawPolyline(QPolygon({QPoint(drawn.left() + 2, drawn.center().y()),
                                           QPoint(drawn.center().x() - 1, drawn.bottom() - 3),
                                           QPoint(drawn.right() - 2, drawn.top() + 2)}));
        }
        painter.setBrush(Qt::NoBrush);
        if (!text.isEmpty()) {
            painter.setPen(format.text);
            painter.setFont(format.font);
            painter.drawText(CheckBoxMarkRect(rect), Qt::AlignCenter | Qt::TextSingleLine, text);
        }
        return;
    }
    painter.setPen(format.text);
    QFont font = format.font;
    // A heading is set smaller rather than cut ("Subm." in a 30-pixel
    // column); a body text is cut with "...".
    if (header && font.pixelSize() > 0) {
        while (font.pixelSize() > 8 &&
               QFontMetrics(font).horizontalAdvance(text) > rect.width() - 4) {
            font.setPixelSize(font.pixelSize() - 1);
        }
    }
    painter.setFont(font);
    painter.drawText(rect.adjusted(2, 0, -2, 0),
                     static_cast<int>(format.alignment) | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 4));
}

void CListGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    const int width = viewport()->width();
    const int header = HeaderHeight();
    painter.fillRect(dirty, bodyFormat_.background);
    // Only the rows that show are asked for.
    if (rowCount_ > 0 && dirty.bottom() >= header) {
        const int scroll = verticalScrollBar()->value();
        const int first = qMax(0, (qMax(dirty.top(), header) - header + scroll) / rowHeight_);
        const int last = qMin(rowCount_ - 1, (dirty.bottom() - header + scroll) / rowHeight_);
        painter.setClipRect(QRect(0, header, width, viewport()->height() - header));
        for (int row = first; row <= last; ++row) {
            for (int column = 0; column < ColumnCount(); ++column) {
                const QRect cell = CellRect(column, row);
                if (cell.right() < dirty.left() || cell.left() > dirty.right()) {
                    continue;
                }
                GridCellFormat format = bodyFormat_;
                QString text;
                client_.GetCell(column, row, format, text);
                PaintCell(painter, cell, format, text, false);
            }
        }
        painter.setClipping(false);
    }
    if (dirty.top() < header) {
        for (int headerRow = 0; headerRow < headerRows_; ++headerRow) {
            for (int column = 0; column < ColumnCount(); ++column) {
                GridCellFormat format = headerFormat_;
                client_.GetHeaderCell(column, headerRow, format);
                PaintCell(painter, HeaderCellRect(column, headerRow), format,
                          Heading(column, headerRow), true);
            }
        }
    }
}

void CListGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    emit resized();
}

CListGrid::Hit CListGrid::HitAt(const QPoint& point) const {
    Hit hit;
    int x = point.x() + horizontalScrollBar()->value();
    for (int c = 0; c < ColumnCount(); ++c) {
        if (x < widths_[static_cast<size_t>(c)]) {
            hit.column = c;
            break;
        }
        x -= widths_[static_cast<size_t>(c)];
    }
    if (hit.column < 0 || point.x() < 0) {
        hit.column = -1;
        return hit;
    }
    if (point.y() < HeaderHeight()) {
        hit.header = true;
        hit.row = point.y() / headerHeight_;
        return hit;
    }
    const int row = (point.y() - HeaderHeight() + verticalScrollBar()->value()) / rowHeight_;
    hit.row = row < rowCount_ ? row : -1;
    return hit;
}

void CListGrid::mousePressEvent(QMouseEvent* event) {
    HideTip();
    pressed_ = Hit();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    const Hit hit = HitAt(point);
    if (hit.column < 0 || hit.row < 0) {
        return;
    }
    pressed_ = hit;
    if (!hit.header) {
        SetSelectedRow(hit.row);
        client_.OnCellTap(hit.column, hit.row, CellRect(hit.column, hit.row), point, false);
    }
}

void CListGrid::mouseReleaseEvent(QMouseEvent* event) {
    const Hit pressed = pressed_;
    pressed_ = Hit();
    if (event->button() != Qt::LeftButton || pressed.column < 0) {
        return;
    }
    const QPoint point = event->position().toPoint();
    const Hit hit = HitAt(point);
    // A pen that slid off the cell it went down on acts on nothing.
    if (hit.header != pressed.header || hit.column != pressed.column || hit.row != pressed.row) {
        return;
    }
    if (hit.header) {
        client_.OnHeaderTap(hit.column, hit.row);
    } else {
        client_.OnCellTap(hit.column, hit.row, CellRect(hit.column, hit.row), point, true);
    }
}

void CListGrid::keyPressEvent(QKeyEvent* event) {
    if (rowCount_ == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int page = qMax(1, (viewport()->height() - HeaderHeight()) / rowHeight_);
    repeatCount_ = event->isAutoRepeat() ? repeatCount_ + 1 : 0;
    const int step = RepeatStep(repeatCount_, page / rowsPerItem_) * rowsPerItem_;
    int row = qMax(0, selected_);
    switch (event->key()) {
        case Qt::Key_Down:
            row += selected_ < 0 ? 0 : step;
            break;
        case Qt::Key_Up:
            row -= step;
            break;
        case Qt::Key_PageDown:
            row += page;
            break;
        case Qt::Key_PageUp:
            row -= page;
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = rowCount_ - 1;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (selected_ >= 0) {
                // Enter acts as a tap on the selected item's first cell.
                ActivateCell(0, selected_ - selected_ % rowsPerItem_);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    row = qBound(0, row, rowCount_ - 1);
    SetSelectedRow(row);
    EnsureVisible(row);
}

void CListGrid::scrollContentsBy(int, int) {
    HideTip();
    viewport()->update();
}
