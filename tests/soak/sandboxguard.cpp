#include "sandboxguard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>

namespace {

constexpr const char* kSchemes[] = {"file", "http", "https", "mailto", "ftp"};
constexpr char kFenced[] = "soakFenced";

}  // namespace

SandboxGuard::SandboxGuard(QString folder) : folder_(QDir::cleanPath(std::move(folder))) {
    for (const char* scheme : kSchemes) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "CatchUrl");
    }
}

SandboxGuard::~SandboxGuard() {
    for (const char* scheme : kSchemes) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void SandboxGuard::CatchUrl(const QUrl&) {
    ++urlsCaught_;
}

void SandboxGuard::FenceFileDialogs() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget);
            dialog != nullptr && !dialog->property(kFenced).toBool()) {
            Fence(dialog);
        }
    }
}

void SandboxGuard::Fence(QFileDialog* dialog) {
    dialog->setProperty(kFenced, true);
    dialog->setSidebarUrls({QUrl::fromLocalFile(folder_)});
    // Every way out (the parent button, the folder list, a typed name,
    // the history) enters a folder first, and is turned back at once.
    connect(dialog, &QFileDialog::directoryEntered, dialog, [this, dialog](const QString& path) {
        if (!Inside(path)) {
            dialog->setDirectory(folder_);
        }
    });
    if (!Inside(dialog->directory().absolutePath())) {
        dialog->setDirectory(folder_);
    }
}

bool SandboxGuard::Inside(const QString& path) const {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    return clean == folder_ || clean.startsWith(folder_ + QLatin1Char('/'));
}
