#include "consoleprompts.h"

#include <cstdio>

PromptAnswer ConsolePrompts::Show(const QString& text, PromptButtons buttons, PromptIcon) {
    QTextStream err(stderr);
    err << text << Qt::endl;
    if (buttons == PromptButtons::Ok) {
        return PromptAnswer::Ok;
    }
    return answersFromInput_ ? ReadAnswer(buttons) : PromptAnswer::No;
}

PromptAnswer ConsolePrompts::ReadAnswer(PromptButtons buttons) {
    QTextStream err(stderr);
    const bool offersCancel = buttons == PromptButtons::YesNoCancel;
    for (;;) {
        QString line;
        // Without an answer nothing is replaced.
        if (!input_.readLineInto(&line)) {
            return PromptAnswer::No;
        }
        const QString answer = line.trimmed().toLower();
        if (answer == QLatin1String("y") || answer == QLatin1String("yes")) {
            return PromptAnswer::Yes;
        }
        if (answer == QLatin1String("n") || answer == QLatin1String("no")) {
            return PromptAnswer::No;
        }
        if (offersCancel && (answer == QLatin1String("c") || answer == QLatin1String("cancel"))) {
            return PromptAnswer::Cancel;
        }
        err << (offersCancel ? "Answer y, n or c." : "Answer y or n.") << Qt::endl;
    }
}
