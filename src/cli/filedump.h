#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

class JsonStreamWriter;

// Writes the contents of a data or report file as JSON: its header
// (`fileType`, `fileVersion`) and the object it holds, with the code's field
// names. A file the program cannot read gets the program's message through
// the platform's prompts, no JSON and false; so does output that cannot be
// written. A report is written as it is read, in memory that does not grow
// with its size.
bool DumpDataFile(const QString& path, JsonStreamWriter& writer);
