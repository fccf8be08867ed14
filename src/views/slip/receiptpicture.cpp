#include "views/slip/receiptpicture.h"

#include <QImageReader>
#include <QPdfDocument>
#include <QTransform>

CReceiptPicture::CReceiptPicture(const QString& path, bool pdf) : path_(path) {
    if (pdf) {
        pdf_ = std::make_unique<QPdfDocument>();
        if (pdf_->load(path) != QPdfDocument::Error::None) {
            pdf_.reset();
        }
        return;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    imageSize_ = reader.size();
    // A photo taken on its side says so in its data; its shown size follows.
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
        imageSize_.transpose();
    }
}

CReceiptPicture::~CReceiptPicture() = default;

int CReceiptPicture::PageCount() const {
    if (pdf_ != nullptr) {
        return pdf_->pageCount();
    }
    return imageSize_.isValid() && !imageSize_.isEmpty() ? 1 : 0;
}

QSize CReceiptPicture::NaturalSize(int page) const {
    if (pdf_ != nullptr) {
        return pdf_->pagePointSize(page).toSize();
    }
    return imageSize_;
}

QImage CReceiptPicture::Render(int page, QSize bound) const {
    if (page < 0 || page >= PageCount() || bound.isEmpty()) {
        return QImage();
    }
    const QSize natural = NaturalSize(page);
    if (natural.isEmpty()) {
        return QImage();
    }
    const QSize size = natural.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    if (pdf_ != nullptr) {
        return pdf_->render(page, size);
    }
    QImageReader reader(path_);
    reader.setAutoTransform(true);
    // The reader scales before the turn it reads from the photo's data.
    const bool sideways = reader.transformation() & QImageIOHandler::TransformationRotate90;
    reader.setScaledSize(sideways ? size.transposed() : size);
    return reader.read();
}

QImage CReceiptPicture::Turned(const QImage& image, int quarters) {
    const int turn = ((quarters % 4) + 4) % 4;
    if (turn == 0 || image.isNull()) {
        return image;
    }
    return image.transformed(QTransform().rotate(90.0 * turn));
}
