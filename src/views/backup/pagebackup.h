#pragma once

#include <QWidget>

#include "platform/screen.h"

class CBackupContents;
class CBackupProgress;
class CPathField;
class QLabel;
class QPushButton;

// "Backup": what to save and where. A path chosen in the file dialog was
// already confirmed there, so the first backup to it does not ask again;
// every later one does.
class CPageBackup : public QWidget {
    Q_OBJECT

public:
    CPageBackup(CBackupProgress* progress, QWidget* parent);

    CBackupContents* Contents() const { return contents_; }
    CPathField* PathField() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* BackupButton() const { return backup_; }

    void ApplyLayout(ScreenLayout layout);

private:
    void Browse();
    void ChooseReports();
    void RunBackup();
    void UpdateButtons();

    CBackupProgress* progress_;  // not owned
    CBackupContents* contents_;
    QLabel* pathLabel_;
    CPathField* path_;
    QPushButton* browse_;
    QPushButton* backup_;
    bool confirmed_ = false;
};
