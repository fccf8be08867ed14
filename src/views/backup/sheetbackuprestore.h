#pragma once

#include "views/widgets/fullwindowdialog.h"

class CBackupProgress;
class CPageBackup;
class CPageRestore;
class QTabWidget;
class QToolButton;

// "Backup / Restore": the backup page and the restore page, closed with
// "Done".
class CSheetBackupRestore : public FullWindowDialog {
    Q_OBJECT

public:
    explicit CSheetBackupRestore(QWidget* parent);

    QTabWidget* Tabs() const { return tabs_; }
    CPageBackup* BackupPage() const { return backup_; }
    CPageRestore* RestorePage() const { return restore_; }
    CBackupProgress* Progress() const { return progress_; }
    QToolButton* DoneButton() const { return done_; }

    // Escape closes the sheet, but not in the middle of a backup or restore.
    void reject() override;

signals:
    // After a restore: the open report and the lists must be read again.
    void restored();

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    QTabWidget* tabs_;
    CBackupProgress* progress_;
    CPageBackup* backup_;
    CPageRestore* restore_;
    QToolButton* done_;
};
