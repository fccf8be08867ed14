#pragma once

#include <QJsonObject>

class CClassification;

// The JSON of the classification every expense carries, for the dumps of the
// files it appears in: {"name", "imageName"}.
QJsonObject ClassificationJson(const CClassification& classification);
