#pragma once

#include <QStringList>

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class QComboBox;
class QRadioButton;

// "Merge Records": copies or moves the visible expenses of the open report
// into another report of the reports folder.
class CMergeRecordsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CMergeRecordsDialog(CExpenseDoc& document, QWidget* parent);

    QRadioButton* CopyButton() const { return copy_; }
    QRadioButton* MoveButton() const { return move_; }
    QComboBox* Targets() const { return targets_; }
    QLabel* NoReports() const { return noReports_; }
    QPushButton* MergeButton() const { return merge_; }
    QPushButton* CancelButton() const { return cancel_; }
    // Whether the last merge moved the expenses.
    bool Moved() const { return moved_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Merge();

    CExpenseDoc& document_;  // not owned
    QStringList targetPaths_;
    QRadioButton* copy_;
    QRadioButton* move_;
    QLabel* fromLabel_;
    QLabel* from_;
    QLabel* toLabel_;
    QComboBox* targets_;
    QLabel* noReports_;
    QPushButton* merge_;
    QPushButton* cancel_;
    bool moved_ = false;
};
