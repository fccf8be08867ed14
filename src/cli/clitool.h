#pragma once

#include <QJsonValue>
#include <QStringList>

// outlaysheet-cli: the scriptable front end. Results are JSON on standard
// output, the program's messages go to standard error.
class CliTool {
public:
    enum ExitCode { kSuccess = 0, kFailed = 1, kUsage = 2 };

    // `arguments` without the program name and without the platform options.
    int Run(const QStringList& arguments);

private:
    // help [COMMAND]: the whole usage text or one command's, on standard
    // output.
    static int Help(const QStringList& arguments);
    // A command of the usage text with its arguments.
    int RunCommand(const QString& command, const QStringList& rest);
    int ListReports(const QStringList& arguments);
    int Dump(const QStringList& arguments);
    // The address book's contacts, as the contacts page lists them.
    int ListContacts(const QStringList& arguments);
    // The first-run data step: installs what ships with the program and the
    // user does not have yet. Each kind of data adds one member to the result.
    int InitData(const QStringList& arguments);
    static void Print(const QJsonValue& value);
    // The complaint alone; Run adds the command's usage lines.
    static int UsageError(const QString& message);
};
