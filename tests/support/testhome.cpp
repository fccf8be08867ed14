#include "testhome.h"

#include <QDir>
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
    unsetenv("OUTLAYSHEET_ROOT");
    unsetenv("OUTLAYSHEET_REGISTRY");
    unsetenv("OUTLAYSHEET_CONTACTS");
    return home;
}
