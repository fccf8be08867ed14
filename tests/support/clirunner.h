#pragma once

#include <QByteArray>
#include <QStringList>

class TestPlatform;

// A program of this build, by file name.
QString ProgramPath(const QString& name);

// What one run of outlaysheet-cli left behind.
struct CliResult {
    int exitCode = -1;  // -1 when it crashed or did not finish
    QString out;
    QString err;
};

// Runs the command-line tool as a user would, against the test platform's
// documents root and registry, with `input` on its standard input.
CliResult RunCli(const TestPlatform& platform, const QStringList& arguments,
                 const QByteArray& input = {});
