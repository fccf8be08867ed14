#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

// The contents of a data or report file as JSON: its header (`fileType`,
// `fileVersion`) and the object it holds, with the code's field names. A
// file the program cannot read gets the program's message through the
// platform's prompts and no JSON.
std::optional<QJsonObject> DumpDataFile(const QString& path);
