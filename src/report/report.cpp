#include "report/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <utility>

#include "archive/objectfile.h"
#include "money/moneybounds.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"
#include "report/damagedexpenses.h"
#include "report/expenserecord.h"
#include "report/reportcopies.h"

CExpenseReport::CExpenseReport() : records_(this) {}

void CExpenseReport::Serialize(CExpenseArchive& archive, int context) {
    header_.Serialize(archive, context);
    records_.Serialize(archive, context);
}

void CExpenseReport::Reset() {
    CExpenseObject::Reset();
    header_.Reset();
    records_.Reset();
}

void CExpenseReport::SetModified(bool modified) {
    records_.SetModified(modified);
    header_.SetModified(modified);
    CExpenseObject::SetModified(modified);
}

bool CExpenseReport::IsModified() const {
    return records_.IsModified() || header_.IsModified() || CExpenseObject::IsModified();
}

namespace {

const QString kReportExtension = QStringLiteral(".xpf");

bool IsReportFile(const QString& fileName) {
    return fileName.endsWith(kReportExtension, Qt::CaseInsensitive);
}

// The report files of a folder in the file system's own order.
QStringList ReportFiles(const QString& directory) {
    if (directory.isEmpty()) {
        return {};
    }
    QStringList files;
    const QStringList names = QDir(directory).entryList(QDir::Files, QDir::Unsorted);
    for (const QString& name : names) {
        if (IsReportFile(name)) {
            files.append(name);
        }
    }
    return files;
}

// The first name the trash does not hold yet for `fileName`: its own, then
// "name 1.xpf", "name 2.xpf", ...
QString FreeTrashPath(const QString& trash, const QString& fileName) {
    const QString own = JoinPath(trash, fileName);
    if (!FileExists(own)) {
        return own;
    }
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName();
    const QString extension = info.suffix();
    const QString folder = trash.endsWith(QLatin1Char('/')) ? trash : trash + QLatin1Char('/');
    for (int counter = 1; counter < std::numeric_limits<int>::max(); ++counter) {
        const QString candidate =
            QStringLiteral("%1%2 %3.%4").arg(folder, base).arg(counter).arg(extension);
        if (!FileExists(candidate)) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

bool CExpenseReport::SaveAs(const QString& path, bool force) {
    if (force) {
        SetValid(true);
    } else if (!IsModified()) {
        return true;
    }
    if (path.isEmpty()) {
        return false;
    }
    bool saved = false;
    {
        // Held from the check of the file to the end of the write, so that
        // no other writer of this program comes in between; what the user
        // is told waits until it is let go.
        const FileLock lock(path);
        if (lock.IsBusy()) {
            afterSave_.append(BusyFileMessage(path));
        } else {
            saved = WriteMerged(path);
        }
    }
    Prompts& prompts = Platform::Get().GetPrompts();
    for (const QString& message : std::exchange(afterSave_, {})) {
        prompts.Warning(message);
    }
    return saved;
}

bool CExpenseReport::WriteMerged(const QString& path) {
    QString savePath = path;
    if (!BringUpToDateWithFile(savePath)) {
        return false;
    }
    if (listener_ != nullptr) {
        listener_->ReportWriting(*this, savePath);
    }
    FileStamp written;
    if (!SaveObjectToFile(savePath, this, true, &written)) {
        return false;
    }
    RememberStored(savePath, written);
    SetModified(false);
    SetOpen(true);
    if (listener_ != nullptr) {
        listener_->ReportWritten(*this, savePath);
    }
    return true;
}

void CExpenseReport::RememberStored(const QString& path, const FileStamp& stamp) {
    records_.MarkWrittenAsStored();
    storedPath_ = path;
    stamp_ = stamp;
    storedHeader_ = header_;
}

bool CExpenseReport::BringUpToDateWithFile(QString& path) {
    if (path != storedPath_ || !stamp_.known || !IsValid()) {
        return true;
    }
    const FileStamp now = FileStamp::Of(path);
    if (now.SameFileAs(stamp_) || !now.exists) {
        // Unchanged; or deleted meanwhile, and then written anew from here.
        return true;
    }
    CExpenseReport theirs;
    FileStamp theirStamp;
    if (!LoadObjectFromFile(path, &theirs, false, false, true, &theirStamp)) {
        // Nothing this program can combine with: both versions stay.
        const QString copy = ReportCopies::FreeCopyPath(path);
        if (copy.isEmpty()) {
            return false;
        }
        afterSave_.append(QStringLiteral("%1 was replaced by another program with a file that "
                                         "cannot be read, so your changes could not be combined "
                                         "with it. That file is left as it is, and your version "
                                         "is saved as %2.")
                              .arg(path, copy));
        path = copy;
        header_.SetPath(copy);
        stamp_ = {};
        return true;
    }
    KeepDamaged(theirs.records_, path, afterSave_);
    if (theirStamp.checksum == stamp_.checksum && theirStamp.size == stamp_.size) {
        stamp_ = theirStamp;
        return true;
    }
    MergeHeader(theirs.header_);
    const int lost = records_.RebaseOnto(theirs.records_);
    stamp_ = theirStamp;
    if (lost > 0) {
        afterSave_.append(EditKeptMessage(lost));
    }
    return true;
}

QString CExpenseReport::EditKeptMessage(int count) {
    if (count == 1) {
        return QStringLiteral(
            "Another program changed or deleted the expense you edited while you were editing "
            "it. Your version is kept as an expense of its own.");
    }
    return QStringLiteral(
               "Another program changed or deleted %1 of the expenses you edited meanwhile. "
               "Your versions are kept as expenses of their own.")
        .arg(count);
}

void CExpenseReport::MergeHeader(const CExpenseReportInfo& theirs) {
    // A field this program did not change since the file was read takes the
    // other writer's value.
    if (header_.GetLocation() == storedHeader_.GetLocation()) {
        header_.SetLocation(theirs.GetLocation());
    }
    if (header_.GetPurpose() == storedHeader_.GetPurpose()) {
        header_.SetPurpose(theirs.GetPurpose());
    }
    if (header_.IsSubmitted() == storedHeader_.IsSubmitted()) {
        header_.SetSubmitted(theirs.IsSubmitted());
    }
    if (header_.IsReimbursed() == storedHeader_.IsReimbursed()) {
        header_.SetReimbursed(theirs.IsReimbursed());
    }
    if (header_.GetCashAdvance().GetValue() == storedHeader_.GetCashAdvance().GetValue()) {
        header_.SetCashAdvance(theirs.GetCashAdvance());
    }
}

bool CExpenseReport::KeepDamaged(CExpenseRecords& records, const QString& path,
                                 QStringList& messages) {
    const QList<QByteArray>& damaged = records.GetDamaged();
    if (damaged.isEmpty()) {
        return false;
    }
    QString error;
    const QString kept = CDamagedExpenses::Keep(path, records.GetDamagedVersion(), damaged, error);
    const QString title = QFileInfo(path).completeBaseName();
    if (kept.isEmpty()) {
        messages.append(CDamagedExpenses::NotKeptMessage(title, damaged.size(), error));
        // The file still holds them: it is not written over without asking.
        SetValid(false);
    } else {
        messages.append(CDamagedExpenses::KeptMessage(title, damaged.size(), kept));
    }
    LogMessage(QStringLiteral("%1 damaged expense(s) of %2 set aside in %3")
                   .arg(damaged.size())
                   .arg(path, kept));
    records.ClearDamaged();
    return !kept.isEmpty();
}

bool CExpenseReport::Open(const QString& path, bool saveCurrent) {
    if (path.isEmpty()) {
        return false;
    }
    // A report whose save failed stays open: closing it anyway would throw
    // away the very changes the user could not save.
    if (IsOpen() && !Close(saveCurrent)) {
        return false;
    }
    SetLoaded(false);
    FileStamp stamp;
    if (!LoadObjectFromFile(path, this, false, true, true, &stamp)) {
        Close(false);
        return false;
    }
    stamp_ = stamp;
    storedPath_ = path;
    storedHeader_ = header_;
    if (listener_ != nullptr) {
        listener_->ReportLoaded(*this, path);
    }
    QStringList told;
    // Written again without the damaged expenses once they are safe beside
    // it, so that they are not found (and told of) at every opening.
    const bool setAside = KeepDamaged(records_, path, told);
    for (const QString& message : told) {
        Platform::Get().GetPrompts().Warning(message);
    }
    // The totals of a report the program wrote compare equal, and its file
    // stays as it is.
    const CExpenseTotals computed = records_.ComputeStoredTotals();
    if (computed != header_.GetTotals() || setAside) {
        header_.SetTotals(computed);
        // A currency table that stands in for a damaged one may round at
        // other decimals: the figures shown are corrected, but the file is
        // written only with a change of the user's own.
        if (!currencyTable_.IsReplacedUnreadable()) {
            SaveAs(path, false);
        }
    }
    SetModified(false);
    SetOpen(true);
    return true;
}

bool CExpenseReport::New(const QString& path, bool saveCurrent) {
    if (path.isEmpty()) {
        return false;
    }
    if (IsOpen() && !Close(saveCurrent)) {
        return false;
    }
    if (header_.GetPath() != path) {
        // Closing forgot the header's path; take `path` as a new report's
        // name, which must not name a file already there.
        const QFileInfo info(path);
        QString error;
        CExpenseReportInfo named(header_);
        if (!info.fileName().endsWith(kReportExtension, Qt::CaseInsensitive) ||
            !named.ValidateName(info.path(), info.completeBaseName(), false, error)) {
            if (!error.isEmpty()) {
                Platform::Get().GetPrompts().Warning(error);
            }
            return false;
        }
        header_ = named;
    }
    SetValid(true);
    SetLoaded(false);
    return Save(true);
}

bool CExpenseReport::CreateNew(const CExpenseReportInfo& info, bool saveCurrent) {
    if (IsOpen() && !Close(saveCurrent)) {
        return false;
    }
    header_ = info;
    // The totals start from the cash advance: the reimbursement due of a
    // new report is the advance owed back, and expenses added later move it
    // from there.
    records_.RecomputeTotals();
    return New(header_.GetPath(), saveCurrent);
}

bool CExpenseReport::Close(bool saveFirst) {
    if (saveFirst && !Save(false)) {
        return false;
    }
    records_.RemoveAll(false);
    records_.GetQuery().Discard();
    header_.Reset();
    stamp_ = {};
    storedPath_.clear();
    SetLoaded(false);
    SetOpen(false);
    SetModified(false);
    if (listener_ != nullptr) {
        listener_->ReportClosed(*this);
    }
    return true;
}

bool CExpenseReport::DeleteCurrent() {
    if (!IsOpen()) {
        return true;
    }
    const QString path = header_.GetPath();
    Close(false);
    // No other writer of this program may put its change into the file
    // between its copy into the trash and its removal.
    const FileLock lock(path);
    const QString trash = GetTrashDirectory();
    const QString target =
        trash.isEmpty() ? QString() : FreeTrashPath(trash, QFileInfo(path).fileName());
    if (target.isEmpty() || !QFile::copy(path, target)) {
        return false;
    }
    if (!QFile::remove(path)) {
        // The report is in the trash and still in place: take the copy back
        // so that it does not come back twice on a restore.
        QFile::remove(target);
        return false;
    }
    SetModified(false);
    if (listener_ != nullptr) {
        listener_->ReportMoved(path, target);
    }
    return true;
}

bool CExpenseReport::ListReports(QList<CExpenseReportInfo>& list, const QString& directory,
                                 bool reportErrors) {
    list.clear();
    for (const QString& name : ReportFiles(directory)) {
        const QString path = JoinPath(directory, name);
        CExpenseReportInfo header;
        header.SetModified(false);
        header.SetLoaded(false);
        header.SetValid(true);
        if (LoadObjectFromFile(path, &header, false, reportErrors, true)) {
            list.append(header);
        }
    }
    return !list.isEmpty();
}

std::unique_ptr<ReportListener> CExpenseReport::FollowerFor(CExpenseReport& other) const {
    return listener_ != nullptr ? listener_->FollowerFor(other) : nullptr;
}

int CExpenseReport::CountReports() {
    return static_cast<int>(ReportFiles(GetReportsDirectory()).size());
}

bool CExpenseReport::ApplyListChange(const CExpenseRecord& oldTemplate,
                                     const CExpenseRecord& newTemplate, int flags) {
    if ((flags & (kAllReports | kOpenReport)) == 0) {
        return true;
    }
    bool saved = true;
    if ((flags & kAllReports) == 0) {
        if (!IsOpen()) {
            return true;
        }
        ApplyChangeTo(oldTemplate, newTemplate, flags, currencyTable_);
        return Save(false);
    }
    QList<CExpenseReportInfo> headers;
    ListReports(headers, GetReportsDirectory(), false);
    for (const CExpenseReportInfo& header : headers) {
        if (IsOpen() && header.GetPath() == header_.GetPath()) {
            ApplyChangeTo(oldTemplate, newTemplate, flags, currencyTable_);
            saved = Save(false) && saved;
            continue;
        }
        CExpenseReport other;
        const std::unique_ptr<ReportListener> follower = FollowerFor(other);
        other.GetCurrencyTable().Load(false);
        if (!other.Open(header.GetPath(), false)) {
            saved = false;
            continue;
        }
        other.ApplyChangeTo(oldTemplate, newTemplate, flags, currencyTable_);
        saved = other.Save(false) && saved;
    }
    return saved;
}

void CExpenseReport::ApplyChangeTo(const CExpenseRecord& oldTemplate,
                                   const CExpenseRecord& newTemplate, int flags,
                                   const CCurrencyTable& rates) {
    const bool selected = (flags & kSelectedOnly) != 0;
    const int count = records_.GetCount(selected);
    for (int i = 0; i < count; ++i) {
        CExpenseRecord* record = records_.GetAt(i, selected);
        if (record == nullptr) {
            continue;
        }
        // Worked on a copy: a record whose new values would leave the bounds
        // of MoneyBounds (a product or a converted amount no amount field
        // could show, which would overflow the totals and make the file
        // unreadable) keeps the values it had.
        CExpenseRecord updated(*record);
        updated.SetOwner(nullptr);
        if (!ApplyChangeToRecord(updated, oldTemplate, newTemplate, flags, rates)) {
            continue;
        }
        if (!updated.HasStoredValues()) {
            LogMessage(QStringLiteral("An expense of %1 in %2 was left as it was: the change "
                                      "would take its amount out of bounds.")
                           .arg(record->GetAmount(false).ToText(), header_.GetPath()));
            continue;
        }
        updated.SetOwner(&records_);
        *record = updated;
        record->SetModified(true);
    }
    if (flags & (kMileageRate | kPaymentSource | kCurrencyRate | kCurrencyTable)) {
        records_.RecomputeTotals();
    }
}

bool CExpenseReport::ApplyChangeToRecord(CExpenseRecord& record, const CExpenseRecord& oldTemplate,
                                         const CExpenseRecord& newTemplate, int flags,
                                         const CCurrencyTable& rates) {
    bool changed = false;
    if ((flags & kMileageRate) && record.IsMileage()) {
        const Amount rate = newTemplate.GetAmount(false);
        record.SetMileageRate(rate);
        record.SetAmount(Amount(record.GetDistance() * rate.GetValue()));
        changed = true;
    }
    if ((flags & kPaymentSource) && record.GetPaidWith().IsEqual(oldTemplate.GetPaidWith())) {
        record.SetPaidWith(newTemplate.GetPaidWith());
        changed = true;
    }
    if ((flags & kClassification) &&
        record.GetClassification().IsEqual(oldTemplate.GetClassification())) {
        record.SetClassification(newTemplate.GetClassification());
        changed = true;
    }
    if ((flags & kCurrencyRate) && record.GetCurrencyName() == oldTemplate.GetCurrencyName()) {
        record.SetExchangeRate(newTemplate.GetExchangeRate());
        changed = true;
    }
    CCurrencyFormat format;
    CurrencyRate rate;
    if ((flags & kCurrencyTable) && rates.GetRate(record.GetCurrencyName(), format, rate)) {
        if (record.IsMileage()) {
            record.SetCurrencyName(rates.GetHomeCurrency());
            // The trip was claimed in a currency that is no longer the home
            // one: its worth is its amount over that currency's rate.
            record.SetAmount(rates.ConvertToHome(record.GetAmount(false), Amount(rate.GetRate())));
        }
        record.SetExchangeRate(Amount(rate.GetRate()));
        changed = true;
    }
    return changed;
}
