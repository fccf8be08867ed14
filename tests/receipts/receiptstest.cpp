#include "receiptstest.h"

#include <gtest/gtest.h>
#include <QDirIterator>

#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expenserecord.h"

std::unique_ptr<CExpenseRecord> Expense(const QString& description, double amount) {
    auto record = std::make_unique<CExpenseRecord>();
    record->SetCategory(CCategory(QStringLiteral("Lunch"), 4, 1));
    record->SetDescription(description);
    record->SetAmount(Amount(amount));
    return record;
}

TripWithReceipts::TripWithReceipts() {
    doc = std::make_unique<CExpenseDoc>();
    keeper = std::make_unique<CReceiptKeeper>(doc->GetReport());
    CExpenseReportInfo header;
    QString error;
    EXPECT_TRUE(header.ValidateName(GetReportsDirectory(), QStringLiteral("Trip"), false, error));
    EXPECT_TRUE(doc->CreateReport(header));
    doc->AddRecord(Expense("A", 10), false);
    doc->AddRecord(Expense("B", 20), false);
    doc->AddRecord(Expense("C", 30), false);
    EXPECT_TRUE(doc->SaveReport(false));
}

QString TripWithReceipts::TripPath() {
    return JoinPath(GetReportsDirectory(), QStringLiteral("Trip.xpf"));
}

QString TripWithReceipts::Picture(const QString& name, QSize size, const char* format,
                                  QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = platform.Path(QStringLiteral("pictures/") + name);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(image.save(path, format));
    return path;
}

quint64 TripWithReceipts::IdOf(const QString& description) {
    CExpenseRecords& records = doc->GetRecords();
    for (int i = 0; i < records.GetCount(false); ++i) {
        if (records.GetAt(i, false)->GetDescription() == description) {
            return records.GetAt(i, false)->GetId();
        }
    }
    ADD_FAILURE() << "no expense " << description.toStdString();
    return 0;
}

QStringList TripWithReceipts::NamesOf(const QString& description) {
    QStringList names;
    for (const Receipt& receipt : keeper->ReceiptsOf(IdOf(description))) {
        names.append(receipt.originalName);
    }
    return names;
}

QSet<QString> TripWithReceipts::Files() const {
    QSet<QString> files;
    const QDir root(platform.TempFolder());
    QDirIterator it(platform.TempFolder(), QDir::Files | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files.insert(root.relativeFilePath(it.next()));
    }
    return files;
}

QString TripWithReceipts::Folder() const {
    return keeper->Folder();
}

QStringList TiesOnDisk(const QString& path) {
    CExpenseReport report;
    CReceiptKeeper keeper(report);
    report.GetCurrencyTable().Load(false);
    if (!report.Open(path, false)) {
        return {QStringLiteral("unreadable")};
    }
    QStringList ties;
    for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
        const CExpenseRecord* record = report.GetRecords().GetAt(i, false);
        QStringList names;
        for (const Receipt& receipt : keeper.ReceiptsOf(record->GetId())) {
            names.append(receipt.originalName);
            if (!QFile::exists(receipt.path)) {
                names.last() += QStringLiteral(" (missing)");
            }
        }
        if (!names.isEmpty()) {
            ties.append(record->GetDescription() + QStringLiteral(": ") + names.join(", "));
        }
    }
    for (const Receipt& receipt : keeper.Unmatched()) {
        ties.append(QStringLiteral("unmatched: ") + receipt.originalName);
    }
    ties.sort();
    return ties;
}
