#include "report/reportlistener.h"

void ReportListener::ReportLoaded(CExpenseReport&, const QString&) {}

void ReportListener::ReportWriting(CExpenseReport&, const QString&) {}

void ReportListener::ReportWritten(CExpenseReport&, const QString&) {}

void ReportListener::ReportClosed(CExpenseReport&) {}

void ReportListener::ReportMoved(const QString&, const QString&) {}

void ReportListener::RecordReplaced(quint64, quint64) {}

void ReportListener::RecordRemoved(quint64) {}

void ReportListener::RecordCopied(const CExpenseRecord&, CExpenseReport&, quint64) {}

std::unique_ptr<ReportListener> ReportListener::FollowerFor(CExpenseReport&) {
    return nullptr;
}
