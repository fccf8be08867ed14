#include "storedfiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <memory>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/categoryex.h"
#include "lists/classificationgroupmgr.h"
#include "lists/currencytable.h"
#include "lists/history.h"
#include "lists/paidwithmanager.h"
#include "lists/personalinfo.h"
#include "report/expensetotals.h"
#include "report/preferences.h"
#include "report/report.h"

namespace {

QString Money(const CExpenseTotals& totals) {
    const auto figure = [](const Amount& amount) {
        return QString::number(amount.GetValue(), 'g', 17);
    };
    return QStringLiteral(
               "total %1, reimbursement due %2, business paid %3, deductible %4, "
               "non-deductible %5, reimbursable %6")
        .arg(figure(totals.GetTotal()), figure(totals.GetReimbursementDue()),
             figure(totals.GetBusinessPaid()), figure(totals.GetDeductible()),
             figure(totals.GetNonDeductible()), figure(totals.GetReimbursable()));
}

// The object that reads a list file of `type`; none for a type no list has.
std::unique_ptr<CExpenseObject> ListReader(quint32 type) {
    switch (type) {
        case kFileTypeCurrencyTable:
            return std::make_unique<CCurrencyTable>(QString());
        case kFileTypeBuiltInCategory:
            return std::make_unique<CCategoryEx>(
                QStringLiteral("Misc 1"), CCategory::kMiscellaneousIndex, CCategory::kMiscGroup);
        case kFileTypeUserCategory:
            return std::make_unique<CCategoryEx>(
                QStringLiteral("Misc 1"), CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
        case kFileTypeClassificationGroups:
            return std::make_unique<CClassificationGroupMgr>();
        case kFileTypeHistory:
            return std::make_unique<CHistory>();
        case kFileTypePaymentSources:
            return std::make_unique<CPaidWithManager>();
        case kFileTypePersonalInfo:
            return std::make_unique<CPersonalInfo>();
        case kFileTypePreferences:
            return std::make_unique<CPreferences>();
        default:
            return nullptr;
    }
}

// The report at `path` read as it is, its totals worked out at the home
// currency's decimals of `rates`.
QString CheckReport(const QString& path, const QString& rates) {
    CExpenseReport report;
    if (!rates.isEmpty()) {
        LoadObjectFromFile(rates, &report.GetCurrencyTable(), false, false, true);
    }
    if (!LoadObjectFromFile(path, &report, false, false, true)) {
        return QStringLiteral("%1 does not load").arg(path);
    }
    const CExpenseTotals computed = report.GetRecords().ComputeStoredTotals();
    const CExpenseTotals& stored = report.GetHeader().GetTotals();
    if (computed != stored) {
        return QStringLiteral("%1 stores %2 but its %3 expenses make %4")
            .arg(path, Money(stored))
            .arg(report.GetRecords().GetCount(false))
            .arg(Money(computed));
    }
    return {};
}

QString CheckList(const QString& path) {
    if (QFileInfo(path).size() == 0) {
        // A list the program created and has not filled yet.
        return {};
    }
    const quint32 type = ProbeDataFileType(path);
    std::unique_ptr<CExpenseObject> reader = ListReader(type);
    if (reader == nullptr) {
        return QStringLiteral("%1 is no list file this program reads (type %2)")
            .arg(path)
            .arg(type);
    }
    if (!LoadObjectFromFile(path, reader.get(), false, false, true)) {
        return QStringLiteral("%1 does not load").arg(path);
    }
    return {};
}

}  // namespace

QStringList CheckStoredFiles(const QString& root) {
    QStringList reports;
    QStringList lists;
    QString rates;
    QDirIterator files(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == QLatin1String("xpf")) {
            reports.append(path);
        } else if (suffix == QLatin1String("dat")) {
            lists.append(path);
            if (QFileInfo(path).fileName() == QLatin1String(CCurrencyTable::kFileName) &&
                QFileInfo(path).absolutePath() ==
                    QFileInfo(CCurrencyTable::DefaultFilePath()).absolutePath()) {
                rates = path;
            }
        }
    }
    reports.sort();
    lists.sort();
    QStringList faults;
    for (const QString& path : lists) {
        if (const QString fault = CheckList(path); !fault.isEmpty()) {
            faults.append(fault);
        }
    }
    for (const QString& path : reports) {
        if (const QString fault = CheckReport(path, rates); !fault.isEmpty()) {
            faults.append(fault);
        }
    }
    return faults;
}
