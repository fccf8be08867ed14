#pragma once

#include <QWidget>

#include "platform/screen.h"

class CBackupContents;
class CBackupProgress;
class CPathField;
class QCheckBox;
class QLabel;
class QPushButton;

// "Restore": what to bring back from which archive, and whether to replace
// files that exist, asking first or not.
class CPageRestore : public QWidget {
    Q_OBJECT

public:
    CPageRestore(CBackupProgress* progress, QWidget* parent);

    CBackupContents* Contents() const { return contents_; }
    QCheckBox* ReplaceBox() const { return replace_; }
    QCheckBox* AskBox() const { return ask_; }
    CPathField* PathField() const { return path_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* RestoreButton() const { return restore_; }

    void ApplyLayout(ScreenLayout layout);
    // Enables what needs an existing archive.
    void UpdateButtons();

signals:
    // Files may have been replaced: what the program shows must be read again.
    void restored();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Browse();
    void ChooseReports();
    void RunRestore();

    CBackupProgress* progress_;  // not owned
    CBackupContents* contents_;
    QCheckBox* replace_;
    QCheckBox* ask_;
    QLabel* pathLabel_;
    CPathField* path_;
    QPushButton* browse_;
    QPushButton* restore_;
};
