#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QFileDialog;

// Keeps the program under test inside its temporary folder: every file the
// desktop would open (QDesktopServices) is only counted, and every file
// dialog is held to folders inside `folder`, so that random taps can
// neither start another program nor write a file anywhere else.
class SandboxGuard : public QObject {
    Q_OBJECT

public:
    explicit SandboxGuard(QString folder);
    ~SandboxGuard() override;

    // Fences the file dialogs that have opened since the last call.
    void FenceFileDialogs();
    int UrlsCaught() const { return urlsCaught_; }

public slots:
    // What QDesktopServices::openUrl calls instead of the desktop.
    void CatchUrl(const QUrl& url);

private:
    void Fence(QFileDialog* dialog);
    bool Inside(const QString& path) const;

    QString folder_;
    int urlsCaught_ = 0;
};
