#include "shellcommands.h"

#include "cli/clitool.h"

ShellCommands::Result ShellCommands::Init(const QStringList&) {
    return {CliTool::kUsage, {}};
}

ShellCommands::Result ShellCommands::Install(const QStringList&) {
    return {CliTool::kUsage, {}};
}

ShellCommands::Result ShellCommands::ForceSync(const QStringList&) {
    return {CliTool::kUsage, {}};
}
