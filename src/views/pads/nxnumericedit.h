#pragma once

#include "money/amount.h"
#include "money/moneybounds.h"
#include "money/numericeditrules.h"
#include "views/pads/nxedit.h"

class LocaleInfo;

// A number field: the number stays in shape while it is typed (separators,
// grouping, decimals, sign), as NumericEditRules keeps it. A character that
// would take the number beyond its bounds is refused with a message saying
// what they are.
class CNxNumericEdit : public CNxEdit {
    Q_OBJECT

public:
    explicit CNxNumericEdit(QWidget* parent = nullptr);

    void SetValue(double value);
    double GetValue() const { return rules_.GetValue(); }
    void SetAmount(const Amount& amount) { SetValue(amount.GetValue()); }
    Amount GetAmount() const { return Amount(rules_.GetValue()); }

    // The kind of value held (an amount unless told otherwise).
    void SetLimit(MoneyBounds::Kind limit);
    void SetDigits(int digits);
    void SetGrouping(int grouping);
    bool SetDecimalSeparator(QChar separator);
    bool SetThousandSeparator(QChar separator);
    void SetLeadingZero(int leadingZero);
    bool SetMaxIntegerDigits(int maxIntegerDigits);
    bool SetNegativePattern(const QString& pattern);
    bool SetPositivePattern(const QString& pattern);
    void SetNegative(bool negative);
    void SetAcceptPeriod(bool accept);
    void RefreshFromDevice(const LocaleInfo& device);

    const NumericEditRules& Rules() const { return rules_; }

signals:
    void valueChanged(double value);

protected:
    explicit CNxNumericEdit(NumericEditRules::Kind kind, QWidget* parent);

    bool TypeCharacter(QChar c, int caret) override;
    bool DeleteRight(int caret) override;
    bool DeleteLeft(int caret) override;
    bool SetTypedText(const QString& text) override;
    void Refused() override;

    // Shows the rules' text and caret, after a change of a setting.
    void Show();
    NumericEditRules& MutableRules() { return rules_; }

private:
    NumericEditRules rules_;
};
