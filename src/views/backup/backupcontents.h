#pragma once

#include <QGroupBox>
#include <functional>

#include "backup/backupfileentry.h"
#include "platform/screen.h"

class QBoxLayout;
class QCheckBox;
class QLabel;
class QPushButton;

// What a backup or restore covers: the three-state "&Expense Reports" box
// with its "..." that chooses single reports, "&Data Files", "&Images" and
// "&Receipts".
// Ticked means every report, the third state the chosen ones kept in
// Reports(); a tap on the box only ever ticks or unticks it.
class CBackupContents : public QGroupBox {
    Q_OBJECT

public:
    // All three boxes start ticked. `restoring` names the chooser for an
    // archive rather than the reports.
    CBackupContents(const QString& title, bool restoring, QWidget* parent);

    // A check box of these pages, named after its text.
    static QCheckBox* MakeBox(const QString& text, QWidget* parent);

    QCheckBox* ReportsBox() const { return reports_; }
    QPushButton* ChooseButton() const { return choose_; }
    QCheckBox* DataFilesBox() const { return dataFiles_; }
    QCheckBox* ImagesBox() const { return images_; }
    QCheckBox* ReceiptsBox() const { return receipts_; }

    // The chosen reports while the box is in the third state.
    const BackupFileList& Reports() const { return chosen_; }
    BackupFileList& Reports() { return chosen_; }
    // The selection flags the boxes make.
    quint32 Flags() const;
    // The reports to work on: all that `listAll` lists when the box is
    // ticked, the chosen ones in the third state, none otherwise.
    BackupFileList ReportsToWorkOn(const std::function<void(BackupFileList&)>& listAll) const;

    // Opens the report chooser over `offered`; on "Save" the box and the
    // chosen reports take its answer.
    void ChooseReports(const BackupFileList& offered);

    // The rows of a page below its boxes: the archive's label, its path with
    // "..." and the page's button ("Backup", "Restore"), put for `layout`.
    static void AddPathRows(QBoxLayout* column, ScreenLayout layout, QLabel* label, QWidget* path,
                            QPushButton* browse, QPushButton* action);

    // The report box above the others: on the portrait screen data files
    // above pictures and receipts, on the low screens all three in a row.
    void ApplyLayout(ScreenLayout layout);

private:
    bool restoring_;
    QCheckBox* reports_;
    QPushButton* choose_;
    QCheckBox* dataFiles_;
    QCheckBox* images_;
    QCheckBox* receipts_;
    BackupFileList chosen_;
};
