#include "packagewriter.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "export/exportcontent.h"
#include "lists/category.h"
#include "platform/filehelpers.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "zip/ziparchive.h"
#include "zip/ziperror.h"

namespace {

// Characters well short of any file system's limit of 255 bytes, leaving
// room for a copy's number and the extension.
constexpr int kMostNameCharacters = 120;
constexpr int kMostExtensionCharacters = 8;

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        error = file.errorString();
        return false;
    }
    return true;
}

// The package's PDF drawn into `path`; false with the reason for the user.
bool WritePdf(const QString& path, const CPackageWriter::ReportFiles& files,
              const QString& package, QString& error) {
    QFile file(path);
    const auto failed = [&] {
        error = QStringLiteral("The package %1 cannot be written: %2")
                    .arg(package, file.errorString());
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        return failed();
    }
    // A receipt that cannot be read gives its own reason.
    if (!files.writePdf(file, error)) {
        return false;
    }
    // The PDF writer goes on when its device fails; the file tells after.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        return failed();
    }
    return true;
}

// The extension of the receipt's file as it was attached: letters and
// digits only, lower case.
QString Extension(const QString& originalName, const QString& path, bool isPdf) {
    QString suffix = QFileInfo(originalName).suffix();
    if (suffix.isEmpty()) {
        suffix = QFileInfo(path).suffix();
    }
    suffix = suffix.toLower();
    const bool plain = !suffix.isEmpty() && suffix.size() <= kMostExtensionCharacters &&
                       std::all_of(suffix.cbegin(), suffix.cend(), [](QChar c) {
                           return c.unicode() < 0x80 && c.isLetterOrNumber();
                       });
    if (plain) {
        return suffix;
    }
    return isPdf ? QStringLiteral("pdf") : QStringLiteral("jpg");
}

// Syncs what is written under `folder`, and the folder itself.
bool SyncFolder(const QString& folder) {
    const int handle =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    const bool synced = ::syncfs(handle) == 0 && ::fsync(handle) == 0;
    ::close(handle);
    return synced;
}

bool WriteFolder(const CExportContent& content, const std::vector<QString>& names,
                 const QString& staging, const QString& path, QString& error) {
    size_t next = 0;
    for (size_t expense = 0; expense < content.GetExpenses().size(); ++expense) {
        for (const ReceiptFile& receipt : content.ReceiptsOf(expense)) {
            QFile source(receipt.path);
            if (!source.copy(JoinPath(staging, names[next++]))) {
                error = QStringLiteral("The receipt %1 cannot be copied: %2")
                            .arg(receipt.path, source.errorString());
                return false;
            }
        }
    }
    // A temporary folder is the owner's alone; the package is shared as a
    // folder of exports is.
    if (!QFile::setPermissions(staging, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther) ||
        !SyncFolder(staging)) {
        error = QStringLiteral("The folder %1 cannot be written: %2").arg(path, SystemError());
        return false;
    }
    // Never onto a folder that appeared meanwhile.
    if (::renameat2(AT_FDCWD, QFile::encodeName(staging).constData(), AT_FDCWD,
                    QFile::encodeName(path).constData(), RENAME_NOREPLACE) != 0) {
        error = QStringLiteral("The folder %1 cannot be written: %2").arg(path, SystemError());
        return false;
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return true;
}

bool WriteZip(const CExportContent& content, const CPackageWriter::ReportFiles& files,
              const std::vector<QString>& names, const QString& staging, const QString& path,
              QString& error) {
    ZipArchive zip;
    try {
        zip.Create(path);
        // Only the spreadsheet file is worth deflating: the PDF, the photos
        // and the scans are compressed already.
        zip.AddFileAs(JoinPath(staging, files.pdfName), files.pdfName, false);
        zip.AddFileAs(JoinPath(staging, files.csvName), files.csvName);
        size_t next = 0;
        for (size_t expense = 0; expense < content.GetExpenses().size(); ++expense) {
            for (const ReceiptFile& receipt : content.ReceiptsOf(expense)) {
                zip.AddFileAs(receipt.path, names[next++], false);
            }
        }
        // The receipts are read here, and the archive replaces any file
        // at `path` only once it is whole.
        zip.Close();
    } catch (const ZipError& failure) {
        zip.Discard();
        error = failure.Message();
        return false;
    }
    return true;
}

}  // namespace

QString CPackageWriter::SafeFileName(const QString& text) {
    QString name;
    name.reserve(text.size());
    for (const QChar c : text) {
        const bool refused =
            c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control ||
            c.category() == QChar::Other_Format || QStringLiteral("/\\:*?\"<>|").contains(c);
        name += refused ? QLatin1Char('_') : c;
    }
    while (name.contains(QLatin1String(".."))) {
        name.replace(QLatin1String(".."), QLatin1String("."));
    }
    name = name.left(kMostNameCharacters);
    if (name.size() > 0 && name.back().isHighSurrogate()) {
        name.chop(1);
    }
    // Windows drops dots and spaces at the end of a name; one at the start
    // hides the file.
    while (!name.isEmpty() && (name.front() == QLatin1Char('.') || name.front().isSpace())) {
        name.remove(0, 1);
    }
    while (!name.isEmpty() && (name.back() == QLatin1Char('.') || name.back().isSpace())) {
        name.chop(1);
    }
    return name.isEmpty() ? QStringLiteral("_") : name;
}

std::vector<QString> CPackageWriter::ReceiptNames(const CExportContent& content,
                                                  QSet<QString> taken) {
    QSet<QString> used;
    for (const QString& name : std::as_const(taken)) {
        used.insert(name.toCaseFolded());
    }
    const CCurrencyTable& currencies = content.GetReport().GetCurrencyTable();
    std::vector<QString> names;
    const auto& expenses = content.GetExpenses();
    for (size_t expense = 0; expense < expenses.size(); ++expense) {
        const CExpenseRecord& record = *expenses[expense];
        QString code = currencies.GetCode(record.GetCurrencyName());
        if (code.isEmpty()) {
            code = currencies.GetHomeCode();
        }
        QString stem =
            QStringLiteral("%1 %2 %3")
                .arg(CExportContent::LocalDay(record).toString(Qt::ISODate),
                     record.GetCategory().GetName().simplified(), content.PlainEntered(record));
        if (!code.isEmpty()) {
            stem += QLatin1Char(' ') + code;
        }
        stem = SafeFileName(stem);
        for (const ReceiptFile& receipt : content.ReceiptsOf(expense)) {
            const QString extension =
                QLatin1Char('.') + Extension(receipt.originalName, receipt.path, receipt.isPdf);
            QString name = stem + extension;
            for (int copy = 2; used.contains(name.toCaseFolded()); ++copy) {
                name = QStringLiteral("%1 (%2)%3").arg(stem).arg(copy).arg(extension);
            }
            used.insert(name.toCaseFolded());
            names.push_back(name);
        }
    }
    return names;
}

bool CPackageWriter::Write(const CExportContent& content, const ReportFiles& files, Form form,
                           const QString& path, QString& error) {
    const std::vector<QString> names = ReceiptNames(content, {files.pdfName, files.csvName});
    // Beside the package, so that a folder takes its place by a rename.
    QTemporaryDir staging(
        JoinPath(QFileInfo(path).absolutePath(), QStringLiteral(".package-XXXXXX")));
    if (!staging.isValid()) {
        error = QStringLiteral("The package %1 cannot be written: %2")
                    .arg(path, staging.errorString());
        return false;
    }
    QString reason;
    if (!WriteWhole(staging.filePath(files.csvName), files.csv, reason)) {
        error = QStringLiteral("The package %1 cannot be written: %2").arg(path, reason);
        return false;
    }
    if (!WritePdf(staging.filePath(files.pdfName), files, path, error)) {
        return false;
    }
    if (form == Form::kZip) {
        return WriteZip(content, files, names, staging.path(), path, error);
    }
    if (!WriteFolder(content, names, staging.path(), path, error)) {
        return false;
    }
    // The folder is in its place now; nothing is left to remove.
    staging.setAutoRemove(false);
    return true;
}
