#include "views/slip/receiptsdialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "platform/prompts.h"
#include "receipts/receiptimport.h"
#include "receipts/receiptkeeper.h"
#include "views/grid/expensecells.h"
#include "views/slip/cameradialog.h"
#include "views/slip/choosereceipts.h"
#include "views/slip/receiptthumbnails.h"
#include "views/slip/receiptviewer.h"
#include "views/slip/unmatchedreceiptsdialog.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"

CReceiptsDialog::CReceiptsDialog(CReceiptKeeper& keeper, quint64 expense, const QString& heading,
                                 QWidget* parent)
    : FullWindowDialog(QStringLiteral("Receipts"), TitleButton::None, parent),
      keeper_(keeper),
      expense_(expense),
      heading_(new QLabel(heading, Body())),
      thumbnails_(new CReceiptThumbnails(
          QStringLiteral("No receipts yet. Attach photos or PDF scans of this expense's "
                         "receipts."),
          Body())),
      keepOriginal_(new QCheckBox(QStringLiteral("Keep photos at full size"), Body())),
      attachMenu_(new QMenu(this)),
      done_(Commands()->AddButton(QStringLiteral("Done"))),
      attach_(Commands()->AddMenu(QStringLiteral("Attach"), attachMenu_)) {
    heading_->setFont(AppFont());
    heading_->setWordWrap(true);
    heading_->setAccessibleName(QStringLiteral("Expense"));
    keepOriginal_->setFont(AppFont());
    keepOriginal_->setAccessibleName(keepOriginal_->text());
    attachMenu_->addAction(QStringLiteral("From Files..."), this, &CReceiptsDialog::AttachFiles);
    attachMenu_->addAction(QStringLiteral("From Camera..."), this,
                           &CReceiptsDialog::AttachFromCamera);
    attachMenu_->addAction(QStringLiteral("Unmatched Receipts..."), this,
                           &CReceiptsDialog::AttachUnmatched);
    connect(done_, &QToolButton::clicked, this, &QDialog::accept);
    connect(thumbnails_, &CReceiptThumbnails::opened, this, &CReceiptsDialog::Open);
    Refresh();
}

QString CReceiptsDialog::Heading(const CExpenseDoc& document, const CExpenseRecord& record) {
    QStringList parts;
    for (int column : {0, 1, 3, 2}) {
        const QString part = ExpenseCells::FirstLine(document, record, column);
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return parts.join(QStringLiteral(", "));
}

void CReceiptsDialog::ApplyLayout(ScreenLayout) {
    delete Body()->layout();
    auto* column = new QVBoxLayout(Body());
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    column->addWidget(heading_);
    column->addWidget(thumbnails_, 1);
    column->addWidget(keepOriginal_);
}

void CReceiptsDialog::Refresh() {
    thumbnails_->SetReceipts(keeper_.ReceiptsOf(expense_));
}

void CReceiptsDialog::Report(bool done, const QString& error) {
    if (!done && !error.isEmpty()) {
        Platform::Get().GetPrompts().Warning(error);
    }
    attached_ = attached_ || done;
    Refresh();
}

void CReceiptsDialog::AttachFiles() {
    QStringList files;
    if (!ChooseReceipts(this, files)) {
        return;
    }
    ImportOptions options;
    options.keepOriginal = keepOriginal_->isChecked();
    QString error;
    const bool done = keeper_.Attach(expense_, files, options, error);
    Report(done, error);
}

void CReceiptsDialog::AttachFromCamera() {
    QImage photo;
    if (!CCameraDialog::TakePhoto(this, photo)) {
        return;
    }
    QString error;
    const bool done = keeper_.AttachImage(expense_, photo, error);
    Report(done, error);
}

void CReceiptsDialog::AttachUnmatched() {
    CUnmatchedReceiptsDialog dialog(keeper_, expense_, this);
    dialog.exec();
    if (dialog.AttachedAny()) {
        Report(true, QString());
    }
}

void CReceiptsDialog::Open(int index) {
    const QList<Receipt>& receipts = thumbnails_->Receipts();
    if (index < 0 || index >= receipts.size()) {
        return;
    }
    const Receipt receipt = receipts[index];
    CReceiptViewer viewer(receipt, CReceiptThumbnails::NameOf(receipt, index),
                          CReceiptViewer::Action::Remove, this);
    if (viewer.exec() != QDialog::Accepted) {
        return;
    }
    QString error;
    if (!keeper_.Detach(expense_, receipt.path, error)) {
        Platform::Get().GetPrompts().Warning(error);
    }
    Refresh();
}
