#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Expenses whose values no expense can hold (a file damaged elsewhere) are
// left out of their report, so that one of them never locks the others
// away, but nothing of them is thrown away: their bytes go, exactly as the
// report file held them, into a file beside the report, "TITLE.xpf.damaged"
// (a report file's header, then the records). A later find of the same
// records reuses that file; other records go to "TITLE.xpf.damaged-2", ...
class CDamagedExpenses {
public:
    // Keeps `records` (of a report file of `version`) beside `reportPath`.
    // Gives the file that holds them, or an empty path with `error` set.
    static QString Keep(const QString& reportPath, quint32 version,
                        const QList<QByteArray>& records, QString& error);
    // What the user is told: how many were left out of `title` and where
    // they are kept.
    static QString KeptMessage(const QString& title, qsizetype count, const QString& keptPath);
    static QString NotKeptMessage(const QString& title, qsizetype count, const QString& error);
};
