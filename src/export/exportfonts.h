#pragma once

#include <QFont>

// The printable report's typeface: Liberation Sans, loaded from the font
// files the build found, so that a report looks the same on every machine
// whatever fontconfig would substitute. Needs a QGuiApplication.
//
// The face at `points` size, bold when asked. When the files cannot be
// loaded the family is still asked for by name, which the installed
// package usually answers.
QFont ExportFont(double points, bool bold = false);
