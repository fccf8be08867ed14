#pragma once

#include "localeinfo.h"

class Registry;

// The device's two locales. The system default locale is the process locale;
// the user default locale is the same with the items of the per-user
// "Regional" key laid over it (the device's Regional Settings panel).
class RegionalSettings {
public:
    RegionalSettings() = default;
    RegionalSettings(LocaleInfo system, LocaleInfo user)
        : system_(std::move(system)), user_(std::move(user)) {}

    // The system locale with the overrides stored in `registry`.
    static RegionalSettings WithOverrides(LocaleInfo system, const Registry& registry);
    // The overrides stored in `registry`, as a locale that supplies only them.
    static LocaleInfo ReadOverrides(const Registry& registry);

    const LocaleInfo& System() const { return system_; }
    const LocaleInfo& User() const { return user_; }

    // The user's item, else the system's; missing when neither supplies it.
    std::optional<QString> Get(LocaleItem item) const;
    // The same, with `fallback` for a missing or empty item.
    QString Text(LocaleItem item, const QString& fallback = {}) const;

private:
    LocaleInfo system_;
    LocaleInfo user_;
};

// The per-user key that holds the regional overrides.
inline constexpr char kRegionalKey[] = "Regional";
