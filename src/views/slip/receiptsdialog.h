#pragma once

#include "views/widgets/fullwindowdialog.h"

class CExpenseDoc;
class CExpenseRecord;
class CReceiptKeeper;
class CReceiptThumbnails;
class QCheckBox;
class QLabel;
class QMenu;
class QToolButton;

// "Receipts": the photos and scans of one expense, as thumbnails. "Attach"
// adds more from files, from the camera, or from the receipts whose expense
// was lost; a tap on a thumbnail shows the receipt, where it can be
// removed.
class CReceiptsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    // The receipts of the expense with identity `expense`; `heading` names
    // the expense.
    CReceiptsDialog(CReceiptKeeper& keeper, quint64 expense, const QString& heading,
                    QWidget* parent);

    // Whether a receipt was attached while the dialog was open.
    bool AttachedAny() const { return attached_; }

    CReceiptThumbnails* Thumbnails() const { return thumbnails_; }
    QCheckBox* KeepOriginal() const { return keepOriginal_; }
    QToolButton* DoneButton() const { return done_; }
    QToolButton* AttachButton() const { return attach_; }

    // An expense as the heading names it: date, category, amount and
    // description.
    static QString Heading(const CExpenseDoc& document, const CExpenseRecord& record);

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Refresh();
    void AttachFiles();
    void AttachFromCamera();
    void AttachUnmatched();
    void Open(int index);
    // What the keeper said went wrong, or nothing when it went right.
    void Report(bool done, const QString& error);

    CReceiptKeeper& keeper_;  // not owned
    quint64 expense_;
    bool attached_ = false;
    QLabel* heading_;
    CReceiptThumbnails* thumbnails_;
    QCheckBox* keepOriginal_;
    QMenu* attachMenu_;
    QToolButton* done_;
    QToolButton* attach_;
};
