#pragma once

#include <QString>
#include <QtGlobal>

// One group of the subtotals: its key text, the sum of its expenses in the
// home currency, its colour (red in the low byte, then green, then blue) and
// whether it is drawn and counted in the total.
struct GraphItem {
    QString label;
    double value = 0;
    quint32 colour = 0xFFFFFF;
    bool shown = true;
};
