#include "money/amounttyping.h"

#include <gtest/gtest.h>

namespace {

// "12.3|4" marks the caret with "|", a selection with "[" and "]".
AmountTyping::State Parse(const QString& marked) {
    AmountTyping::State state;
    state.text = marked;
    const qsizetype caret = state.text.indexOf(QLatin1Char('|'));
    if (caret >= 0) {
        state.text.remove(caret, 1);
        state.selectionStart = state.selectionEnd = static_cast<int>(caret);
        return state;
    }
    state.selectionStart = static_cast<int>(state.text.indexOf(QLatin1Char('[')));
    state.text.remove(state.selectionStart, 1);
    state.selectionEnd = static_cast<int>(state.text.indexOf(QLatin1Char(']')));
    state.text.remove(state.selectionEnd, 1);
    return state;
}

QString Mark(const AmountTyping::State& state) {
    QString text = state.text;
    if (state.selectionStart == state.selectionEnd) {
        return text.insert(state.selectionStart, QLatin1Char('|'));
    }
    text.insert(state.selectionEnd, QLatin1Char(']'));
    return text.insert(state.selectionStart, QLatin1Char('['));
}

TEST(AmountTyping, KeepsTheTextInShape) {
    struct Case {
        const char* before;
        char16_t typed;
        int digits;
        const char* separator;
        const char* after;  // nullptr: refused, unchanged
    };
    const Case cases[] = {
        {"|", u'5', 2, ".", "5|"},
        {"12.3|", u'4', 2, ".", "12.34|"},
        {"12.34|", u'5', 2, ".", nullptr},    // no third decimal
        {"1|2.34", u'5', 2, ".", "15|2.34"},  // digits before the point are free
        {"12.[34]", u'5', 2, ".", "12.5|"},   // the selection makes room
        {"12.3[4]", u'9', 2, ".", "12.39|"},
        {"12|", u'7', 0, ".", "127|"},  // no decimals: digits go anywhere
        {"12|", u'.', 0, ".", nullptr},
        {"12.3|", u'.', 2, ".", nullptr},  // a second separator
        {"1[2.]3", u'.', 2, ".", "1.|3"},  // replacing the one there
        {"12|", u',', 2, ",", "12,|"},
        {"12|", u'.', 2, ",", nullptr},  // a period is no separator here
        {"12|", u'a', 2, ".", nullptr},
        {"12|", u'+', 2, ".", nullptr},
        {"12|", u'\u0663', 2, ".", nullptr},  // a digit of another script
        {"12.3|", u'\b', 2, ".", "12.|"},
        {"1[2.3]", u'\b', 2, ".", "1|"},
        {"|12", u'\b', 2, ".", nullptr},
        {"|", u'-', 2, ".", "-|"},
        {"1[2]", u'-', 2, ".", "-1[2]"},  // the selection moves with the text
        {"-1[2]", u'-', 2, ".", "1[2]"},
        {"[-12]", u'-', 2, ".", "[12]"},
    };
    for (const Case& c : cases) {
        AmountTyping::State state = Parse(QString::fromUtf8(c.before));
        const bool accepted =
            AmountTyping::Type(state, QChar(c.typed), c.digits, QString::fromUtf8(c.separator));
        const QString expected = QString::fromUtf8(c.after ? c.after : c.before);
        EXPECT_EQ(accepted, c.after != nullptr) << c.before << " + " << char(c.typed);
        EXPECT_EQ(Mark(state), expected) << c.before << " + " << char(c.typed);
    }
}

}  // namespace
