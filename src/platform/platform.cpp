#include "platform.h"

#include <cstdio>
#include <cstdlib>

#include "processlocale.h"

namespace {

Platform* current = nullptr;

}  // namespace

Platform::Platform(PlatformPaths paths, std::unique_ptr<Clock> clock,
                   std::unique_ptr<Prompts> prompts, LocaleInfo systemLocale)
    : paths_(std::move(paths)),
      registry_(paths_.registryFolder),
      systemLocale_(std::move(systemLocale)),
      regional_(RegionalSettings::WithOverrides(systemLocale_, registry_)),
      clock_(std::move(clock)),
      prompts_(std::move(prompts)) {}

Platform::~Platform() {
    if (current == this) {
        current = nullptr;
    }
}

std::unique_ptr<Platform> Platform::CreateDefault(QStringList& arguments,
                                                  std::unique_ptr<Prompts> prompts) {
    return std::make_unique<Platform>(PlatformPaths::FromEnvironment(arguments),
                                      std::make_unique<SystemClock>(), std::move(prompts),
                                      DeviceLocaleFromProcess());
}

Platform& Platform::Get() {
    if (current == nullptr) {
        std::fputs("Outlaysheet: no platform is installed\n", stderr);
        std::abort();
    }
    return *current;
}

bool Platform::HasCurrent() {
    return current != nullptr;
}

void Platform::RefreshRegional() {
    regional_ = RegionalSettings::WithOverrides(systemLocale_, registry_);
}

void Platform::SetScreenDpi(int x, int y) {
    dpiX_ = x > 0 ? x : 96;
    dpiY_ = y > 0 ? y : 96;
}

PlatformScope::PlatformScope(Platform& platform) : previous_(current) {
    current = &platform;
}

PlatformScope::~PlatformScope() {
    current = previous_;
}
