// Restoring an archive of any bytes: every entry ends restored, skipped or
// reported, and nothing is ever written outside the user's folders.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "backup/backupengine.h"
#include "fuzzplatform.h"

namespace {

// Every path below the temporary folder but outside the root.
QStringList OutsideEntries() {
    const FuzzPlatform& platform = FuzzPlatform::Get();
    QStringList entries;
    QDirIterator it(platform.Outside(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.startsWith(platform.Root() + QLatin1Char('/')) && path != platform.Root()) {
            entries.append(path);
        }
    }
    entries.sort();
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzPlatform& platform = FuzzPlatform::Get();
    const QString archive = platform.ScratchFile(QStringLiteral("input.xbf"));
    {
        QFile file(archive);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            return 0;
        }
    }
    static const QStringList before = OutsideEntries();

    BackupFileList reports;
    BackupEngine::ListArchiveReports(archive, reports);
    BackupEngine engine;
    engine.SetSelection(kBackupReports | kBackupDataFiles | kBackupImages);
    engine.Restore(archive, reports, true, true);

    if (OutsideEntries() != before) {
        std::abort();
    }
    // Each input starts from empty folders.
    QDir(platform.Root()).removeRecursively();
    return 0;
}
