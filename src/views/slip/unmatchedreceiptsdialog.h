#pragma once

#include "views/widgets/fullwindowdialog.h"

class CReceiptKeeper;
class CReceiptThumbnails;
class QLabel;
class QToolButton;

// "Unmatched Receipts": receipts kept although their expense can no longer
// be found (its report was changed by a program that knows nothing of
// receipts). A tap shows one; "Attach" there gives it to the expense this
// dialog was opened for. "Delete All" deletes those the user no longer
// wants, once asked.
class CUnmatchedReceiptsDialog : public FullWindowDialog {
    Q_OBJECT

public:
    CUnmatchedReceiptsDialog(CReceiptKeeper& keeper, quint64 expense, QWidget* parent);

    bool AttachedAny() const { return attached_; }
    CReceiptThumbnails* Thumbnails() const { return thumbnails_; }
    QToolButton* DoneButton() const { return done_; }
    QToolButton* DeleteAllButton() const { return deleteAll_; }

protected:
    void ApplyLayout(ScreenLayout layout) override;

private:
    void Refresh();
    void Open(int index);
    void DeleteAll();

    CReceiptKeeper& keeper_;  // not owned
    quint64 expense_;
    bool attached_ = false;
    QLabel* note_;
    CReceiptThumbnails* thumbnails_;
    QToolButton* done_;
    QToolButton* deleteAll_;
};
