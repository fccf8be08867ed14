#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "platform/prompts.h"

class Platform;
class PlatformScope;

// The platform of a benchmark or fuzzing run: a temporary documents root and
// registry, invariant regional settings, a fixed clock and the given prompts
// (scripted ones by default). It is the current platform while it lives.
class ScratchPlatform {
public:
    explicit ScratchPlatform(std::unique_ptr<Prompts> prompts = nullptr);
    ~ScratchPlatform();

    // The temporary folder around the root and the registry.
    QString Folder() const { return folder_.path(); }
    QString Path(const QString& name) const { return folder_.filePath(name); }
    QString Root() const { return Path(QStringLiteral("root")); }

private:
    QTemporaryDir folder_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<PlatformScope> scope_;
};
