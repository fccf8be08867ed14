#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "prompts.h"

// Prompts without a screen: every message is recorded with its buttons and
// icon, and questions take their answers from a queue. When the queue is empty
// a question gets the default answer (No, which never overwrites or deletes).
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        QString text;
        PromptButtons buttons;
        PromptIcon icon;
        PromptAnswer answer;
    };

    PromptAnswer Show(const QString& text, PromptButtons buttons, PromptIcon icon) override;
    void BeginWaitCursor() override { ++waitDepth_; }
    void EndWaitCursor() override { --waitDepth_; }

    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    void SetDefaultAnswer(PromptAnswer answer) { defaultAnswer_ = answer; }
    // Runs `look` at each message as it is shown, for a look at the screen
    // behind it.
    void WhenShown(std::function<void(const QString& text)> look) { look_ = std::move(look); }

    const std::vector<Message>& Messages() const { return messages_; }
    // Texts of the messages shown so far, in order.
    QStringList Texts() const;
    void Clear() { messages_.clear(); }
    int PendingAnswers() const { return static_cast<int>(answers_.size()); }
    int WaitDepth() const { return waitDepth_; }

private:
    std::vector<Message> messages_;
    std::deque<PromptAnswer> answers_;
    PromptAnswer defaultAnswer_ = PromptAnswer::No;
    int waitDepth_ = 0;
    std::function<void(const QString&)> look_;
};
