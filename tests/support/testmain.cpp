#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#ifdef OUTLAYSHEET_GUI_TESTS
#include <QGuiApplication>
#endif
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
#ifdef OUTLAYSHEET_GUI_TESTS
    // Programs whose tests measure or draw text need the fonts of the GUI
    // application; they run on the offscreen platform, with the private
    // runtime folder a session would have.
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit().constData(), 1);
    QGuiApplication application(argc, argv);
#else
    QCoreApplication application(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
