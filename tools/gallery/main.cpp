// Renders every screen of the program in the portrait (240 x 320), landscape
// (320 x 240) and square (240 x 240) forms, with fixed sample data, to
// OUTPUT/NAME-FORM.png, for a look at what the user sees.
//   outlaysheet-gallery OUTPUT
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <cstdio>
#include <memory>

#include "galleryscreens.h"
#include "platform/directories.h"
#include "scratchplatform.h"
#include "views/frame/mainframe.h"
#include "views/widgets/guiprompts.h"

namespace {

// The window as drawn, with the pop-up open over it framed in grey.
QPixmap Picture(QWidget* window, QWidget* popUp) {
    QPixmap picture = window->grab();
    if (popUp != nullptr) {
        const QPixmap shown = popUp->grab();
        const QPoint corner = popUp->geometry().topLeft() - window->geometry().topLeft();
        QPainter painter(&picture);
        painter.drawPixmap(corner, shown);
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(corner, shown.size()).adjusted(0, 0, -1, -1));
    }
    return picture;
}

bool Save(const QPixmap& picture, const QString& folder, const QString& name,
          const GalleryForm& form) {
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name, QLatin1String(form.name)));
    if (!picture.save(path)) {
        std::fprintf(stderr, "outlaysheet-gallery: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: outlaysheet-gallery OUTPUT-FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    ScratchPlatform platform(std::make_unique<GuiPrompts>());
    // Outside the scratch folder, whose random name would change the
    // pictures on every run.
    GalleryScreens gallery(QDir::temp().filePath(QStringLiteral("Trips.xbf")));
    bool ok = true;
    for (const GalleryForm& form : kGalleryForms) {
        gallery.SetForm(form);
        for (const GalleryScreens::Screen& screen : gallery.Screens()) {
            screen.show([&](QWidget* window, QWidget* popUp) {
                ok = Save(Picture(window, popUp), folder, screen.name, form) && ok;
            });
        }
    }
    return ok ? 0 : 1;
}
