#include "exporttools.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QProcess>

namespace {

QByteArray Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed (./dev test installs it): "
                      << process.errorString().toStdString() << " "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

}  // namespace

QJsonArray ReadCsvWithPython(const QString& path) {
    const QString script = QStringLiteral(
        "import csv, json, sys\n"
        "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
        "    print(json.dumps(list(csv.reader(f, strict=True))))\n");
    return QJsonDocument::fromJson(Run(QStringLiteral("python3"), {"-c", script, path})).array();
}

QString PdfText(const QString& path, int first, int last) {
    QStringList arguments{QStringLiteral("-layout")};
    if (first > 0) {
        arguments << "-f" << QString::number(first) << "-l" << QString::number(last);
    }
    arguments << path << QStringLiteral("-");
    return QString::fromUtf8(Run(QStringLiteral("pdftotext"), arguments));
}

QString PdfInfo(const QString& path, const QString& field) {
    const QString info = QString::fromUtf8(Run(QStringLiteral("pdfinfo"), {path}));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':'))) {
            return line.mid(field.size() + 1).trimmed();
        }
    }
    return {};
}

QStringList ZipNamesWithPython(const QString& path) {
    const QString script = QStringLiteral(
        "import json, sys, zipfile\n"
        "with zipfile.ZipFile(sys.argv[1]) as z:\n"
        "    bad = z.testzip()\n"
        "    if bad is not None:\n"
        "        sys.exit('damaged entry: ' + bad)\n"
        "    print(json.dumps(z.namelist()))\n");
    QStringList names;
    const QJsonArray array =
        QJsonDocument::fromJson(Run(QStringLiteral("python3"), {"-c", script, path})).array();
    for (const QJsonValue& name : array) {
        names.append(name.toString());
    }
    return names;
}
