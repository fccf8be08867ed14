#include "views/pads/nxcurrencyedit.h"

CNxCurrencyEdit::CNxCurrencyEdit(QWidget* parent)
    : CNxNumericEdit(NumericEditRules::Kind::kCurrency, parent) {}

void CNxCurrencyEdit::SetSymbol(const QString& symbol) {
    MutableRules().SetSymbol(symbol);
    Show();
}

bool CNxCurrencyEdit::SetNegativeOrder(int order) {
    const bool set = MutableRules().SetNegativeOrder(order);
    Show();
    return set;
}

bool CNxCurrencyEdit::SetPositiveOrder(int order) {
    const bool set = MutableRules().SetPositiveOrder(order);
    Show();
    return set;
}

void CNxCurrencyEdit::SetFormat(const CCurrencyFormat& format) {
    MutableRules().SetFormat(format);
    Show();
}
