#include "clioptions.h"

#include <QTextStream>

#include "cli/clitool.h"

QString CliOptions::Parse(const QStringList& arguments, const QStringList& valued,
                          const QStringList& bare) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            positional.append(argument);
        } else if (bare.contains(argument)) {
            flags.insert(argument);
        } else if (valued.contains(argument)) {
            if (i + 1 >= arguments.size()) {
                return QStringLiteral("%1 needs a value").arg(argument);
            }
            values[argument].append(arguments[++i]);
        } else {
            return QStringLiteral("unknown option \"%1\"").arg(argument);
        }
    }
    return {};
}

QString CliOptions::Value(const char* name) const {
    const QStringList all = Values(name);
    return all.isEmpty() ? QString() : all.last();
}

ReportCommands::Result CliFailed(const QString& message) {
    QTextStream(stderr) << "outlaysheet-cli: " << message << Qt::endl;
    return {CliTool::kFailed, {}};
}

ReportCommands::Result CliValueError(const QString& option, const QString& value,
                                     const QString& rule) {
    return CliFailed(QStringLiteral("%1 \"%2\": %3").arg(option, value, rule));
}

ReportCommands::Result CliUsageError(const QString& message) {
    QTextStream(stderr) << "outlaysheet-cli: " << message << Qt::endl;
    return {CliTool::kUsage, {}};
}

QString CliParseWhole(const QString& text, int lowest, int highest, const char* what, int& value) {
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    if (ok && value >= lowest && value <= highest) {
        return {};
    }
    return QStringLiteral("%1 must be a whole number from %2 to %3.")
        .arg(QLatin1String(what))
        .arg(lowest)
        .arg(highest);
}
