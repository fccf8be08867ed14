#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <functional>

#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "reportbytes.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

const QString kEditLost = QStringLiteral(
    "Another program changed or deleted the expense you edited while you were editing it. "
    "Your version is kept as an expense of its own.");

QString TripPath() {
    return JoinPath(GetReportsDirectory(), QStringLiteral("Trip.xpf"));
}

std::unique_ptr<CExpenseRecord> Expense(const QString& description, double amount) {
    auto record = std::make_unique<CExpenseRecord>();
    record->SetCategory(CCategory(QStringLiteral("Lunch"), 4, 1));
    record->SetDescription(description);
    record->SetAmount(Amount(amount));
    return record;
}

// "Trip" with the expenses A (10), B (20) and C (30).
void MakeTrip() {
    CExpenseDoc doc;
    CExpenseReportInfo header;
    QString error;
    ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), QStringLiteral("Trip"), false, error));
    ASSERT_TRUE(doc.CreateReport(header));
    doc.AddRecord(Expense("A", 10), false);
    doc.AddRecord(Expense("B", 20), false);
    doc.AddRecord(Expense("C", 30), false);
    ASSERT_TRUE(doc.SaveReport(false));
}

quint64 IdOf(CExpenseDoc& doc, const QString& description) {
    for (int i = 0; i < doc.GetRecords().GetCount(false); ++i) {
        if (doc.GetRecords().GetAt(i, false)->GetDescription() == description) {
            return doc.GetRecords().GetAt(i, false)->GetId();
        }
    }
    ADD_FAILURE() << "no expense " << description.toStdString();
    return 0;
}

void Edit(CExpenseDoc& doc, const QString& description, const QString& to) {
    const quint64 id = IdOf(doc, description);
    const int index = doc.GetRecords().IndexOfId(id, true);
    auto edited = std::make_unique<CExpenseRecord>(*doc.GetRecords().GetAt(index, true));
    edited->SetDescription(to);
    ASSERT_TRUE(doc.ReplaceRecordById(id, std::move(edited), true));
}

// The descriptions of the expenses the file holds, with their total.
QString Stored(const QString& path = TripPath()) {
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    if (!report.Open(path, false)) {
        return QStringLiteral("unreadable");
    }
    QStringList descriptions;
    for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
        descriptions.append(report.GetRecords().GetAt(i, false)->GetDescription());
    }
    descriptions.sort();
    return descriptions.join(' ') + QStringLiteral(" = ") +
           QString::number(report.GetHeader().GetTotals().GetTotal().GetValue(), 'f', 2);
}

}  // namespace

// Two writers open the same report; each changes it and saves, the second
// without having seen the first's change. Nothing either did is lost.
TEST(WritersTest, TheSecondSaveCombinesBothWritersChanges) {
    using Change = std::function<void(CExpenseDoc&)>;
    const auto add = [](const QString& what, double amount) -> Change {
        return [=](CExpenseDoc& doc) { doc.AddRecord(Expense(what, amount), true); };
    };
    const auto remove = [](const QString& what) -> Change {
        return [=](CExpenseDoc& doc) { doc.RemoveRecordById(IdOf(doc, what)); };
    };
    const auto edit = [](const QString& what, const QString& to) -> Change {
        return [=](CExpenseDoc& doc) { Edit(doc, what, to); };
    };
    // Changed where it stands, as the detailed list's receipt box does.
    const auto tick = [](const QString& what) -> Change {
        return [=](CExpenseDoc& doc) {
            CExpenseRecords& records = doc.GetRecords();
            records.GetAt(records.IndexOfId(IdOf(doc, what), true), true)->SetReceipt(true);
        };
    };
    struct Case {
        const char* name;
        Change first;
        Change second;
        const char* stored;
        bool editLost;
    } cases[] = {
        {"both add", add("D", 1), add("E", 2), "A B C D E = 63.00", false},
        {"add beside a deletion", add("D", 1), remove("B"), "A C D = 41.00", false},
        {"edit beside an addition", add("D", 1), edit("A", "A2"), "A2 B C D = 61.00", false},
        {"both delete one", remove("A"), remove("A"), "B C = 50.00", false},
        {"edit of an expense deleted meanwhile", remove("A"), edit("A", "A2"), "A2 B C = 60.00",
         true},
        {"two edits of one expense", edit("A", "A1"), edit("A", "A2"), "A1 A2 B C = 70.00", true},
        {"edits of two expenses", edit("A", "A1"), edit("C", "C1"), "A1 B C1 = 60.00", false},
        {"a tick on an expense deleted meanwhile", remove("A"), tick("A"), "A B C = 60.00", true},
        {"a tick beside an addition", add("D", 1), tick("B"), "A B C D = 61.00", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestPlatform platform;
        SortOrderScope sortOrder;
        MakeTrip();
        CExpenseDoc first;
        CExpenseDoc second;
        ASSERT_TRUE(first.OpenReport(TripPath()));
        ASSERT_TRUE(second.OpenReport(TripPath()));
        c.first(first);
        ASSERT_TRUE(first.SaveReport(false));
        c.second(second);
        ASSERT_TRUE(second.SaveReport(false));
        EXPECT_EQ(Stored(), QString::fromLatin1(c.stored));
        EXPECT_EQ(platform.Prompts().Texts().contains(kEditLost), c.editLost);
        // The writer that merged holds what it wrote.
        EXPECT_EQ(second.GetRecords().GetCount(false), Stored().count(' ') - 1);
    }
}

TEST(WritersTest, HeaderFieldsTakeWhatEachWriterChanged) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    MakeTrip();
    CExpenseDoc first;
    CExpenseDoc second;
    ASSERT_TRUE(first.OpenReport(TripPath()));
    ASSERT_TRUE(second.OpenReport(TripPath()));
    first.GetReport().GetHeader().SetLocation(QStringLiteral("Oslo"));
    first.GetReport().GetHeader().SetCashAdvance(Amount(25));
    first.GetRecords().RecomputeTotals();
    ASSERT_TRUE(first.SaveReport(false));
    second.GetReport().GetHeader().SetPurpose(QStringLiteral("Fair"));
    second.GetReport().GetHeader().SetSubmitted(true);
    ASSERT_TRUE(second.SaveReport(false));

    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(TripPath(), false));
    const CExpenseReportInfo& header = stored.GetHeader();
    EXPECT_EQ(header.GetLocation(), QStringLiteral("Oslo"));
    EXPECT_EQ(header.GetPurpose(), QStringLiteral("Fair"));
    EXPECT_TRUE(header.IsSubmitted());
    EXPECT_EQ(header.GetCashAdvance().GetValue(), 25.0);
    // The totals count the advance the other writer gave.
    EXPECT_EQ(header.GetTotals().GetBusinessPaid().GetValue(), 25.0);
}

// A sync tool puts its own version in place (a rename over the file, as it
// would): its expenses and ours are both kept. When what it put there cannot
// be read, it is left as it is and ours goes into a copy beside it.
TEST(WritersTest, AReplacedFileIsMergedOrLeftBesideACopy) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    MakeTrip();
    CExpenseDoc doc;
    ASSERT_TRUE(doc.OpenReport(TripPath()));
    {
        CExpenseDoc sync;
        ASSERT_TRUE(sync.OpenReport(TripPath()));
        sync.AddRecord(Expense("Synced", 5), true);
        ASSERT_TRUE(sync.SaveReport(false));
    }
    doc.AddRecord(Expense("Mine", 1), true);
    ASSERT_TRUE(doc.SaveReport(false));
    EXPECT_EQ(Stored(), QStringLiteral("A B C Mine Synced = 66.00"));

    const QByteArray foreign("not a report at all");
    {
        QSaveFile replacement(TripPath());
        ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
        replacement.write(foreign);
        ASSERT_TRUE(replacement.commit());
    }
    doc.AddRecord(Expense("Later", 2), true);
    ASSERT_TRUE(doc.SaveReport(false));
    EXPECT_EQ(ReadFileBytes(TripPath()), foreign);
    const QString copy = doc.GetReport().GetHeader().GetPath();
    EXPECT_NE(copy, TripPath());
    EXPECT_TRUE(platform.Prompts().Texts().last().contains(copy));
    CExpenseReport kept;
    kept.GetCurrencyTable().Load(false);
    ASSERT_TRUE(kept.Open(copy, false));
    EXPECT_EQ(kept.GetRecords().GetCount(false), 6);
}

// A file whose times changed but whose bytes did not needs no merge, and a
// report saved untouched keeps its bytes.
TEST(WritersTest, ATouchedFileIsWrittenAsIfUntouched) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    MakeTrip();
    CExpenseDoc doc;
    ASSERT_TRUE(doc.OpenReport(TripPath()));
    const QByteArray before = ReadFileBytes(TripPath());
    platform.Clock().Set(kTestNow + 3600);
    ASSERT_TRUE(TouchFile(TripPath()));
    doc.AddRecord(Expense("D", 4), true);
    ASSERT_TRUE(doc.SaveReport(false));
    EXPECT_EQ(Stored(), QStringLiteral("A B C D = 64.00"));
    EXPECT_TRUE(platform.Prompts().Texts().isEmpty())
        << platform.Prompts().Texts().join('\n').toStdString();
    EXPECT_NE(ReadFileBytes(TripPath()), before);
}

// A merge keeps the expenses both writers hold as the same expenses: what a
// dialog opened on one of them edits is still found by its identity.
TEST(WritersTest, ExpensesBothWritersHoldKeepTheirIdentityThroughAMerge) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    MakeTrip();
    CExpenseDoc doc;
    ASSERT_TRUE(doc.OpenReport(TripPath()));
    const quint64 b = IdOf(doc, "B");
    {
        CExpenseDoc other;
        ASSERT_TRUE(other.OpenReport(TripPath()));
        other.AddRecord(Expense("D", 4), true);
        ASSERT_TRUE(other.SaveReport(false));
    }
    doc.AddRecord(Expense("E", 5), true);
    ASSERT_TRUE(doc.SaveReport(false));
    EXPECT_EQ(doc.GetRecords().GetCount(false), 5);
    EXPECT_GE(doc.GetRecords().IndexOfId(b, true), 0);
}

// A report of the oldest version, which the first writer read as it is and
// the second rewrote in the current one: the first writer's deletion still
// finds the expense it deleted.
TEST(WritersTest, ADeletionReachesAnOldVersionsReportRewrittenByAnotherWriter) {
    TestPlatform platform;
    SortOrderScope sortOrder;
    const QString path = JoinPath(GetReportsDirectory(), QStringLiteral("Berlin.xpf"));
    ASSERT_TRUE(WriteFileBytes(path, SampleReport(1)));
    CExpenseDoc doc;
    ASSERT_TRUE(doc.OpenReport(path));
    ASSERT_EQ(ReadFileBytes(path), SampleReport(1));
    {
        CExpenseDoc other;
        ASSERT_TRUE(other.OpenReport(path));
        other.AddRecord(Expense("Added", 4), true);
        ASSERT_TRUE(other.SaveReport(false));
    }
    // The trip: the sample's selection shows it alone.
    ASSERT_TRUE(doc.RemoveRecordById(IdOf(doc, "Airport run")));
    ASSERT_TRUE(doc.SaveReport(false));
    // The lunch of 80 euros at 0.8 counts 100.00.
    EXPECT_EQ(Stored(path), QStringLiteral("Added Team lunch = 104.00"));
    EXPECT_TRUE(platform.Prompts().Texts().isEmpty());
}
