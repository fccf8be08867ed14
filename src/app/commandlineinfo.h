#pragma once

#include <QString>
#include <QStringList>

// What the program was started with: an optional report file to open and the
// "InitFiles" switch that runs the first-run data step and exits.
class CExpenseCommandLineInfo {
public:
    // What start-up does with the command line. The program asks for nothing
    // by default; a file name alone does not change that, the report is
    // opened by the start-up step that opens the first report.
    enum ShellCommand { FileNothing = -1, FileNew = 0, FileOpen = 1 };

    // One parameter, the switch prefix already stripped when `isFlag`.
    void ParseParam(const QString& parameter, bool isFlag, bool isLast);
    // The parameters without the program name. A parameter is a switch when
    // it starts with "-", or with "/" and holds no further "/"; one prefix
    // character is stripped. "InitFiles" in any letter case, as a switch or
    // a bare word, sets the flag; the first other non-switch parameter is
    // the file name.
    void Parse(const QStringList& arguments);

    ShellCommand shellCommand = FileNothing;
    QString fileName;
    bool InitFiles = false;
};
