#include "clitool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "app/firstrundata.h"
#include "app/instancechannel.h"
#include "archive/objectfile.h"
#include "cli/backupcommands.h"
#include "cli/clicompletion.h"
#include "cli/cliusage.h"
#include "cli/exportcommand.h"
#include "cli/filedump.h"
#include "cli/jsonstreamwriter.h"
#include "cli/listscommand.h"
#include "cli/ratescommand.h"
#include "cli/receiptcommands.h"
#include "cli/reportcommands.h"
#include "cli/shellcommands.h"
#include "platform/contactssource.h"
#include "platform/directories.h"
#include "platform/installation.h"
#include "platform/platform.h"
#include "report/expensereportinfo.h"

int CliTool::Run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        QTextStream(stderr) << "outlaysheet-cli: no command given\n\n" << CliUsage::Full();
        return kUsage;
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("complete")) {
        return CliCompletion::Run(rest);
    }
    if (command == QLatin1String("--version")) {
        QTextStream(stdout) << "outlaysheet-cli " << GetModuleVersion() << Qt::endl;
        return kSuccess;
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h")) {
        return Help(rest);
    }
    if (!CliUsage::Commands().contains(command)) {
        QTextStream(stderr) << "outlaysheet-cli: unknown "
                            << (command.startsWith(QLatin1Char('-')) ? "option" : "command")
                            << " \"" << command << "\"\nThe commands are "
                            << CliUsage::Commands().join(QLatin1String(", "))
                            << "; outlaysheet-cli --help tells more." << Qt::endl;
        return kUsage;
    }
    // Wherever it stands, --help asks for the command's lines instead of
    // running it.
    if (rest.contains(QLatin1String("--help"))) {
        return Help({command});
    }
    const int exitCode = RunCommand(command, rest);
    if (exitCode == kUsage) {
        QTextStream(stderr) << CliUsage::Of(command);
    }
    return exitCode;
}

int CliTool::Help(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        QTextStream(stdout) << CliUsage::Full();
        return kSuccess;
    }
    const QString usage = CliUsage::Of(arguments.first());
    if (arguments.size() > 1 || usage.isEmpty()) {
        QTextStream(stderr) << "outlaysheet-cli: help takes one of the commands "
                            << CliUsage::Commands().join(QLatin1String(", ")) << Qt::endl;
        return kUsage;
    }
    QTextStream(stdout) << usage;
    return kSuccess;
}

int CliTool::RunCommand(const QString& command, const QStringList& rest) {
    if (command == QLatin1String("reports")) {
        return ListReports(rest);
    }
    if (command == QLatin1String("init-data")) {
        return InitData(rest);
    }
    if (command == QLatin1String("dump")) {
        return Dump(rest);
    }
    if (command == QLatin1String("contacts")) {
        return ListContacts(rest);
    }
    using Command = ReportCommands::Result (*)(const QStringList&);
    struct Entry {
        const char* name;
        Command run;
        bool changesFiles;  // a running program reads the user's files again
    };
    const Entry reportCommands[] = {
        {"new-report", &ReportCommands::NewReport, true},
        {"add-expense", &ReportCommands::AddExpense, true},
        {"select", &ReportCommands::Select, true},
        {"totals", &ReportCommands::Totals, false},
        {"receipts", &ReceiptCommands::Receipts, false},
        {"attach", &ReceiptCommands::Attach, true},
        {"detach", &ReceiptCommands::Detach, true},
        {"lists", &ListsCommand::Run, false},
        {"export", &ExportCommand::Run, false},
        {"init", &ShellCommands::Init, true},
        {"install", &ShellCommands::Install, true},
        {"force-sync", &ShellCommands::ForceSync, false},
        {"check-sync", &ShellCommands::CheckSync, false},
        {"backup", &BackupCommands::Backup, false},
        {"restore", &BackupCommands::Restore, true},
        {"archive-list", &BackupCommands::ArchiveList, false},
        {"trash", &BackupCommands::Trash, true},
        {"rates", &RatesCommand::Run, true},
    };
    for (const Entry& entry : reportCommands) {
        if (command == QLatin1String(entry.name)) {
            const ReportCommands::Result result = entry.run(rest);
            if (result.exitCode == kSuccess) {
                Print(result.output);
            }
            // Even a failed command may have changed some files (a restore
            // that stopped half-way), and a needless reload costs nothing.
            if (entry.changesFiles) {
                InstanceChannel::Send(InstanceChannel::Request::Refresh);
            }
            return result.exitCode;
        }
    }
    return kUsage;  // a command of the usage text that nothing runs: never reached
}

int CliTool::ListReports(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return UsageError(QStringLiteral("reports takes no arguments"));
    }
    const QString folder = GetReportsDirectory();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        QTextStream(stderr) << "The reports folder " << folder << " is not available." << Qt::endl;
        return kFailed;
    }
    QJsonArray reports;
    // Any case of the extension: another device may have written "TRIP.XPF".
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.xpf")}, QDir::Files,
                                                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : files) {
        QJsonObject report{
            {QStringLiteral("file"), file.fileName()},
            {QStringLiteral("size"), file.size()},
            {QStringLiteral("modified"), file.lastModified().toSecsSinceEpoch()},
        };
        // A file that is no readable report is still listed, without a header.
        CExpenseReportInfo header;
        const bool readable = LoadObjectFromFile(file.filePath(), &header, false, false, true);
        report.insert(QStringLiteral("readable"), readable);
        if (readable) {
            const QJsonObject fields = ReportCommands::HeaderJson(header);
            for (auto it = fields.begin(); it != fields.end(); ++it) {
                report.insert(it.key(), it.value());
            }
        }
        reports.append(report);
    }
    Print(QJsonObject{{QStringLiteral("folder"), folder}, {QStringLiteral("reports"), reports}});
    return kSuccess;
}

int CliTool::Dump(const QStringList& arguments) {
    if (arguments.size() != 1) {
        return UsageError(QStringLiteral("dump takes one file"));
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        return kFailed;
    }
    JsonStreamWriter writer(out);
    if (!DumpDataFile(arguments.first(), writer)) {
        if (writer.HasFailed()) {
            QTextStream(stderr) << "outlaysheet-cli: the contents of " << arguments.first()
                                << " could not be written." << Qt::endl;
        }
        return kFailed;
    }
    return kSuccess;
}

int CliTool::ListContacts(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return UsageError(QStringLiteral("contacts takes no arguments"));
    }
    ContactsSource contacts;
    const QString folder = Platform::Get().GetPaths().contactsFolder;
    if (!contacts.Open()) {
        QTextStream(stderr) << "The address book " << folder << " cannot be read." << Qt::endl;
        return kFailed;
    }
    QJsonArray names;
    for (int position = 1; position <= contacts.Count(); ++position) {
        names.append(contacts.Name(position));
    }
    Print(QJsonObject{{QStringLiteral("folder"), folder}, {QStringLiteral("contacts"), names}});
    return kSuccess;
}

int CliTool::InitData(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return UsageError(QStringLiteral("init-data takes no arguments"));
    }
    const ShippedDataResult data = InstallShippedData();
    Print(ShellCommands::ReportShippedData(data));
    return data.Succeeded() ? kSuccess : kFailed;
}

void CliTool::Print(const QJsonValue& value) {
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    QTextStream(stdout) << document.toJson(QJsonDocument::Indented);
}

int CliTool::UsageError(const QString& message) {
    QTextStream(stderr) << "outlaysheet-cli: " << message << Qt::endl;
    return kUsage;
}
