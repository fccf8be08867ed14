#include "views/backup/pagerestore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "backup/backupengine.h"
#include "platform/platform.h"
#include "views/backup/backupcontents.h"
#include "views/backup/backupprogress.h"
#include "views/backup/choosearchive.h"
#include "views/widgets/appfont.h"
#include "views/widgets/pathfield.h"

CPageRestore::CPageRestore(CBackupProgress* progress, QWidget* parent)
    : QWidget(parent),
      progress_(progress),
      contents_(new CBackupContents(QStringLiteral("Information to restore"), true, this)),
      replace_(
          CBackupContents::MakeBox(QStringLiteral("Re&place file if it already exists"), this)),
      ask_(CBackupContents::MakeBox(QStringLiteral("&Ask before replacing files"), this)),
      pathLabel_(new QLabel(QStringLiteral("Restore Backup From:"), this)),
      path_(new CPathField(this)),
      browse_(new QPushButton(QStringLiteral("..."), this)),
      restore_(new QPushButton(QStringLiteral("Restore"), this)) {
    setAccessibleName(QStringLiteral("Restore"));
    setFont(AppFont());
    path_->setAccessibleName(QStringLiteral("Restore Backup From"));
    browse_->setAccessibleName(QStringLiteral("Choose Backup File"));
    browse_->setFixedSize(24, 20);
    restore_->setAccessibleName(restore_->text());
    connect(replace_, &QCheckBox::toggled, this, [this](bool replace) {
        ask_->setChecked(replace);
        ask_->setEnabled(replace);
    });
    replace_->setChecked(true);
    connect(path_, &CPathField::PathChanged, this, &CPageRestore::UpdateButtons);
    connect(browse_, &QPushButton::clicked, this, &CPageRestore::Browse);
    connect(contents_->ChooseButton(), &QPushButton::clicked, this, &CPageRestore::ChooseReports);
    connect(restore_, &QPushButton::clicked, this, &CPageRestore::RunRestore);
    UpdateButtons();
}

void CPageRestore::UpdateButtons() {
    const QString path = path_->Path();
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    restore_->setEnabled(exists);
    contents_->ChooseButton()->setEnabled(exists);
}

void CPageRestore::showEvent(QShowEvent* event) {
    UpdateButtons();
    QWidget::showEvent(event);
}

void CPageRestore::Browse() {
    QString path = path_->Path();
    if (ChooseArchive(this, true, path)) {
        path_->SetPath(path);
    }
    // The same path again: the file may have come or gone meanwhile.
    UpdateButtons();
}

void CPageRestore::ChooseReports() {
    UpdateButtons();
    if (!contents_->ChooseButton()->isEnabled()) {
        return;
    }
    BackupFileList reports;
    QString error;
    if (!BackupEngine::ListArchiveReports(path_->Path(), reports, &error)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("Errors were encountered while trying to restore your files."));
        return;
    }
    contents_->ChooseReports(reports);
}

void CPageRestore::RunRestore() {
    const BackupFileList reports = contents_->ReportsToWorkOn(
        [this](BackupFileList& list) { BackupEngine::ListArchiveReports(path_->Path(), list); });
    BackupEngine engine;
    engine.SetSelection(contents_->Flags());
    progress_->Run(engine, QStringLiteral("Restoring"), [&] {
        return engine.Restore(path_->Path(), reports, replace_->isChecked(),
                              ask_->isEnabled() && ask_->isChecked());
    });
    // Even a failed or cancelled restore may have replaced files.
    emit restored();
    UpdateButtons();
}

void CPageRestore::ApplyLayout(ScreenLayout layout) {
    const bool portrait = layout == ScreenLayout::Portrait;
    contents_->ApplyLayout(layout);
    delete this->layout();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, portrait ? 4 : 2, 4, portrait ? 4 : 2);
    column->setSpacing(portrait ? 3 : 0);
    column->addWidget(contents_);
    column->addWidget(replace_);
    column->addWidget(ask_);
    CBackupContents::AddPathRows(column, layout, pathLabel_, path_, browse_, restore_);
    column->addStretch(1);
}
