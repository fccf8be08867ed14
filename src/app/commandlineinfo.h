#pragma once

#include <QString>
#include <QStringList>

// What the program was started with: an optional report file to open and the
// "InitFiles" switch that runs the first-run data step and exits.
class CExpenseCommandLineInfo {
public:
    void ParseParam(const QString& parameter, bool isFlag, bool isLast);
    void Parse(const QStringList& arguments);

    QString fileName;
    bool InitFiles = false;
};
