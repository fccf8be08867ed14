#include "syscallinjection.h"

#include <QStandardPaths>

QString StraceForInjection(QString& why) {
#ifdef __SANITIZE_ADDRESS__
    why = QStringLiteral("system calls cannot be counted under the sanitizers");
    return QString();
#else
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty()) {
        why = QStringLiteral("strace is not installed");
    }
    return strace;
#endif
}
