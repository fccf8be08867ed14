#include "exportcommand.h"

#include <QJsonObject>

#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "export/keptreceipts.h"
#include "export/reportexporter.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"

ReportCommands::Result ExportCommand::Run(const QStringList& arguments) {
    CliOptions options;
    QString problem =
        options.Parse(arguments, {"--format", "--output"}, {"--selected", "--folder"});
    const auto format = CReportExporter::FormatFromName(options.Value("--format"));
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("export takes one report");
    } else if (problem.isEmpty() && !options.Has("--format")) {
        problem = QStringLiteral("export needs --format csv, --format pdf or --format package");
    } else if (problem.isEmpty() && options.HasFlag("--folder") && format &&
               *format != CReportExporter::Format::kPackage) {
        problem = QStringLiteral("--folder is for --format package");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    if (!format) {
        return CliValueError(QStringLiteral("--format"), options.Value("--format"),
                             QStringLiteral("The format must be csv, pdf or package."));
    }
    if (options.Has("--output") && options.Value("--output").isEmpty()) {
        return CliValueError(QStringLiteral("--output"), {},
                             QStringLiteral("The output must be a path."));
    }
    CExpenseDoc doc;
    const CReceiptKeeper receipts(doc.GetReport());
    if (!ReportCommands::OpenNamedReport(doc, options.positional.first())) {
        return {CliTool::kFailed, {}};
    }
    CReportExporter::Request request;
    request.format = *format;
    request.selectedOnly = options.HasFlag("--selected");
    request.outputPath = options.Value("--output");
    request.receipts = KeptReceipts::Of(receipts);
    request.packageFolder = options.HasFlag("--folder");
    const CReportExporter::Result result = CReportExporter::Export(doc.GetReport(), request);
    if (!result.ok) {
        return CliFailed(result.error);
    }
    QJsonObject output{
        {QStringLiteral("path"), result.path},
        {QStringLiteral("format"), CReportExporter::FormatName(*format)},
        {QStringLiteral("count"), result.expenseCount},
    };
    if (*format != CReportExporter::Format::kCsv) {
        output.insert(QStringLiteral("pages"), result.pageCount);
    }
    if (*format == CReportExporter::Format::kPackage) {
        output.insert(QStringLiteral("receipts"), result.receiptCount);
        output.insert(QStringLiteral("folder"), request.packageFolder);
    }
    return {CliTool::kSuccess, output};
}

bool ExportCommand::IsCommandOf(const QStringList& arguments) {
    // The platform's options come before the command and are not taken out
    // yet: the application has to exist before the platform is made.
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--root") || argument == QLatin1String("--registry")) {
            ++i;
        } else if (!argument.startsWith(QLatin1String("--root=")) &&
                   !argument.startsWith(QLatin1String("--registry="))) {
            return argument == QLatin1String("export");
        }
    }
    return false;
}
