#include "platformpaths.h"

#include <dlfcn.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Removes "--name VALUE" or "--name=VALUE" from the arguments; the value of
// the last one wins.
QString TakeOption(QStringList& arguments, const QString& name) {
    QString value;
    for (qsizetype i = 0; i < arguments.size();) {
        const QString& argument = arguments[i];
        if (argument == name && i + 1 < arguments.size()) {
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (argument.startsWith(name + QLatin1Char('='))) {
            value = argument.mid(name.size() + 1);
            arguments.remove(i);
        } else {
            ++i;
        }
    }
    return value;
}

QString FromEnvironmentVariable(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

}  // namespace

PlatformPaths PlatformPaths::FromEnvironment(QStringList& arguments) {
    PlatformPaths paths;
    paths.documentsRoot = TakeOption(arguments, QStringLiteral("--root"));
    if (paths.documentsRoot.isEmpty()) {
        paths.documentsRoot = FromEnvironmentVariable("OUTLAYSHEET_ROOT");
    }
    if (paths.documentsRoot.isEmpty()) {
        paths.documentsRoot = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    paths.registryFolder = TakeOption(arguments, QStringLiteral("--registry"));
    if (paths.registryFolder.isEmpty()) {
        paths.registryFolder = FromEnvironmentVariable("OUTLAYSHEET_REGISTRY");
    }
    if (paths.registryFolder.isEmpty()) {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        if (!config.isEmpty()) {
            paths.registryFolder = QDir(config).filePath(QStringLiteral("Tillhouse/registry"));
        }
    }
    paths.contactsFolder = FromEnvironmentVariable("OUTLAYSHEET_CONTACTS");
    if (paths.contactsFolder.isEmpty()) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (!data.isEmpty()) {
            paths.contactsFolder = QDir(data).filePath(QStringLiteral("contacts"));
        }
    }
    for (QString* path : {&paths.documentsRoot, &paths.registryFolder, &paths.contactsFolder}) {
        if (!path->isEmpty()) {
            *path = QDir::cleanPath(QDir(*path).absolutePath());
        }
    }
    paths.systemFolder = ModuleFolder();
    return paths;
}

QString PlatformPaths::ModuleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&PlatformPaths::ModuleFolder), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    // The main program reports itself by the name it was started with, which
    // may be relative or bare.
    QString file = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
    if (file.isEmpty()) {
        file = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    }
    return QFileInfo(file).absolutePath();
}
