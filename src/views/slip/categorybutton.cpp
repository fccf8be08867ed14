#include "views/slip/categorybutton.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "lists/category.h"
#include "lists/categoryexmanager.h"
#include "views/widgets/appfont.h"
#include "views/widgets/listpicture.h"

namespace {

constexpr int kMargin = 8;

QString ShownName(const CCategory& category) {
    // The built-in short names the handheld spelled out on its buttons.
    const int index = category.GetIndex();
    if (category.GetName() == CCategoryExManager::GetBuiltInShortName(index) &&
        (index == 7 || index == 16)) {
        return CCategoryExManager::GetBuiltInFullName(index);
    }
    return category.GetName();
}

}  // namespace

CategoryButton::CategoryButton(QWidget* parent) : QAbstractButton(parent) {
    setFont(AppFont());
    setFocusPolicy(Qt::TabFocus);
}

QPixmap CategoryButton::Picture(const CCategory& category) {
    return ListPicture(ImageFolder::Category, category.GetImageName());
}

void CategoryButton::SetCategory(const CCategory& category) {
    name_ = category.GetName();
    picture_ = Picture(category);
    setText(ShownName(category));
    setAccessibleName(text());
    update();
}

int CategoryButton::NeededHeight() {
    return kPictureSize + QFontMetrics(AppFont()).height() + kMargin;
}

QSize CategoryButton::sizeHint() const {
    return {kPictureSize + kMargin, NeededHeight()};
}

QRect CategoryButton::LabelRect() const {
    const int textHeight = fontMetrics().height();
    const int top = qMax(2, (height() - kPictureSize - textHeight) / 2);
    // Inside the frame line, with no more than a pixel to spare either side.
    return QRect(2, top + kPictureSize, width() - 4, textHeight);
}

QString CategoryButton::DrawnName(QFont* font) const {
    // A long name ("Entertainment") is set smaller rather than cut short,
    // down to the size of the handheld's smallest text; only a name longer
    // still is shortened.
    const int room = LabelRect().width();
    QFont fitted = this->font();
    while (QFontMetrics(fitted).horizontalAdvance(text()) > room &&
           fitted.pixelSize() > kSmallestPixels) {
        fitted.setPixelSize(fitted.pixelSize() - 1);
    }
    if (font != nullptr) {
        *font = fitted;
    }
    return QFontMetrics(fitted).elidedText(text(), Qt::ElideRight, room);
}

void CategoryButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), isDown() ? QColor(230, 230, 160) : kLightYellow);
    painter.setPen(isDown() ? Qt::black : QColor(160, 160, 120));
    painter.drawRect(area);
    const int top = LabelRect().top() - kPictureSize;
    if (!picture_.isNull()) {
        painter.drawPixmap(QRect((width() - kPictureSize) / 2, top, kPictureSize, kPictureSize),
                           picture_);
    }
    painter.setPen(Qt::black);
    const QRect label = LabelRect();
    QFont fitted;
    const QString name = DrawnName(&fitted);
    painter.setFont(fitted);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, name);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void CategoryButton::mousePressEvent(QMouseEvent* event) {
    held_ = false;
    if (event->button() == Qt::LeftButton) {
        hold_.start(kHoldMs, this);
    }
    QAbstractButton::mousePressEvent(event);
}

void CategoryButton::mouseReleaseEvent(QMouseEvent* event) {
    hold_.stop();
    if (held_) {
        // The pen was held for the pop-up list: lifting it is no tap.
        held_ = false;
        setDown(false);
        event->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void CategoryButton::timerEvent(QTimerEvent* event) {
    if (event->timerId() == hold_.timerId()) {
        hold_.stop();
        held_ = true;
        setDown(false);
        emit popUpRequested();
        return;
    }
    QAbstractButton::timerEvent(event);
}

void CategoryButton::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit popUpRequested();
}
