#pragma once

#include <QColor>
#include <QImage>

// The colour that list and button pictures treat as "no picture here".
inline constexpr QRgb kTransparentKey = 0xffff00ff;

// Turns a drawing with soft edges into a picture for a program that knows
// only one transparent colour: pixels the drawing barely touches become the
// key colour, every other pixel is blended into `matte`, the background the
// picture will be shown on. Drawn colours that would come out close to the
// key are moved away from it, so that no stray pixel vanishes. An opaque
// picture is blended into the matte everywhere and has no key.
QImage FlattenToKeyedBitmap(const QImage& drawing, QColor matte, bool opaque);
