#include "testhome.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

std::unique_ptr<QTemporaryDir> MakeTestHome() {
    auto home = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                QStringLiteral("/outlaysheet-test-home-XXXXXX"));
    const QByteArray path = home->path().toLocal8Bit();
    setenv("HOME", path.constData(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (path + "/.local/share").constData(), 1);
    setenv("XDG_DOCUMENTS_DIR", (path + "/Documents").constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The private runtime folder a session would have, which Qt asks for.
    const QString runtime = home->filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit().constData(), 1);
    unsetenv("OUTLAYSHEET_ROOT");
    unsetenv("OUTLAYSHEET_REGISTRY");
    unsetenv("OUTLAYSHEET_CONTACTS");
    return home;
}
