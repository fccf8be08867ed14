#include "receipts/receiptimport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QPdfDocument>

namespace ReceiptImport {

namespace {

// What a decoder may allocate for one picture, in MB: the largest picture
// taken, 4 bytes a pixel, and no more.
constexpr int kAllocationLimitMb = static_cast<int>(kMaxPixels * 4 / (1024 * 1024)) + 1;

QString Refused(const QString& name, const QString& reason) {
    return QStringLiteral("%1 cannot be attached: %2").arg(name, reason);
}

// A PDF is stored as it is, so the renderer that shows it and puts it in a
// package has to read it now: one that fails later would be a receipt
// nobody can see. Empty when it reads, else the reason.
QString PdfProblem(const QString& path) {
    QPdfDocument document;
    switch (document.load(path)) {
        case QPdfDocument::Error::None:
            break;
        case QPdfDocument::Error::IncorrectPassword:
        case QPdfDocument::Error::UnsupportedSecurityScheme:
            return QStringLiteral("the PDF document is protected by a password.");
        default:
            return QStringLiteral("it is not a complete PDF document.");
    }
    if (document.pageCount() < 1) {
        return QStringLiteral("the PDF document has no pages.");
    }
    return {};
}

// Decoders fill a cut-off picture in with grey and call it read; a receipt
// missing its lower half must be refused instead, so each format's end mark
// has to be there.
bool IsComplete(const QByteArray& bytes, const QByteArray& format) {
    if (format == "jpeg") {
        // Some cameras pad after the end-of-image mark.
        const qsizetype end = bytes.lastIndexOf("\xFF\xD9");
        return end >= 0 && bytes.size() - end <= 64 * 1024;
    }
    if (format == "png") {
        return bytes.right(12) == QByteArray::fromHex("0000000049454e44ae426082");
    }
    if (format == "webp") {
        if (bytes.size() < 12) {
            return false;
        }
        const auto* size = reinterpret_cast<const uchar*>(bytes.constData() + 4);
        const quint32 riff = size[0] | (size[1] << 8) | (size[2] << 16) | (quint32(size[3]) << 24);
        return quint64(riff) + 8 <= quint64(bytes.size());
    }
    return false;
}

QString HashName(const QByteArray& bytes, const QString& extension) {
    const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex()) + QLatin1Char('.') + extension;
}

// The picture as a JPEG on white (a transparent PNG would otherwise turn
// black).
QByteArray ToJpeg(const QImage& image) {
    // Only a picture with transparency is copied: a photo is encoded as it
    // is decoded, without a second full-size copy in memory.
    QImage flat;
    if (image.hasAlphaChannel()) {
        flat = QImage(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setOptimizedWrite(true);
    writer.write(flat.isNull() ? image : flat);
    return bytes;
}

// The stored size of a picture of `size`. Pictures are scaled to it exactly:
// keeping the aspect ratio a second time would round a pixel off.
QSize Fitted(const QSize& size) {
    return size.scaled(QSize(kLongSide, kLongSide), Qt::KeepAspectRatio);
}

bool NeedsShrinking(const QSize& size, const ImportOptions& options) {
    return !options.keepOriginal && (size.width() > kLongSide || size.height() > kLongSide);
}

bool FromPicture(const QByteArray& bytes, const QString& name, const ImportOptions& options,
                 Imported& out, QString& error) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMb);
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png" && format != "webp") {
        error = Refused(name, QStringLiteral("it is not a JPEG, PNG or WebP picture or a PDF."));
        return false;
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        error = Refused(name, QStringLiteral("the picture is damaged."));
        return false;
    }
    if (qint64(size.width()) * size.height() > kMaxPixels) {
        error = Refused(name, QStringLiteral("the picture is %1 x %2 pixels; a receipt may have "
                                             "at most %3 megapixels.")
                                  .arg(size.width())
                                  .arg(size.height())
                                  .arg(kMaxPixels / 1000000));
        return false;
    }
    if (!IsComplete(bytes, format)) {
        error = Refused(name, QStringLiteral("the picture is incomplete or damaged."));
        return false;
    }
    const bool shrink = NeedsShrinking(size, options);
    if (shrink) {
        // JPEG decodes straight at the smaller size, the others are decoded
        // whole (within the allocation limit) and scaled after.
        reader.setScaledSize(Fitted(size));
    }
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        error = Refused(name,
                        QStringLiteral("the picture is damaged (%1).").arg(reader.errorString()));
        return false;
    }
    if (!shrink) {
        // Small enough already: kept byte for byte, as the camera made it.
        out.bytes = bytes;
        out.extension = format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
    } else {
        const QImage fitted = image.size() == Fitted(image.size())
                                  ? image
                                  : image.scaled(Fitted(image.size()), Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation);
        out.bytes = ToJpeg(fitted);
        out.extension = QStringLiteral("jpg");
    }
    out.kind = Receipt::Kind::Image;
    return true;
}

}  // namespace

QString Imported::StoredName() const {
    return HashName(bytes, extension);
}

bool FromFile(const QString& path, const ImportOptions& options, Imported& out, QString& error) {
    out = {};
    const QFileInfo info(path);
    const QString name = info.fileName();
    out.originalName = name;
    if (!info.exists() || !info.isFile()) {
        error = Refused(name, QStringLiteral("the file cannot be found."));
        return false;
    }
    if (info.size() > kMaxFileBytes) {
        error = Refused(name, QStringLiteral("the file is larger than %1 MB, the most a receipt "
                                             "may be.")
                                  .arg(kMaxFileBytes / (1024 * 1024)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = Refused(name, file.errorString());
        return false;
    }
    // Read no further than the limit even if the file grew since.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        error = Refused(name, QStringLiteral("the file is larger than %1 MB, the most a receipt "
                                             "may be.")
                                  .arg(kMaxFileBytes / (1024 * 1024)));
        return false;
    }
    if (bytes.startsWith("%PDF-")) {
        if (const QString problem = PdfProblem(path); !problem.isEmpty()) {
            error = Refused(name, problem);
            return false;
        }
        out.bytes = bytes;
        out.kind = Receipt::Kind::Pdf;
        out.extension = QStringLiteral("pdf");
        return true;
    }
    return FromPicture(bytes, name, options, out, error);
}

bool FromImage(const QImage& image, const ImportOptions& options, Imported& out, QString& error) {
    out = {};
    out.originalName = QStringLiteral("Photo.jpg");
    if (image.isNull()) {
        error = QStringLiteral("The camera gave no picture.");
        return false;
    }
    if (qint64(image.width()) * image.height() > kMaxPixels) {
        error = Refused(
            out.originalName,
            QStringLiteral("the picture has more than %1 megapixels.").arg(kMaxPixels / 1000000));
        return false;
    }
    const bool shrink = NeedsShrinking(image.size(), options);
    out.bytes = ToJpeg(shrink ? image.scaled(Fitted(image.size()), Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation)
                              : image);
    out.kind = Receipt::Kind::Image;
    out.extension = QStringLiteral("jpg");
    return true;
}

}  // namespace ReceiptImport
