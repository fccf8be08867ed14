#pragma once

#include <QJsonObject>

class CExpenseTotals;

// The six totals of a report as JSON, with the code's field names; shared by
// the report dump and the report commands.
QJsonObject TotalsJson(const CExpenseTotals& totals);
