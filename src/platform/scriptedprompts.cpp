#include "scriptedprompts.h"

#include <QStringList>

PromptAnswer ScriptedPrompts::Show(const QString& text, PromptButtons buttons, PromptIcon icon) {
    if (look_) {
        look_(text);
    }
    PromptAnswer answer = PromptAnswer::Ok;
    if (buttons != PromptButtons::Ok) {
        answer = defaultAnswer_;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
        // A Yes/No box has no Cancel button; its close box answers No.
        if (buttons == PromptButtons::YesNo && answer == PromptAnswer::Cancel) {
            answer = PromptAnswer::No;
        }
    }
    messages_.push_back({text, buttons, icon, answer});
    return answer;
}

QStringList ScriptedPrompts::Texts() const {
    QStringList texts;
    for (const Message& message : messages_) {
        texts << message.text;
    }
    return texts;
}
