#pragma once

#include <QChar>
#include <QString>

// The typing rules of the plain amount field (no pad of its own, used for
// rates and opened with the number pad): the text as typed, with a leading
// minus sign, digits and one decimal separator. The field hands over the
// character with its text and selection and shows what comes back.
class AmountTyping {
public:
    // Backspace, as a typed character (the number pad's "DEL" sends it).
    static constexpr QChar kBackspace = QChar(8);

    struct State {
        QString text;
        int selectionStart = 0;  // the caret when nothing is selected
        int selectionEnd = 0;
    };

    // `c` typed into `state`, with at most `digits` decimals after the
    // decimal separator `separator`. "-" toggles a leading minus sign and
    // keeps the selection on the same characters; a digit or the separator
    // replaces the selection, backspace removes it or the character before
    // the caret. False, and `state` unchanged, when the character is refused.
    static bool Type(State& state, QChar c, int digits, const QString& separator);

private:
    static bool Accepts(const State& state, QChar c, int digits, const QString& separator);
};
