#include "clirunner.h"

#include <gtest/gtest.h>

#include <QFile>
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

namespace {

QByteArray BytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void ExpectRefused(const TestPlatform& platform, const std::vector<CliRefusal>& refusals,
                   const QString& path) {
    const QByteArray before = BytesOf(path);
    ASSERT_FALSE(before.isEmpty()) << path.toStdString();
    for (const CliRefusal& c : refusals) {
        SCOPED_TRACE(c.name);
        const CliResult run = RunCli(platform, c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(BytesOf(path), before);
    }
}
