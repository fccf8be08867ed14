#include <gtest/gtest.h>

#include <QBuffer>
#include <functional>
#include <string>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "report/expenserecord.h"
#include "report/sharedcategories.h"
#include "support/testplatform.h"

namespace {

// `count` records of the same tuple, written one after another.
QByteArray RecordsOfOneTuple(int count) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
    for (int i = 0; i < count; ++i) {
        CExpenseRecord record;
        record.SetCategory(CCategory("Taxi", 10, 6));
        record.SetDescription(QStringLiteral("Ride %1").arg(i));
        record.Serialize(archive, 1);
    }
    archive.Close();
    return bytes;
}

}  // namespace

// Records read from one file share their tuple; a change to one record's
// tuple reaches no other record, and leaves the others as stored.
TEST(SharedCategories, AChangeToOneRecordsTupleStaysWithThatRecord) {
    TestPlatform platform;
    QByteArray bytes = RecordsOfOneTuple(3);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CExpenseArchive archive(buffer, CExpenseArchive::Mode::kLoad);
    archive.SetFileHeader(kFileTypeExpenseReport, CurrentFileVersion(kFileTypeExpenseReport));
    SharedCategories categories;
    CExpenseRecord records[3];
    for (CExpenseRecord& record : records) {
        record.Serialize(archive, 1, categories);
        record.MarkStored(1);
    }
    EXPECT_EQ(&records[0].GetCategory(), &records[2].GetCategory());

    struct Change {
        const char* name;
        std::function<void(CExpenseRecord&)> apply;
        std::function<bool(const CExpenseRecord&)> changed;
    } changes[] = {
        {"receipt", [](CExpenseRecord& r) { r.SetReceipt(true); },
         [](const CExpenseRecord& r) { return r.GetReceipt(); }},
        {"classification",
         [](CExpenseRecord& r) { r.SetClassification(CClassification("Client9", "")); },
         [](const CExpenseRecord& r) { return r.GetClassification().GetName() == "Client9"; }},
        {"payment source",
         [](CExpenseRecord& r) { r.SetPaidWith(CPaidWith("Visa", "", CPaidWith::kBusiness)); },
         [](const CExpenseRecord& r) { return r.GetPaidWith().GetName() == "Visa"; }},
        {"category", [](CExpenseRecord& r) { r.SetCategory(CCategory("Fuel", 5, 5)); },
         [](const CExpenseRecord& r) { return r.GetCategory().GetName() == "Fuel"; }},
        {"reset", [](CExpenseRecord& r) { r.Reset(); },
         [](const CExpenseRecord& r) { return r.GetCategory().GetName().isEmpty(); }},
    };
    for (const Change& change : changes) {
        CExpenseRecord copy(records[1]);
        change.apply(copy);
        EXPECT_TRUE(change.changed(copy)) << change.name;
        // Reset clears the flag; every setter sets it.
        EXPECT_EQ(copy.IsModified(), std::string(change.name) != "reset") << change.name;
        for (const CExpenseRecord& record : records) {
            EXPECT_FALSE(change.changed(record)) << change.name;
            EXPECT_FALSE(record.IsModified()) << change.name;
            EXPECT_EQ(record.GetCategory().GetName(), "Taxi") << change.name;
        }
    }
    // What each record writes is what it read.
    for (const CExpenseRecord& record : records) {
        EXPECT_TRUE(record.IsUnchangedSinceStored());
    }
}
