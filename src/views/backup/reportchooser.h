#pragma once

#include "backup/backupfileentry.h"
#include "views/widgets/fullwindowdialog.h"

class QTreeWidget;
class QToolButton;

// Picks single reports for a backup ("Select Reports to Backup...") or a
// restore ("Select Reports to Restore..."): one ticked row per report. On
// "Save" State() tells whether all, none or some were chosen, and Chosen()
// holds the chosen ones in row order.
class CReportChooser : public FullWindowDialog {
    Q_OBJECT

public:
    enum class Source { Reports, Archive };

    // `state` and `chosen` are the report box's: all rows start ticked when
    // it is ticked, the rows found in `chosen` in the third state, none
    // otherwise.
    CReportChooser(Source source, const BackupFileList& offered, Qt::CheckState state,
                   const BackupFileList& chosen, QWidget* parent);

    QTreeWidget* List() const { return list_; }
    QToolButton* SaveButton() const { return save_; }
    QToolButton* CancelButton() const { return cancel_; }

    Qt::CheckState State() const { return state_; }
    const BackupFileList& Chosen() const { return chosen_; }

private:
    void Save();

    BackupFileList offered_;
    QTreeWidget* list_;
    QToolButton* save_;
    QToolButton* cancel_;
    Qt::CheckState state_ = Qt::Unchecked;
    BackupFileList chosen_;
};
