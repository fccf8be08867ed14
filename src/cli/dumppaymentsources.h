#pragma once

#include <QJsonObject>

class CExpenseType;
class CPaidWith;

// The JSON of the two values every expense carries, for the dumps of the
// files they appear in: {"name", "imageName", "paymentType"} and
// {"name", "shortName", "imageName", "typeCode"}.
QJsonObject PaidWithJson(const CPaidWith& paidWith);
QJsonObject ExpenseTypeJson(const CExpenseType& expenseType);
