#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

// Every test program starts with a home of its own, so that nothing a test
// does, by mistake or through a default path, reaches the real home folder
// or the real settings.
int main(int argc, char** argv) {
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/outlaysheet-test-home-XXXXXX"));
    const QByteArray path = home.path().toLocal8Bit();
    setenv("HOME", path.constData(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (path + "/.local/share").constData(), 1);
    setenv("XDG_DOCUMENTS_DIR", (path + "/Documents").constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    unsetenv("OUTLAYSHEET_ROOT");
    unsetenv("OUTLAYSHEET_REGISTRY");
    unsetenv("OUTLAYSHEET_CONTACTS");
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
