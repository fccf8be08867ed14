#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "platform/numberformat.h"

class LocaleInfo;

// How one currency's amounts are written: the monetary items of the device's
// regional settings, plus the currency's code and whether the user keeps a
// rate for it. Every setter marks the format modified.
//
// In a data file the format is its ten fields in declaration order: four
// 32-bit numbers (digits, leading zero, negative order, positive order), five
// strings (grouping, decimal separator, thousands separator, symbol, code)
// and the 32-bit in-use flag. Digits beyond 9, a leading zero or in-use flag
// other than 0 or 1, and orders outside the pattern tables are damage.
class CCurrencyFormat : public CExpenseObject {
public:
    // Empty strings and zeros; with `loadFromDevice` the user default
    // locale's monetary settings instead, and not modified.
    explicit CCurrencyFormat(bool loadFromDevice = false);
    // Copies every field and the modified flag; the copy is valid and not
    // loaded, like any new object.
    CCurrencyFormat(const CCurrencyFormat& other);
    CCurrencyFormat& operator=(const CCurrencyFormat& other);

    void Serialize(CExpenseArchive& archive, int context) override;
    void Reset() override;

    // Replaces the fields with the monetary items `locale` supplies (after a
    // reset); modified when it supplied any. The code is left empty.
    void LoadFromLocale(const LocaleInfo& locale);

    // The decimal places; 0 while there is no decimal separator, and never
    // more than MoneyBounds::kMaxDigits.
    int GetDigits() const;
    // Stores max(n, 0). A format without a decimal separator gets one: ","
    // when the thousands separator is ".", "." otherwise.
    void SetDigits(int n);

    int GetLeadingZero() const { return static_cast<int>(leadingZero_); }
    // 0 or 1; anything else is stored as 1.
    void SetLeadingZero(int value);

    // The group size before ";0" in the grouping text ("3;0" and "3;2;0" give
    // 3); 0 when the text holds no ";0".
    int GetGrouping() const;
    // Stores "n;0".
    void SetGrouping(int n);
    // Stores `text`, with ";0" appended unless it already ends in one.
    void SetGroupingText(const QString& text);
    QString GetGroupingText() const { return grouping_; }

    int GetNegativeOrder() const { return static_cast<int>(negativeOrder_); }
    void SetNegativeOrder(int order) { Store(negativeOrder_, static_cast<quint32>(order)); }
    int GetPositiveOrder() const { return static_cast<int>(positiveOrder_); }
    void SetPositiveOrder(int order) { Store(positiveOrder_, static_cast<quint32>(order)); }
    QString GetDecimalSeparator() const { return decimalSeparator_; }
    void SetDecimalSeparator(const QString& separator) { Store(decimalSeparator_, separator); }
    QString GetThousandSeparator() const { return thousandSeparator_; }
    void SetThousandSeparator(const QString& separator) { Store(thousandSeparator_, separator); }
    QString GetSymbol() const { return symbol_; }
    void SetSymbol(const QString& symbol) { Store(symbol_, symbol); }
    QString GetCode() const { return code_; }
    void SetCode(const QString& code) { Store(code_, code); }
    int GetInUse() const { return inUse_; }
    void SetInUse(int inUse) { Store(inUse_, inUse); }

    // The symbol when the pattern for a positive (or negative) amount puts it
    // before (after) the number; empty otherwise and for unknown patterns.
    QString GetSymbolBefore(bool positive) const;
    QString GetSymbolAfter(bool positive) const;

    // The platform's formatting structures for this format.
    CurrencyFmt ToCurrencyFormat() const;
    // The number structure takes its negative pattern from the device's
    // negative-number setting (the user default locale; "-1.1" without a
    // platform), since the sixteen currency patterns do not fit its five.
    NumberFmt ToNumberFormat() const;

private:
    // Where the symbol stands in the pattern for the sign: -1 before the
    // number, 1 after it, 0 for an unknown pattern.
    int SymbolSide(bool positive) const;
    // The items the number and currency structures share.
    template <typename Format>
    Format NumberItems() const;
    template <typename T>
    void Store(T& field, const T& value) {
        field = value;
        SetModified(true);
    }

    quint32 digits_ = 0;
    quint32 leadingZero_ = 0;
    quint32 negativeOrder_ = 0;
    quint32 positiveOrder_ = 0;
    QString grouping_;
    QString decimalSeparator_;
    QString thousandSeparator_;
    QString symbol_;
    QString code_;
    qint32 inUse_ = 0;
};
