#pragma once

#include <QJsonObject>

class CCategory;

// The JSON of the category tuple every expense carries, for the dumps of the
// files it appears in: {"index", "group", "name", "imageName", "receipt",
// "classification", "expenseType", "paidWith", "reserved"}.
QJsonObject CategoryJson(const CCategory& category);
