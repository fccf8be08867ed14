#pragma once

#include <QTemporaryDir>
#include <memory>

#include "platform/clock.h"
#include "platform/localeinfo.h"
#include "platform/platform.h"
#include "platform/scriptedprompts.h"
#include "qtprinters.h"

// Regional settings of a U.S. English device: "$1,234.50", "($1.00)",
// "M/d/yyyy", "h:mm:ss tt".
LocaleInfo UsEnglishLocale();

// 2026-03-14 15:09:26 in the fixed zone UTC-05:00, the tests' "now".
inline constexpr TimeStamp kTestNow = 1773518966;
QTimeZone TestTimeZone();

// A complete platform for one test: a temporary documents root and registry
// folder, U.S. English regional settings, a fixed clock and scripted prompts.
// It is the current platform while it lives.
class TestPlatform {
public:
    explicit TestPlatform(LocaleInfo systemLocale = UsEnglishLocale());
    // The same with message boxes of the caller's own (the window's real
    // ones); Prompts() is then not to be used.
    TestPlatform(LocaleInfo systemLocale, std::unique_ptr<::Prompts> prompts);
    ~TestPlatform();

    Platform& Get() { return *platform_; }
    ScriptedPrompts& Prompts() { return *prompts_; }
    FixedClock& Clock() { return *clock_; }
    Registry& GetRegistry() { return platform_->GetRegistry(); }

    // The temporary folder that holds everything below.
    QString TempFolder() const { return temp_.path(); }
    QString Root() const { return platform_->GetPaths().documentsRoot; }
    QString RegistryFolder() const { return platform_->GetPaths().registryFolder; }
    // A path inside the temporary folder.
    QString Path(const QString& relative) const { return temp_.filePath(relative); }

    // Records an installation folder (inside the temporary folder) so that the
    // diagnostics log is written, and returns it.
    QString InstallAppPath();

private:
    QTemporaryDir temp_;
    FixedClock* clock_;                   // owned by the platform
    ScriptedPrompts* prompts_ = nullptr;  // owned by the platform
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<PlatformScope> scope_;
};

// Writes bytes to a file, creating its folder; false on failure.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadFileBytes(const QString& path);
