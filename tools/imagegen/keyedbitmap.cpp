#include "keyedbitmap.h"

namespace {

// Below this coverage an edge pixel blended into the matte would only tint
// the background; dropping it keeps outlines crisp on other backgrounds too.
constexpr int kMinimumCoverage = 48;

bool NearKey(QRgb pixel) {
    return qRed(pixel) > 200 && qBlue(pixel) > 200 && qGreen(pixel) < 72;
}

}  // namespace

QImage FlattenToKeyedBitmap(const QImage& drawing, QColor matte, bool opaque) {
    const QImage source = drawing.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(source.size(), QImage::Format_RGB32);
    const int mr = matte.red();
    const int mg = matte.green();
    const int mb = matte.blue();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            if (!opaque && a < kMinimumCoverage) {
                out[x] = kTransparentKey;
                continue;
            }
            const int rest = 255 - a;
            QRgb blended =
                qRgb(qRed(p) + (mr * rest + 127) / 255, qGreen(p) + (mg * rest + 127) / 255,
                     qBlue(p) + (mb * rest + 127) / 255);
            if (!opaque && NearKey(blended)) {
                blended = qRgb(qRed(blended), 72, qBlue(blended));
            }
            out[x] = blended;
        }
    }
    return result;
}
