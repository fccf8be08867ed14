#include "views/pads/amountedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

#include "money/amounttyping.h"
#include "money/deviceseparators.h"
#include "platform/platform.h"
#include "platform/prompts.h"

CAmountEdit::CAmountEdit(QWidget* parent)
    : QLineEdit(parent), format_(true), decimalSeparator_(DeviceSeparators::Current().decimal) {
    // The menu's Paste would bypass the typing rules.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAlignment(Qt::AlignRight);
}

void CAmountEdit::SetValue(double value) {
    int flags = Amount::kDeviceSeparators | Amount::kPlainNumber | Amount::kLeadingMinus;
    if (precise_) {
        flags |= Amount::kPrecise;
    }
    setText(Amount(value).FormatCurrency(format_, flags));
}

double CAmountEdit::GetValue() const {
    return Amount(text(), format_, true).GetValue();
}

void CAmountEdit::SetFormat(const CCurrencyFormat& format) {
    const double value = GetValue();
    format_ = format;
    SetValue(value);
}

void CAmountEdit::SetPrecise(bool precise) {
    const double value = GetValue();
    precise_ = precise;
    SetValue(value);
}

int CAmountEdit::TypedDigits() const {
    // A rate shows nine decimals, so it takes them too.
    return precise_ ? MoneyBounds::kMaxDigits : static_cast<int>(format_.GetDigits());
}

bool CAmountEdit::TypeCharacter(QChar c) {
    AmountTyping::State state;
    state.text = text();
    state.selectionStart = hasSelectedText() ? selectionStart() : cursorPosition();
    state.selectionEnd = hasSelectedText() ? selectionEnd() : cursorPosition();
    if (!AmountTyping::Type(state, c, TypedDigits(), decimalSeparator_)) {
        return false;
    }
    const double value = Amount(state.text, format_, true).GetValue();
    const double largest =
        std::max(std::fabs(MoneyBounds::Lowest(limit_)), MoneyBounds::Highest(limit_));
    if (!std::isfinite(value) || std::fabs(value) > largest) {
        Platform::Get().GetPrompts().Warning(MoneyBounds::Message(limit_));
        return false;
    }
    setText(state.text);
    if (state.selectionStart == state.selectionEnd) {
        setCursorPosition(state.selectionStart);
    } else {
        setSelection(state.selectionStart, state.selectionEnd - state.selectionStart);
    }
    emit amountEdited();
    return true;
}

void CAmountEdit::ClearTyped() {
    clear();
    emit amountEdited();
}

void CAmountEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        const double value = GetValue() + (event->key() == Qt::Key_Up ? 1.0 : -1.0);
        if (std::fabs(value) <= MoneyBounds::Highest(limit_)) {
            SetValue(value);
            emit amountEdited();
        }
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        TypeCharacter(AmountTyping::kBackspace);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        for (QChar c : QGuiApplication::clipboard()->text()) {
            if (!TypeCharacter(c)) {
                break;
            }
        }
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed[0].isPrint()) {
        for (QChar c : typed) {
            TypeCharacter(c);
        }
        return;
    }
    const QString before = text();
    QLineEdit::keyPressEvent(event);
    if (text() != before) {
        emit amountEdited();  // Delete, Cut or Undo
    }
}

void CAmountEdit::inputMethodEvent(QInputMethodEvent* event) {
    // A soft keyboard's text is typed a character at a time, as keys are.
    for (QChar c : event->commitString()) {
        TypeCharacter(c);
    }
    event->accept();
}
