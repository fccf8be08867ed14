#pragma once

#include <QColor>
#include <QFont>

// The one font of the program's bars, lists and buttons: "Arial" (Liberation
// Sans, which has the same metrics) at 13 pixels scaled by the screen's dpi,
// weight 500.
QFont AppFont();
// `font` at `pixels` designed at 96 dpi, scaled for the screen.
QFont ScaledFont(QFont font, int pixels);

// The program's colours.
inline const QColor kLightYellow(255, 255, 195);  // views, buttons and cells
inline const QColor kAlertRed(255, 0, 0);         // negative totals, active selections
