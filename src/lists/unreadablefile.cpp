#include "lists/unreadablefile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/diagnosticslog.h"
#include "platform/platform.h"

namespace {

// Enough for any real history of failures, and a bound on the search.
constexpr int kMaxKeptCopies = 1000;

}  // namespace

bool KeepUnreadableFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return false;
    }
    for (int number = 1; number <= kMaxKeptCopies; ++number) {
        QString kept = path + QStringLiteral(".unreadable");
        if (number > 1) {
            kept += QString::number(number);
        }
        if (QFileInfo::exists(kept) || QFileInfo(kept).isSymLink()) {
            continue;
        }
        // QFile never renames over an existing file.
        QFile file(path);
        if (!file.rename(kept)) {
            LogMessage(QStringLiteral("Could not keep unreadable file %1 as %2: %3")
                           .arg(path, kept, file.errorString()));
            return false;
        }
        LogMessage(QStringLiteral("Unreadable file %1 kept as %2.").arg(path, kept));
        // The defaults about to take its place change what the user sees;
        // without a word the settings or list would just seem to be lost.
        if (Platform::HasCurrent()) {
            Platform::Get().GetPrompts().Warning(
                QStringLiteral("%1 could not be read. It has been kept as %2, and the defaults "
                               "are used in its place.")
                    .arg(path, kept));
        }
        return true;
    }
    LogMessage(
        QStringLiteral("Could not keep unreadable file %1: too many kept copies.").arg(path));
    return false;
}
