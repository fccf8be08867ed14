#include "report/expensereportinfo.h"

#include <QFile>
#include <algorithm>
#include <iterator>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "money/moneybounds.h"
#include "platform/filehelpers.h"
#include "platform/platform.h"

namespace {

const QString kReportExtension = QStringLiteral(".xpf");
// The platform's texts can be long; the report dialog shows at most this.
constexpr qsizetype kMaxErrorTextLength = 255;

}  // namespace

CExpenseReportInfo::CExpenseReportInfo(const CExpenseReportInfo& other) : CExpenseObject() {
    *this = other;
}

CExpenseReportInfo& CExpenseReportInfo::operator=(const CExpenseReportInfo& other) {
    if (this == &other) {
        return *this;
    }
    path_ = other.path_;
    location_ = other.location_;
    purpose_ = other.purpose_;
    submitted_ = other.submitted_;
    reimbursed_ = other.reimbursed_;
    cashAdvance_ = other.cashAdvance_;
    totals_ = other.totals_;
    CExpenseObject::SetModified(other.CExpenseObject::IsModified());
    return *this;
}

void CExpenseReportInfo::Serialize(CExpenseArchive& archive, int) {
    SerializeFileHeader(archive, kFileTypeExpenseReport,
                        CurrentFileVersion(kFileTypeExpenseReport));
    double figures[7] = {
        cashAdvance_.GetValue(),
        totals_.GetTotal().GetValue(),
        totals_.GetDeductible().GetValue(),
        totals_.GetNonDeductible().GetValue(),
        totals_.GetReimbursable().GetValue(),
        totals_.GetReimbursementDue().GetValue(),
        totals_.GetBusinessPaid().GetValue(),
    };
    for (double& figure : figures) {
        archive.Exchange(figure);
    }
    // The stored totals are worked out afresh when the report opens, but
    // they are shown before that (the report list) and must be numbers.
    archive.CheckValue(CashAdvanceProblem(figures[0]).isEmpty());
    archive.CheckValue(std::all_of(std::begin(figures) + 1, std::end(figures), [](double figure) {
        return MoneyBounds::ContainsTotal(figure);
    }));
    archive.Exchange(location_);
    archive.Exchange(purpose_);
    archive.ExchangeBool(submitted_);
    archive.ExchangeBool(reimbursed_);
    if (archive.IsLoading()) {
        cashAdvance_ = Amount(figures[0]);
        totals_.SetTotal(Amount(figures[1]));
        totals_.SetDeductible(Amount(figures[2]));
        totals_.SetNonDeductible(Amount(figures[3]));
        totals_.SetReimbursable(Amount(figures[4]));
        totals_.SetReimbursementDue(Amount(figures[5]));
        totals_.SetBusinessPaid(Amount(figures[6]));
        path_ = archive.GetFilePath();
    }
}

void CExpenseReportInfo::Reset() {
    CExpenseObject::Reset();
    path_.clear();
    location_.clear();
    purpose_.clear();
    submitted_ = false;
    reimbursed_ = false;
    cashAdvance_ = Amount();
    totals_.Reset();
}

void CExpenseReportInfo::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (!modified) {
        totals_.SetChanged(false);
    }
}

bool CExpenseReportInfo::IsModified() const {
    return CExpenseObject::IsModified() || totals_.IsChanged();
}

QString CExpenseReportInfo::GetTitle() const {
    const qsizetype cut =
        std::max(path_.lastIndexOf(QLatin1Char('/')), path_.lastIndexOf(QLatin1Char('\\')));
    QString title = path_.mid(cut + 1);
    // Extensions match without regard to case, as on the device.
    title.remove(kReportExtension, Qt::CaseInsensitive);
    return title;
}

void CExpenseReportInfo::SetLocation(const QString& location) {
    location_ = location;
    SetModified(true);
}

void CExpenseReportInfo::SetPurpose(const QString& purpose) {
    purpose_ = purpose;
    SetModified(true);
}

void CExpenseReportInfo::SetSubmitted(bool submitted) {
    submitted_ = submitted;
    SetModified(true);
}

void CExpenseReportInfo::SetReimbursed(bool reimbursed) {
    reimbursed_ = reimbursed;
    SetModified(true);
}

void CExpenseReportInfo::SetCashAdvance(const Amount& advance) {
    cashAdvance_ = advance;
    SetModified(true);
}

QString CExpenseReportInfo::CashAdvanceProblem(double advance) {
    return MoneyBounds::Contains(MoneyBounds::Kind::kCashAdvance, advance)
               ? QString()
               : MoneyBounds::Message(MoneyBounds::Kind::kCashAdvance);
}

void CExpenseReportInfo::SetTotals(const CExpenseTotals& totals) {
    totals_ = totals;
    SetModified(true);
}

bool CExpenseReportInfo::ValidateName(const QString& directory, const QString& name,
                                      bool renameFile, QString& errorText) {
    errorText.clear();
    if (!renameFile && !path_.isEmpty()) {
        return true;
    }
    if (name.isEmpty()) {
        errorText = QStringLiteral("Report name cannot be blank");
        return false;
    }
    if (name.size() > kMaxNameLength) {
        errorText = QStringLiteral("Report name cannot exceed %1 characters").arg(kMaxNameLength);
        return false;
    }
    const QString forbidden = QString::fromLatin1(kForbiddenCharacters);
    for (QChar c : name) {
        if (forbidden.contains(c)) {
            errorText =
                QStringLiteral("Enter a report name that does not contain %1").arg(forbidden);
            return false;
        }
    }
    const QString newPath = JoinPath(directory, name + kReportExtension);
    if (newPath.compare(path_, Qt::CaseInsensitive) == 0) {
        return true;
    }
    // Another report's file is never replaced, renamed onto or not: that
    // report would be lost without a word. Nor is one made beside it whose
    // name differs in case alone, which the device could not tell apart.
    if (FileExists(newPath) ||
        !FindFilesIgnoringCase(directory, name + kReportExtension).isEmpty()) {
        errorText = QStringLiteral("A file with the same name already exists");
        return false;
    }
    if (renameFile && !RenameFile(newPath, errorText)) {
        return false;
    }
    path_ = newPath;
    return true;
}

bool CExpenseReportInfo::RenameFile(const QString& newPath, QString& errorText) const {
    WaitCursor wait(Platform::Get().GetPrompts());
    // A copy first: the old file goes only once the new one is complete.
    QFile file(path_);
    if (!file.copy(newPath)) {
        errorText = file.errorString().left(kMaxErrorTextLength);
        return false;
    }
    QFile::remove(path_);
    return true;
}
