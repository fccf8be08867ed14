#include "codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr char kCodePage[] = "windows-1252";

}  // namespace

QString DecodeDeviceCodePage(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    // Without the converter (a Qt built without ICU) Latin-1 is the closest.
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

std::optional<QByteArray> EncodeDeviceCodePage(const QString& text) {
    QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        for (QChar c : text) {
            if (c.unicode() > 0xFF) {
                return std::nullopt;
            }
        }
        return text.toLatin1();
    }
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return bytes;
}
