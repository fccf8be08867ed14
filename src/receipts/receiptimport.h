#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "receipts/receipt.h"

// How a chosen picture is stored.
struct ImportOptions {
    // Stores a picture as it came instead of a readable copy of at most
    // kLongSide pixels on its long side.
    bool keepOriginal = false;
};

// Turns a file the user chose (or a camera's picture) into the bytes kept
// in a receipts folder, refusing anything that is not a readable JPEG, PNG,
// WebP picture or PDF before any large allocation. The stored name is the
// content's hash, never the user's name.
namespace ReceiptImport {

// The largest file taken at all.
inline constexpr qint64 kMaxFileBytes = 50LL * 1024 * 1024;
// The most pixels a picture may have: a phone's largest photos, well past
// what a receipt needs, and small enough to decode on a handheld.
inline constexpr qint64 kMaxPixels = 50LL * 1000 * 1000;
// The long side of a stored copy, and its JPEG quality.
inline constexpr int kLongSide = 2000;
inline constexpr int kJpegQuality = 85;

struct Imported {
    QByteArray bytes;
    Receipt::Kind kind = Receipt::Kind::Image;
    QString extension;     // "jpg", "png", "webp" or "pdf"
    QString originalName;  // the chosen file's name without folders
    // The name to store it under: the SHA-256 of `bytes` in hex, a dot and
    // the extension.
    QString StoredName() const;
};

// False with a message naming the file and the reason when `path` cannot
// be a receipt.
bool FromFile(const QString& path, const ImportOptions& options, Imported& out, QString& error);
// A picture already in memory (the camera's), stored as JPEG.
bool FromImage(const QImage& image, const ImportOptions& options, Imported& out, QString& error);

}  // namespace ReceiptImport
