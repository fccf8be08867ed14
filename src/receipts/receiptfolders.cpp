#include "receipts/receiptfolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/filehelpers.h"
#include "receipts/receiptindex.h"

namespace ReceiptFolders {

namespace {

// Puts the receipts of `from` into the folder `to`, which already holds
// receipts of its own: those belonged to a report no longer there, so their
// ties cannot be trusted and they are kept as unmatched. With `move` the
// files leave `from`.
bool Combine(const QString& from, const QString& to, bool move, QString& error) {
    CReceiptIndex theirs;
    CReceiptIndex ours;
    if (!theirs.Read(from, error) || !ours.Read(to, error)) {
        return false;
    }
    const QStringList names = QDir(from).entryList(QDir::Files);
    for (const QString& name : names) {
        if (name == CReceiptIndex::FileName()) {
            continue;
        }
        const QString target = JoinPath(to, name);
        // Named by content: one already there is the same file.
        if (!QFile::exists(target) && !QFile::copy(JoinPath(from, name), target)) {
            error = QStringLiteral("The receipt %1 cannot be copied to %2.").arg(name, to);
            return false;
        }
    }
    CReceiptIndex combined;
    combined.ties = theirs.ties;
    for (const QList<CReceiptIndex::Entry>* loose :
         {&ours.ties, &ours.unmatched, &theirs.unmatched}) {
        for (const CReceiptIndex::Entry& entry : *loose) {
            bool known = false;
            for (const CReceiptIndex::Entry& kept : combined.unmatched) {
                known = known || kept.file == entry.file;
            }
            if (!known) {
                combined.unmatched.append(entry);
            }
        }
    }
    if (!combined.Write(to, error)) {
        return false;
    }
    if (move) {
        QDir(from).removeRecursively();
    }
    return true;
}

bool CopyFolder(const QString& from, const QString& to, QString& error) {
    if (!QDir().mkpath(to)) {
        error = QStringLiteral("The receipts folder %1 cannot be made.").arg(to);
        return false;
    }
    const QStringList names = QDir(from).entryList(QDir::Files);
    for (const QString& name : names) {
        if (!QFile::copy(JoinPath(from, name), JoinPath(to, name))) {
            error = QStringLiteral("The receipt %1 cannot be copied to %2.").arg(name, to);
            QDir(to).removeRecursively();
            return false;
        }
    }
    return true;
}

}  // namespace

QString Of(const QString& reportPath) {
    const QFileInfo report(reportPath);
    return report.path() + QStringLiteral("/Receipts/") + report.completeBaseName();
}

bool Move(const QString& fromReportPath, const QString& toReportPath, QString& error) {
    const QString from = Of(fromReportPath);
    const QString to = Of(toReportPath);
    if (from == to || !QFileInfo(from).isDir()) {
        return true;
    }
    if (QFileInfo(to).exists()) {
        return Combine(from, to, true, error);
    }
    if (!QDir().mkpath(QFileInfo(to).path())) {
        error = QStringLiteral("The receipts folder %1 cannot be made.").arg(to);
        return false;
    }
    // Within one file system a rename moves everything at once; across two
    // (the trash elsewhere) the files are copied first.
    if (QDir().rename(from, to)) {
        return true;
    }
    if (!CopyFolder(from, to, error)) {
        return false;
    }
    QDir(from).removeRecursively();
    return true;
}

bool Copy(const QString& fromReportPath, const QString& toReportPath, QString& error) {
    const QString from = Of(fromReportPath);
    const QString to = Of(toReportPath);
    if (from == to || !QFileInfo(from).isDir()) {
        return true;
    }
    if (QFileInfo(to).exists()) {
        return Combine(from, to, false, error);
    }
    return CopyFolder(from, to, error);
}

void Remove(const QString& reportPath) {
    const QString folder = Of(reportPath);
    if (QFileInfo(folder).isDir()) {
        QDir(folder).removeRecursively();
    }
    // The "Receipts" folder itself goes with its last report's receipts.
    QDir().rmdir(QFileInfo(folder).path());
}

}  // namespace ReceiptFolders
