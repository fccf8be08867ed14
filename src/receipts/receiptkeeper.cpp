#include "receipts/receiptkeeper.h"

#include "receipts/receiptindex.h"
#include "report/report.h"

CReceiptKeeper::CReceiptKeeper(CExpenseReport& report) : report_(report) {
    report_.SetListener(this);
}

CReceiptKeeper::~CReceiptKeeper() {
    if (report_.GetListener() == this) {
        report_.SetListener(nullptr);
    }
}

QString CReceiptKeeper::Folder() const {
    return folder_;
}

QList<Receipt> CReceiptKeeper::ReceiptsOf(quint64) const {
    return {};
}

bool CReceiptKeeper::HasReceipts(quint64) const {
    return false;
}

int CReceiptKeeper::CountWithoutReceipts(bool) const {
    return 0;
}

QList<quint64> CReceiptKeeper::ExpensesWithoutReceipts(bool) const {
    return {};
}

bool CReceiptKeeper::Attach(quint64, const QStringList&, const ImportOptions&, QString& error) {
    error = QStringLiteral("Not yet.");
    return false;
}

bool CReceiptKeeper::AttachImage(quint64 expenseId, const QImage& photo, QString& error) {
    return AttachImage(expenseId, photo, ImportOptions(), error);
}

bool CReceiptKeeper::AttachImage(quint64, const QImage&, const ImportOptions&, QString& error) {
    error = QStringLiteral("Not yet.");
    return false;
}

bool CReceiptKeeper::Detach(quint64, const QString&, QString& error) {
    error = QStringLiteral("Not yet.");
    return false;
}

void CReceiptKeeper::ForgetExpense(quint64) {}

void CReceiptKeeper::DiscardPending(quint64) {}

QList<Receipt> CReceiptKeeper::Unmatched() const {
    return {};
}

bool CReceiptKeeper::AttachUnmatched(const QString&, quint64, QString& error) {
    error = QStringLiteral("Not yet.");
    return false;
}

bool CReceiptKeeper::RemoveUnmatched(const QString&, QString& error) {
    error = QStringLiteral("Not yet.");
    return false;
}

bool CReceiptKeeper::Commit(QString&) {
    return true;
}

void CReceiptKeeper::ReportLoaded(CExpenseReport&, const QString&) {}

void CReceiptKeeper::ReportWriting(CExpenseReport&, const QString&) {}

void CReceiptKeeper::ReportWritten(CExpenseReport&, const QString&) {}

void CReceiptKeeper::ReportClosed(CExpenseReport&) {}

void CReceiptKeeper::ReportMoved(const QString&, const QString&) {}

void CReceiptKeeper::RecordReplaced(quint64, quint64) {}

void CReceiptKeeper::RecordRemoved(quint64) {}

void CReceiptKeeper::RecordCopied(const CExpenseRecord&, CExpenseReport&, quint64) {}

std::unique_ptr<ReportListener> CReceiptKeeper::FollowerFor(CExpenseReport& other) {
    return std::make_unique<CReceiptKeeper>(other);
}
