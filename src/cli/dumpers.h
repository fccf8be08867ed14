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

class JsonStreamWriter;

// For kinds of file too large to hold as one JSON document: writes the whole
// object, `fileHeader`'s members first, as it reads the file, and nothing at
// all for a file it cannot read (which the class has reported). False when
// the file could not be read or the output not written.
using StreamDumper = std::function<bool(const QString& path, const QJsonObject& fileHeader,
                                        JsonStreamWriter& writer)>;

bool RegisterStreamDumper(quint32 fileType, StreamDumper dumper);
const StreamDumper* FindStreamDumper(quint32 fileType);
