#include "infozip.h"

#include <QProcess>
#include <QStandardPaths>

bool HaveInfoZip() {
    for (const char* tool : {"zip", "unzip", "zipnote", "zipinfo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            return false;
        }
    }
    return true;
}

InfoZipRun InfoZip(const QString& tool, const QStringList& arguments, const QString& folder,
                   const QByteArray& input) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(tool, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLatin1(process.readAllStandardOutput())};
}

bool EditWithZipnote(const QString& archive, const QList<QPair<QString, QString>>& comments,
                     const QList<QPair<QString, QString>>& renames) {
    const InfoZipRun listing = InfoZip(QStringLiteral("zipnote"), {archive});
    if (listing.exitCode != 0) {
        return false;
    }
    // zipnote's listing is "@ name" with the comment lines up to the line
    // "@ (comment above this line)"; a "@=new" line after "@ name" renames.
    QString edited;
    bool skipping = false;
    for (const QString& line : listing.out.split(QLatin1Char('\n'))) {
        if (skipping && !line.startsWith(QLatin1Char('@'))) {
            continue;
        }
        skipping = false;
        edited += line + QLatin1Char('\n');
        for (const auto& [name, newName] : renames) {
            if (line == QStringLiteral("@ ") + name) {
                edited += QStringLiteral("@=") + newName + QLatin1Char('\n');
            }
        }
        for (const auto& [name, comment] : comments) {
            if (line == QStringLiteral("@ ") + name) {
                edited += comment + QLatin1Char('\n');
                skipping = true;
            }
        }
    }
    return InfoZip(QStringLiteral("zipnote"), {QStringLiteral("-w"), archive}, {},
                   edited.toLatin1())
               .exitCode == 0;
}
