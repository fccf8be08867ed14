#pragma once

#include "views/widgets/fullwindowdialog.h"

class QTreeWidget;

// The deleted reports waiting in the trash: "Restore" moves the selected one
// back among the reports, "Delete All" empties the trash, each after a
// question.
class CTrashDialog : public FullWindowDialog {
    Q_OBJECT

public:
    explicit CTrashDialog(QWidget* parent);

    QTreeWidget* List() const { return list_; }
    QPushButton* RestoreButton() const { return restore_; }
    QPushButton* DeleteAllButton() const { return deleteAll_; }

    // Reads the trash folder again; the first row is selected.
    void Fill();

signals:
    // A report came back: the lists of reports must be drawn again.
    void reportRestored();

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Restore();
    void DeleteAll();

    QTreeWidget* list_;
    QPushButton* restore_;
    QPushButton* deleteAll_;
};
