#include "views/pads/nxnumericedit.h"

#include "platform/platform.h"
#include "platform/prompts.h"

CNxNumericEdit::CNxNumericEdit(QWidget* parent)
    : CNxNumericEdit(NumericEditRules::Kind::kNumber, parent) {}

CNxNumericEdit::CNxNumericEdit(NumericEditRules::Kind kind, QWidget* parent)
    : CNxEdit(parent), rules_(kind) {
    setAlignment(Qt::AlignRight);
    Show();
    connect(this, &CNxEdit::edited, this, [this] { emit valueChanged(rules_.GetValue()); });
}

void CNxNumericEdit::Show() {
    rules_.SetOverwrite(IsOverwrite());
    SetParts(rules_.GetPrefix(), rules_.GetTyped(), rules_.GetSuffix(), rules_.GetCaret());
}

bool CNxNumericEdit::TypeCharacter(QChar c, int caret) {
    rules_.SetOverwrite(IsOverwrite());
    const bool typed = rules_.TypeCharacter(c, caret);
    Show();
    return typed;
}

bool CNxNumericEdit::DeleteRight(int caret) {
    const bool deleted = rules_.DeleteRight(caret);
    Show();
    return deleted;
}

bool CNxNumericEdit::DeleteLeft(int caret) {
    // Back over a thousands separator to the digit before it.
    const int start = static_cast<int>(rules_.GetPrefix().size());
    int at = caret - 1;
    while (at >= start && text()[at] == rules_.GetThousandSeparator()) {
        --at;
    }
    if (at < start) {
        return false;
    }
    return DeleteRight(at);
}

bool CNxNumericEdit::SetTypedText(const QString& text) {
    const bool set = rules_.SetTypedText(text);
    Show();
    return set;
}

void CNxNumericEdit::Refused() {
    if (!rules_.GetRefusal().isEmpty()) {
        Platform::Get().GetPrompts().Warning(rules_.GetRefusal());
    }
}

void CNxNumericEdit::SetValue(double value) {
    rules_.SetValue(value);
    Show();
}

void CNxNumericEdit::SetLimit(MoneyBounds::Kind limit) {
    rules_.SetLimit(limit);
    Show();
}

void CNxNumericEdit::SetDigits(int digits) {
    rules_.SetDigits(digits);
    Show();
}

void CNxNumericEdit::SetGrouping(int grouping) {
    rules_.SetGrouping(grouping);
    Show();
}

bool CNxNumericEdit::SetDecimalSeparator(QChar separator) {
    const bool set = rules_.SetDecimalSeparator(separator);
    Show();
    return set;
}

bool CNxNumericEdit::SetThousandSeparator(QChar separator) {
    const bool set = rules_.SetThousandSeparator(separator);
    Show();
    return set;
}

void CNxNumericEdit::SetLeadingZero(int leadingZero) {
    rules_.SetLeadingZero(leadingZero);
    Show();
}

bool CNxNumericEdit::SetMaxIntegerDigits(int maxIntegerDigits) {
    const bool set = rules_.SetMaxIntegerDigits(maxIntegerDigits);
    Show();
    return set;
}

bool CNxNumericEdit::SetNegativePattern(const QString& pattern) {
    const bool set = rules_.SetNegativePattern(pattern);
    Show();
    return set;
}

bool CNxNumericEdit::SetPositivePattern(const QString& pattern) {
    const bool set = rules_.SetPositivePattern(pattern);
    Show();
    return set;
}

void CNxNumericEdit::SetNegative(bool negative) {
    rules_.SetNegative(negative);
    Show();
}

void CNxNumericEdit::SetAcceptPeriod(bool accept) {
    rules_.SetAcceptPeriod(accept);
}

void CNxNumericEdit::RefreshFromDevice(const LocaleInfo& device) {
    rules_.RefreshFromDevice(device);
    Show();
}
