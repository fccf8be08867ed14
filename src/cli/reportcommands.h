#pragma once

#include <QJsonObject>
#include <QStringList>

class CExpenseDoc;
class CExpenseReportInfo;

// The commands of outlaysheet-cli that create and change reports. Each works
// through the program's document, so a change is saved as the program saves
// it. REPORT arguments are a report title of the reports folder or a path.
class ReportCommands {
public:
    // The result of a command: its exit code (CliTool::ExitCode) and, on
    // success, the JSON to print.
    struct Result {
        int exitCode = 0;
        QJsonObject output;
    };

    static Result NewReport(const QStringList& arguments);
    static Result AddExpense(const QStringList& arguments);
    static Result Select(const QStringList& arguments);
    static Result Totals(const QStringList& arguments);

    // The header of a report file as JSON.
    static QJsonObject HeaderJson(const CExpenseReportInfo& header);
    // The path a REPORT argument names.
    static QString ReportPath(const QString& report);
    // The files of the reports folder whose names are the title REPORT and
    // the report extension, without regard to case; none for a path.
    static QStringList ReportFiles(const QString& report);
    // Opens REPORT in the document; false (reported) when it does not open,
    // and when its title could name several files.
    static bool OpenNamedReport(CExpenseDoc& doc, const QString& report);
};
