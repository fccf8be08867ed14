#include "diagnosticslog.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "dateformatting.h"
#include "filehelpers.h"
#include "installation.h"
#include "platform.h"

namespace {

// Puts errno back when logging is done, so callers can go on using it.
class ErrnoKeeper {
public:
    ErrnoKeeper() : saved_(errno) {}
    ~ErrnoKeeper() { errno = saved_; }
    int Saved() const { return saved_; }

private:
    int saved_;
};

}  // namespace

QString LogFilePath() {
    const QString folder = GetAppPath();
    return folder.isEmpty() ? QString()
                            : JoinPath(folder, QStringLiteral("OutlaysheetDevLog.txt"));
}

void LogMessage(const QString& message, bool withLastError) {
    const ErrnoKeeper keeper;  // first, before anything can change errno
    QString text = message;
    if (withLastError) {
        text += QStringLiteral(" - GetLastError: ") + LastErrorText(keeper.Saved());
    }
    const QString path = LogFilePath();
    if (path.isEmpty()) {
        return;
    }
    const TimeStamp now = Platform::Get().GetClock().Now();
    const QString line = FormatDateFixed(now, 0) + QLatin1Char(' ') + FormatTimeFixed(now, 0) +
                         QStringLiteral(" - ") + text + QLatin1Char('\n');
    const QFileInfo info(path);
    if (info.exists() && info.size() > kLogSizeLimit) {
        QFile::remove(path);
    }
    QFile file(path);
    if (file.open(QIODevice::Append | QIODevice::Text)) {
        file.write(line.toUtf8());
        file.flush();
    }
}

void DeleteLog() {
    const ErrnoKeeper keeper;
    const QString path = LogFilePath();
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        QFile::remove(path);
    }
}

QString LastErrorText(int error) {
    const char* text = strerrordesc_np(error);
    return text != nullptr ? QString::fromLocal8Bit(text) : QStringLiteral("Unknown error");
}
