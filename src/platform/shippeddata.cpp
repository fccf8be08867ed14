#include "shippeddata.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "diagnosticslog.h"
#include "directories.h"
#include "filehelpers.h"

namespace {

constexpr ImageFolder kFolders[] = {ImageFolder::Category, ImageFolder::PaidWith,
                                    ImageFolder::Class, ImageFolder::ExpenseType,
                                    ImageFolder::Other};

// The device's file system ignores case, so "catfoodu.bmp" of the user's and
// the shipped "CATFOODU.BMP" are the same picture.
QSet<QString> UpperCaseNames(const QString& folder) {
    QSet<QString> names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        names.insert(name.toUpper());
    }
    return names;
}

void Fail(ImageInstallResult& result, const QString& message) {
    LogMessage(message, true);
    result.failures.append(message);
}

}  // namespace

QString GetShippedDataFolder() {
    const QString folder =
        QDir::cleanPath(GetProgramFolder() + QStringLiteral("/../share/outlaysheet"));
    return IsDirectory(folder) ? folder : QString();
}

QString GetBuiltInImagePath(const QString& imageName) {
    const QString name = QFileInfo(QString(imageName).replace(QLatin1Char('\\'), QLatin1Char('/')))
                             .fileName()
                             .toUpper();
    if (name.isEmpty()) {
        return {};
    }
    const QString path = QStringLiteral(":/images/") + name;
    return QFile::exists(path) ? path : QString();
}

ImageInstallResult InstallShippedImages(const QString& dataFolder) {
    ImageInstallResult result;
    if (dataFolder.isEmpty()) {
        Fail(result, QStringLiteral("The program's shipped data folder is missing."));
        return result;
    }
    const QString images = JoinPath(dataFolder, QStringLiteral("images"));
    if (!IsDirectory(images)) {
        Fail(result, QStringLiteral("The shipped images folder %1 is missing.").arg(images));
        return result;
    }
    for (ImageFolder folder : kFolders) {
        const QString source = JoinPath(images, ImageFolderName(folder));
        const QStringList pictures = QDir(source).entryList({QStringLiteral("*.bmp")}, QDir::Files,
                                                            QDir::Name | QDir::IgnoreCase);
        if (pictures.isEmpty()) {
            continue;
        }
        const QString target = GetImagesSubdirectory(folder);
        if (target.isEmpty() || !IsDirectory(target)) {
            Fail(result, QStringLiteral("The image folder %1 is not available.")
                             .arg(ImageFolderName(folder)));
            continue;
        }
        const QSet<QString> present = UpperCaseNames(target);
        for (const QString& picture : pictures) {
            if (present.contains(picture.toUpper())) {
                ++result.kept;
            } else if (QFile::copy(JoinPath(source, picture), JoinPath(target, picture))) {
                ++result.installed;
            } else {
                Fail(result, QStringLiteral("Failed to install the image %1 into %2.")
                                 .arg(picture, target));
            }
        }
    }
    return result;
}
