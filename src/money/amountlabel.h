#pragma once

#include <QString>

struct CurrencyFmt;

// The text of a read-only amount field: `value` written with `digits`
// decimals (0 to 9), then through the currency formatting of `format` when
// the field has one. Without a format, or when the format cannot be applied,
// the plain number is shown.
QString AmountLabelText(double value, int digits, const CurrencyFmt* format);
