#include "views/slip/unmatchedreceiptsdialog.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "platform/prompts.h"
#include "receipts/receiptkeeper.h"
#include "views/slip/receiptthumbnails.h"
#include "views/slip/receiptviewer.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CUnmatchedReceiptsDialog::CUnmatchedReceiptsDialog(CReceiptKeeper& keeper, quint64 expense,
                                                   QWidget* parent)
    : FullWindowDialog(QStringLiteral("Unmatched Receipts"), TitleButton::None, parent),
      keeper_(keeper),
      expense_(expense),
      note_(new QLabel(QStringLiteral("Receipts whose expense was not found. Tap one to see it "
                                      "and attach it to this expense."),
                       Body())),
      thumbnails_(
          new CReceiptThumbnails(QStringLiteral("There are no unmatched receipts."), Body())),
      done_(Commands()->AddButton(QStringLiteral("Done"))),
      deleteAll_(Commands()->AddButton(QStringLiteral("Delete All"))) {
    note_->setFont(AppFont());
    note_->setWordWrap(true);
    note_->setAccessibleName(note_->text());
    thumbnails_->setAccessibleName(QStringLiteral("Unmatched receipts"));
    connect(done_, &QToolButton::clicked, this, &QDialog::accept);
    connect(deleteAll_, &QToolButton::clicked, this, &CUnmatchedReceiptsDialog::DeleteAll);
    connect(thumbnails_, &CReceiptThumbnails::opened, this, &CUnmatchedReceiptsDialog::Open);
    Refresh();
}

void CUnmatchedReceiptsDialog::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    column->addWidget(note_);
    column->addWidget(thumbnails_, 1);
}

void CUnmatchedReceiptsDialog::Refresh() {
    thumbnails_->SetReceipts(keeper_.Unmatched());
    deleteAll_->setEnabled(!thumbnails_->Receipts().isEmpty());
}

void CUnmatchedReceiptsDialog::DeleteAll() {
    Prompts& prompts = Platform::Get().GetPrompts();
    if (thumbnails_->Receipts().isEmpty() ||
        !prompts.AskYesNo(QStringLiteral(
            "Are you sure you want to permanently delete all unmatched receipts?"))) {
        return;
    }
    for (const Receipt& receipt : thumbnails_->Receipts()) {
        QString error;
        if (!keeper_.RemoveUnmatched(receipt.path, error)) {
            prompts.Warning(error);
            break;
        }
    }
    Refresh();
}

void CUnmatchedReceiptsDialog::Open(int index) {
    const QList<Receipt>& receipts = thumbnails_->Receipts();
    if (index < 0 || index >= receipts.size()) {
        return;
    }
    const Receipt receipt = receipts[index];
    CReceiptViewer viewer(receipt, CReceiptThumbnails::NameOf(receipt, index),
                          CReceiptViewer::Action::Attach, this);
    if (viewer.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (keeper_.AttachUnmatched(receipt.path, expense_, error)) {
        attached_ = true;
    } else {
        Platform::Get().GetPrompts().Warning(error);
    }
    Refresh();
}
