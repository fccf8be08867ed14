#pragma once

#include <QHash>
#include <QString>
#include <memory>

#include "clock.h"
#include "desktopshell.h"
#include "directorycache.h"
#include "filestamp.h"
#include "platformpaths.h"
#include "prompts.h"
#include "regionalsettings.h"
#include "registry.h"

// The device the program runs on: registry, regional settings, clock, message
// boxes, folders and screen. Everything that the program would ask the
// operating system goes through the current Platform, so that a test can put
// a platform of its own in place (PlatformScope). This is the program's only
// global state.
class Platform {
public:
    Platform(PlatformPaths paths, std::unique_ptr<Clock> clock, std::unique_ptr<Prompts> prompts,
             LocaleInfo systemLocale);
    ~Platform();
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    // The platform of a normal run: paths from the command line and the
    // environment (PlatformPaths::FromEnvironment), the machine's clock and
    // the process locale.
    static std::unique_ptr<Platform> CreateDefault(QStringList& arguments,
                                                   std::unique_ptr<Prompts> prompts);

    // The current platform. Using it with none installed is a programming
    // error and ends the process with a message.
    static Platform& Get();
    static bool HasCurrent();

    const PlatformPaths& GetPaths() const { return paths_; }
    Registry& GetRegistry() { return registry_; }
    const Registry& GetRegistry() const { return registry_; }
    const RegionalSettings& GetRegional() const { return regional_; }
    const Clock& GetClock() const { return *clock_; }
    Prompts& GetPrompts() { return *prompts_; }
    // Opening files with the desktop's programs; one that opens nothing
    // until the window puts in its own.
    DesktopShell& GetShell() { return *shell_; }
    void SetShell(std::unique_ptr<DesktopShell> shell) { shell_ = std::move(shell); }
    DirectoryCache& GetDirectoryCache() { return directories_; }
    // The data files as this program last read or wrote them, by path: a
    // save that finds its file changed otherwise knows another writer was
    // there.
    QHash<QString, FileStamp>& GetFileStamps() { return fileStamps_; }

    // Reads the regional overrides again (after the settings panel changed them).
    void RefreshRegional();

    // Logical dots per inch of the screen; 96 until the screen is known.
    int ScreenDpiX() const { return dpiX_; }
    int ScreenDpiY() const { return dpiY_; }
    void SetScreenDpi(int x, int y);

private:
    friend class PlatformScope;

    PlatformPaths paths_;
    Registry registry_;
    LocaleInfo systemLocale_;
    RegionalSettings regional_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Prompts> prompts_;
    std::unique_ptr<DesktopShell> shell_ = std::make_unique<DesktopShell>();
    DirectoryCache directories_;
    QHash<QString, FileStamp> fileStamps_;
    int dpiX_ = 96;
    int dpiY_ = 96;
};

// Makes a platform the current one for the lifetime of the scope and puts
// back the one before.
class PlatformScope {
public:
    explicit PlatformScope(Platform& platform);
    ~PlatformScope();
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

private:
    Platform* previous_;  // not owned
};
