#include "directories.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <array>

#include "diagnosticslog.h"
#include "filehelpers.h"
#include "platform.h"

namespace {

constexpr std::array<ImageFolder, 5> kImageFolders = {ImageFolder::Category, ImageFolder::PaidWith,
                                                      ImageFolder::Class, ImageFolder::ExpenseType,
                                                      ImageFolder::Other};

QString WithTrailing(const QString& path, bool trailing) {
    return trailing && !path.isEmpty() ? path + QLatin1Char('/') : path;
}

DirectoryCache& Cache() {
    return Platform::Get().GetDirectoryCache();
}

// Computes a folder under the root once, creating it when it is missing.
QString Directory(QString DirectoryCache::*slot, const char* subPath, bool trailing) {
    QString& cached = Cache().*slot;
    if (cached.isEmpty()) {
        const QString root = GetDocumentsRoot();
        const QString path = JoinPath(root, QString::fromLatin1(subPath));
        if (path.isEmpty()) {
            return {};
        }
        if (!IsDirectory(path)) {
            CreateDirectoryPath(path);
        }
        cached = path;
        if (slot == &DirectoryCache::images) {
            for (ImageFolder folder : kImageFolders) {
                const QString sub = JoinPath(path, ImageFolderName(folder));
                if (!IsDirectory(sub)) {
                    CreateDirectoryPath(sub);
                }
            }
        }
    }
    return WithTrailing(cached, trailing);
}

}  // namespace

QString GetDocumentsRoot(bool trailing) {
    QString& cached = Cache().documentsRoot;
    if (cached.isEmpty()) {
        QString root = Platform::Get().GetPaths().documentsRoot;
        while (root.size() > 1 && root.endsWith(QLatin1Char('/'))) {
            root.chop(1);
        }
        if (root.isEmpty()) {
            return {};
        }
        cached = root;
        if (!IsDirectory(root)) {
            CreateDirectoryPath(root);
        }
    }
    return WithTrailing(cached, trailing);
}

QString GetSystemFolder(bool trailing) {
    QString& cached = Cache().systemFolder;
    if (cached.isEmpty()) {
        cached = Platform::Get().GetPaths().systemFolder;
        if (cached.isEmpty()) {
            cached = GetProgramFolder();
        }
    }
    return WithTrailing(cached, trailing);
}

QString GetProgramFolder(bool trailing) {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return WithTrailing(QFileInfo(program).absolutePath(), trailing);
}

QString GetReportsDirectory(bool trailing) {
    return Directory(&DirectoryCache::reports, "Outlaysheet", trailing);
}

QString GetReportsTempDirectory(bool trailing) {
    return Directory(&DirectoryCache::reportsTemp, "Outlaysheet", trailing);
}

QString GetTrashDirectory(bool trailing) {
    return Directory(&DirectoryCache::trash, "Outlaysheet/Trash", trailing);
}

QString GetDataDirectory(bool trailing) {
    return Directory(&DirectoryCache::data, "Outlaysheet/Data", trailing);
}

QString GetExportsDirectory(bool trailing) {
    return Directory(&DirectoryCache::exports, "Scripts", trailing);
}

QString GetImagesDirectory(bool trailing) {
    return Directory(&DirectoryCache::images, "Outlaysheet/Images", trailing);
}

QString ImageFolderName(ImageFolder folder) {
    switch (folder) {
        case ImageFolder::Category:
            return QStringLiteral("category");
        case ImageFolder::PaidWith:
            return QStringLiteral("paidwith");
        case ImageFolder::Class:
            return QStringLiteral("class");
        case ImageFolder::ExpenseType:
            return QStringLiteral("expensetype");
        case ImageFolder::Other:
            return QStringLiteral("other");
    }
    return {};
}

QString GetImagesSubdirectory(ImageFolder folder, bool trailing) {
    const QString images = GetImagesDirectory();
    if (images.isEmpty()) {
        return {};
    }
    return WithTrailing(JoinPath(images, ImageFolderName(folder)), trailing);
}

bool InitDirectories(int flags) {
    DirectoryCache& cache = Cache();
    for (QString* path : {&cache.reports, &cache.reportsTemp, &cache.trash, &cache.data,
                          &cache.images, &cache.exports}) {
        path->clear();
    }
    struct Step {
        int flag;
        QString (*getter)(bool);
        const char* failure;
    };
    static constexpr Step kSteps[] = {
        {kInitReports, GetReportsDirectory, "Reports Directory Failed to Initialize."},
        {kInitReports, GetReportsTempDirectory, "Reports Temp Directory Failed to Initialize."},
        {kInitReports, GetTrashDirectory, "Trash Directory Failed to Initialize."},
        {kInitData, GetDataDirectory, "Data Directory Failed to Initialize."},
        {kInitExports, GetExportsDirectory, "Exports Directory Failed to Initialize."},
        {kInitImages, GetImagesDirectory, "Images Directory Failed to Initialize."},
    };
    for (const Step& step : kSteps) {
        if (!(flags & step.flag)) {
            continue;
        }
        // A folder that could not be created is as much a failure as no path.
        const QString path = step.getter(false);
        if (path.isEmpty() || !IsDirectory(path)) {
            LogMessage(QString::fromLatin1(step.failure), true);
        }
    }
    return true;
}
