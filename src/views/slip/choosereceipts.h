#pragma once

#include <QStringList>

class QWidget;

// The file dialog for receipts: any number of photos (JPEG, PNG, WebP) and
// PDF scans, each tap on a name adding it to the choice. False when the
// user cancelled.
bool ChooseReceipts(QWidget* parent, QStringList& files);
