#include "views/backup/pagerestore.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "backup/backupengine.h"
#include "platform/platform.h"
#include "views/backup/backupcontents.h"
#include "views/backup/backupprogress.h"
#include "views/backup/choosearchive.h"
#include "views/widgets/appfont.h"

CPageRestore::CPageRestore(CBackupProgress* progress, QWidget* parent)
    : QWidget(parent),
      progress_(progress),
      contents_(new CBackupContents(QStringLiteral("Information to restore"), true, this)),
      replace_(
          CBackupContents::MakeBox(QStringLiteral("Re&place file if it already exists"), this)),
      ask_(CBackupContents::MakeBox(QStringLiteral("&Ask before replacing files"), this)),
      pathLabel_(new QLabel(QStringLiteral("Restore Backup From:"), this)),
      path_(new QLineEdit(this)),
      browse_(new QPushButton(QStringLiteral("..."), this)),
      restore_(new QPushButton(QStringLiteral("Restore"), this)) {
    setAccessibleName(QStringLiteral("Restore"));
    setFont(AppFont());
    path_->setReadOnly(true);
    path_->setAccessibleName(QStringLiteral("Restore Backup From"));
    browse_->setAccessibleName(QStringLiteral("Choose Backup File"));
    browse_->setFixedSize(24, 20);
    restore_->setAccessibleName(restore_->text());
    contents_->ReportsBox()->setChecked(true);
    contents_->DataFilesBox()->setChecked(true);
    contents_->ImagesBox()->setChecked(true);
    connect(replace_, &QCheckBox::toggled, this, [this](bool replace) {
        ask_->setChecked(replace);
        ask_->setEnabled(replace);
    });
    replace_->setChecked(true);
    connect(path_, &QLineEdit::textChanged, this, &CPageRestore::UpdateButtons);
    connect(browse_, &QPushButton::clicked, this, &CPageRestore::Browse);
    connect(contents_->ChooseButton(), &QPushButton::clicked, this, &CPageRestore::ChooseReports);
    connect(restore_, &QPushButton::clicked, this, &CPageRestore::RunRestore);
    UpdateButtons();
}

void CPageRestore::UpdateButtons() {
    const QString path = path_->text();
    const bool exists = !path.isEmpty() && QFileInfo(path).isFile();
    restore_->setEnabled(exists);
    contents_->ChooseButton()->setEnabled(exists);
}

void CPageRestore::showEvent(QShowEvent* event) {
    UpdateButtons();
    QWidget::showEvent(event);
}

void CPageRestore::Browse() {
    QString path = path_->text();
    if (ChooseArchive(this, true, path)) {
        path_->setText(path);
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
    if (!BackupEngine::ListArchiveReports(path_->text(), reports, &error)) {
        Platform::Get().GetPrompts().Warning(
            QStringLiteral("Errors were encountered while trying to restore your files."));
        return;
    }
    contents_->ChooseReports(reports);
}

void CPageRestore::RunRestore() {
    BackupFileList reports;
    if (contents_->ReportsBox()->checkState() == Qt::Checked) {
        BackupEngine::ListArchiveReports(path_->text(), reports);
    } else if (contents_->ReportsBox()->checkState() == Qt::PartiallyChecked) {
        reports = contents_->Reports();
    }
    BackupEngine engine;
    engine.SetSelection(contents_->Flags());
    progress_->Run(engine, QStringLiteral("Restoring"), [&] {
        return engine.Restore(path_->text(), reports, replace_->isChecked(),
                              ask_->isEnabled() && ask_->isChecked());
    });
    // Even a failed or cancelled restore may have replaced files.
    emit restored();
    UpdateButtons();
}

void CPageRestore::ApplyLayout(ScreenLayout layout) {
    contents_->ApplyLayout(layout != ScreenLayout::Portrait);
    delete this->layout();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    if (layout == ScreenLayout::Landscape) {
        // Wide and low: what to restore on the left, from where on the right.
        grid->setVerticalSpacing(2);
        grid->addWidget(contents_, 0, 0, 3, 1);
        grid->addWidget(pathLabel_, 0, 1, 1, 2);
        grid->addWidget(path_, 1, 1);
        grid->addWidget(browse_, 1, 2);
        grid->addWidget(restore_, 2, 1, 1, 2, Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(replace_, 3, 0, 1, 3);
        grid->addWidget(ask_, 4, 0, 1, 3);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(5, 1);
        return;
    }
    grid->setVerticalSpacing(layout == ScreenLayout::Square ? 1 : 3);
    grid->addWidget(contents_, 0, 0, 1, 3);
    grid->addWidget(replace_, 1, 0, 1, 3);
    grid->addWidget(ask_, 2, 0, 1, 3);
    grid->addWidget(pathLabel_, 3, 0, 1, 3);
    grid->addWidget(path_, 4, 0, 1, 2);
    grid->addWidget(browse_, 4, 2);
    grid->addWidget(restore_, 5, 1, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(6, 1);
}
