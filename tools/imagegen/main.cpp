// outlaysheet-imagegen: draws the program's pictures from the scripts in
// data/images and writes them as 24-bit BMP files.
//
//   outlaysheet-imagegen --fonts DIR --folders DIR --builtin DIR SCRIPT...
//
// Every picture goes to the built-in folder (the program's resources hold
// them all, so that a picture missing from the user's folders can still be
// shown); a picture of an image folder also goes to FOLDERS/<place>/. The
// built-in folder gets "manifest.txt", one line per picture: NAME WxH PLACE
// MATTE, and "twin" after a down twin; the contact sheet reads it.
//
//   outlaysheet-imagegen --fonts DIR --icons DIR --icon-name NAME --sizes N,N... SCRIPT
//
// draws the first picture of SCRIPT, the program's icon, as transparent PNG
// files DIR/NxN/apps/NAME.png, the folders of an icon theme.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "common/offscreengui.h"

#include "keyedbitmap.h"
#include "picturepainter.h"
#include "picturescript.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "outlaysheet-imagegen: %s\n", qPrintable(message));
    return 1;
}

// Glyphs come from the Liberation fonts only, never from whatever fontconfig
// would substitute, so the pictures look the same on every build machine.
bool LoadFonts(const QString& folder, QString& error) {
    for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                             "LiberationSerif-Bold.ttf", "LiberationMono-Bold.ttf"}) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file));
        if (QFontDatabase::addApplicationFont(path) < 0) {
            error = QStringLiteral("cannot load the font %1").arg(path);
            return false;
        }
    }
    return true;
}

bool SaveImage(const QImage& image, const QString& path, const char* format, QString& error) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, format) || !file.commit()) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

bool Save(const QImage& image, const QString& folder, const QString& name, QString& error) {
    return SaveImage(image, QDir(folder).filePath(name), "BMP", error);
}

int WriteIcons(const PictureScript& script, const QString& folder, const QString& name,
               const QString& sizes) {
    if (script.Pictures().isEmpty()) {
        return Fail(QStringLiteral("the icon script draws no picture"));
    }
    const PictureDefinition& icon = script.Pictures().first();
    const PicturePainter painter(script);
    QString error;
    for (const QString& text : sizes.split(QLatin1Char(','))) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            return Fail(QStringLiteral("bad icon size %1").arg(text));
        }
        try {
            const QImage image = painter.Paint(icon, false, qreal(size) / icon.size.width());
            const QString path =
                QStringLiteral("%1/%2x%2/apps/%3.png").arg(folder).arg(size).arg(name);
            if (!SaveImage(image, path, "PNG", error)) {
                return Fail(error);
            }
        } catch (const ScriptError& failure) {
            return Fail(QString::fromStdString(failure.what()));
        }
    }
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QTemporaryDir> runtime = PrepareOffscreenGui();
    QGuiApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString fonts;
    QString folders;
    QString builtin;
    QString icons;
    QString iconName;
    QString sizes;
    QStringList scripts;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--fonts") && hasValue) {
            fonts = arguments[++i];
        } else if (argument == QLatin1String("--folders") && hasValue) {
            folders = arguments[++i];
        } else if (argument == QLatin1String("--builtin") && hasValue) {
            builtin = arguments[++i];
        } else if (argument == QLatin1String("--icons") && hasValue) {
            icons = arguments[++i];
        } else if (argument == QLatin1String("--icon-name") && hasValue) {
            iconName = arguments[++i];
        } else if (argument == QLatin1String("--sizes") && hasValue) {
            sizes = arguments[++i];
        } else {
            scripts.append(argument);
        }
    }
    const bool iconMode = !icons.isEmpty() && !iconName.isEmpty() && !sizes.isEmpty();
    if (fonts.isEmpty() || scripts.isEmpty() ||
        (!iconMode && (folders.isEmpty() || builtin.isEmpty()))) {
        return Fail(QStringLiteral(
            "usage: outlaysheet-imagegen --fonts DIR --folders DIR --builtin DIR SCRIPT...\n"
            "       outlaysheet-imagegen --fonts DIR --icons DIR --icon-name NAME "
            "--sizes N,N... SCRIPT"));
    }
    QString error;
    if (!LoadFonts(fonts, error)) {
        return Fail(error);
    }
    PictureScript script;
    for (const QString& path : scripts) {
        if (!script.Read(path)) {
            return Fail(script.Error());
        }
    }
    if (iconMode) {
        return WriteIcons(script, icons, iconName, sizes);
    }
    const PicturePainter painter(script);
    QString manifest;
    QTextStream lines(&manifest);
    try {
        for (const PictureDefinition& picture : script.Pictures()) {
            const QColor matte = painter.Colour(picture.matte, picture.header.where);
            const QImage image =
                FlattenToKeyedBitmap(painter.Paint(picture, false), matte, picture.opaque);
            if (!Save(image, builtin, picture.name, error) ||
                (picture.place != QLatin1String("builtin") &&
                 !Save(image, QDir(folders).filePath(picture.place), picture.name, error))) {
                return Fail(error);
            }
            const QString size =
                QStringLiteral("%1x%2").arg(picture.size.width()).arg(picture.size.height());
            lines << picture.name << ' ' << size << ' ' << picture.place << ' ' << matte.name()
                  << '\n';
            if (!picture.twin.isEmpty()) {
                const QImage twin =
                    FlattenToKeyedBitmap(painter.Paint(picture, true), matte, picture.opaque);
                if (!Save(twin, builtin, picture.twin, error)) {
                    return Fail(error);
                }
                lines << picture.twin << ' ' << size << " builtin " << matte.name() << " twin\n";
            }
        }
    } catch (const ScriptError& failure) {
        return Fail(QString::fromStdString(failure.what()));
    }
    lines.flush();
    QSaveFile file(QDir(builtin).filePath(QStringLiteral("manifest.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(manifest.toUtf8()) < 0 || !file.commit()) {
        return Fail(QStringLiteral("cannot write the manifest"));
    }
    return EXIT_SUCCESS;
}
