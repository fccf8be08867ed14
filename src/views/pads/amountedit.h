#pragma once

#include <QLineEdit>

#include "money/amount.h"
#include "money/currencyformat.h"
#include "money/moneybounds.h"

// An amount field as typed: a leading minus sign, digits and the device's
// decimal separator, with no symbol and no grouping, shown and read in a
// currency's format. Up and Down add and take away one. Rate fields show up
// to nine decimals (precise). A digit that would take the value beyond the
// bounds of what the field holds is refused with a message naming them.
class CAmountEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CAmountEdit(QWidget* parent = nullptr);

    void SetValue(double value);
    double GetValue() const;
    void SetAmount(const Amount& amount) { SetValue(amount.GetValue()); }
    Amount GetAmount() const { return Amount(GetValue()); }

    // The text follows the new format.
    void SetFormat(const CCurrencyFormat& format);
    const CCurrencyFormat& GetFormat() const { return format_; }
    void SetPrecise(bool precise);
    bool IsPrecise() const { return precise_; }
    void SetLimit(MoneyBounds::Kind limit) { limit_ = limit; }
    MoneyBounds::Kind GetLimit() const { return limit_; }
    QString GetDecimalSeparator() const { return decimalSeparator_; }

    // `c` as typed on a keyboard or a pad (backspace as character 8);
    // false when refused.
    bool TypeCharacter(QChar c);
    // Empties the text, as the number pad's "C" does.
    void ClearTyped();

signals:
    // The value changed by typing.
    void amountEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    int TypedDigits() const;

    CCurrencyFormat format_;
    QString decimalSeparator_;
    bool precise_ = false;
    MoneyBounds::Kind limit_ = MoneyBounds::Kind::kAmount;
};
