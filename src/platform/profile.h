#pragma once

#include <QString>

// The application's own settings: per-user registry values under
// "Software\Tillhouse\Outlaysheet for Pocket PC", with a key per section.
// Reading a missing value, or one of another type, gives the default.
namespace Profile {

inline constexpr char kApplicationKey[] = "Software\\Tillhouse\\Outlaysheet for Pocket PC";

// The per-user key of a section ("Reports" gives the application key
// followed by "\Reports"); an empty section is the application key itself.
QString SectionKey(const QString& section);

QString GetString(const QString& section, const QString& entry, const QString& fallback = {});
qint32 GetInt(const QString& section, const QString& entry, qint32 fallback);
bool WriteString(const QString& section, const QString& entry, const QString& value);
bool WriteInt(const QString& section, const QString& entry, qint32 value);

}  // namespace Profile
