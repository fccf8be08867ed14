#include "reportexporter.h"

#include <unistd.h>

#include <cerrno>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "archive/objectfile.h"
#include "export/csvexport.h"
#include "export/exportcontent.h"
#include "export/pdfexport.h"
#include "lists/personalinfo.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/report.h"

namespace {

constexpr int kMostCopies = 1000;

using Result = CReportExporter::Result;

Result Failure(const QString& error) {
    Result result;
    result.error = error;
    return result;
}

// Where the file goes, or an empty path with the reason in `error`.
QString OutputPath(const CExportContent& content, const CReportExporter::Request& request,
                   QString& error) {
    const QString extension =
        QLatin1Char('.') + CReportExporter::FormatName(request.format).toLower();
    QString folder = request.outputPath;
    if (folder.isEmpty()) {
        folder = GetExportsDirectory();
        if (folder.isEmpty() || !IsDirectory(folder)) {
            error = QStringLiteral("The Exports folder %1 is not available.").arg(folder);
            return {};
        }
    }
    if (IsDirectory(folder)) {
        const QString path = CReportExporter::FreeFileName(folder, content.GetTitle(), extension);
        if (path.isEmpty()) {
            error = QStringLiteral("The folder %1 holds too many exports of %2 already.")
                        .arg(folder, content.GetTitle());
        }
        return path;
    }
    const QFileInfo file(request.outputPath);
    if (!file.absoluteDir().exists()) {
        error = QStringLiteral("The folder %1 does not exist.").arg(file.absolutePath());
        return {};
    }
    // The one file an export must never replace is the report it reads.
    const QFileInfo report(content.GetReport().GetHeader().GetPath());
    if (file.exists() && report.exists() &&
        file.canonicalFilePath() == report.canonicalFilePath()) {
        error = QStringLiteral("An export cannot replace the report %1 itself.")
                    .arg(report.filePath());
        return {};
    }
    return file.absoluteFilePath();
}

}  // namespace

std::optional<CReportExporter::Format> CReportExporter::FormatFromName(const QString& name) {
    for (Format format : {Format::kCsv, Format::kPdf}) {
        if (name.compare(FormatName(format), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

QString CReportExporter::FormatName(Format format) {
    return format == Format::kPdf ? QStringLiteral("pdf") : QStringLiteral("csv");
}

QString CReportExporter::FreeFileName(const QString& folder, const QString& base,
                                      const QString& extension) {
    for (int copy = 1; copy <= kMostCopies; ++copy) {
        const QString name = copy == 1
                                 ? base + extension
                                 : QStringLiteral("%1 (%2)%3").arg(base).arg(copy).arg(extension);
        const QString path = JoinPath(folder, name);
        if (!FileExists(path)) {
            return path;
        }
    }
    return {};
}

Result CReportExporter::Export(const CExpenseReport& report, const Request& request) {
    // Read, never written: an export does not create the traveller's file.
    CPersonalInfo traveller;
    LoadObjectFromFile(traveller.GetFilePath(), &traveller, false, false, true);
    return Export(report, request, traveller);
}

Result CReportExporter::Export(const CExpenseReport& report, const Request& request,
                               const CPersonalInfo& traveller) {
    if (!report.IsOpen()) {
        return Failure(QStringLiteral("There is no open report to export."));
    }
    const CExportContent content(report, request.selectedOnly, traveller);
    QString error;
    const QString path = OutputPath(content, request, error);
    if (path.isEmpty()) {
        return Failure(error);
    }
    // The whole file is made in memory first: the PDF writer writes in many
    // small pieces and does not see its device fail.
    Result result;
    QByteArray bytes;
    if (request.format == Format::kCsv) {
        bytes = CCsvExport::Write(content);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        CPdfExport pdf(content,
                       QPageSize(request.pageSize.value_or(CPdfExport::DefaultPageSize())));
        if (!pdf.Write(buffer, error)) {
            return Failure(error);
        }
        result.pageCount = pdf.GetPageCount();
    }
    QSaveFile file(path);
    // Unbuffered, so that a write that fails fails the save: a buffered one
    // would fail only when the file is closed, where QSaveFile no longer
    // looks.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Failure(
            QStringLiteral("The file %1 cannot be written: %2").arg(path, file.errorString()));
    }
    // The file takes its name only once every byte is on the disk.
    QString reason;
    if (file.write(bytes) != bytes.size()) {
        reason = file.errorString();
        file.cancelWriting();
    } else if (::fdatasync(file.handle()) != 0) {
        reason = qt_error_string(errno);
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        return Failure(QStringLiteral("The file %1 could not be written: %2").arg(path, reason));
    }
    result.ok = true;
    result.path = path;
    result.expenseCount = static_cast<int>(content.GetExpenses().size());
    return result;
}
