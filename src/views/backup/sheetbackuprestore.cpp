#include "views/backup/sheetbackuprestore.h"

#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "views/backup/backupprogress.h"
#include "views/backup/pagebackup.h"
#include "views/backup/pagerestore.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/sheettabs.h"

CSheetBackupRestore::CSheetBackupRestore(QWidget* parent)
    : FullWindowDialog(QStringLiteral("Backup / Restore"), TitleButton::None, parent),
      tabs_(MakeSheetTabs(QStringLiteral("Backup / Restore"), Body())),
      progress_(new CBackupProgress(this)),
      backup_(new CPageBackup(progress_, tabs_)),
      restore_(new CPageRestore(progress_, tabs_)),
      done_(Commands()->AddButton(QStringLiteral("Done"))) {
    tabs_->addTab(backup_, QStringLiteral("Backup"));
    tabs_->addTab(restore_, QStringLiteral("Restore"));
    auto* layout = new QVBoxLayout(Body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    connect(done_, &QToolButton::clicked, this, &QDialog::accept);
    connect(restore_, &CPageRestore::restored, this, &CSheetBackupRestore::restored);
    SetHelpTopic(QStringLiteral("Backup and Restore"));
}

void CSheetBackupRestore::reject() {
    if (!progress_->isVisible()) {
        FullWindowDialog::reject();
    }
}

void CSheetBackupRestore::ApplyLayout(ScreenLayout layout) {
    backup_->ApplyLayout(layout);
    restore_->ApplyLayout(layout);
}
