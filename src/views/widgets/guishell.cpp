#include "views/widgets/guishell.h"

#include <QDesktopServices>
#include <QUrl>

bool GuiShell::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
