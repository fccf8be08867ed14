#include "lists/namemap.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "support/qtprinters.h"

namespace {

template <typename T>
QStringList Keys(const NameMap<T>& map) {
    QStringList keys;
    for (const auto& entry : map) {
        keys << entry.key;
    }
    return keys;
}

const QStringList kInserted = {
    "CASH",      "CHECK", "VISA",   "MASTERCARD", "AMEX",  "DINERS",  "DISCOVER", "CORPORATE CARD",
    "BREAKFAST", "LUNCH", "DINNER", "SNACKS",     "PHONE", "PARKING", "ENTERT",   "FUEL"};

}  // namespace

TEST(NameMap, HashIsTimesThirtyThreePlusEachCodeUnit) {
    // C=67, A=65, S=83, H=72: ((67*33+65)*33+83)*33+72
    EXPECT_EQ(NameMap<int>::Hash(u"CASH"), 2481375u);
    EXPECT_EQ(NameMap<int>::Hash(u""), 0u);
    // Overflows wrap at 32 bits.
    EXPECT_EQ(NameMap<int>::Hash(u"DINERS"), 2750659973u);
    EXPECT_EQ(NameMap<int>::Hash(u"CORPORATE CARD"), 3428739465u);
    EXPECT_EQ(NameMap<int>::Hash(u"É"), 0xC9u);  // code units, not bytes
}

TEST(NameMap, IteratesBucketsInOrderNewestFirstWithinABucket) {
    NameMap<int> map;
    for (int i = 0; i < kInserted.size(); ++i) {
        map.Insert(kInserted[i], i);
    }
    // Buckets (hash % 17): DINNER and BREAKFAST 1, VISA 3, CHECK and CASH 4,
    // FUEL SNACKS MASTERCARD 5, LUNCH 6, DISCOVER 9, PHONE 10, ENTERT PARKING
    // and CORPORATE CARD 13, DINERS and AMEX 14.
    const QStringList expected = {"DINNER",  "BREAKFAST",      "VISA",   "CHECK",
                                  "CASH",    "FUEL",           "SNACKS", "MASTERCARD",
                                  "LUNCH",   "DISCOVER",       "PHONE",  "ENTERT",
                                  "PARKING", "CORPORATE CARD", "DINERS", "AMEX"};
    EXPECT_EQ(Keys(map), expected);
    EXPECT_EQ(map.Count(), 16);

    // Replacing a value keeps its place; removing takes out only that entry.
    map.Insert("CASH", 100);
    EXPECT_EQ(Keys(map), expected);
    EXPECT_EQ(*map.Find(u"CASH"), 100);
    EXPECT_TRUE(map.Remove(u"CHECK"));
    EXPECT_FALSE(map.Remove(u"CHECK"));
    QStringList withoutCheck = expected;
    withoutCheck.removeAll("CHECK");
    EXPECT_EQ(Keys(map), withoutCheck);
    // A key is found only as given: callers upper-case.
    EXPECT_EQ(map.Find(u"cash"), nullptr);
    // Re-adding puts it at the head of its bucket again.
    map.Insert("CHECK", 1);
    EXPECT_EQ(Keys(map).mid(3, 2), (QStringList{"CHECK", "CASH"}));
}

TEST(NameMap, ValuesStayPutWhileOthersComeAndGo) {
    NameMap<QString> map;
    QString* visa = &map.Insert("VISA", "card");
    for (const QString& key : kInserted) {
        map.Insert(key + "X", key);
    }
    map.Remove(u"CASHX");
    EXPECT_EQ(visa, map.Find(u"VISA"));
    EXPECT_EQ(*visa, "card");
    map.Clear();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.begin(), map.end());
}
