#pragma once

#include <QImage>
#include <QSet>
#include <QString>
#include <memory>

#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

// A report "Trip" with the expenses A (10), B (20) and C (30), open in a
// document with its receipts followed, on a platform of its own.
struct TripWithReceipts {
    TripWithReceipts();

    static QString TripPath();
    // Writes a picture of `size` to `name` in the temporary folder.
    QString Picture(const QString& name, QSize size, const char* format = "JPG",
                    QColor color = Qt::darkCyan);
    quint64 IdOf(const QString& description);
    // The original names of the receipts of the expense described so.
    QStringList NamesOf(const QString& description);
    // Every file below the temporary folder, relative to it.
    QSet<QString> Files() const;
    QString Folder() const;

    TestPlatform platform;
    SortOrderScope sortOrder;
    std::unique_ptr<CExpenseDoc> doc;
    std::unique_ptr<CReceiptKeeper> keeper;
};

std::unique_ptr<CExpenseRecord> Expense(const QString& description, double amount);
// The same report opened afresh, as the next start of the program sees it:
// the original names of each expense's receipts, "description: a, b".
QStringList TiesOnDisk(const QString& path);
