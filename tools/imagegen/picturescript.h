#pragma once

#include <QHash>
#include <QList>
#include <QSize>
#include <QStringList>

// One line of a picture script, cut into words (a quoted text is one word),
// with the place it was written for error messages.
struct ScriptLine {
    QStringList words;
    QString where;  // "file:line"
};

// A picture the scripts ask for:
//   image NAME WxH PLACE [twin NAME] [matte COLOUR] [opaque]
// PLACE is the image folder the picture ships in ("category", "class",
// "paidwith", "expensetype", "other") or "builtin" for one that lives only
// inside the program.
struct PictureDefinition {
    QString name;
    QSize size;
    QString place;
    QString twin;   // the pressed ("down") picture drawn from the same lines
    QString matte;  // the background that soft edges are blended into
    bool opaque = false;
    ScriptLine header;
    QList<ScriptLine> body;
};

// The picture scripts of data/images: pictures, reusable drawings
// ("define NAME ... end") and named colours ("colour NAME #rrggbb").
class PictureScript {
public:
    // Reads one script file and adds what it declares. False, with Error(),
    // on a malformed file or a name declared twice.
    bool Read(const QString& path);
    bool ReadText(const QString& text, const QString& fileName);

    const QList<PictureDefinition>& Pictures() const { return pictures_; }
    // The lines of a drawing, or null when none has that name.
    const QList<ScriptLine>* Drawing(const QString& name) const;
    // The colour text a named colour stands for; the word itself otherwise.
    QString ResolveColour(const QString& word) const;
    QString Error() const { return error_; }

private:
    bool Fail(const ScriptLine& line, const QString& message);
    bool ReadHeader(const ScriptLine& line, PictureDefinition& picture);

    QList<PictureDefinition> pictures_;
    QHash<QString, QList<ScriptLine>> drawings_;
    QHash<QString, QString> colours_;
    QString error_;
};

// Cuts a line into words: blanks separate them, a text in double quotes is
// one word (without its quotes).
QStringList SplitScriptWords(const QString& line);
