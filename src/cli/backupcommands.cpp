#include "backupcommands.h"

#include "cli/clitool.h"

BackupCommands::Result BackupCommands::Backup(const QStringList&) {
    return {CliTool::kUsage, {}};
}

BackupCommands::Result BackupCommands::Restore(const QStringList&) {
    return {CliTool::kUsage, {}};
}

BackupCommands::Result BackupCommands::ArchiveList(const QStringList&) {
    return {CliTool::kUsage, {}};
}

BackupCommands::Result BackupCommands::Trash(const QStringList&) {
    return {CliTool::kUsage, {}};
}
