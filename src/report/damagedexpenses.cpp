#include "report/damagedexpenses.h"

#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include "archive/filetypes.h"
#include "platform/filehelpers.h"

namespace {

constexpr int kMostKeptFiles = 999;

QByteArray KeptBytes(quint32 version, const QList<QByteArray>& records) {
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint32>(kFileTypeExpenseReport, bytes.data());
    qToLittleEndian<quint32>(version, bytes.data() + 4);
    for (const QByteArray& record : records) {
        bytes.append(record);
    }
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QString CDamagedExpenses::Keep(const QString& reportPath, quint32 version,
                               const QList<QByteArray>& records, QString& error) {
    const QByteArray bytes = KeptBytes(version, records);
    const QString base = reportPath + QStringLiteral(".damaged");
    for (int number = 1; number <= kMostKeptFiles; ++number) {
        const QString path = number == 1 ? base : base + QStringLiteral("-%1").arg(number);
        if (FileExists(path)) {
            if (ReadAll(path) == bytes) {
                return path;
            }
            continue;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            ::fdatasync(file.handle()) != 0 || !file.commit()) {
            error = file.errorString();
            return {};
        }
        return path;
    }
    error = QStringLiteral("too many files of damaged expenses");
    return {};
}

QString CDamagedExpenses::KeptMessage(const QString& title, qsizetype count,
                                      const QString& keptPath) {
    if (count == 1) {
        return QStringLiteral(
                   "1 expense in %1 holds values no expense can have and was left out of the "
                   "report. It is kept, byte for byte, in %2.")
            .arg(title, keptPath);
    }
    return QStringLiteral(
               "%1 expenses in %2 hold values no expense can have and were left out of the "
               "report. They are kept, byte for byte, in %3.")
        .arg(count)
        .arg(title, keptPath);
}

QString CDamagedExpenses::NotKeptMessage(const QString& title, qsizetype count,
                                         const QString& error) {
    return QStringLiteral(
               "%1 expense(s) in %2 hold values no expense can have and could not be set "
               "aside (%3). The report is opened without them; it will not be saved over the "
               "file that still holds them unless you agree.")
        .arg(count)
        .arg(title, error);
}
