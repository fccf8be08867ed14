#include "views/frame/systeminfodialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QLocale>
#include <QSaveFile>
#include <QSysInfo>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/installation.h"
#include "platform/platform.h"
#include "views/frame/aboutdialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CSystemInfoDialog::CSystemInfoDialog(QWidget* parent)
    : FullWindowDialog(QStringLiteral("System Info"), TitleButton::Ok, parent),
      lines_(new QListWidget(Body())),
      save_(Commands()->AddButton(QStringLiteral("Save..."))) {
    lines_->setFont(AppFont());
    lines_->setAccessibleName(QStringLiteral("System Info"));
    lines_->addItems(InfoLines());
    // Long paths wrap rather than hide behind a scroll bar.
    lines_->setWordWrap(true);
    lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(lines_);
    Commands()->AddStretch();
    connect(save_, &QToolButton::clicked, this, &CSystemInfoDialog::Save);
}

QStringList CSystemInfoDialog::InfoLines() {
    const QString program = QCoreApplication::applicationFilePath();
    const QFileInfo file(program);
    return {
        QStringLiteral("Device: %1").arg(QSysInfo::machineHostName()),
        QStringLiteral("System: %1").arg(QSysInfo::prettyProductName()),
        QStringLiteral("Kernel: %1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion()),
        QStringLiteral("Processor: %1, %2 cores")
            .arg(QSysInfo::currentCpuArchitecture())
            .arg(QThread::idealThreadCount()),
        QStringLiteral("Platform: %1").arg(GetPlatformEdition()),
        QStringLiteral("Program: %1").arg(program),
        QStringLiteral("Program version: %1").arg(CAboutDialog::VersionText()),
        QStringLiteral("Program size: %1 bytes").arg(file.size()),
        QStringLiteral("Program date: %1").arg(file.lastModified().toString(Qt::ISODate)),
        QStringLiteral("Documents: %1").arg(Platform::Get().GetPaths().documentsRoot),
    };
}

bool CSystemInfoDialog::SaveLines(const QString& path, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    file.write(InfoLines().join(QLatin1Char('\n')).toUtf8() + '\n');
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void CSystemInfoDialog::Save() {
    // Qt's own dialog: the desktop's would not fit a handheld's screen.
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save System Info"),
                                                QString(), QStringLiteral("Text File (*.txt)"),
                                                nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".txt");
    }
    QString error;
    if (!SaveLines(path, error)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("Could not save %1: %2").arg(path, error));
    }
}
