#include "lists/listimagefiles.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include "lists/categoryexmanager.h"

namespace {

constexpr int kCustomPictures = 10;
// "BM", the file header, then the size of the information header that
// follows it and the picture's width and height.
constexpr qint64 kFileHeaderSize = 14;
constexpr qint64 kCoreHeaderSize = 12;
constexpr qint64 kInfoHeaderSize = 40;

bool ContainsIgnoringCase(const QStringList& names, const QString& name) {
    return names.contains(name, Qt::CaseInsensitive);
}

}  // namespace

bool IsStandardListImage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(kFileHeaderSize + 12);
    if (head.size() < kFileHeaderSize + 8 || !head.startsWith("BM")) {
        return false;
    }
    const auto* bytes = reinterpret_cast<const uchar*>(head.constData());
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + kFileHeaderSize);
    qint64 width = 0;
    qint64 height = 0;
    if (infoSize == kCoreHeaderSize) {
        width = qFromLittleEndian<quint16>(bytes + kFileHeaderSize + 4);
        height = qFromLittleEndian<quint16>(bytes + kFileHeaderSize + 6);
    } else if (infoSize >= kInfoHeaderSize && head.size() >= kFileHeaderSize + 12) {
        width = qFromLittleEndian<qint32>(bytes + kFileHeaderSize + 4);
        // A negative height is a picture stored top row first.
        height = qAbs(static_cast<qint64>(qFromLittleEndian<qint32>(bytes + kFileHeaderSize + 8)));
    } else {
        return false;
    }
    return width == kListImageSize && height == kListImageSize;
}

QStringList StandardListImages(ImageFolder folder) {
    const QString path = GetImagesSubdirectory(folder);
    if (path.isEmpty()) {
        return {};
    }
    const QDir directory(path);
    QStringList names;
    // Name filters match without regard to case, as the device's do.
    for (const QString& name :
         directory.entryList({QStringLiteral("*u.bmp")}, QDir::Files, QDir::NoSort)) {
        if (IsStandardListImage(directory.filePath(name))) {
            names.append(name);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList CategoryImageChoices(const QStringList& folderImages) {
    QStringList builtIn;
    for (int index = 1; index < CCategoryExManager::kBuiltInCount; ++index) {
        builtIn.append(CCategoryExManager::GetBuiltInImageName(index));
    }
    QStringList choices;
    for (const QString& name : folderImages) {
        if (!ContainsIgnoringCase(builtIn, name)) {
            choices.append(name);
        }
    }
    for (int number = 1; number <= kCustomPictures; ++number) {
        const QString custom =
            QStringLiteral("CATCUSTOM%1U.BMP").arg(number, 2, 10, QLatin1Char('0'));
        if (!ContainsIgnoringCase(choices, custom)) {
            choices.append(custom);
        }
    }
    return choices;
}
