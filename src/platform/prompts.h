#pragma once

#include <QString>

enum class PromptIcon { None, Information, Exclamation, Question };
enum class PromptButtons { Ok, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Yes, No, Cancel };

// Message boxes and the wait cursor. The GUI shows real dialogs; the command
// line and the tests use a scripted implementation.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer Show(const QString& text, PromptButtons buttons, PromptIcon icon) = 0;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    void Information(const QString& text) {
        Show(text, PromptButtons::Ok, PromptIcon::Information);
    }
    void Warning(const QString& text) { Show(text, PromptButtons::Ok, PromptIcon::Exclamation); }
    // True when the answer is Yes.
    bool AskYesNo(const QString& text) {
        return Show(text, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
    }
    PromptAnswer AskYesNoCancel(const QString& text) {
        return Show(text, PromptButtons::YesNoCancel, PromptIcon::Question);
    }
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(Prompts& prompts) : prompts_(prompts) { prompts_.BeginWaitCursor(); }
    ~WaitCursor() { prompts_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Prompts& prompts_;  // not owned
};
