#pragma once

#include "views/pads/nxnumericedit.h"

class CCurrencyFormat;

// A money field: a number field with the currency symbol placed by the
// currency's positive and negative patterns, "$1.1" and "($1.1)" until told.
class CNxCurrencyEdit : public CNxNumericEdit {
    Q_OBJECT

public:
    explicit CNxCurrencyEdit(QWidget* parent = nullptr);

    void SetSymbol(const QString& symbol);
    // The patterns of that number in the currency tables; false for others.
    bool SetNegativeOrder(int order);
    bool SetPositiveOrder(int order);
    // Everything but the separators from `format`; the separators are the
    // device's, else the format's.
    void SetFormat(const CCurrencyFormat& format);
};
