#include "views/backup/pagebackup.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "backup/backupengine.h"
#include "views/backup/backupcontents.h"
#include "views/backup/backupprogress.h"
#include "views/backup/choosearchive.h"
#include "views/widgets/appfont.h"
#include "views/widgets/pathfield.h"

CPageBackup::CPageBackup(CBackupProgress* progress, QWidget* parent)
    : QWidget(parent),
      progress_(progress),
      contents_(new CBackupContents(QStringLiteral("Information to backup"), false, this)),
      pathLabel_(new QLabel(QStringLiteral("Save Backup To:"), this)),
      path_(new CPathField(this)),
      browse_(new QPushButton(QStringLiteral("..."), this)),
      backup_(new QPushButton(QStringLiteral("Backup"), this)) {
    setAccessibleName(QStringLiteral("Backup"));
    setFont(AppFont());
    path_->setAccessibleName(QStringLiteral("Save Backup To"));
    browse_->setAccessibleName(QStringLiteral("Choose Backup File"));
    browse_->setFixedSize(24, 20);
    backup_->setAccessibleName(backup_->text());
    connect(path_, &CPathField::PathChanged, this, &CPageBackup::UpdateButtons);
    connect(browse_, &QPushButton::clicked, this, &CPageBackup::Browse);
    connect(contents_->ChooseButton(), &QPushButton::clicked, this, &CPageBackup::ChooseReports);
    connect(backup_, &QPushButton::clicked, this, &CPageBackup::RunBackup);
    UpdateButtons();
}

void CPageBackup::UpdateButtons() {
    backup_->setEnabled(!path_->Path().isEmpty());
}

void CPageBackup::Browse() {
    QString path = path_->Path();
    if (ChooseArchive(this, false, path)) {
        path_->SetPath(path);
        confirmed_ = true;
    }
}

void CPageBackup::ChooseReports() {
    BackupFileList reports;
    BackupEngine::ListReports(reports);
    contents_->ChooseReports(reports);
}

void CPageBackup::RunBackup() {
    const quint32 flags = contents_->Flags();
    const BackupFileList reports =
        contents_->ReportsToWorkOn([](BackupFileList& list) { BackupEngine::ListReports(list); });
    BackupEngine engine;
    engine.SetSelection(flags);
    const int result = progress_->Run(engine, QStringLiteral("Saving"), [&] {
        return engine.Backup(path_->Path(), reports, !confirmed_);
    });
    if (result == 1) {
        confirmed_ = false;
    }
}

void CPageBackup::ApplyLayout(ScreenLayout layout) {
    const bool portrait = layout == ScreenLayout::Portrait;
    contents_->ApplyLayout(layout);
    delete this->layout();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, portrait ? 4 : 2, 4, portrait ? 4 : 2);
    column->setSpacing(portrait ? 4 : 2);
    column->addWidget(contents_);
    CBackupContents::AddPathRows(column, layout, pathLabel_, path_, browse_, backup_);
    column->addStretch(1);
}
