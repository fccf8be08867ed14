#pragma once

#include <QJsonObject>
#include <QString>
#include <functional>
#include <optional>

// Loads one kind of data file with the class that owns it (its header is
// known to be good) and gives the object's fields as JSON with the code's
// field names; nothing when the load failed, which the class has reported.
// Each kind registers itself from its own source file:
//   static const bool registered = RegisterDumper(kFileTypeHistory, &DumpHistory);
using Dumper = std::function<std::optional<QJsonObject>(const QString& path)>;

bool RegisterDumper(quint32 fileType, Dumper dumper);
// The dumper for a file type, or nothing for a type that has none yet.
const Dumper* FindDumper(quint32 fileType);
