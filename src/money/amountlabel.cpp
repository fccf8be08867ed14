#include "money/amountlabel.h"

#include <algorithm>

#include "platform/numberformat.h"

QString AmountLabelText(double value, int digits, const CurrencyFmt* format) {
    // The fixed-point text is rounded at the field's own digits before the
    // format rounds it at its digits, as the field has always shown it.
    const QString text = QString::asprintf("%.*f", std::clamp(digits, 0, 9), value);
    if (format) {
        if (auto formatted = FormatCurrencyText(text, *format)) {
            return *formatted;
        }
    }
    return text.trimmed();
}
