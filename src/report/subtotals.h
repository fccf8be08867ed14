#pragma once

#include <QList>
#include <QString>

#include "report/graphitem.h"
#include "report/recordquery.h"

class CExpenseRecord;
class CExpenseRecords;
class CPreferences;

// The subtotals of a report's expenses, grouped by one field, and the rules
// the chart of the groups is drawn by. Nothing here needs a window.
class CSubtotals {
public:
    // The choices of "Subtotal By:", in their order.
    static constexpr int kGroupingCount = 5;
    // The field code of a "Subtotal By:" position; category outside 0 to 4.
    static qint32 FieldOfPosition(int position);
    // The fixed caption of a position ("Category", "Classification", ...).
    static QString CaptionOfPosition(int position);

    // The text an expense is grouped under for `groupBy`: the category's,
    // classification's or payment source's name, the expense type's short
    // name, or "Receipt" / "No Receipt".
    static QString KeyText(const CExpenseRecord& record, qint32 groupBy);
    // The groups of the selected expenses (all of them without a selection)
    // in order of first appearance, keys compared with letter case, each
    // with its colour.
    static QList<GraphItem> Group(const CExpenseRecords& records, qint32 groupBy);
    // Colours spread over the groups, so that neighbours differ.
    static void AssignColours(QList<GraphItem>& items);
    // The sum of the shown groups.
    static double ShownTotal(const QList<GraphItem>& items);

    // Replaces the selection by the stored date range: with all dates, no
    // selection; otherwise the expenses strictly after the From day and
    // strictly before the To day.
    static void ApplyDateRange(CExpenseRecords& records, const CPreferences& preferences);
    // The condition that selects the expenses of the group `label`.
    static CRecordQuery GroupCondition(qint32 groupBy, const QString& label);

    // The bar height of a group: its whole part, 0 when negative.
    static int ChartValue(double value);
    // The value axis for the largest bar value `dataMax`.
    struct Axis {
        int maximum;
        int interval;
    };
    static Axis ValueAxis(int dataMax, bool portrait);
};
