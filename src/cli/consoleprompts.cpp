#include "consoleprompts.h"

#include <cstdio>

PromptAnswer ConsolePrompts::Show(const QString& text, PromptButtons buttons, PromptIcon) {
    QTextStream err(stderr);
    err << text << Qt::endl;
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
}
