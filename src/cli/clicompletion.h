#pragma once

#include <QStringList>

// outlaysheet-cli complete [--] WORD...: what the shell may put for the last
// WORD, the one being typed, after the words before it (the command line
// without the program name and without --root and --registry, which the
// tool has already taken). The first line says what the shell offers:
// "words" (the lines that follow, each a whole word), "files" (the file
// names of the shell's own completion) or "none". The bash completion
// script asks this, so that the script and the tool cannot disagree about
// commands and options.
class CliCompletion {
public:
    static int Run(const QStringList& arguments);
};
