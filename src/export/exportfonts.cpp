#include "exportfonts.h"

#include <QDir>
#include <QFontDatabase>

namespace {

void RegisterFontsOnce() {
    static const bool registered = [] {
        const QDir folder(QStringLiteral(OUTLAYSHEET_FONT_DIR));
        for (const char* file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"}) {
            QFontDatabase::addApplicationFont(folder.filePath(QString::fromLatin1(file)));
        }
        return true;
    }();
    (void)registered;
}

}  // namespace

QFont ExportFont(double points, bool bold) {
    RegisterFontsOnce();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Hinting would snap the glyphs to one resolution's pixels; the page is
    // measured and drawn at the writer's resolution instead.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
