#include "report/subtotals.h"

#include <QHash>

#include "lists/expensetypemanager.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/preferences.h"

namespace {

struct Grouping {
    qint32 field;
    const char* caption;
};
constexpr Grouping kGroupings[CSubtotals::kGroupingCount] = {
    {kFieldCategory, "Category"},        {kFieldClassification, "Classification"},
    {kFieldExpenseType, "Expense Type"}, {kFieldPaidWith, "Paid With"},
    {kFieldReceipt, "Receipt"},
};

const QString kReceipt = QStringLiteral("Receipt");
const QString kNoReceipt = QStringLiteral("No Receipt");

// The colours run through three cycles started apart, which keeps
// neighbouring groups far apart in colour.
constexpr qint64 kColourSpan = 13172585;
constexpr qint64 kFirstColour = 150;

}  // namespace

qint32 CSubtotals::FieldOfPosition(int position) {
    return position >= 0 && position < kGroupingCount ? kGroupings[position].field
                                                      : kFieldCategory;
}

QString CSubtotals::CaptionOfPosition(int position) {
    return position >= 0 && position < kGroupingCount
               ? QString::fromLatin1(kGroupings[position].caption)
               : QString();
}

QString CSubtotals::KeyText(const CExpenseRecord& record, qint32 groupBy) {
    switch (groupBy) {
        case kFieldReceipt:
            return record.GetReceipt() ? kReceipt : kNoReceipt;
        case kFieldExpenseType:
            return record.GetExpenseType().GetShortName();
        default:
            return record.GetFieldText(groupBy);
    }
}

QList<GraphItem> CSubtotals::Group(const CExpenseRecords& records, qint32 groupBy) {
    QList<GraphItem> items;
    QHash<QString, qsizetype> positions;  // each label's item
    const int count = records.GetCount(true);
    for (int i = 0; i < count; ++i) {
        const CExpenseRecord* record = records.GetAt(i, true);
        if (record == nullptr) {
            continue;
        }
        const QString key = KeyText(*record, groupBy);
        const double amount = record->GetAmount(true).GetValue();
        const auto found = positions.constFind(key);
        if (found != positions.constEnd()) {
            items[*found].value += amount;
        } else {
            positions.insert(key, items.size());
            items.append(GraphItem{key, amount});
        }
    }
    AssignColours(items);
    return items;
}

void CSubtotals::AssignColours(QList<GraphItem>& items) {
    const qint64 n = items.size();
    if (n == 0) {
        return;
    }
    const qint64 step = kColourSpan / (n + 1);
    // Each cycle starts past the last colour of the one before; with a
    // shorter lead the first cycle's last colour would repeat the second's
    // first for 4, 7, 10, ... groups.
    const qint64 third = (n + 2) / 3;
    qint64 cycles[3] = {kFirstColour, third * step + kFirstColour, (third * step + 75) * 2};
    qint64 colour = kFirstColour;
    for (qint64 i = 0; i < n; ++i) {
        items[i].colour = static_cast<quint32>(colour);
        qint64& next = cycles[(i + 1) % 3];
        if (i >= 2) {
            next += step;
        }
        colour = next;
    }
}

double CSubtotals::ShownTotal(const QList<GraphItem>& items) {
    double total = 0;
    for (const GraphItem& item : items) {
        if (item.shown) {
            total += item.value;
        }
    }
    return total;
}

void CSubtotals::ApplyDateRange(CExpenseRecords& records, const CPreferences& preferences) {
    CRecordsQuery& query = records.GetQuery();
    query.Clear();
    // Conditions left without a selection in force (a hand-edited file) must
    // not narrow the range.
    query.Discard();
    if (preferences.GetSubtotalAllDates()) {
        return;
    }
    query.AddCondition(CRecordQuery::Date(kFieldDate, kOpGreater, preferences.GetSubtotalFrom()));
    query.AddCondition(CRecordQuery::Date(kFieldDate, kOpLess, preferences.GetSubtotalTo()));
    query.Evaluate();
}

CRecordQuery CSubtotals::GroupCondition(qint32 groupBy, const QString& label) {
    if (groupBy == kFieldReceipt) {
        return CRecordQuery::Number(kFieldReceipt, kOpEqual, label == kReceipt ? 1.0 : 0.0);
    }
    if (groupBy == kFieldExpenseType) {
        // The groups show the short name; the selection tests the full one.
        for (int position = 0; position < CExpenseTypeManager::GetCount(); ++position) {
            if (CExpenseTypeManager::GetShortName(position) == label) {
                return CRecordQuery::Text(groupBy, kOpEqual,
                                          CExpenseTypeManager::GetName(position));
            }
        }
    }
    return CRecordQuery::Text(groupBy, kOpEqual, label);
}

int CSubtotals::ChartValue(double value) {
    // Negative sums have no bar; neither has a sum that is not a number
    // (an amount read from a damaged file).
    if (!(value > 0)) {
        return 0;
    }
    // Sums beyond the axis type's range are drawn at the top of the plot.
    constexpr double kLargest = 2147483647.0;
    return value >= kLargest ? static_cast<int>(kLargest) : static_cast<int>(value);
}

CSubtotals::Axis CSubtotals::ValueAxis(int dataMax, bool portrait) {
    if (dataMax < 1) {
        return {0, 1};
    }
    if (dataMax < 10) {
        return {10, 1};
    }
    if (dataMax < 100) {
        return {(dataMax / 10 + 1) * 10, 10};
    }
    const qint64 maximum = (static_cast<qint64>(dataMax) / 100 + 1) * 100;
    const int capped = static_cast<int>(qMin<qint64>(maximum, 2147483600));
    return {capped, capped / (portrait ? 10 : 5)};
}
