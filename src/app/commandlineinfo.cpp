#include "commandlineinfo.h"

namespace {

// "/" starts a switch on the device, but here it also starts every absolute
// path; a parameter with a second "/" is a path, so "/initfiles" is a switch
// while "/home/me/Oslo.xpf" is the report to open.
bool IsSwitch(const QString& parameter) {
    if (parameter.startsWith(QLatin1Char('-'))) {
        return true;
    }
    return parameter.startsWith(QLatin1Char('/')) && parameter.indexOf(QLatin1Char('/'), 1) < 0;
}

}  // namespace

void CExpenseCommandLineInfo::ParseParam(const QString& parameter, bool isFlag, bool isLast) {
    // The word counts with or without a switch prefix, and either way it
    // names no report to open.
    const bool initFiles = parameter.compare(QLatin1String("InitFiles"), Qt::CaseInsensitive) == 0;
    if (!isFlag && !initFiles && fileName.isEmpty()) {
        fileName = parameter;
    }
    if (isLast && shellCommand == FileNew && !fileName.isEmpty()) {
        shellCommand = FileOpen;
    }
    if (initFiles) {
        InitFiles = true;
    }
}

void CExpenseCommandLineInfo::Parse(const QStringList& arguments) {
    shellCommand = FileNothing;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& parameter = arguments[i];
        const bool isFlag = IsSwitch(parameter);
        ParseParam(isFlag ? parameter.mid(1) : parameter, isFlag, i + 1 == arguments.size());
    }
}
