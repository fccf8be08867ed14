#pragma once

#include <QTextStream>

#include "platform/prompts.h"

// Prompts of the command-line tool: every message goes to standard error;
// questions are answered No, which never overwrites or deletes anything.
class ConsolePrompts : public Prompts {
public:
    PromptAnswer Show(const QString& text, PromptButtons buttons, PromptIcon icon) override;
};
