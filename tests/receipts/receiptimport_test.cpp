#include "receipts/receiptimport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include "platform/filehelpers.h"
#include "receiptstest.h"

namespace {

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

QByteArray Chunk(const char* type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(Crc32(body), crc.data());
    return chunk + crc;
}

// A complete 1-bit grey PNG of `side` x `side` white pixels: a few tens of
// kilobytes on disk, gigabytes once decoded.
QByteArray HugePng(int side) {
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(side), header.data());
    qToBigEndian<quint32>(static_cast<quint32>(side), header.data() + 4);
    header[8] = 1;  // bit depth; colour type 0 (grey)
    const qsizetype row = 1 + (side + 7) / 8;
    QByteArray raw(row * side, '\xFF');
    for (qsizetype y = 0; y < side; ++y) {
        raw[y * row] = 0;  // no filter
    }
    const QByteArray zlib = qCompress(raw, 9).mid(4);  // without Qt's length
    return QByteArray::fromHex("89504e470d0a1a0a") + Chunk("IHDR", header) + Chunk("IDAT", zlib) +
           Chunk("IEND", {});
}

}  // namespace

// Whatever a hostile or broken file is, it is refused with a message that
// names it, and nothing is written anywhere.
TEST(ReceiptImport, RefusesWhatCannotBeAReceipt) {
    TripWithReceipts trip;
    const QString jpeg = trip.Picture("whole.jpg", {400, 300});
    const QByteArray jpegBytes = ReadFileBytes(jpeg);
    const QString folder = trip.platform.Path("hostile/");
    struct Case {
        const char* name;
        std::function<QString()> make;
        const char* message;
    } cases[] = {
        {"a 20,000 x 20,000 PNG",
         [&] {
             WriteFileBytes(folder + "huge.png", HugePng(20000));
             return folder + "huge.png";
         },
         "huge.png cannot be attached: the picture is 20000 x 20000 pixels; a receipt may have "
         "at most 50 megapixels."},
        {"a truncated JPEG",
         [&] {
             WriteFileBytes(folder + "cut.jpg", jpegBytes.left(jpegBytes.size() / 2));
             return folder + "cut.jpg";
         },
         "cut.jpg cannot be attached: the picture is incomplete or damaged."},
        {"a PDF that is not one",
         [&] {
             WriteFileBytes(folder + "scan.pdf", "%PDF-1.4\nnot a document at all\n");
             return folder + "scan.pdf";
         },
         "scan.pdf cannot be attached: it is not a complete PDF document."},
        {"a text file",
         [&] {
             WriteFileBytes(folder + "notes.jpg", "just some notes");
             return folder + "notes.jpg";
         },
         "notes.jpg cannot be attached: it is not a JPEG, PNG or WebP picture or a PDF."},
        {"a file past the size limit",
         [&] {
             QFile file(folder + "big.pdf");
             file.open(QIODevice::WriteOnly);
             file.write("%PDF-1.4\n");
             file.resize(ReceiptImport::kMaxFileBytes + 1);  // sparse: no disk used
             return folder + "big.pdf";
         },
         "big.pdf cannot be attached: the file is larger than 50 MB, the most a receipt may be."},
        {"a missing file", [&] { return folder + "gone.jpg"; },
         "gone.jpg cannot be attached: the file cannot be found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.make();
        const QSet<QString> before = trip.Files();
        QString error;
        // The good picture beside it is not stored either: all or nothing.
        EXPECT_FALSE(trip.keeper->Attach(trip.IdOf("A"), {jpeg, path}, {}, error));
        EXPECT_EQ(error, QString::fromUtf8(c.message));
        EXPECT_EQ(trip.Files(), before);
        EXPECT_TRUE(trip.keeper->ReceiptsOf(trip.IdOf("A")).isEmpty());
    }
}

TEST(ReceiptImport, ShrinksLargePhotosUnlessTheOriginalIsKept) {
    TripWithReceipts trip;
    const QString big = trip.Picture("big.jpg", {4000, 3000});
    const QString small = trip.Picture("small.png", {800, 600}, "PNG");
    const QString webp = trip.Picture("phone.webp", {2400, 1000}, "WEBP");
    struct Case {
        QString path;
        bool keepOriginal;
        QSize stored;
        bool sameBytes;
        const char* extension;
    } cases[] = {
        {big, false, {2000, 1500}, false, "jpg"},
        {big, true, {4000, 3000}, true, "jpg"},
        // Small enough already: kept as it came, in its own format.
        {small, false, {800, 600}, true, "png"},
        {webp, false, {2000, 833}, false, "jpg"},
        {webp, true, {2400, 1000}, true, "webp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + (c.keepOriginal ? " kept" : ""));
        ReceiptImport::Imported imported;
        QString error;
        ASSERT_TRUE(ReceiptImport::FromFile(c.path, {c.keepOriginal}, imported, error))
            << error.toStdString();
        EXPECT_EQ(imported.extension, c.extension);
        EXPECT_EQ(imported.bytes == ReadFileBytes(c.path), c.sameBytes);
        QBuffer buffer(&imported.bytes);
        EXPECT_EQ(QImageReader(&buffer).size(), c.stored);
        EXPECT_TRUE(imported.StoredName().endsWith(QString(".") + c.extension));
        EXPECT_EQ(imported.StoredName().size(), 64 + 1 + imported.extension.size());
    }
}

TEST(ReceiptImport, KeepsAPdfAsItIs) {
    TripWithReceipts trip;
    const QString path = QStringLiteral(OUTLAYSHEET_SCAN_SAMPLE);
    ReceiptImport::Imported imported;
    QString error;
    ASSERT_TRUE(ReceiptImport::FromFile(path, {}, imported, error)) << error.toStdString();
    EXPECT_EQ(imported.bytes, ReadFileBytes(path));
    EXPECT_EQ(imported.kind, Receipt::Kind::Pdf);
    EXPECT_EQ(imported.originalName, "one-page-scan.pdf");
}

// The camera's picture is stored as a JPEG at the readable size.
TEST(ReceiptImport, StoresACameraPicture) {
    TripWithReceipts trip;
    QImage photo(3000, 2000, QImage::Format_ARGB32);
    photo.fill(Qt::transparent);
    ReceiptImport::Imported imported;
    QString error;
    ASSERT_TRUE(ReceiptImport::FromImage(photo, {}, imported, error));
    QImage stored;
    ASSERT_TRUE(stored.loadFromData(imported.bytes, "JPG"));
    EXPECT_EQ(stored.size(), QSize(2000, 1333));
    // Transparency becomes white paper, not black.
    EXPECT_EQ(QColor(stored.pixel(10, 10)).lightness(), 255);

    EXPECT_FALSE(trip.keeper->AttachImage(trip.IdOf("A"), QImage(), error));
    EXPECT_EQ(error, "The camera gave no picture.");
    ASSERT_TRUE(trip.keeper->AttachImage(trip.IdOf("A"), photo, error));
    EXPECT_EQ(trip.NamesOf("A"), QStringList{"Photo.jpg"});
}
