#include "benchplatform.h"

#include <QTimeZone>

#include "platform/platform.h"
#include "platform/processlocale.h"
#include "platform/scriptedprompts.h"

BenchPlatform::BenchPlatform() {
    PlatformPaths paths;
    paths.documentsRoot = folder_.filePath(QStringLiteral("root"));
    paths.registryFolder = folder_.filePath(QStringLiteral("registry"));
    LocaleInfo locale;
    AddInvariantMonetaryItems(locale);
    platform_ = std::make_unique<Platform>(
        paths, std::make_unique<FixedClock>(1773518966, QTimeZone::utc()),
        std::make_unique<ScriptedPrompts>(), locale);
    scope_ = std::make_unique<PlatformScope>(*platform_);
}

BenchPlatform::~BenchPlatform() = default;
