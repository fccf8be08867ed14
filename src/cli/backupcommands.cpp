#include "backupcommands.h"

#include <QJsonArray>
#include <QTextStream>

#include "backup/backupengine.h"
#include "backup/trashfolder.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "cli/consoleprompts.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "zip/ziparchive.h"
#include "zip/ziperror.h"

namespace {

using Result = BackupCommands::Result;

// A report named by its title or its file name.
bool NamesReport(const QString& fileName, const QString& name) {
    return fileName.compare(name, Qt::CaseInsensitive) == 0 ||
           fileName.compare(name + QStringLiteral(".xpf"), Qt::CaseInsensitive) == 0;
}

// The selection flags and report choice shared by backup and restore.
struct Selection {
    quint32 flags = 0;
    bool allReports = false;
    QStringList reportNames;
};

QString ParseSelection(const CliOptions& options, Selection& selection) {
    selection.allReports = options.HasFlag("--all-reports");
    selection.reportNames = options.Values("--report");
    if (selection.allReports && !selection.reportNames.isEmpty()) {
        return QStringLiteral("--all-reports and --report exclude each other");
    }
    if (selection.allReports || !selection.reportNames.isEmpty()) {
        selection.flags |= kBackupReports;
    }
    if (options.HasFlag("--data")) {
        selection.flags |= kBackupDataFiles;
    }
    if (options.HasFlag("--images")) {
        selection.flags |= kBackupImages;
    }
    if (options.HasFlag("--receipts")) {
        selection.flags |= kBackupReceipts;
    }
    return {};
}

// Picks the named reports out of a list, in the order they were named.
QString ChooseReports(const BackupFileList& available, const QStringList& names,
                      const QString& where, BackupFileList& chosen) {
    for (const QString& name : names) {
        BackupFileList found;
        QStringList files;
        for (const BackupFileEntry& entry : available) {
            if (NamesReport(entry.ShownName(), name)) {
                found.append(entry);
                files.append(entry.ShownName());
            }
        }
        if (found.isEmpty()) {
            return QStringLiteral("no report \"%1\" in %2").arg(name, where);
        }
        // Names the device could not tell apart: which one is meant is the
        // user's to say.
        if (found.size() > 1) {
            files.sort();
            return QStringLiteral("\"%1\" could be any of the reports %2 in %3")
                .arg(name, files.join(QLatin1String(", ")), where);
        }
        if (!chosen.contains(found.first())) {
            chosen.append(found.first());
        }
    }
    return {};
}

void PrintDetails(const BackupEngine& engine) {
    if (!engine.LastError().isEmpty()) {
        QTextStream(stderr) << engine.LastError() << Qt::endl;
    }
}

QJsonObject TrashItemJson(const TrashFolder::Item& item) {
    return QJsonObject{
        {QStringLiteral("file"), item.fileName},     {QStringLiteral("size"), item.size},
        {QStringLiteral("modified"), item.modified}, {QStringLiteral("date"), item.dateText},
        {QStringLiteral("sizeText"), item.sizeText},
    };
}

QString MethodName(int method) {
    switch (method) {
        case 0:
            return QStringLiteral("stored");
        case 8:
            return QStringLiteral("deflated");
        default:
            return QString::number(method);
    }
}

}  // namespace

Result BackupCommands::Backup(const QStringList& arguments) {
    CliOptions options;
    QString problem = options.Parse(
        arguments, {QStringLiteral("--report")},
        {QStringLiteral("--all-reports"), QStringLiteral("--data"), QStringLiteral("--images"),
         QStringLiteral("--receipts"), QStringLiteral("--overwrite")});
    Selection selection;
    if (problem.isEmpty()) {
        problem = ParseSelection(options, selection);
    }
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("backup takes one archive");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    BackupFileList reports;
    if (selection.flags & kBackupReports) {
        BackupFileList all;
        BackupEngine::ListReports(all);
        if (selection.allReports) {
            reports = all;
        } else if (const QString missing =
                       ChooseReports(all, selection.reportNames, GetReportsDirectory(), reports);
                   !missing.isEmpty()) {
            return CliFailed(missing);
        }
    }
    BackupEngine engine;
    engine.SetSelection(selection.flags);
    const QString archive = options.positional.first();
    const bool succeeded = engine.Backup(archive, reports, !options.HasFlag("--overwrite")) == 1;
    PrintDetails(engine);
    if (!succeeded) {
        return {CliTool::kFailed, {}};
    }
    QJsonArray reportNames;
    for (const BackupFileEntry& entry : reports) {
        reportNames.append(entry.ShownName());
    }
    return {CliTool::kSuccess,
            QJsonObject{{QStringLiteral("archive"), archive},
                        {QStringLiteral("fileTypesFlag"), static_cast<qint64>(selection.flags)},
                        {QStringLiteral("reports"), reportNames}}};
}

Result BackupCommands::Restore(const QStringList& arguments) {
    CliOptions options;
    QString problem = options.Parse(
        arguments, {QStringLiteral("--report")},
        {QStringLiteral("--all-reports"), QStringLiteral("--data"), QStringLiteral("--images"),
         QStringLiteral("--receipts"), QStringLiteral("--no-replace"), QStringLiteral("--ask")});
    Selection selection;
    if (problem.isEmpty()) {
        problem = ParseSelection(options, selection);
    }
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("restore takes one archive");
    }
    if (problem.isEmpty() && options.HasFlag("--ask") && options.HasFlag("--no-replace")) {
        problem = QStringLiteral("--ask asks before replacing, which --no-replace never does");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    const QString archive = options.positional.first();
    BackupFileList reports;
    if (selection.flags & kBackupReports) {
        BackupFileList all;
        QString error;
        if (!FileExists(archive)) {
            return CliFailed(QStringLiteral("%1 does not exist").arg(archive));
        }
        if (!BackupEngine::ListArchiveReports(archive, all, &error)) {
            return CliFailed(error);
        }
        if (selection.allReports) {
            reports = all;
        } else if (const QString missing =
                       ChooseReports(all, selection.reportNames, archive, reports);
                   !missing.isEmpty()) {
            return CliFailed(missing);
        }
    }
    const bool ask = options.HasFlag("--ask");
    if (auto* console = dynamic_cast<ConsolePrompts*>(&Platform::Get().GetPrompts())) {
        console->SetAnswersFromInput(ask);
    }
    BackupEngine engine;
    engine.SetSelection(selection.flags);
    const bool succeeded =
        engine.Restore(archive, reports, !options.HasFlag("--no-replace"), ask) == 1;
    PrintDetails(engine);
    if (!succeeded) {
        return {CliTool::kFailed, {}};
    }
    return {CliTool::kSuccess, QJsonObject{{QStringLiteral("archive"), archive},
                                           {QStringLiteral("restored"), engine.RestoredCount()}}};
}

Result BackupCommands::ArchiveList(const QStringList& arguments) {
    if (arguments.size() != 1) {
        return CliUsageError(QStringLiteral("archive-list takes one archive"));
    }
    QJsonArray entries;
    try {
        ZipArchive archive;
        archive.Open(arguments.first());
        for (qint64 index = 0; index < archive.Count(); ++index) {
            const ZipArchive::EntryInfo info = archive.Info(index);
            entries.append(QJsonObject{
                {QStringLiteral("name"), archive.Name(index)},
                {QStringLiteral("comment"), archive.Comment(index)},
                {QStringLiteral("size"), info.size},
                {QStringLiteral("compressedSize"), info.compressedSize},
                {QStringLiteral("method"), MethodName(info.method)},
            });
        }
        archive.Discard();
    } catch (const ZipError& error) {
        return CliFailed(error.Message());
    }
    return {CliTool::kSuccess, QJsonObject{{QStringLiteral("archive"), arguments.first()},
                                           {QStringLiteral("entries"), entries}}};
}

Result BackupCommands::Trash(const QStringList& arguments) {
    const QString action = arguments.value(0);
    if (action == QLatin1String("list") && arguments.size() == 1) {
        QJsonArray items;
        for (const TrashFolder::Item& item : TrashFolder::List()) {
            items.append(TrashItemJson(item));
        }
        return {CliTool::kSuccess, QJsonObject{{QStringLiteral("folder"), GetTrashDirectory()},
                                               {QStringLiteral("reports"), items}}};
    }
    if (action == QLatin1String("restore") && arguments.size() == 2) {
        QString name = arguments[1];
        if (!name.endsWith(QLatin1String(".xpf"), Qt::CaseInsensitive)) {
            name += QStringLiteral(".xpf");
        }
        const QStringList files = FindFilesIgnoringCase(GetTrashDirectory(), name);
        if (files.size() > 1) {
            return CliFailed(QStringLiteral("\"%1\" could be any of the reports %2 in the trash")
                                 .arg(arguments[1], files.join(QLatin1String(", "))));
        }
        if (files.size() == 1) {
            name = files.first();
        }
        switch (TrashFolder::Restore(name)) {
            case TrashFolder::RestoreResult::Restored:
                return {CliTool::kSuccess, QJsonObject{{QStringLiteral("restored"), name}}};
            case TrashFolder::RestoreResult::AlreadyExists:
                return {CliTool::kFailed, {}};
            case TrashFolder::RestoreResult::Missing:
                return CliFailed(QStringLiteral("no report \"%1\" in the trash").arg(name));
            case TrashFolder::RestoreResult::Failed:
                break;
        }
        return CliFailed(QStringLiteral("\"%1\" could not be moved out of the trash").arg(name));
    }
    if (action == QLatin1String("empty") && arguments.size() == 1) {
        const qsizetype waiting = TrashFolder::List().size();
        if (waiting == 0) {
            Platform::Get().GetPrompts().Information(
                QStringLiteral("There are no files to delete."));
        }
        const int deleted = waiting == 0 ? 0 : TrashFolder::DeleteAll();
        const QJsonObject output{{QStringLiteral("deleted"), deleted}};
        if (deleted < waiting) {
            QTextStream(stderr) << "outlaysheet-cli: " << waiting - deleted
                                << " report(s) could not be deleted" << Qt::endl;
            return {CliTool::kFailed, output};
        }
        return {CliTool::kSuccess, output};
    }
    return CliUsageError(QStringLiteral("trash takes list, restore NAME or empty"));
}
