#pragma once

#include <QString>
#include <QStringList>

// The usage text of outlaysheet-cli. The whole text, one command's lines
// (for a usage error of that command and for its --help) and the options
// shell completion offers all come from one table, so they cannot disagree.
class CliUsage {
public:
    // Everything: the commands, the platform options and the exit codes.
    static QString Full();
    // "Usage:" and the lines of `command`; empty for no command of the tool.
    static QString Of(const QString& command);
    // The commands, in the order the full text lists them.
    static QStringList Commands();
    // The options the lines of `command` name, in order, each once.
    static QStringList Options(const QString& command);
    // The word the lines of `command` put for its first argument ("REPORT",
    // "ARCHIVE", ...); empty when it takes none.
    static QString FirstArgument(const QString& command);
};
