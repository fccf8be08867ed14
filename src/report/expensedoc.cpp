#include "report/expensedoc.h"

#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "report/expenserecord.h"

CExpenseDoc::CExpenseDoc() {
    LoadLists();
}

CExpenseDoc::~CExpenseDoc() {
    GetPreferences().WriteRegistry();
}

void CExpenseDoc::LoadLists() {
    // The order matters: the categories' tuples name payment sources and
    // classifications, and amounts need the currency table.
    GetCurrencyTable().Load(false);
    GetPreferences().LoadAll();
    categories_.LoadAll(false);
    paymentSources_.Load(false);
    classificationGroups_.Load(false);
}

bool CExpenseDoc::OpenReport(const QString& path) {
    WaitCursor wait(Platform::Get().GetPrompts());
    if (!report_.Open(path, true)) {
        return false;
    }
    GetPreferences().SetMruFile(report_.GetHeader().GetPath());
    return true;
}

bool CExpenseDoc::OpenStartupReport(const QString& path) {
    if (!path.isEmpty() && FileExists(path) && OpenReport(path)) {
        return true;
    }
    const QString recent = GetPreferences().GetMruFile();
    if (!recent.isEmpty() && FileExists(recent) && OpenReport(recent)) {
        return true;
    }
    QList<CExpenseReportInfo> headers;
    CExpenseReport::ListReports(headers, GetReportsDirectory(), false);
    for (const CExpenseReportInfo& header : headers) {
        if (header.GetPath() != path && OpenReport(header.GetPath())) {
            break;
        }
    }
    return report_.IsOpen();
}

bool CExpenseDoc::CreateReport(const CExpenseReportInfo& info) {
    WaitCursor wait(Platform::Get().GetPrompts());
    if (!report_.CreateNew(info, true)) {
        return false;
    }
    GetPreferences().SetMruFile(report_.GetHeader().GetPath());
    return true;
}

bool CExpenseDoc::DeleteReport() {
    WaitCursor wait(Platform::Get().GetPrompts());
    return report_.DeleteCurrent();
}

bool CExpenseDoc::CloseReport(bool saveFirst) {
    WaitCursor wait(Platform::Get().GetPrompts());
    return report_.Close(saveFirst);
}

bool CExpenseDoc::SaveReport(bool force) {
    Prompts& prompts = Platform::Get().GetPrompts();
    if (!report_.IsOpen() && !force && IsModified()) {
        prompts.Information(
            QStringLiteral("There are no active expense reports, please create a new expense "
                           "report now."));
        if (!newReportDialog_ || !newReportDialog_(report_.GetHeader())) {
            report_.GetHeader().Reset();
            return false;
        }
        force = true;
    }
    WaitCursor wait(prompts);
    return report_.Save(force);
}

bool CExpenseDoc::AddRecord(std::unique_ptr<CExpenseRecord> record, bool sort) {
    if (!GetRecords().Add(std::move(record), sort)) {
        return false;
    }
    modified_ = true;
    return true;
}

bool CExpenseDoc::ReplaceRecord(int index, std::unique_ptr<CExpenseRecord> record, bool resort) {
    const bool replaced = GetRecords().SetAt(index, std::move(record), true);
    if (resort) {
        GetRecords().Sort();
    }
    modified_ = true;
    return replaced;
}

bool CExpenseDoc::RemoveRecord(int index) {
    if (!GetRecords().RemoveAt(index)) {
        return false;
    }
    modified_ = true;
    return true;
}

bool CExpenseDoc::ReplaceRecordById(quint64 id, std::unique_ptr<CExpenseRecord> record,
                                    bool resort) {
    const int index = GetRecords().IndexOfId(id, true);
    if (index < 0) {
        return false;
    }
    GetRecords().NoteEdited(*GetRecords().GetAt(index, true));
    return ReplaceRecord(index, std::move(record), resort);
}

bool CExpenseDoc::RemoveRecordById(quint64 id) {
    const int index = GetRecords().IndexOfId(id, true);
    return index >= 0 && RemoveRecord(index);
}

void CExpenseDoc::SortRecords() {
    GetRecords().Sort();
}

void CExpenseDoc::SetModifiedFlag(bool modified) {
    report_.SetModified(modified);
    modified_ = modified;
}

bool CExpenseDoc::IsModified() const {
    return modified_ || report_.IsModified();
}

bool CExpenseDoc::SaveModified() {
    if (SaveReport(false)) {
        return true;
    }
    return Platform::Get().GetPrompts().AskYesNo(
        QStringLiteral("Are you sure you want to Exit without Saving the report?"));
}

void CExpenseDoc::ReloadAll() {
    const QString path = report_.GetHeader().GetPath();
    CloseReport(false);
    OpenStartupReport(path);
    CExpenseObject* lists[] = {&GetPreferences(), &GetCurrencyTable(), &categories_,
                               &paymentSources_, &classificationGroups_};
    for (CExpenseObject* list : lists) {
        list->SetModified(false);
        list->SetLoaded(false);
    }
    GetPreferences().LoadAll();
    GetCurrencyTable().Load(false);
    categories_.LoadAll(false);
    paymentSources_.Load(false);
    classificationGroups_.Load(false);
}
