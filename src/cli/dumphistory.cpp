#include <QJsonArray>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "lists/history.h"

namespace {

// A history keeps its texts in the order of the file until it is changed, so
// the class itself shows the file as it is.
std::optional<QJsonObject> DumpHistory(const QString& path) {
    CHistory history(path);
    if (!LoadObjectFromFile(path, &history, false, true, true)) {
        return std::nullopt;
    }
    return QJsonObject{{QStringLiteral("items"), QJsonArray::fromStringList(history.GetItems())}};
}

[[maybe_unused]] const bool registered = RegisterDumper(kFileTypeHistory, &DumpHistory);

}  // namespace
