#include "report/reportcopies.h"

#include <QFileInfo>
#include <memory>

#include "platform/filehelpers.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/report.h"

namespace ReportCopies {

QString FreeCopyPath(const QString& reportPath) {
    const QFileInfo file(reportPath);
    QString title = file.fileName();
    title.remove(QStringLiteral(".xpf"), Qt::CaseInsensitive);
    const int copy = title.indexOf(QStringLiteral(" Copy"));
    if (copy > 0) {
        title.truncate(copy);
    }
    const QString base = JoinPath(file.path(), title);
    for (int n = 1; n <= 999; ++n) {
        const QString candidate = QStringLiteral("%1 Copy %2.xpf").arg(base).arg(n);
        if (!FileExists(candidate)) {
            return candidate;
        }
    }
    return QString();
}

bool MergeVisibleRecords(CExpenseRecords& source, const QString& targetPath, bool move) {
    WaitCursor wait(Platform::Get().GetPrompts());
    const qint32 sortField = CExpenseRecords::GetSortField();
    const qint32 sortDirection = CExpenseRecords::GetSortDirection();
    CExpenseReport target;
    // Whatever follows the source's expenses beside its file follows their
    // copies into the target.
    ReportListener* listener = source.GetReport() ? source.GetReport()->GetListener() : nullptr;
    const std::unique_ptr<ReportListener> follower =
        source.GetReport() ? source.GetReport()->FollowerFor(target) : nullptr;
    target.GetCurrencyTable().Load(false);
    bool saved = false;
    if (target.Open(targetPath, false)) {
        for (int index = source.GetCount(true) - 1; index >= 0; --index) {
            const CExpenseRecord& from = *source.GetAt(index, true);
            auto copy = std::make_unique<CExpenseRecord>(from);
            const quint64 copyId = copy->GetId();
            target.GetRecords().Add(std::move(copy), false);
            if (listener != nullptr) {
                listener->RecordCopied(from, target, copyId);
            }
        }
        target.GetRecords().SetSortOrder(sortField, sortDirection);
        saved = target.Save(true);
    }
    source.SetSortOrder(sortField, sortDirection);
    if (saved && move) {
        for (int index = source.GetCount(true) - 1; index >= 0; --index) {
            source.RemoveAt(index);
        }
    }
    return saved;
}

}  // namespace ReportCopies
