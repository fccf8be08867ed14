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
#include "export/packagewriter.h"
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
    const bool package = request.format == CReportExporter::Format::kPackage;
    const bool folderForm = package && request.packageFolder;
    QString extension;
    if (!folderForm) {
        extension = package ? QStringLiteral(".zip")
                            : QLatin1Char('.') + CReportExporter::FormatName(request.format);
    }
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
    if (folderForm && FileExists(request.outputPath)) {
        error = QStringLiteral("A package folder cannot replace the file %1.")
                    .arg(file.absoluteFilePath());
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

bool WritePdf(const CExportContent& content, const CReportExporter::Request& request,
              QIODevice& device, int& pages, QString& error) {
    CPdfExport pdf(content, QPageSize(request.pageSize.value_or(CPdfExport::DefaultPageSize())));
    if (!pdf.Write(device, error)) {
        return false;
    }
    pages = pdf.GetPageCount();
    return true;
}

Result ExportPackage(CExportContent& content, const CReportExporter::Request& request,
                     const QString& path) {
    content.SetReceipts(request.receipts);
    CPackageWriter::ReportFiles files;
    const QString base = CPackageWriter::SafeFileName(content.GetTitle());
    files.pdfName = base + QStringLiteral(".pdf");
    files.csvName = base + QStringLiteral(".csv");
    Result result;
    files.writePdf = [&](QIODevice& device, QString& error) {
        return WritePdf(content, request, device, result.pageCount, error);
    };
    files.csv = CCsvExport::Write(content);
    QString error;
    const auto form =
        request.packageFolder ? CPackageWriter::Form::kFolder : CPackageWriter::Form::kZip;
    if (!CPackageWriter::Write(content, files, form, path, error)) {
        return Failure(error);
    }
    result.ok = true;
    result.path = path;
    result.expenseCount = static_cast<int>(content.GetExpenses().size());
    result.receiptCount = content.ReceiptCount();
    return result;
}

}  // namespace

std::optional<CReportExporter::Format> CReportExporter::FormatFromName(const QString& name) {
    for (Format format : {Format::kCsv, Format::kPdf, Format::kPackage}) {
        if (name.compare(FormatName(format), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    return std::nullopt;
}

QString CReportExporter::FormatName(Format format) {
    switch (format) {
        case Format::kPdf:
            return QStringLiteral("pdf");
        case Format::kPackage:
            return QStringLiteral("package");
        case Format::kCsv:
            break;
    }
    return QStringLiteral("csv");
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
    CExportContent content(report, request.selectedOnly, traveller);
    QString error;
    const QString path = OutputPath(content, request, error);
    if (path.isEmpty()) {
        return Failure(error);
    }
    if (request.format == Format::kPackage) {
        return ExportPackage(content, request, path);
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
        if (!WritePdf(content, request, buffer, result.pageCount, error)) {
            return Failure(error);
        }
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
