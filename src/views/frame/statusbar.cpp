#include "views/frame/statusbar.h"

#include <QHBoxLayout>

#include "views/widgets/appfont.h"

namespace {

constexpr int kMargin = 3;
constexpr int kSpacing = 4;

void Colour(QLabel* label, const QColor& colour) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
}

}  // namespace

StatusBar::StatusBar(QWidget* parent)
    : QWidget(parent),
      itemCount_(new TapLabel(QString(), this)),
      total_(new TapLabel(QString(), this)),
      withoutReceipts_(new TapLabel(QString(), this)) {
    setAccessibleName(QStringLiteral("Status"));
    setFixedHeight(18);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, palette().color(QPalette::Button));
    setPalette(colours);
    itemCount_->setFont(AppFont());
    total_->setFont(AppFont());
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    withoutReceipts_->setFont(AppFont());
    withoutReceipts_->setAlignment(Qt::AlignCenter);
    withoutReceipts_->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, 0, kMargin, 0);
    layout->setSpacing(kSpacing);
    layout->addWidget(itemCount_, 1);
    layout->addWidget(withoutReceipts_);
    layout->addWidget(total_, 1);
}

void StatusBar::SetWithoutReceipts(int count) {
    without_ = count;
    ShowWithoutReceipts();
}

void StatusBar::ShowWithoutReceipts() {
    const QString whole = without_ == 1 ? QStringLiteral("1 without a receipt")
                                        : QStringLiteral("%1 without receipts").arg(without_);
    // The count and the total keep what their texts need; the receipts'
    // count takes what is left, in its long words where they fit, and
    // never widens the bar past the window.
    const QFontMetrics metrics = withoutReceipts_->fontMetrics();
    const int others = itemCount_->fontMetrics().horizontalAdvance(itemCount_->text()) +
                       total_->fontMetrics().horizontalAdvance(total_->text());
    const int left = width() - others - 2 * kSpacing - 2 * kMargin - 4;
    QString shown = whole;
    if (metrics.horizontalAdvance(shown) > left) {
        shown = QStringLiteral("%1 no rcpt").arg(without_);
    }
    if (without_ <= 0 || metrics.horizontalAdvance(shown) > left) {
        withoutReceipts_->hide();
        return;
    }
    withoutReceipts_->setText(shown);
    // The label never holds the bar wide: the window may narrow, and the
    // text is chosen again for the width it leaves.
    withoutReceipts_->setMinimumWidth(1);
    withoutReceipts_->setAccessibleName(whole);
    withoutReceipts_->setToolTip(whole);
    withoutReceipts_->show();
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ShowWithoutReceipts();
}

void StatusBar::SetItemCount(const QString& text, bool selection) {
    itemCount_->setText(text);
    itemCount_->setAccessibleName(text);
    QFont font = AppFont();
    font.setBold(selection);
    itemCount_->setFont(font);
    Colour(itemCount_, selection ? kAlertRed : QColor(Qt::black));
    ShowWithoutReceipts();
}

void StatusBar::SetTotal(const QString& text, bool negative) {
    const QString shown = text.size() > 18 ? text.left(15) + QStringLiteral("...") : text;
    total_->setText(shown);
    total_->setAccessibleName(shown);
    Colour(total_, negative ? kAlertRed : QColor(Qt::black));
    ShowWithoutReceipts();
}
