#pragma once

#include <QString>

class CCurrencyFormat;
class CExpenseArchive;

// A money value: one double, with the arithmetic, rounding, formatting and
// reading the program applies to amounts and rates.
class Amount {
public:
    // Flags of FormatCurrency.
    enum FormatFlag {
        kDeviceSeparators = 0x01,  // the device's separators instead of the format's
        kPrecise = 0x04,           // nine decimals, trailing zeros cut down to two
        kNoSymbol = 0x08,          // no currency symbol
        kPlainNumber = 0x10,       // no currency symbol and no thousands separator
        kLeadingMinus = 0x20,      // negative pattern 2, "$-1.1"
    };

    Amount() = default;
    explicit Amount(double value) : value_(value) {}
    // The value Parse reads from `text`.
    Amount(const QString& text, const CCurrencyFormat& format, bool useDeviceSeparators);
    Amount(const Amount&) = default;
    Amount& operator=(const Amount&) = default;
    virtual ~Amount() = default;

    // The value as an 8-byte IEEE 754 double.
    virtual void Serialize(CExpenseArchive& archive);
    // The value written the way `format` says, changed by the FormatFlag
    // bits in `flags`; "0.00" when the format cannot be applied.
    virtual QString FormatCurrency(const CCurrencyFormat& format, int flags) const;
    // Reads a text written in `format` (with the device's separators when
    // `useDeviceSeparators`), in any of its sign patterns. The value becomes
    // 0 and the result false when the text holds no number.
    virtual bool Parse(const QString& text, const CCurrencyFormat& format,
                       bool useDeviceSeparators);

    double GetValue() const { return value_; }
    void SetValue(double value) { value_ = value; }

    void Add(const Amount& other) { value_ += other.value_; }
    void Subtract(const Amount& other) { value_ -= other.value_; }
    void Multiply(const Amount& other) { value_ *= other.value_; }
    // Dividing by zero gives 0.
    void Divide(const Amount& divisor);
    void DivideByInteger(int divisor);

    // Half away from zero at `places` decimals: 2.675 gives 2.68, -0.005 gives
    // -0.01. `places` is held to 0 to MoneyBounds::kMaxDigits; a value too
    // large to have decimals at that precision, or no number at all, stays
    // as it is, so rounding never overflows.
    void Round(int places);
    // Towards zero at `places` decimals: 1.239 gives 1.23. Held as Round.
    void Truncate(int places);

    // The value with six decimals, "12.500000".
    QString ToText() const;

private:
    double value_ = 0.0;
};
