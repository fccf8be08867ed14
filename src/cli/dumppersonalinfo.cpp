#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "lists/personalinfo.h"

namespace {

std::optional<QJsonObject> DumpPersonalInfo(const QString& path) {
    CPersonalInfo info(path);
    if (!LoadObjectFromFile(path, &info, false, true, true)) {
        return std::nullopt;
    }
    QJsonObject contents;
    for (int field = 0; field < CPersonalInfo::kFieldCount; ++field) {
        const auto which = static_cast<CPersonalInfo::Field>(field);
        contents.insert(CPersonalInfo::FieldName(which), info.GetField(which));
    }
    return contents;
}

[[maybe_unused]] const bool registered = RegisterDumper(kFileTypePersonalInfo, &DumpPersonalInfo);

}  // namespace
