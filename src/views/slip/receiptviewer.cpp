#include "views/slip/receiptviewer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "platform/platform.h"
#include "platform/prompts.h"
#include "views/slip/receiptpicture.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

namespace {

// However long the strip of paper, a page drawn is never taller than this,
// and all pages drawn together never hold more pixels than the other: a scan
// of many pages zoomed in would otherwise take more memory than a handheld
// has. Past it the pages are drawn narrower.
constexpr int kTallestPage = 8000;
constexpr int kPageGap = 4;

}  // namespace

CReceiptViewer::CReceiptViewer(const Receipt& receipt, const QString& name, Action action,
                               QWidget* parent)
    : FullWindowDialog(name, TitleButton::None, parent),
      picture_(
          std::make_unique<CReceiptPicture>(receipt.path, receipt.kind == Receipt::Kind::Pdf)),
      act_(action),
      area_(new QScrollArea(Body())),
      sheet_(new QWidget(area_)),
      done_(Commands()->AddButton(QStringLiteral("Done"))),
      zoomIn_(Commands()->AddButton(QStringLiteral("+"))),
      zoomOut_(Commands()->AddButton(QStringLiteral("-"))),
      rotate_(Commands()->AddButton(QStringLiteral("Rotate"))),
      action_(Commands()->AddButton(action == Action::Remove ? QStringLiteral("Remove")
                                                             : QStringLiteral("Attach"))) {
    zoomIn_->setAccessibleName(QStringLiteral("Zoom In"));
    zoomIn_->setToolTip(QStringLiteral("Zoom In"));
    zoomOut_->setAccessibleName(QStringLiteral("Zoom Out"));
    zoomOut_->setToolTip(QStringLiteral("Zoom Out"));
    for (QToolButton* button : {zoomIn_, zoomOut_}) {
        button->setMinimumWidth(22);
    }
    area_->setAccessibleName(name);
    area_->setWidget(sheet_);
    area_->viewport()->installEventFilter(this);
    area_->setWidgetResizable(false);
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* column = new QVBoxLayout(sheet_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kPageGap);
    const int count = picture_->PageCount();
    for (int page = 0; page < count; ++page) {
        auto* label = new QLabel(sheet_);
        label->setAlignment(Qt::AlignCenter);
        label->setAccessibleName(
            count > 1 ? QStringLiteral("Page %1 of %2").arg(page + 1).arg(count) : name);
        column->addWidget(label);
        pages_.append(label);
    }
    if (count == 0) {
        auto* label = new QLabel(QStringLiteral("This receipt cannot be shown."), sheet_);
        label->setFont(AppFont());
        label->setWordWrap(true);
        column->addWidget(label);
    }
    connect(done_, &QToolButton::clicked, this, &QDialog::reject);
    connect(zoomIn_, &QToolButton::clicked, this, [this] { ZoomBy(kZoomStep); });
    connect(zoomOut_, &QToolButton::clicked, this, [this] { ZoomBy(1.0 / kZoomStep); });
    connect(rotate_, &QToolButton::clicked, this, &CReceiptViewer::Turn);
    connect(action_, &QToolButton::clicked, this, &CReceiptViewer::Act);
    zoomOut_->setEnabled(false);
}

CReceiptViewer::~CReceiptViewer() = default;

void CReceiptViewer::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(area_);
}

bool CReceiptViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::Resize) {
        ShowPages();
    }
    return FullWindowDialog::eventFilter(watched, event);
}

void CReceiptViewer::ZoomBy(double factor) {
    zoom_ = qBound(1.0, zoom_ * factor, kMaxZoom);
    // Steps that land near 1 land on it: the page fits the width again.
    if (qAbs(zoom_ - 1.0) < 0.01) {
        zoom_ = 1.0;
    }
    zoomIn_->setEnabled(zoom_ < kMaxZoom);
    zoomOut_->setEnabled(zoom_ > 1.0);
    shownWidth_ = 0;
    ShowPages();
}

void CReceiptViewer::Turn() {
    turns_ = (turns_ + 1) % 4;
    shownWidth_ = 0;
    ShowPages();
}

void CReceiptViewer::Act() {
    if (act_ == Action::Remove && !Platform::Get().GetPrompts().AskYesNo(QStringLiteral(
                                      "Are you sure you want to remove this receipt?"))) {
        return;
    }
    accept();
}

void CReceiptViewer::ShowPages() {
    const int room = area_->viewport()->width() - area_->verticalScrollBar()->sizeHint().width();
    int width = qMax(1, static_cast<int>(room * zoom_));
    // The pixels of all pages at that width, each page as tall as its shape
    // makes it (turned, its width is the page's height).
    double heightPerWidth = 0;
    for (int page = 0; page < pages_.size(); ++page) {
        const QSize natural = picture_->NaturalSize(page);
        if (!natural.isEmpty()) {
            heightPerWidth += turns_ % 2 == 1 ? double(natural.width()) / natural.height()
                                              : double(natural.height()) / natural.width();
        }
    }
    const double pixels = double(width) * width * heightPerWidth;
    if (pixels > kMostPixels) {
        width = qMax(1, static_cast<int>(width * std::sqrt(kMostPixels / pixels)));
    }
    if (width == shownWidth_ || pages_.isEmpty()) {
        return;
    }
    shownWidth_ = width;
    // The page is drawn to fit the width it will have once turned.
    const bool sideways = turns_ % 2 == 1;
    const QSize bound = sideways ? QSize(kTallestPage, width) : QSize(width, kTallestPage);
    for (int page = 0; page < pages_.size(); ++page) {
        const QImage image = CReceiptPicture::Turned(picture_->Render(page, bound), turns_);
        pages_[page]->setPixmap(QPixmap::fromImage(image));
        pages_[page]->setFixedSize(image.size());
    }
    sheet_->adjustSize();
}

void CReceiptViewer::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomBy(kZoomStep);
            return;
        case Qt::Key_Minus:
            ZoomBy(1.0 / kZoomStep);
            return;
        case Qt::Key_R:
            Turn();
            return;
        default:
            FullWindowDialog::keyPressEvent(event);
    }
}
