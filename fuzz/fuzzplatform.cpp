#include "fuzzplatform.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimeZone>
#include <memory>

#include "platform/platform.h"
#include "platform/processlocale.h"

namespace {

// Prompts that never wait and never grow: questions are answered Yes, so
// that the replacing paths run too.
class SilentPrompts : public Prompts {
public:
    PromptAnswer Show(const QString&, PromptButtons buttons, PromptIcon) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Yes;
    }
};

struct State {
    State() {
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
        PlatformPaths paths;
        paths.documentsRoot = folder.filePath(QStringLiteral("root"));
        paths.registryFolder = folder.filePath(QStringLiteral("registry"));
        LocaleInfo locale;
        AddInvariantMonetaryItems(locale);
        platform = std::make_unique<Platform>(
            paths, std::make_unique<FixedClock>(1773518966, QTimeZone::utc()),
            std::make_unique<SilentPrompts>(), locale);
        scope = std::make_unique<PlatformScope>(*platform);
    }

    std::unique_ptr<QCoreApplication> application;
    QTemporaryDir folder;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<PlatformScope> scope;
};

State& Shared() {
    static State state;
    return state;
}

}  // namespace

FuzzPlatform& FuzzPlatform::Get() {
    Shared();
    static FuzzPlatform platform;
    return platform;
}

QString FuzzPlatform::ScratchFile(const QString& name) const {
    return Shared().folder.filePath(name);
}

QString FuzzPlatform::Root() const {
    return Shared().folder.filePath(QStringLiteral("root"));
}

QString FuzzPlatform::Outside() const {
    return Shared().folder.path();
}
