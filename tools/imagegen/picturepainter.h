#pragma once

#include <QColor>
#include <QImage>
#include <stdexcept>

#include "picturescript.h"

class QPainter;
class QPainterPath;

// A script line that cannot be drawn; the text starts with "file:line".
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Draws the pictures of a script with QPainter. Coordinates are pixels of the
// picture; a line is a command followed by its arguments:
//   pen COLOUR [WIDTH] | pen none          brush COLOUR | brush none
//   gradient X1 Y1 X2 Y2 COLOUR COLOUR...  (a linear gradient brush)
//   rect X Y W H [RADIUS]   circle CX CY R   ellipse CX CY RX RY
//   line X1 Y1 X2 Y2   polyline X Y X Y...   polygon X Y X Y...
//   path M X Y L X Y H X V Y C X1 Y1 X2 Y2 X Y Q X1 Y1 X Y Z (lower case: relative)
//   arc CX CY RX RY START SPAN   pie CX CY RX RY START SPAN   (degrees, counter-clockwise)
//   text CX CY SIZE FONT "TEXT"   (the glyphs centred on CX CY; FONT sans, sans-bold,
//                                  serif-bold or mono-bold)
//   fill COLOUR   save   restore   translate DX DY   rotate DEGREES   scale SX [SY]
//   use DRAWING [ARGUMENTS...]     ($1, $2 ... in the drawing take the arguments)
// Colours are #rrggbb, #rrggbbaa or a name declared with "colour".
class PicturePainter {
public:
    explicit PicturePainter(const PictureScript& script);

    // The picture on a transparent image of its size times `scale`.
    // `pressed` draws the down twin: one pixel lower and to the right, a
    // little darker.
    QImage Paint(const PictureDefinition& picture, bool pressed, qreal scale = 1) const;

    // A colour word of the script; throws ScriptError for anything else.
    QColor Colour(const QString& word, const QString& where) const;

private:
    void Run(QPainter& painter, const QList<ScriptLine>& lines, const QStringList& arguments,
             int depth) const;
    void RunLine(QPainter& painter, const ScriptLine& line, int depth) const;
    QPainterPath ParsePath(const ScriptLine& line) const;

    const PictureScript& script_;  // not owned
};
