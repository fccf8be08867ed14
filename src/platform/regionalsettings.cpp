#include "regionalsettings.h"

#include "registry.h"

RegionalSettings RegionalSettings::WithOverrides(LocaleInfo system, const Registry& registry) {
    LocaleInfo user = system;
    user.Merge(ReadOverrides(registry));
    return RegionalSettings(std::move(system), std::move(user));
}

LocaleInfo RegionalSettings::ReadOverrides(const Registry& registry) {
    LocaleInfo overrides;
    const QString key = QString::fromLatin1(kRegionalKey);
    for (const QString& name : registry.ValueNames(RegistryHive::CurrentUser, key)) {
        const auto item = LocaleItemFromName(name);
        const auto value = registry.ReadValue(RegistryHive::CurrentUser, key, name);
        if (!item || !value) {
            continue;
        }
        // The panel writes numbers either as text or as integers.
        if (const auto* text = std::get_if<QString>(&*value)) {
            overrides.Set(*item, *text);
        } else if (const auto* number = std::get_if<quint32>(&*value)) {
            overrides.Set(*item, QString::number(*number));
        }
    }
    return overrides;
}

std::optional<QString> RegionalSettings::Get(LocaleItem item) const {
    if (auto value = user_.Get(item)) {
        return value;
    }
    return system_.Get(item);
}

QString RegionalSettings::Text(LocaleItem item, const QString& fallback) const {
    const QString user = user_.Text(item);
    return user.isEmpty() ? system_.Text(item, fallback) : user;
}
