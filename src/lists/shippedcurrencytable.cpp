#include "lists/shippedcurrencytable.h"

#include <QFile>
#include <QSaveFile>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/currencytable.h"
#include "platform/diagnosticslog.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "platform/profile.h"

namespace {

// Far above the full list (a few tens of kilobytes); a larger file is not
// the one the build made and is not read into memory.
constexpr qint64 kMaxShippedTableBytes = 16 * 1024 * 1024;

CurrencyTableInstallResult Failed(const QString& failure) {
    LogMessage(failure);
    CurrencyTableInstallResult result;
    result.failure = failure;
    return result;
}

}  // namespace

QString ShippedCurrencyTablePath(const QString& dataFolder) {
    return JoinPath(JoinPath(dataFolder, QStringLiteral("data")),
                    QString::fromLatin1(CCurrencyTable::kFileName));
}

CurrencyTableInstallResult InstallShippedCurrencyTable(const QString& dataFolder) {
    const QString target = CCurrencyTable::DefaultFilePath();
    if (target.isEmpty()) {
        return Failed(QStringLiteral("The data folder is not available."));
    }
    if (FileExists(target)) {
        CurrencyTableInstallResult result;
        result.kept = true;
        return result;
    }
    const QString source = ShippedCurrencyTablePath(dataFolder);
    if (dataFolder.isEmpty() || ProbeDataFileType(source) != kFileTypeCurrencyTable) {
        return Failed(
            QStringLiteral("The shipped currency table %1 is missing or damaged.")
                .arg(dataFolder.isEmpty() ? QStringLiteral("data/CurrencyTable.dat") : source));
    }
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || in.size() > kMaxShippedTableBytes) {
        return Failed(QStringLiteral("The shipped currency table %1 cannot be read.").arg(source));
    }
    const QByteArray bytes = in.readAll();
    // Written beside the target and renamed, so that an interrupted copy never
    // leaves a partial table for the program to take for the user's.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return Failed(QStringLiteral("The currency table %1 could not be written: %2")
                          .arg(target, out.errorString()));
    }
    Platform::Get().GetRegistry().WriteString(
        RegistryHive::ClassesRoot, QString::fromLatin1(Profile::kApplicationKey),
        QString::fromLatin1(CCurrencyTable::kInitHomeCurrencyValue), QStringLiteral("1"));
    CurrencyTableInstallResult result;
    result.installed = true;
    return result;
}
