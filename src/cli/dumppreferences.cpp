#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "report/preferences.h"

namespace {

// Only the file's two values: the rest of the preferences live in the
// profile, not in this file.
std::optional<QJsonObject> DumpPreferences(const QString& path) {
    CPreferences preferences;
    if (!LoadObjectFromFile(path, &preferences, false, true, true)) {
        return std::nullopt;
    }
    return QJsonObject{
        {QStringLiteral("defaultMileageRate"), preferences.GetDefaultMileageRate().GetValue()},
        {QStringLiteral("distanceInMiles"), preferences.GetDistanceInMiles()},
    };
}

[[maybe_unused]] const bool registered = RegisterDumper(kFileTypePreferences, &DumpPreferences);

}  // namespace
