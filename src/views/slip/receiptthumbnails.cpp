#include "views/slip/receiptthumbnails.h"

#include <QGridLayout>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolButton>

#include "views/slip/receiptpicture.h"
#include "views/widgets/appfont.h"

namespace {

constexpr int kSpacing = 4;

}  // namespace

CReceiptThumbnails::CReceiptThumbnails(const QString& empty, QWidget* parent)
    : QScrollArea(parent),
      inside_(new QWidget(this)),
      grid_(new QGridLayout(inside_)),
      empty_(new QLabel(empty, inside_)) {
    setWidgetResizable(true);
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for one row at least, however low the screen.
    setMinimumHeight(kSize + 2 * kSpacing + 2);
    grid_->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    grid_->setSpacing(kSpacing);
    empty_->setFont(AppFont());
    empty_->setWordWrap(true);
    empty_->setAlignment(Qt::AlignCenter);
    setWidget(inside_);
    setAccessibleName(QStringLiteral("Receipts"));
    Arrange();
}

QString CReceiptThumbnails::NameOf(const Receipt& receipt, int index) {
    return receipt.originalName.isEmpty() ? QStringLiteral("Receipt %1").arg(index + 1)
                                          : receipt.originalName;
}

void CReceiptThumbnails::SetReceipts(const QList<Receipt>& receipts) {
    receipts_ = receipts;
    qDeleteAll(buttons_);
    buttons_.clear();
    for (int i = 0; i < receipts_.size(); ++i) {
        const Receipt& receipt = receipts_[i];
        auto* button = new QToolButton(inside_);
        const CReceiptPicture picture(receipt.path, receipt.kind == Receipt::Kind::Pdf);
        const QImage small = picture.Render(0, QSize(kSize, kSize));
        if (!small.isNull()) {
            button->setIcon(QIcon(QPixmap::fromImage(small)));
        } else {
            // A file that cannot be shown still has its place, and its name.
            button->setText(QStringLiteral("?"));
        }
        button->setIconSize(QSize(kSize, kSize));
        button->setFixedSize(kSize + 6, kSize + 6);
        button->setAutoRaise(true);
        button->setAccessibleName(NameOf(receipt, i));
        button->setToolTip(NameOf(receipt, i));
        button->setAccessibleDescription(receipt.kind == Receipt::Kind::Pdf
                                             ? QStringLiteral("PDF scan")
                                             : QStringLiteral("Photo"));
        connect(button, &QToolButton::clicked, this, [this, i] { emit opened(i); });
        buttons_.append(button);
    }
    columns_ = 0;
    Arrange();
}

QToolButton* CReceiptThumbnails::Thumbnail(int index) const {
    return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

void CReceiptThumbnails::Arrange() {
    const int room = viewport()->width() - 2 * kSpacing - verticalScrollBar()->sizeHint().width();
    const int columns = qMax(1, (room + kSpacing) / (kSize + 6 + kSpacing));
    if (columns == columns_ && grid_->count() > 0) {
        return;
    }
    columns_ = columns;
    // The items go, their widgets stay: they are laid out again below.
    while (QLayoutItem* item = grid_->takeAt(0)) {
        delete item;
    }
    empty_->setVisible(buttons_.isEmpty());
    if (buttons_.isEmpty()) {
        grid_->addWidget(empty_, 0, 0);
        grid_->setRowStretch(0, 1);
        return;
    }
    grid_->setRowStretch(0, 0);
    for (int i = 0; i < buttons_.size(); ++i) {
        grid_->addWidget(buttons_[i], i / columns, i % columns);
        buttons_[i]->show();
    }
    const int rows = (static_cast<int>(buttons_.size()) + columns - 1) / columns;
    grid_->setRowStretch(rows, 1);
    grid_->setColumnStretch(columns, 1);
}

void CReceiptThumbnails::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    Arrange();
}
