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

#include <QCoreApplication>
#include <QDir>
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

bool Save(const QImage& image, const QString& folder, const QString& name, QString& error) {
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    const QString path = QDir(folder).filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit()) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QTemporaryDir> runtime = PrepareOffscreenGui();
    QGuiApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString fonts;
    QString folders;
    QString builtin;
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
        } else {
            scripts.append(argument);
        }
    }
    if (fonts.isEmpty() || folders.isEmpty() || builtin.isEmpty() || scripts.isEmpty()) {
        return Fail(QStringLiteral(
            "usage: outlaysheet-imagegen --fonts DIR --folders DIR --builtin DIR SCRIPT..."));
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
