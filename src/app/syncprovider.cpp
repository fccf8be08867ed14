#include "syncprovider.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>

#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/installation.h"
#include "platform/platform.h"

namespace {

const QString kUnknownVersion = QStringLiteral("0.0.0.0");

void Tell(const QString& text) {
    Platform::Get().GetPrompts().Show(text, PromptButtons::Ok, PromptIcon::None);
}

QString Quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// The provider's own version text, "0.0.0.0" when it exports none; empty
// optional when the library does not load.
std::optional<QString> ProviderVersion(const QString& path) {
    void* library = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    QString version = kUnknownVersion;
    using GetVersion = const char* (*)();
    if (auto* get = reinterpret_cast<GetVersion>(::dlsym(library, "DllGetVersion"))) {
        if (const char* text = get()) {
            version = QString::fromUtf8(text);
        }
    }
    ::dlclose(library);
    return version;
}

// Touches the files of a folder whose names end in `extension`, in any
// letter case as on the device.
int TouchAll(const QString& folder, const QString& extension) {
    if (folder.isEmpty()) {
        return 0;
    }
    int touched = 0;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (name.endsWith(extension, Qt::CaseInsensitive) && TouchFile(JoinPath(folder, name))) {
            ++touched;
        }
    }
    return touched;
}

}  // namespace

QString SyncProviderPath() {
    return GetSystemFolder(true) + QString::fromLatin1(kSyncProviderFileName);
}

SyncProviderStatus CheckSyncProvider() {
    const QString path = SyncProviderPath();
    if (!FileExists(path)) {
        Tell(QStringLiteral("Syncronization will not work because the file ") + Quoted(path) +
             QStringLiteral(" is missing or corrupt, please re-install the application."));
        return SyncProviderStatus::Missing;
    }
    Registry& registry = Platform::Get().GetRegistry();
    {
        RegistryBatch batch(registry);
        const QString key = QString::fromLatin1(kSyncRegistrationKey);
        registry.WriteString(RegistryHive::LocalMachine, key, QStringLiteral("Store"), path);
        registry.WriteString(RegistryHive::LocalMachine, key, QStringLiteral("Display Name"),
                             QStringLiteral("Outlaysheet"));
    }
    const std::optional<QString> providerVersion = ProviderVersion(path);
    if (!providerVersion) {
        Tell(QStringLiteral("Syncronization will not work because the file ") + Quoted(path) +
             QStringLiteral(" could not be loaded, please re-install the application."));
        return SyncProviderStatus::NotLoadable;
    }
    const QString programVersion = GetModuleVersion();
    if (programVersion != *providerVersion) {
        Tell(QStringLiteral("Syncronization may not work because the file ") + Quoted(path) +
             QStringLiteral(" has the incorrect version, please re-install the application.") +
             QStringLiteral("\n\nExpense.exe - ") + programVersion +
             QStringLiteral("\nDurEdodavuDido.dll - ") + *providerVersion);
        return SyncProviderStatus::WrongVersion;
    }
    return SyncProviderStatus::Ready;
}

int ForceSynchronization(bool images) {
    int touched = TouchAll(GetReportsDirectory(), QStringLiteral(".xpf"));
    touched += TouchAll(GetDataDirectory(), QStringLiteral(".dat"));
    if (images) {
        for (ImageFolder folder :
             {ImageFolder::Category, ImageFolder::Class, ImageFolder::ExpenseType,
              ImageFolder::Other, ImageFolder::PaidWith}) {
            touched += TouchAll(GetImagesSubdirectory(folder), QStringLiteral(".bmp"));
        }
    }
    return touched;
}
