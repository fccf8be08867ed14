#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

class BackupCommands {
public:
    using Result = ReportCommands::Result;

    static Result Backup(const QStringList& arguments);
    static Result Restore(const QStringList& arguments);
    static Result ArchiveList(const QStringList& arguments);
    static Result Trash(const QStringList& arguments);
};
