#pragma once

#include <QIODevice>
#include <QTextStream>
#include <cstdio>

#include "platform/prompts.h"

// Prompts of the command-line tool: every message goes to standard error.
// Questions are answered No, which never overwrites or deletes anything,
// unless answers are to be read from standard input: then each question takes
// one line, "y", "n" or "c" (Cancel, where the question offers it).
class ConsolePrompts : public Prompts {
public:
    PromptAnswer Show(const QString& text, PromptButtons buttons, PromptIcon icon) override;

    void SetAnswersFromInput(bool fromInput) { answersFromInput_ = fromInput; }

private:
    PromptAnswer ReadAnswer(PromptButtons buttons);

    bool answersFromInput_ = false;
    // One stream for the whole run: it reads ahead, and a stream per question
    // would drop the answers it had buffered.
    QTextStream input_{stdin, QIODevice::ReadOnly};
};
