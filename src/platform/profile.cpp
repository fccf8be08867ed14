#include "profile.h"

#include "platform.h"

namespace Profile {

QString SectionKey(const QString& section) {
    const QString application = QString::fromLatin1(kApplicationKey);
    return section.isEmpty() ? application : application + QLatin1Char('\\') + section;
}

QString GetString(const QString& section, const QString& entry, const QString& fallback) {
    return Platform::Get().GetRegistry().ReadString(RegistryHive::CurrentUser, SectionKey(section),
                                                    entry, fallback);
}

qint32 GetInt(const QString& section, const QString& entry, qint32 fallback) {
    const auto value = Platform::Get().GetRegistry().ReadInteger(RegistryHive::CurrentUser,
                                                                 SectionKey(section), entry);
    return value ? static_cast<qint32>(*value) : fallback;
}

bool WriteString(const QString& section, const QString& entry, const QString& value) {
    return Platform::Get().GetRegistry().WriteString(RegistryHive::CurrentUser,
                                                     SectionKey(section), entry, value);
}

bool WriteInt(const QString& section, const QString& entry, qint32 value) {
    return Platform::Get().GetRegistry().WriteInteger(
        RegistryHive::CurrentUser, SectionKey(section), entry, static_cast<quint32>(value));
}

}  // namespace Profile
