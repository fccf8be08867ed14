#include "lists/listimage.h"

#include <QFileInfo>

#include "platform/filehelpers.h"
#include "platform/platform.h"

QString ImageFileNameOf(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(cut + 1);
}

QString ListImagePath(ImageFolder folder, const QString& imageName) {
    // Only the file name is used, so that a name read from a file can never
    // point outside the image folder.
    const QString fileName = ImageFileNameOf(imageName);
    if (!Platform::HasCurrent()) {
        return fileName;
    }
    const QString directory = GetImagesSubdirectory(folder, true);
    const QString exact = directory + fileName;
    // The exact name first: it is the common case, and costs no listing.
    if (fileName.isEmpty() || QFileInfo(exact).isFile()) {
        return exact;
    }
    const QStringList matches = FindFilesIgnoringCase(directory, fileName);
    return matches.size() == 1 ? directory + matches.first() : exact;
}

QStringList ListImageMatches(ImageFolder folder, const QString& imageName) {
    if (!Platform::HasCurrent()) {
        return {};
    }
    return FindFilesIgnoringCase(GetImagesSubdirectory(folder), ImageFileNameOf(imageName));
}

bool ListImageExists(ImageFolder folder, const QString& imageName) {
    // Objects made before the platform exists cannot look; their image counts
    // as missing rather than being looked up relative to the working folder.
    if (!Platform::HasCurrent() || GetImagesSubdirectory(folder).isEmpty()) {
        return false;
    }
    const QString fileName = ImageFileNameOf(imageName);
    // An empty name would otherwise find the folder itself; a name with a
    // NUL, read from a damaged file, is no file name at all.
    return !fileName.isEmpty() && !fileName.contains(QChar(0)) &&
           QFileInfo(ListImagePath(folder, fileName)).isFile();
}
