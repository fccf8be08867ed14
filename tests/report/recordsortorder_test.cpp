#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordquery.h"
#include "report/recordsortorder.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

// The order as it is defined, compared pair by pair with a stable sort: by
// the field's value (texts without regard to case, amounts with those that
// are no number first), equal values by date, both in the direction; the
// currency and codes outside the table order nothing.
std::vector<size_t> DefinedOrder(const std::vector<const CExpenseRecord*>& records, qint32 field,
                                 qint32 direction) {
    const auto compare = [field](const CExpenseRecord& a, const CExpenseRecord& b) {
        const auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
        int result = 0;
        switch (field) {
            case kFieldDate:
                return order(a.GetDate(), b.GetDate());
            case kFieldAmount: {
                const double x = a.GetAmount(false).GetValue();
                const double y = b.GetAmount(false).GetValue();
                result = std::isnan(x) || std::isnan(y) ? order(!std::isnan(x), !std::isnan(y))
                                                        : order(x, y);
                break;
            }
            case kFieldReceipt:
                result = order(a.GetReceipt(), b.GetReceipt());
                break;
            case kFieldCurrency:
                return 0;
            default:
                if (field < kFieldDate || field > kFieldCurrency) {
                    return 0;
                }
                result = QString::compare(a.GetFieldText(field), b.GetFieldText(field),
                                          Qt::CaseInsensitive);
                result = (result > 0) - (result < 0);
        }
        return result != 0 ? result : order(a.GetDate(), b.GetDate());
    };
    std::vector<size_t> positions(records.size());
    for (size_t i = 0; i < positions.size(); ++i) {
        positions[i] = i;
    }
    std::stable_sort(positions.begin(), positions.end(), [&](size_t a, size_t b) {
        const int order = compare(*records[a], *records[b]);
        return direction == CRecordSortOrder::kDescending ? order > 0 : order < 0;
    });
    return positions;
}

// Records drawn from few distinct values, so that ties are everywhere:
// texts that differ only in case, equal texts in one shared copy and in
// copies of their own, amounts that are no number, zero of both signs and
// infinities.
class RecordMaker {
public:
    explicit RecordMaker(unsigned seed) : random_(seed) {}

    std::unique_ptr<CExpenseRecord> Make() {
        auto record = std::make_unique<CExpenseRecord>();
        Fill(*record);
        return record;
    }
    void Fill(CExpenseRecord& record) {
        CCategory category(Text(), 10, 6);
        category.SetReceipt(Pick(2));
        category.SetClassification(CClassification(Text(), QString()));
        category.SetPaidWith(CPaidWith(Text(), QString(), CPaidWith::kPersonal));
        record.SetCategory(category);
        record.SetDescription(Text());
        record.SetLocation(Text());
        record.SetPurpose(Text());
        record.SetContacts(Text());
        record.SetCurrencyName(Text());
        record.SetAmount(Amount(kAmounts[Pick(std::size(kAmounts))]));
        record.SetDate(Pick(2) == 0 ? -5 : 1700000000 + Pick(4) * 86400);
    }
    int Pick(size_t count) { return static_cast<int>(random_() % count); }
    // Half the texts shared, as a file's reading shares them; the other half
    // copies of their own with the same characters.
    QString Text() {
        const QString& shared = kTexts[Pick(std::size(kTexts))];
        return Pick(2) == 0 ? shared : QString(shared.constData(), shared.size());
    }

private:
    inline static const QString kTexts[] = {
        "Taxi", "taxi", "TAXI", "Lunch", "", "\u00e9t\u00e9", "\u00c9T\u00c9", "Zoo", "a", "B"};
    static constexpr double kAmounts[] = {0.0,
                                          -0.0,
                                          12.5,
                                          -3,
                                          12.5,
                                          std::numeric_limits<double>::quiet_NaN(),
                                          -std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          1e-300};
    std::mt19937 random_;
};

}  // namespace

TEST(RecordSortOrder, EveryFieldAndDirectionGivesTheDefinedOrder) {
    TestPlatform platform;
    RecordMaker maker(11);
    std::vector<std::unique_ptr<CExpenseRecord>> owned;
    for (int i = 0; i < 400; ++i) {
        owned.push_back(maker.Make());
    }
    std::vector<const CExpenseRecord*> records;
    for (const auto& record : owned) {
        records.push_back(record.get());
    }
    const auto expectDefinedOrders = [&records] {
        for (qint32 field = -1; field <= kFieldCurrency + 1; ++field) {
            for (qint32 direction :
                 {CRecordSortOrder::kDescending, CRecordSortOrder::kAscending}) {
                CRecordSortOrder order;
                order.SetStored(field, direction);
                EXPECT_EQ(order.StableOrder(records), DefinedOrder(records, field, direction))
                    << "field " << field << " direction " << direction;
            }
        }
    };
    expectDefinedOrders();
    // Dates no file can hold, beyond 32 bits either way, sort the same.
    owned[3]->SetDate(TimeStamp{1} << 40);
    owned[7]->SetDate(-(TimeStamp{1} << 40));
    owned[9]->SetDate(TimeStamp{1} << 40);
    expectDefinedOrders();
}

// A collection keeps what it learnt of its records at the last sort, for
// sorting again; every way a user's change reaches the records must leave it
// sorting into the defined order: edits in place, replacements, new,
// inserted and deleted expenses, whole records assigned, and copies edited
// apart, few at a time and many at once, in every field and direction.
TEST(RecordSortOrder, SortingAgainAfterChangesGivesTheDefinedOrder) {
    TestPlatform platform;
    SortOrderScope scope;
    RecordMaker maker(23);
    CExpenseRecords collection;
    for (int i = 0; i < 300; ++i) {
        collection.Add(maker.Make(), false);
    }
    const auto held = [&collection] {
        std::vector<const CExpenseRecord*> records;
        for (int i = 0; i < collection.GetCount(false); ++i) {
            records.push_back(collection.GetAt(i, false));
        }
        return records;
    };
    const auto expectSortedAsDefined = [&](qint32 field, qint32 direction, bool add) {
        const std::vector<const CExpenseRecord*> before = held();
        std::vector<const CExpenseRecord*> expected;
        if (add) {
            // The new record goes to the end, then all are sorted.
            auto record = maker.Make();
            const CExpenseRecord* added = record.get();
            CRecordSortOrder::Shared().SetStored(field, direction);
            collection.Add(std::move(record), true);
            std::vector<const CExpenseRecord*> all = before;
            all.push_back(added);
            for (size_t position : DefinedOrder(all, field, direction)) {
                expected.push_back(all[position]);
            }
        } else {
            collection.SetSortOrder(field, direction);
            for (size_t position : DefinedOrder(before, field, direction)) {
                expected.push_back(before[position]);
            }
        }
        ASSERT_EQ(held(), expected) << "field " << field << " direction " << direction;
    };
    const auto someIndex = [&] { return maker.Pick(collection.GetCount(false)); };
    for (int round = 0; round < 240; ++round) {
        const qint32 field = maker.Pick(kFieldCurrency + 1);
        const qint32 direction = maker.Pick(2);
        // Each field sorted once, then changed and sorted again.
        expectSortedAsDefined(field, direction, false);
        const int changes = round % 10 == 9 ? 60 : 1 + maker.Pick(3);
        for (int change = 0; change < changes; ++change) {
            switch (maker.Pick(8)) {
                case 0: {
                    CExpenseRecord* record = collection.GetAt(someIndex(), false);
                    switch (maker.Pick(4)) {
                        case 0:
                            record->SetDate(1700000000 + maker.Pick(4) * 86400);
                            break;
                        case 1:
                            record->SetAmount(Amount(maker.Pick(3) - 1.0));
                            break;
                        case 2:
                            record->SetDescription(maker.Text());
                            break;
                        default:
                            record->SetReceipt(maker.Pick(2) == 0);
                    }
                    break;
                }
                case 1:
                    collection.SetAt(someIndex(), maker.Make(), false);
                    break;
                case 2:
                    collection.InsertAt(someIndex(), maker.Make());
                    break;
                case 3:
                    collection.RemoveAt(someIndex());
                    collection.Add(maker.Make(), false);
                    break;
                case 4: {
                    CExpenseRecord other(*collection.GetAt(someIndex(), false));
                    maker.Fill(other);
                    *collection.GetAt(someIndex(), false) = other;
                    break;
                }
                case 5: {
                    // Edited apart, as a slip edits, and never put back.
                    CExpenseRecord copy(*collection.GetAt(someIndex(), false));
                    maker.Fill(copy);
                    break;
                }
                case 6: {
                    // Two expenses alike on a day no other one has.
                    const CExpenseRecord& model = *collection.GetAt(someIndex(), false);
                    for (int i = 0; i < 2; ++i) {
                        CExpenseRecord* record = collection.GetAt(someIndex(), false);
                        *record = model;
                        record->SetDate(1800000000 + round);
                    }
                    break;
                }
                default:
                    collection.GetAt(someIndex(), false)
                        ->SetCategory(CCategory(maker.Text(), 10, 6));
            }
        }
        expectSortedAsDefined(field, maker.Pick(2), maker.Pick(2) == 0);
    }
}

// Texts are told apart by where they are stored before their characters are
// read: many distinct texts, each shared by a few records or in a storage of
// its own, as a file's reading and typing leave them, still sort as defined.
TEST(RecordSortOrder, ManyTextsSharedOrEachInItsOwnStorageSortAsDefined) {
    TestPlatform platform;
    std::mt19937 random(5);
    for (const bool mostlyShared : {true, false}) {
        std::vector<QString> texts;
        for (int i = 0; i < 3000; ++i) {
            texts.push_back(QStringLiteral("Item %1").arg(random() % (mostlyShared ? 600 : 2500)));
        }
        std::vector<std::unique_ptr<CExpenseRecord>> owned;
        std::vector<const CExpenseRecord*> records;
        for (int i = 0; i < 6000; ++i) {
            const QString& text = texts[random() % texts.size()];
            auto record = std::make_unique<CExpenseRecord>();
            record->SetDescription(
                mostlyShared && random() % 8 != 0 ? text : QString(text.constData(), text.size()));
            record->SetDate(1700000000 + static_cast<TimeStamp>(random() % 50) * 86400);
            records.push_back(record.get());
            owned.push_back(std::move(record));
        }
        // Two lengths of one storage are two texts.
        static const char16_t kRaw[] = u"Item 12";
        for (qsizetype length : {7, 6, 7, 6}) {
            auto record = std::make_unique<CExpenseRecord>();
            record->SetDescription(
                QString::fromRawData(reinterpret_cast<const QChar*>(kRaw), length));
            record->SetDate(1700000000);
            records.push_back(record.get());
            owned.push_back(std::move(record));
        }
        for (qint32 direction : {CRecordSortOrder::kDescending, CRecordSortOrder::kAscending}) {
            CRecordSortOrder order;
            order.SetStored(kFieldDescription, direction);
            EXPECT_EQ(order.StableOrder(records),
                      DefinedOrder(records, kFieldDescription, direction))
                << "mostly shared " << mostlyShared << " direction " << direction;
        }
    }
}
