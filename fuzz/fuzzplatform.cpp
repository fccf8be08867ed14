#include "fuzzplatform.h"

#include <QCoreApplication>
#include <memory>

#include "platform/prompts.h"
#include "scratchplatform.h"

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
        platform = std::make_unique<ScratchPlatform>(std::make_unique<SilentPrompts>());
    }

    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<ScratchPlatform> platform;
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
    return Shared().platform->Path(name);
}

QString FuzzPlatform::Root() const {
    return Shared().platform->Root();
}

QString FuzzPlatform::Outside() const {
    return Shared().platform->Folder();
}
