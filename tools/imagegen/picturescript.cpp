#include "picturescript.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

const QStringList kPlaces = {QStringLiteral("category"), QStringLiteral("class"),
                             QStringLiteral("paidwith"), QStringLiteral("expensetype"),
                             QStringLiteral("other"),    QStringLiteral("builtin")};

// The program looks pictures up by these names on a file system that may not
// care about case, so only one spelling is allowed.
bool IsPictureName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Z0-9_]+\\.BMP$"));
    return pattern.match(name).hasMatch();
}

}  // namespace

QStringList SplitScriptWords(const QString& line) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (const QChar c : line) {
        if (quoted) {
            if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) {
                words.append(word);
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.append(word);
    }
    return words;
}

bool PictureScript::Read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error_ = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return ReadText(QString::fromUtf8(file.readAll()), path);
}

bool PictureScript::ReadText(const QString& text, const QString& fileName) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    QList<ScriptLine>* body = nullptr;  // not owned: the block being read
    ScriptLine opening;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        // "#" starts a comment only at the start of a line: colours use it too.
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
            continue;
        }
        ScriptLine line{SplitScriptWords(trimmed),
                        QStringLiteral("%1:%2").arg(fileName).arg(i + 1)};
        const QString keyword = line.words.first();
        if (body) {
            if (keyword == QLatin1String("end")) {
                body = nullptr;
            } else if (keyword == QLatin1String("image") || keyword == QLatin1String("define")) {
                return Fail(
                    line, QStringLiteral("missing \"end\" of the block at %1").arg(opening.where));
            } else {
                body->append(line);
            }
            continue;
        }
        if (keyword == QLatin1String("colour") && line.words.size() == 3) {
            colours_.insert(line.words[1], line.words[2]);
        } else if (keyword == QLatin1String("define") && line.words.size() == 2) {
            if (drawings_.contains(line.words[1])) {
                return Fail(line, QStringLiteral("drawing %1 defined twice").arg(line.words[1]));
            }
            body = &drawings_[line.words[1]];
        } else if (keyword == QLatin1String("image")) {
            PictureDefinition picture;
            if (!ReadHeader(line, picture)) {
                return false;
            }
            pictures_.append(picture);
            body = &pictures_.last().body;
        } else {
            return Fail(line, QStringLiteral("expected image, define or colour"));
        }
        opening = line;
    }
    if (body) {
        return Fail(opening, QStringLiteral("block without \"end\""));
    }
    return true;
}

bool PictureScript::ReadHeader(const ScriptLine& line, PictureDefinition& picture) {
    const QStringList& words = line.words;
    if (words.size() < 4) {
        return Fail(line, QStringLiteral("expected: image NAME WxH PLACE [options]"));
    }
    picture.header = line;
    picture.name = words[1];
    const QStringList size = words[2].split(QLatin1Char('x'));
    bool wide = false;
    bool high = false;
    if (size.size() == 2) {
        picture.size = QSize(size[0].toInt(&wide), size[1].toInt(&high));
    }
    if (!wide || !high || picture.size.isEmpty()) {
        return Fail(line, QStringLiteral("bad size %1").arg(words[2]));
    }
    picture.place = words[3];
    if (!kPlaces.contains(picture.place)) {
        return Fail(line, QStringLiteral("unknown place %1").arg(picture.place));
    }
    picture.matte = QStringLiteral("itembackground");
    for (qsizetype i = 4; i < words.size(); ++i) {
        if (words[i] == QLatin1String("opaque")) {
            picture.opaque = true;
        } else if (words[i] == QLatin1String("twin") && i + 1 < words.size()) {
            picture.twin = words[++i];
        } else if (words[i] == QLatin1String("matte") && i + 1 < words.size()) {
            picture.matte = words[++i];
        } else {
            return Fail(line, QStringLiteral("unknown option %1").arg(words[i]));
        }
    }
    QSet<QString> known;
    for (const PictureDefinition& other : pictures_) {
        known.insert(other.name);
        known.insert(other.twin);
    }
    for (const QString& name : {picture.name, picture.twin}) {
        if (name.isEmpty()) {
            continue;
        }
        if (!IsPictureName(name)) {
            return Fail(line, QStringLiteral("%1 is not an upper-case .BMP name").arg(name));
        }
        if (known.contains(name)) {
            return Fail(line, QStringLiteral("%1 declared twice").arg(name));
        }
    }
    return true;
}

const QList<ScriptLine>* PictureScript::Drawing(const QString& name) const {
    const auto found = drawings_.constFind(name);
    return found == drawings_.constEnd() ? nullptr : &found.value();
}

QString PictureScript::ResolveColour(const QString& word) const {
    return colours_.value(word, word);
}

bool PictureScript::Fail(const ScriptLine& line, const QString& message) {
    error_ = QStringLiteral("%1: %2").arg(line.where, message);
    return false;
}
