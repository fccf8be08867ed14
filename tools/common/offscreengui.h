#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

// The tools draw text, which needs a GUI application, on build machines that
// may have no display and no session. Call before creating the application;
// the returned folder must outlive it.
inline std::unique_ptr<QTemporaryDir> PrepareOffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return nullptr;
    }
    // Without a runtime folder Qt warns on every run and clutters the build log.
    auto runtime = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                                   QStringLiteral("/outlaysheet-tool-XXXXXX"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    return runtime;
}
