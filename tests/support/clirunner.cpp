#include "clirunner.h"

#include <QProcess>

#include "testplatform.h"

QString ProgramPath(const QString& name) {
    return QStringLiteral(OUTLAYSHEET_BIN_DIR "/") + name;
}

CliResult RunCli(const TestPlatform& platform, const QStringList& arguments,
                 const QByteArray& input) {
    QProcess process;
    process.setProgram(ProgramPath("outlaysheet-cli"));
    process.setArguments(
        QStringList{"--root", platform.Root(), "--registry", platform.RegistryFolder()} +
        arguments);
    process.start();
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(120000);
    CliResult result;
    if (finished && process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
