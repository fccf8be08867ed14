#include "picturepainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRegularExpression>

namespace {

// Drawings may use drawings; a loop in the scripts must not hang the build.
constexpr int kMaxDepth = 8;

[[noreturn]] void Throw(const ScriptLine& line, const QString& message) {
    throw ScriptError(QStringLiteral("%1: %2").arg(line.where, message).toStdString());
}

// The numbers of words[first, first + count); count -1 takes the rest.
QList<qreal> Numbers(const ScriptLine& line, int first, int count) {
    const QStringList& words = line.words;
    if (count < 0) {
        count = int(words.size()) - first;
    }
    if (first + count > words.size() || count < 0) {
        Throw(line, QStringLiteral("%1 needs %2 numbers").arg(words[0]).arg(count));
    }
    QList<qreal> numbers;
    for (int i = first; i < first + count; ++i) {
        bool ok = false;
        numbers.append(words[i].toDouble(&ok));
        if (!ok) {
            Throw(line, QStringLiteral("\"%1\" is not a number").arg(words[i]));
        }
    }
    return numbers;
}

QPolygonF Points(const ScriptLine& line) {
    const QList<qreal> numbers = Numbers(line, 1, -1);
    if (numbers.size() < 4 || numbers.size() % 2) {
        Throw(line, QStringLiteral("%1 needs pairs of numbers").arg(line.words[0]));
    }
    QPolygonF points;
    for (qsizetype i = 0; i < numbers.size(); i += 2) {
        points.append(QPointF(numbers[i], numbers[i + 1]));
    }
    return points;
}

QFont ScriptFont(const ScriptLine& line, const QString& name, qreal size) {
    static const QHash<QString, std::pair<const char*, bool>> kFonts = {
        {QStringLiteral("sans"), {"Liberation Sans", false}},
        {QStringLiteral("sans-bold"), {"Liberation Sans", true}},
        {QStringLiteral("serif-bold"), {"Liberation Serif", true}},
        {QStringLiteral("mono-bold"), {"Liberation Mono", true}},
    };
    const auto found = kFonts.constFind(name);
    if (found == kFonts.constEnd()) {
        Throw(line, QStringLiteral("unknown font %1").arg(name));
    }
    QFont font(QString::fromLatin1(found->first));
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(found->second);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QStringList Substitute(const QStringList& words, const QStringList& arguments) {
    QStringList result = words;
    for (QString& word : result) {
        for (qsizetype i = arguments.size(); i >= 1; --i) {
            word.replace(QLatin1Char('$') + QString::number(i), arguments[i - 1]);
        }
    }
    return result;
}

}  // namespace

PicturePainter::PicturePainter(const PictureScript& script) : script_(script) {}

QImage PicturePainter::Paint(const PictureDefinition& picture, bool pressed, qreal scale) const {
    QImage image((QSizeF(picture.size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::NoBrush);
    if (pressed) {
        painter.translate(1, 1);
    }
    Run(painter, picture.body, {}, 0);
    painter.end();
    if (pressed) {
        // Premultiplied, so scaling the colour channels darkens without
        // touching the coverage of soft edges.
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = row[x];
                row[x] = qRgba(qRed(p) * 4 / 5, qGreen(p) * 4 / 5, qBlue(p) * 4 / 5, qAlpha(p));
            }
        }
    }
    return image;
}

QColor PicturePainter::Colour(const QString& word, const QString& where) const {
    const QString text = script_.ResolveColour(word);
    static const QRegularExpression pattern(QStringLiteral("^#[0-9a-fA-F]{6}([0-9a-fA-F]{2})?$"));
    if (!pattern.match(text).hasMatch()) {
        throw ScriptError(
            QStringLiteral("%1: \"%2\" is not a colour").arg(where, word).toStdString());
    }
    QColor colour(text.left(7));
    if (text.size() == 9) {
        colour.setAlpha(text.mid(7).toInt(nullptr, 16));
    }
    return colour;
}

void PicturePainter::Run(QPainter& painter, const QList<ScriptLine>& lines,
                         const QStringList& arguments, int depth) const {
    for (const ScriptLine& line : lines) {
        RunLine(painter, {Substitute(line.words, arguments), line.where}, depth);
    }
}

void PicturePainter::RunLine(QPainter& painter, const ScriptLine& line, int depth) const {
    const QString& command = line.words[0];
    const qsizetype count = line.words.size();
    const auto word = [&](int i) {
        if (i >= count) {
            Throw(line, QStringLiteral("%1 needs more arguments").arg(command));
        }
        return line.words[i];
    };
    if (command == QLatin1String("pen")) {
        if (word(1) == QLatin1String("none")) {
            painter.setPen(Qt::NoPen);
            return;
        }
        const qreal width = count > 2 ? Numbers(line, 2, 1)[0] : 1.0;
        painter.setPen(
            QPen(Colour(word(1), line.where), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else if (command == QLatin1String("brush")) {
        painter.setBrush(word(1) == QLatin1String("none") ? QBrush(Qt::NoBrush)
                                                          : QBrush(Colour(word(1), line.where)));
    } else if (command == QLatin1String("gradient")) {
        const QList<qreal> n = Numbers(line, 1, 4);
        QLinearGradient gradient(n[0], n[1], n[2], n[3]);
        const qsizetype stops = count - 5;
        if (stops < 2) {
            Throw(line, QStringLiteral("gradient needs two colours or more"));
        }
        for (qsizetype i = 0; i < stops; ++i) {
            gradient.setColorAt(qreal(i) / qreal(stops - 1), Colour(word(5 + i), line.where));
        }
        painter.setBrush(gradient);
    } else if (command == QLatin1String("rect")) {
        const QList<qreal> n = Numbers(line, 1, count > 5 ? 5 : 4);
        const QRectF rect(n[0], n[1], n[2], n[3]);
        if (n.size() == 5) {
            painter.drawRoundedRect(rect, n[4], n[4]);
        } else {
            painter.drawRect(rect);
        }
    } else if (command == QLatin1String("circle")) {
        const QList<qreal> n = Numbers(line, 1, 3);
        painter.drawEllipse(QPointF(n[0], n[1]), n[2], n[2]);
    } else if (command == QLatin1String("ellipse")) {
        const QList<qreal> n = Numbers(line, 1, 4);
        painter.drawEllipse(QPointF(n[0], n[1]), n[2], n[3]);
    } else if (command == QLatin1String("line")) {
        const QList<qreal> n = Numbers(line, 1, 4);
        painter.drawLine(QPointF(n[0], n[1]), QPointF(n[2], n[3]));
    } else if (command == QLatin1String("polyline")) {
        painter.drawPolyline(Points(line));
    } else if (command == QLatin1String("polygon")) {
        painter.drawPolygon(Points(line));
    } else if (command == QLatin1String("path")) {
        painter.drawPath(ParsePath(line));
    } else if (command == QLatin1String("arc") || command == QLatin1String("pie")) {
        const QList<qreal> n = Numbers(line, 1, 6);
        const QRectF box(n[0] - n[2], n[1] - n[3], 2 * n[2], 2 * n[3]);
        const int start = qRound(n[4] * 16);
        const int span = qRound(n[5] * 16);
        if (command == QLatin1String("arc")) {
            painter.drawArc(box, start, span);
        } else {
            painter.drawPie(box, start, span);
        }
    } else if (command == QLatin1String("text")) {
        const QList<qreal> n = Numbers(line, 1, 3);
        QPainterPath glyphs;
        glyphs.addText(0, 0, ScriptFont(line, word(4), n[2]), word(5));
        const QRectF box = glyphs.boundingRect();
        painter.drawPath(glyphs.translated(QPointF(n[0], n[1]) - box.center()));
    } else if (command == QLatin1String("fill")) {
        painter.save();
        painter.resetTransform();
        painter.fillRect(QRect(0, 0, painter.device()->width(), painter.device()->height()),
                         Colour(word(1), line.where));
        painter.restore();
    } else if (command == QLatin1String("save")) {
        painter.save();
    } else if (command == QLatin1String("restore")) {
        painter.restore();
    } else if (command == QLatin1String("translate")) {
        const QList<qreal> n = Numbers(line, 1, 2);
        painter.translate(n[0], n[1]);
    } else if (command == QLatin1String("rotate")) {
        painter.rotate(Numbers(line, 1, 1)[0]);
    } else if (command == QLatin1String("scale")) {
        const QList<qreal> n = Numbers(line, 1, count > 2 ? 2 : 1);
        painter.scale(n[0], n.size() > 1 ? n[1] : n[0]);
    } else if (command == QLatin1String("use")) {
        const QList<ScriptLine>* drawing = script_.Drawing(word(1));
        if (!drawing) {
            Throw(line, QStringLiteral("no drawing named %1").arg(word(1)));
        }
        if (depth >= kMaxDepth) {
            Throw(line, QStringLiteral("drawings nested too deeply"));
        }
        painter.save();
        Run(painter, *drawing, line.words.mid(2), depth + 1);
        painter.restore();
    } else {
        Throw(line, QStringLiteral("unknown command %1").arg(command));
    }
}

QPainterPath PicturePainter::ParsePath(const ScriptLine& line) const {
    QPainterPath path;
    const QStringList& words = line.words;
    QChar command;
    qsizetype i = 1;
    const auto take = [&](int n) {
        const QList<qreal> numbers = Numbers(line, int(i), n);
        i += n;
        return numbers;
    };
    while (i < words.size()) {
        if (words[i].size() == 1 && words[i][0].isLetter()) {
            command = words[i][0];
            ++i;
        } else if (command.isNull()) {
            Throw(line, QStringLiteral("a path starts with a command letter"));
        }
        const bool relative = command.isLower();
        const QPointF origin = relative ? path.currentPosition() : QPointF();
        switch (command.toUpper().unicode()) {
            case 'M': {
                const QList<qreal> n = take(2);
                path.moveTo(origin + QPointF(n[0], n[1]));
                // Further pairs after a move are lines, as in SVG.
                command = relative ? QLatin1Char('l') : QLatin1Char('L');
                break;
            }
            case 'L': {
                const QList<qreal> n = take(2);
                path.lineTo(origin + QPointF(n[0], n[1]));
                break;
            }
            case 'H': {
                const qreal x = take(1)[0];
                path.lineTo(relative ? path.currentPosition().x() + x : x,
                            path.currentPosition().y());
                break;
            }
            case 'V': {
                const qreal y = take(1)[0];
                path.lineTo(path.currentPosition().x(),
                            relative ? path.currentPosition().y() + y : y);
                break;
            }
            case 'C': {
                const QList<qreal> n = take(6);
                path.cubicTo(origin + QPointF(n[0], n[1]), origin + QPointF(n[2], n[3]),
                             origin + QPointF(n[4], n[5]));
                break;
            }
            case 'Q': {
                const QList<qreal> n = take(4);
                path.quadTo(origin + QPointF(n[0], n[1]), origin + QPointF(n[2], n[3]));
                break;
            }
            case 'Z':
                path.closeSubpath();
                command = QChar();
                break;
            default:
                Throw(line, QStringLiteral("unknown path command %1").arg(command));
        }
    }
    return path;
}
