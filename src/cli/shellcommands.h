#pragma once

#include <QStringList>

#include "cli/reportcommands.h"

class ShellCommands {
public:
    using Result = ReportCommands::Result;

    static Result Init(const QStringList& arguments);
    static Result Install(const QStringList& arguments);
    static Result ForceSync(const QStringList& arguments);
};
