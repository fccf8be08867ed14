#include <gtest/gtest.h>

#include <QBuffer>
#include <functional>
#include <string>
#include <vector>

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

// Tuples that begin alike (the same category, other payment sources and
// classifications) share a bucket of the tuples met last, more of them than
// it holds, and long texts that cross the archive's buffer.
// Every record reads back as written, whatever tuple came before it.
TEST(SharedCategories, TuplesThatBeginAlikeReadBackAsWritten) {
    TestPlatform platform;
    std::vector<CCategory> tuples;
    for (int i = 0; i < 7; ++i) {
        CCategory tuple("Taxi", 10, 6);
        tuple.SetPaidWith(CPaidWith(QStringLiteral("Card %1").arg(i), "", CPaidWith::kBusiness));
        tuple.SetClassification(CClassification(QStringLiteral("Client%1").arg(i % 3), ""));
        tuples.push_back(tuple);
    }
    // Tuples alike to their very last byte, the high one of their last field.
    for (qint32 reserved : {0x01000000, 0x02000000}) {
        CCategory tuple = tuples.front();
        tuple.SetReserved(reserved);
        tuples.push_back(tuple);
    }
    std::vector<CExpenseRecord> written(200);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    CExpenseArchive storing(out, CExpenseArchive::Mode::kStore);
    for (size_t i = 0; i < written.size(); ++i) {
        written[i].SetCategory(tuples[(i * i + i / 3) % tuples.size()]);
        written[i].SetDescription(QStringLiteral("Ride %1").arg(i % 9));
        written[i].SetLocation(i % 4 == 0 ? QString(300, QChar(u'x')) : QString());
        written[i].Serialize(storing, 1);
    }
    storing.Close();

    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    CExpenseArchive loading(in, CExpenseArchive::Mode::kLoad);
    loading.SetFileHeader(kFileTypeExpenseReport, CurrentFileVersion(kFileTypeExpenseReport));
    SharedCategories categories;
    for (size_t i = 0; i < written.size(); ++i) {
        // Only a hint; it must change nothing that is read.
        CExpenseRecord::PrefetchAhead(loading, categories, 1);
        CExpenseRecord read;
        read.Serialize(loading, 1, categories);
        ASSERT_EQ(read.GetPaidWith().GetName(), written[i].GetPaidWith().GetName()) << i;
        ASSERT_EQ(read.GetClassification().GetName(), written[i].GetClassification().GetName())
            << i;
        ASSERT_EQ(read.GetDescription(), written[i].GetDescription()) << i;
        ASSERT_EQ(read.GetLocation(), written[i].GetLocation()) << i;
        ASSERT_EQ(read.GetCategory().GetReserved(), written[i].GetCategory().GetReserved()) << i;
        ASSERT_EQ(read.ComputeDigest(), written[i].ComputeDigest()) << i;
    }
    EXPECT_EQ(loading.BytesLeft(), 0);
}

// Reading ahead follows a record past its tuple by the layout Serialize
// writes: for every length of its strings and both file versions.
TEST(SharedCategories, ReadingAheadFindsTheEndOfARecord) {
    TestPlatform platform;
    const struct {
        const char* name;
        QString description;
        QString location;
        quint32 version;
        bool followed;
    } cases[] = {
        {"empty texts", {}, {}, 2, true},
        {"short texts", "Lunch", "Paris", 2, true},
        {"texts of 254 units", QString(254, 'd'), QString(254, 'l'), 2, true},
        {"a text of 255 units", QString(255, 'd'), {}, 2, false},
        {"version 1 has no mileage rate", "Fuel", "Oslo", 1, true},
    };
    for (const auto& c : cases) {
        CExpenseRecord record;
        record.SetDescription(c.description);
        record.SetLocation(c.location);
        QByteArray whole;
        QByteArray tuple;
        for (QByteArray* bytes : {&whole, &tuple}) {
            QBuffer buffer(bytes);
            buffer.open(QIODevice::WriteOnly);
            CExpenseArchive archive(buffer, CExpenseArchive::Mode::kStore);
            if (bytes == &whole) {
                record.Serialize(archive, 1);
            } else {
                CCategory(record.GetCategory()).Serialize(archive, 1);
            }
            archive.Close();
        }
        if (c.version < 2) {
            whole.remove(whole.size() - 12, 8);  // the mileage rate before `reserved`
        }
        const QByteArrayView rest = QByteArrayView(whole).sliced(tuple.size());
        EXPECT_EQ(CExpenseRecord::StoredSizeAfterTuple(rest, c.version),
                  c.followed ? rest.size() : 0)
            << c.name;
        EXPECT_EQ(CExpenseRecord::StoredSizeAfterTuple(rest.chopped(1), c.version), 0) << c.name;
    }
}
