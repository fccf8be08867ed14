#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class Platform;
class PlatformScope;

// The platform of one benchmark run: a temporary documents root and registry,
// invariant regional settings, a fixed clock and scripted prompts. It is the
// current platform while it lives.
class BenchPlatform {
public:
    BenchPlatform();
    ~BenchPlatform();

    // The temporary folder around the root and the registry.
    QString Folder() const { return folder_.path(); }
    QString Path(const QString& name) const { return folder_.filePath(name); }

private:
    QTemporaryDir folder_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<PlatformScope> scope_;
};
