#include "views/backup/backupprogress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "backup/backupengine.h"
#include "platform/platform.h"
#include "views/widgets/appfont.h"

CBackupProgress::CBackupProgress(QWidget* parent)
    : QWidget(parent),
      file_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setAccessibleName(QStringLiteral("Progress"));
    setAutoFillBackground(true);
    setFont(AppFont());
    file_->setFont(AppFont());
    file_->setWordWrap(true);
    file_->setAlignment(Qt::AlignCenter);
    file_->setAccessibleName(QStringLiteral("File"));
    bar_->setAccessibleName(QStringLiteral("Progress"));
    bar_->setTextVisible(true);
    bar_->setFormat(QStringLiteral("%v of %m"));
    cancel_->setAccessibleName(cancel_->text());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addStretch(1);
    layout->addWidget(file_);
    layout->addWidget(bar_);
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        cancel_->setEnabled(false);
    });
    hide();
    // Covers the whole sheet, whatever size the sheet takes.
    parent->installEventFilter(this);
}

bool CBackupProgress::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

int CBackupProgress::Run(BackupEngine& engine, const QString& verb,
                         const std::function<int()>& work) {
    engine.SetProgress(
        [this](int done, int total, const QString& name) { return Step(done, total, name); });
    // The outcome's message comes over the page, not over a progress whose
    // Cancel would still look live.
    engine.SetFinished([this] { End(); });
    Begin(verb);
    int result = 0;
    {
        WaitCursor wait(Platform::Get().GetPrompts());
        result = work();
    }
    End();
    engine.SetProgress(nullptr);
    engine.SetFinished(nullptr);
    return result;
}

void CBackupProgress::Begin(const QString& verb) {
    verb_ = verb;
    cancelled_ = false;
    cancel_->setEnabled(true);
}

bool CBackupProgress::Step(int done, int total, const QString& name) {
    if (total <= kFewFiles) {
        return true;
    }
    if (isHidden()) {
        setGeometry(parentWidget()->rect());
        raise();
        show();
        cancel_->setFocus();
    }
    bar_->setRange(0, total);
    bar_->setValue(done);
    file_->setText(QStringLiteral("%1 %2").arg(verb_, name));
    emit stepped(done);
    // The work runs on the screen's own thread: between files the screen is
    // drawn and a tap on "Cancel" is taken.
    QCoreApplication::processEvents();
    return !cancelled_;
}

void CBackupProgress::End() {
    hide();
}
