// outlaysheet-contactsheet: one PNG that shows every generated picture at its
// own size and three times enlarged, on the background it is made for, with
// its file name, so that the whole set can be reviewed at a glance.
//
//   outlaysheet-contactsheet --fonts DIR --builtin DIR --out FILE.png [--only PLACE,...]
//
// --only keeps the sections of the named places, for a closer look at a few.
// The pictures and their order come from the manifest the image generator
// writes into the built-in folder.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/offscreengui.h"

namespace {

constexpr int kSheetWidth = 1220;
constexpr int kPad = 8;
constexpr int kCaption = 16;
constexpr int kHeading = 30;
constexpr int kZoom = 3;

struct Entry {
    QString name;
    QString place;
    QColor matte;
    bool twin = false;
    QImage image;
};

int Fail(const QString& message) {
    std::fprintf(stderr, "outlaysheet-contactsheet: %s\n", qPrintable(message));
    return 1;
}

// Shows the picture the way the program does: the key colour lets the
// background through.
QImage WithKeyTransparent(const QImage& picture) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xffffff) == 0xff00ff) {
                row[x] = 0;
            }
        }
    }
    return image;
}

QSize CellSize(const Entry& entry) {
    const QSize size = entry.image.size();
    return {qMax(172, size.width() * (kZoom + 1) + 3 * kPad),
            size.height() * kZoom + 2 * kPad + kCaption};
}

void DrawCell(QPainter& painter, const Entry& entry, const QPoint& at) {
    const QSize size = entry.image.size();
    const QImage shown = WithKeyTransparent(entry.image);
    const QSize cell = CellSize(entry);
    painter.fillRect(QRect(at, cell - QSize(4, 4)), entry.matte);
    const int top = at.y() + kPad;
    painter.drawImage(QPoint(at.x() + kPad, top), shown);
    painter.drawImage(QRect(QPoint(at.x() + 2 * kPad + size.width(), top), size * kZoom), shown);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    painter.drawText(QRect(at.x() + kPad, top + size.height() * kZoom, cell.width(), kCaption),
                     Qt::AlignLeft | Qt::AlignVCenter, entry.name);
}

QList<Entry> ReadManifest(const QString& folder, QString& error) {
    QFile file(QDir(folder).filePath(QStringLiteral("manifest.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = file.fileName() + QStringLiteral(": ") + file.errorString();
        return {};
    }
    QList<Entry> entries;
    QString place;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '));
        if (words.size() < 4) {
            continue;
        }
        Entry entry{words[0], words[2], QColor(words[3]), words.size() > 4, {}};
        // A twin is shown beside the picture it was drawn from.
        if (entry.twin) {
            entry.place = place;
        }
        place = entry.place;
        entry.image = QImage(QDir(folder).filePath(entry.name));
        if (entry.image.isNull()) {
            error = QStringLiteral("cannot read %1").arg(entry.name);
            return {};
        }
        entries.append(entry);
    }
    return entries;
}

// Lays the cells out in rows under a heading per place; with a painter it
// also draws them. Returns the height used.
int Layout(const QList<Entry>& entries, QPainter* painter) {
    int y = 0;
    int x = kSheetWidth;
    int rowHeight = 0;
    QString place;
    for (const Entry& entry : entries) {
        const QSize cell = CellSize(entry);
        if (entry.place != place) {
            place = entry.place;
            y += rowHeight + (y ? kPad : 0);
            if (painter) {
                QFont font = painter->font();
                font.setBold(true);
                painter->save();
                painter->setFont(font);
                painter->setPen(Qt::black);
                painter->drawText(QRect(kPad, y, kSheetWidth, kHeading), Qt::AlignVCenter,
                                  place == QLatin1String("builtin")
                                      ? QStringLiteral("built into the program")
                                      : QStringLiteral("image folder \"%1\"").arg(place));
                painter->restore();
            }
            y += kHeading;
            x = kPad;
            rowHeight = 0;
        } else if (x + cell.width() > kSheetWidth) {
            y += rowHeight;
            x = kPad;
            rowHeight = 0;
        }
        if (painter) {
            DrawCell(*painter, entry, QPoint(x, y));
        }
        x += cell.width();
        rowHeight = qMax(rowHeight, cell.height());
    }
    return y + rowHeight + kPad;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QTemporaryDir> runtime = PrepareOffscreenGui();
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QString fonts;
    QString builtin;
    QString out;
    QStringList only;
    for (qsizetype i = 0; i + 1 < arguments.size(); i += 2) {
        const QString& value = arguments[i + 1];
        if (arguments[i] == QLatin1String("--fonts")) {
            fonts = value;
        } else if (arguments[i] == QLatin1String("--builtin")) {
            builtin = value;
        } else if (arguments[i] == QLatin1String("--out")) {
            out = value;
        } else if (arguments[i] == QLatin1String("--only")) {
            only = value.split(QLatin1Char(','));
        }
    }
    if (fonts.isEmpty() || builtin.isEmpty() || out.isEmpty()) {
        return Fail(QStringLiteral(
            "usage: outlaysheet-contactsheet --fonts DIR --builtin DIR --out FILE.png"));
    }
    const int font =
        QFontDatabase::addApplicationFont(QDir(fonts).filePath("LiberationSans-Regular.ttf"));
    if (font < 0) {
        return Fail(QStringLiteral("cannot load Liberation Sans from %1").arg(fonts));
    }
    QString error;
    QList<Entry> entries = ReadManifest(builtin, error);
    if (!only.isEmpty()) {
        entries.removeIf([&](const Entry& entry) { return !only.contains(entry.place); });
    }
    // One section per place, in the order the program's screens meet them.
    const QStringList order = {"category", "class", "paidwith", "expensetype", "other", "builtin"};
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return order.indexOf(a.place) < order.indexOf(b.place);
    });
    if (entries.isEmpty()) {
        return Fail(error.isEmpty() ? QStringLiteral("no pictures") : error);
    }
    QImage sheet(kSheetWidth, Layout(entries, nullptr), QImage::Format_RGB32);
    sheet.fill(QColor(0xd8, 0xd8, 0xd8));
    QPainter painter(&sheet);
    QFont caption(QFontDatabase::applicationFontFamilies(font).value(0));
    caption.setPixelSize(11);
    painter.setFont(caption);
    Layout(entries, &painter);
    painter.end();
    if (!sheet.save(out, "PNG")) {
        return Fail(QStringLiteral("cannot write %1").arg(out));
    }
    return EXIT_SUCCESS;
}
