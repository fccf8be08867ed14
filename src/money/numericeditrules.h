#pragma once

#include <QChar>
#include <QString>

#include "money/moneybounds.h"

class CCurrencyFormat;
class LocaleInfo;

// The text of the number and money edit controls, kept in shape while the
// user types, without the controls themselves: the widgets hand over each
// typed character with their caret and show the text and caret read back.
//
// The text is a prefix, the typed region (digits, thousands separators and
// the decimal separator) and a suffix; the prefix and suffix are the parts of
// the negative or positive pattern around its "1.1", with "$" standing for
// the symbol in money controls. The caret always stays in the typed region.
//
// Each setting the device also has (separators, leading zero, grouping,
// digits, patterns, symbol) keeps a copy of the device's value last seen, so
// that a change of the regional settings reaches only the settings the
// program did not choose itself (RefreshFromDevice).
//
// The number never grows beyond the bounds of the kind of value the control
// holds (SetLimit; an amount unless told otherwise): a digit, a deletion or a
// pasted text that would take it further is refused, and GetRefusal names
// the bounds for the control to show.
class NumericEditRules {
public:
    enum class Kind {
        kNumber,    // negative "-1.1", positive "1.1"
        kCurrency,  // negative "($1.1)", positive "$1.1", symbol "$"
    };

    explicit NumericEditRules(Kind kind = Kind::kNumber);

    Kind GetKind() const { return kind_; }

    // What the control shows, and the caret in it.
    QString GetText() const { return prefix_ + typed_ + suffix_; }
    QString GetPrefix() const { return prefix_; }
    QString GetTyped() const { return typed_; }
    QString GetSuffix() const { return suffix_; }
    int GetCaret() const { return caret_; }
    // Moves the caret, brought back into the typed region (after the
    // platform has handled a movement key without Shift).
    void SetCaret(int caret);

    bool IsOverwrite() const { return overwrite_; }
    void SetOverwrite(bool overwrite) { overwrite_ = overwrite; }
    // The Insert key.
    void ToggleOverwrite() { overwrite_ = !overwrite_; }

    // A character typed with the caret at `caret`: a digit goes in (or over
    // the next digit when overwriting) within the integer and decimal limits,
    // the decimal separator (or "." when periods are accepted) moves the
    // caret behind the separator, "-" toggles the sign. False when the
    // character was refused or could do nothing.
    bool TypeCharacter(QChar c, int caret);
    // The Delete key: removes the character right of `caret` (the digit
    // behind it when that is a thousands separator). False at the end.
    bool DeleteRight(int caret);
    // Replaces the typed region (pasted or set text) and puts it in shape;
    // a "-" in front makes the number negative. False, and nothing changed,
    // for a number beyond the limit.
    bool SetTypedText(const QString& text);

    // The kind of value the control holds, whose bounds limit what can be
    // typed (MoneyBounds::Highest, either sign). Only the size is held while
    // typing: a rate on its way to 0.05 passes through 0.
    MoneyBounds::Kind GetLimit() const { return limit_; }
    void SetLimit(MoneyBounds::Kind limit);
    // The message for the last character, deletion or text refused because
    // it would have taken the number beyond the limit; empty when the last
    // one was not refused for that.
    const QString& GetRefusal() const { return refusal_; }

    // The value written at `digits` decimals with the current separators; a
    // value beyond the limit is held at it, one that is no number is 0.
    void SetValue(double value);
    double GetValue() const { return value_; }
    bool IsNegative() const { return negative_; }
    void SetNegative(bool negative);

    int GetDigits() const { return own_.digits; }
    // 0 to 9; other numbers are held at those ends.
    void SetDigits(int digits);
    int GetGrouping() const { return own_.grouping; }
    // Digits per group, one level; 0 or less for none.
    void SetGrouping(int grouping);
    QChar GetDecimalSeparator() const { return own_.decimalSeparator; }
    // Refused for digits, "-", the thousands separator and the null character.
    bool SetDecimalSeparator(QChar separator);
    // Null when the device groups without a separator.
    QChar GetThousandSeparator() const { return own_.thousandSeparator; }
    // Refused for digits, "-", the decimal separator and the null character.
    bool SetThousandSeparator(QChar separator);
    int GetLeadingZero() const { return own_.leadingZero; }
    // 1: "0.50", 0: ".50"; any value but 0 counts as 1.
    void SetLeadingZero(int leadingZero);
    int GetMaxIntegerDigits() const { return maxIntegerDigits_; }
    // -1 for no limit; refused below -1.
    bool SetMaxIntegerDigits(int maxIntegerDigits);
    QString GetNegativePattern() const { return own_.negativePattern; }
    QString GetPositivePattern() const { return own_.positivePattern; }
    // Refused unless the text contains "1.1".
    bool SetNegativePattern(const QString& pattern);
    bool SetPositivePattern(const QString& pattern);
    bool GetAcceptPeriod() const { return acceptPeriod_; }
    void SetAcceptPeriod(bool accept) { acceptPeriod_ = accept; }

    // Money controls.
    QString GetSymbol() const { return own_.symbol; }
    void SetSymbol(const QString& symbol);
    // The pattern of that number in the currency tables; refused for others.
    bool SetNegativeOrder(int order);
    bool SetPositiveOrder(int order);
    // Takes the format's symbol, grouping, leading zero, orders and digits,
    // and the separators of `device` (its monetary ones), each else the
    // format's own; then writes the value again.
    void SetFormat(const CCurrencyFormat& format, const LocaleInfo& device);
    // The same with the user default locale as the device.
    void SetFormat(const CCurrencyFormat& format);

    // After a change of the regional settings: every setting that still
    // equals the device's value last seen follows the new one in `device`
    // (the user default locale); the others are the program's own and stay.
    // Items `device` lacks change nothing.
    void RefreshFromDevice(const LocaleInfo& device);

private:
    // The settings the device has too.
    struct Settings {
        QChar decimalSeparator = QLatin1Char('.');
        QChar thousandSeparator = QLatin1Char(',');
        int leadingZero = 1;
        int grouping = 3;
        int digits = 2;
        QString negativePattern;
        QString positivePattern;
        QString symbol;
    };

    // A caret position that survives regrouping: in the integer part the
    // count of integer digits right of it, in the decimals the count of
    // decimals left of it.
    struct Spot {
        bool decimals = false;
        int count = 0;
    };

    qsizetype IntegerEnd() const;
    Spot SpotAt(qsizetype typedCaret) const;
    void MoveTo(Spot spot);
    // Puts `raw` in shape as the typed region and works out the value.
    void Normalise(const QString& raw);
    // The integer digits with a thousands separator between groups.
    QString Grouped(const QString& integer) const;
    // The prefix and suffix for the sign.
    void Frame();
    // Writes the value again, as after a change of the settings.
    void Redraw();
    void Write(double magnitude, bool negative);
    // Normalise, keeping the caret where it was among the digits.
    void Renormalise();
    // A thousands separator equal to the decimal separator cannot be told
    // from it: the number then goes without one.
    void Settle();
    // The size the limit allows.
    double Largest() const;
    // Normalise `raw`, keeping the text as it was, and refusing, when that
    // would take the number beyond the limit.
    bool NormaliseWithin(const QString& raw);

    Kind kind_;
    Settings own_;
    Settings device_;  // the device's values last seen
    int maxIntegerDigits_ = -1;
    double value_ = 0.0;
    bool negative_ = false;
    bool acceptPeriod_ = true;
    MoneyBounds::Kind limit_ = MoneyBounds::Kind::kAmount;
    QString refusal_;

    QString prefix_;
    QString typed_;
    QString suffix_;
    int caret_ = 0;
    bool overwrite_ = false;
};
