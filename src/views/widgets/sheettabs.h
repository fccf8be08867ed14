#pragma once

#include <QString>

class QTabWidget;
class QWidget;

// The tabs of a property sheet named `name`, at the foot as the handheld's
// sheets keep them, near the command bar.
QTabWidget* MakeSheetTabs(const QString& name, QWidget* parent);
