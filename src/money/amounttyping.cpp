#include "money/amounttyping.h"

#include <algorithm>

bool AmountTyping::Accepts(const State& state, QChar c, int digits, const QString& separator) {
    const QString& text = state.text;
    const qsizetype at = text.indexOf(separator);
    if (c.isDigit() && c.unicode() < 128) {
        if (digits <= 0 || at < 0 || state.selectionStart <= at) {
            return true;
        }
        // The decimals left once the selection is gone.
        const qsizetype decimals =
            state.selectionStart + text.size() - state.selectionEnd - at - 1;
        return decimals < digits;
    }
    if (!separator.isEmpty() && c == separator[0]) {
        // Typing over the separator replaces it.
        return digits > 0 && (at < 0 || (state.selectionStart <= at && at < state.selectionEnd));
    }
    return c == kBackspace;
}

bool AmountTyping::Type(State& state, QChar c, int digits, const QString& separator) {
    const int size = static_cast<int>(state.text.size());
    state.selectionStart = std::clamp(state.selectionStart, 0, size);
    state.selectionEnd = std::clamp(state.selectionEnd, state.selectionStart, size);
    if (c == QLatin1Char('-')) {
        const int shift = state.text.startsWith(QLatin1Char('-')) ? -1 : 1;
        if (shift < 0) {
            state.text.remove(0, 1);
        } else {
            state.text.prepend(QLatin1Char('-'));
        }
        state.selectionStart = std::max(state.selectionStart + shift, 0);
        state.selectionEnd = std::max(state.selectionEnd + shift, 0);
        return true;
    }
    if (!Accepts(state, c, digits, separator)) {
        return false;
    }
    int from = state.selectionStart;
    if (c == kBackspace && from == state.selectionEnd) {
        if (from == 0) {
            return false;
        }
        --from;
    }
    state.text.remove(from, state.selectionEnd - from);
    if (c != kBackspace) {
        state.text.insert(from, c.isDigit() ? QString(c) : separator);
        ++from;
    }
    state.selectionStart = from;
    state.selectionEnd = from;
    return true;
}
