#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>

#include "cli/reportcommands.h"

// "--name value" options among the positional arguments, and bare flags. A
// valued option may be given several times.
struct CliOptions {
    QStringList positional;
    QHash<QString, QStringList> values;
    QSet<QString> flags;

    // Empty when every option is known and has its value; otherwise the
    // complaint.
    QString Parse(const QStringList& arguments, const QStringList& valued,
                  const QStringList& bare);
    bool Has(const char* name) const { return values.contains(QLatin1String(name)); }
    bool HasFlag(const char* name) const { return flags.contains(QLatin1String(name)); }
    // The last value given for the option.
    QString Value(const char* name) const;
    // Every value given for the option, in order.
    QStringList Values(const char* name) const { return values.value(QLatin1String(name)); }
};

// A failed command: the complaint on standard error, exit code 1.
ReportCommands::Result CliFailed(const QString& message);
// A value the command cannot take: an operation error like any other (exit
// code 1), whose message names the option, the value and the rule it
// breaks, which names the limit.
ReportCommands::Result CliValueError(const QString& option, const QString& value,
                                     const QString& rule);
// A usage error: the complaint on standard error, exit code 2. The tool
// follows it with the usage lines of the command.
ReportCommands::Result CliUsageError(const QString& message);

// A whole number from `lowest` to `highest`; empty when `text` is one,
// otherwise the rule, which names `what` and the limits.
QString CliParseWhole(const QString& text, int lowest, int highest, const char* what, int& value);
