#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "report/recordsortorder.h"
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

}  // namespace

// Many records with few distinct values, so that ties are everywhere: texts
// that differ only in case, equal texts in one shared copy and in copies of
// their own, amounts that are no number, zero of both signs and infinities.
TEST(RecordSortOrder, EveryFieldAndDirectionGivesTheDefinedOrder) {
    TestPlatform platform;
    const QStringList texts{"Taxi",          "taxi",          "TAXI", "Lunch", "",
                            "\u00e9t\u00e9", "\u00c9T\u00c9", "Zoo",  "a",     "B"};
    const double amounts[] = {0.0,
                              -0.0,
                              12.5,
                              -3,
                              12.5,
                              std::numeric_limits<double>::quiet_NaN(),
                              -std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              1e-300};
    std::mt19937 random(11);
    std::vector<std::unique_ptr<CExpenseRecord>> owned;
    for (int i = 0; i < 400; ++i) {
        auto record = std::make_unique<CExpenseRecord>();
        const auto pick = [&](int count) { return static_cast<int>(random() % count); };
        // Half the texts shared, as a file's reading shares them; the other
        // half copies of their own with the same characters.
        const auto text = [&]() {
            const QString& shared = texts[pick(texts.size())];
            return pick(2) == 0 ? shared : QString(shared.constData(), shared.size());
        };
        CCategory category(text(), 10, 6);
        category.SetReceipt(pick(2));
        category.SetClassification(CClassification(text(), QString()));
        category.SetPaidWith(CPaidWith(text(), QString(), CPaidWith::kPersonal));
        record->SetCategory(category);
        record->SetDescription(text());
        record->SetLocation(text());
        record->SetPurpose(text());
        record->SetContacts(text());
        record->SetCurrencyName(text());
        record->SetAmount(Amount(amounts[pick(std::size(amounts))]));
        record->SetDate(pick(2) == 0 ? -5 : 1700000000 + pick(4) * 86400);
        owned.push_back(std::move(record));
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
