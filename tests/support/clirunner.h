#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

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

// A command the tool must refuse, and how.
struct CliRefusal {
    const char* name;
    QStringList arguments;
    int exitCode;
    QString message;  // a part of what it says on standard error
};

// Runs each command: refused with its message, nothing printed, and the file
// at `path` left byte for byte as it was.
void ExpectRefused(const TestPlatform& platform, const std::vector<CliRefusal>& refusals,
                   const QString& path);
