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
#include "cli/exportcommand.h"
#include "cli/filedump.h"
#include "cli/jsonstreamwriter.h"
#include "cli/reportcommands.h"
#include "cli/shellcommands.h"
#include "platform/contactssource.h"
#include "platform/directories.h"
#include "platform/platform.h"
#include "report/expensereportinfo.h"

QString CliTool::Usage() {
    return QStringLiteral(
        "Usage: outlaysheet-cli [--root DIR] [--registry DIR] COMMAND ...\n"
        "\n"
        "Commands:\n"
        "  help       this text\n"
        "  dump FILE  a data or report file as JSON: its header and contents\n"
        "  init-data  install the shipped pictures and currency table the user lacks\n"
        "  reports    the report files of the reports folder with their headers, as JSON\n"
        "  new-report TITLE [--location T] [--purpose T] [--cash-advance X]\n"
        "             a new, empty report in the reports folder\n"
        "  add-expense REPORT --category NAME --amount X [--date ISO-8601]\n"
        "             [--currency NAME --rate R] [--description T] [--paid-with NAME]\n"
        "             [--type 0|1|2] [--classification NAME] [--receipt] [--nights N]\n"
        "             an expense of a category of the list; lodging of N nights is one\n"
        "             expense a night; for the mileage category the amount is the\n"
        "             distance. Amounts lie within -999,999,999,999.99 to\n"
        "             999,999,999,999.99, rates within 0.000000001 to 1,000,000,000\n"
        "  select REPORT --field N --op N --value V [--narrow]\n"
        "  select REPORT --clear\n"
        "             select the report's expenses by a condition, or end the selection\n"
        "  totals REPORT  the report's six totals, computed from its expenses\n"
        "  export REPORT --format csv|pdf [--selected] [--output PATH]\n"
        "             the report (with --selected, the expenses of its selection) as a\n"
        "             spreadsheet file or a printable PDF, in the Exports folder unless\n"
        "             PATH names a file or a folder; prints the path written\n"
        "  init       the first-run data step: distance unit, personal information\n"
        "             from the owner information, shipped data the user lacks\n"
        "  install    record this program's folder as the installation folder, then init\n"
        "  force-sync [--images]\n"
        "             mark every report and data file (and picture) as changed for the\n"
        "             next synchronisation\n"
        "  check-sync register and check the synchronisation provider, as the program's\n"
        "             start does\n"
        "  backup ARCHIVE [--all-reports | --report NAME ...] [--data] [--images]\n"
        "         [--overwrite]\n"
        "             back up reports, data files and pictures into a .xbf archive; an\n"
        "             existing archive is replaced only with --overwrite\n"
        "  restore ARCHIVE [--all-reports | --report NAME ...] [--data] [--images]\n"
        "          [--no-replace] [--ask]\n"
        "             restore from an archive; --ask reads y, n or c for each question\n"
        "             from standard input\n"
        "  contacts   the names of the address book (OUTLAYSHEET_CONTACTS, else\n"
        "             $XDG_DATA_HOME/contacts: its *.vcf files)\n"
        "  archive-list ARCHIVE  the entries of an archive: name, comment, size, method\n"
        "  trash list | restore NAME | empty\n"
        "             the deleted reports: list them, move one back, delete them all\n"
        "REPORT is a report title of the reports folder or the path of a report file.\n"
        "\n"
        "--root DIR       the documents folder (else OUTLAYSHEET_ROOT, else the XDG\n"
        "                 documents folder); the reports live in DIR/Outlaysheet\n"
        "--registry DIR   the folder of the settings files (else OUTLAYSHEET_REGISTRY,\n"
        "                 else $XDG_CONFIG_HOME/Tillhouse/registry)\n"
        "\n"
        "Exit status: 0 success, 1 the operation failed, 2 usage error.\n");
}

int CliTool::Run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return UsageError(QStringLiteral("no command given"));
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("help") || command == QLatin1String("--help") ||
        command == QLatin1String("-h")) {
        QTextStream(stdout) << Usage();
        return kSuccess;
    }
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
        {"export", &ExportCommand::Run, false},
        {"init", &ShellCommands::Init, true},
        {"install", &ShellCommands::Install, true},
        {"force-sync", &ShellCommands::ForceSync, false},
        {"check-sync", &ShellCommands::CheckSync, false},
        {"backup", &BackupCommands::Backup, false},
        {"restore", &BackupCommands::Restore, true},
        {"archive-list", &BackupCommands::ArchiveList, false},
        {"trash", &BackupCommands::Trash, true},
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
    return UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
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
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.xpf")}, QDir::Files | QDir::CaseSensitive,
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
    QTextStream(stderr) << "outlaysheet-cli: " << message << "\n\n" << Usage();
    return kUsage;
}
