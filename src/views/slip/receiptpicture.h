#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

class QPdfDocument;

// What a stored receipt looks like: a photo read at the size it is shown, a
// scan's pages drawn by Qt's PDF module. Nothing larger than the size asked
// for is ever decoded, so a thumbnail of a large photo costs a thumbnail.
class CReceiptPicture {
public:
    CReceiptPicture(const QString& path, bool pdf);
    ~CReceiptPicture();
    CReceiptPicture(const CReceiptPicture&) = delete;
    CReceiptPicture& operator=(const CReceiptPicture&) = delete;

    // 1 for a photo, a scan's number of pages; 0 when the file cannot be read.
    int PageCount() const;
    // Page `page` (from 0) as large as fits in `bound`, its shape kept; a null
    // image when it cannot be read.
    QImage Render(int page, QSize bound) const;
    // `image` turned clockwise by `quarters` quarter turns.
    static QImage Turned(const QImage& image, int quarters);
    // The page's own size, in pixels for a photo and points for a scan.
    QSize NaturalSize(int page) const;

private:
    QString path_;
    std::unique_ptr<QPdfDocument> pdf_;
    QSize imageSize_;
};
