#include "scratchplatform.h"

#include <QTimeZone>

#include "platform/platform.h"
#include "platform/processlocale.h"
#include "platform/scriptedprompts.h"

ScratchPlatform::ScratchPlatform(std::unique_ptr<Prompts> prompts) {
    PlatformPaths paths;
    paths.documentsRoot = Root();
    paths.registryFolder = Path(QStringLiteral("registry"));
    // Never the user's own address book.
    paths.contactsFolder = Path(QStringLiteral("contacts"));
    LocaleInfo locale;
    AddInvariantMonetaryItems(locale);
    if (!prompts) {
        prompts = std::make_unique<ScriptedPrompts>();
    }
    platform_ = std::make_unique<Platform>(
        paths, std::make_unique<FixedClock>(1773518966, QTimeZone::utc()), std::move(prompts),
        locale);
    scope_ = std::make_unique<PlatformScope>(*platform_);
}

ScratchPlatform::~ScratchPlatform() = default;
