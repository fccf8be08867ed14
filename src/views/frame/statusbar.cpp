#include "views/frame/statusbar.h"

#include <QHBoxLayout>

#include "views/widgets/appfont.h"

namespace {

void Colour(QLabel* label, const QColor& colour) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
}

}  // namespace

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent),
      itemCount_(new TapLabel(QString(), this)),
      total_(new TapLabel(QString(), this)) {
    setAccessibleName(QStringLiteral("Status"));
    setFixedHeight(18);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, palette().color(QPalette::Button));
    setPalette(colours);
    itemCount_->setFont(AppFont());
    total_->setFont(AppFont());
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 0, 3, 0);
    layout->addWidget(itemCount_, 1);
    layout->addWidget(total_, 1);
}

void StatusBar::SetItemCount(const QString& text, bool selection) {
    itemCount_->setText(text);
    itemCount_->setAccessibleName(text);
    QFont font = AppFont();
    font.setBold(selection);
    itemCount_->setFont(font);
    Colour(itemCount_, selection ? kAlertRed : QColor(Qt::black));
}

void StatusBar::SetTotal(const QString& text, bool negative) {
    const QString shown = text.size() > 18 ? text.left(15) + QStringLiteral("...") : text;
    total_->setText(shown);
    total_->setAccessibleName(shown);
    Colour(total_, negative ? kAlertRed : QColor(Qt::black));
}
