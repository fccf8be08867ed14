#pragma once

#include <QByteArray>
#include <QHash>
#include <array>
#include <memory>

#include "lists/category.h"

class CExpenseArchive;

// The category tuples of the expenses of one file being read. Every expense
// carries its tuple by value, yet a report holds only a few distinct ones:
// expenses whose tuples were stored in the same bytes share one copy, which
// none of them changes in place (CExpenseRecord copies it first).
class SharedCategories {
public:
    // Reads a tuple; the copy read before from the same bytes, if any.
    std::shared_ptr<CCategory> Read(CExpenseArchive& archive, int context);

    // The size of the tuple that the bytes `ahead` begin with, when it is
    // one read before; else 0.
    qsizetype KnownSizeAhead(QByteArrayView ahead, int context);

private:
    struct Known {
        QByteArray bytes;  // empty: no tuple
        int context = 0;
        std::shared_ptr<CCategory> category;
    };
    static constexpr int kBuckets = 64;
    static constexpr int kWays = 4;
    using Bucket = std::array<Known, kWays>;

    // The bucket of the tuples that may begin the bytes `ahead`; none when
    // they are too few to tell.
    Bucket* BucketOf(QByteArrayView ahead);
    // The tuple in `bucket` that the bytes `ahead` begin with, if any.
    static Known* Match(Bucket& bucket, QByteArrayView ahead, int context);
    std::shared_ptr<CCategory> Parse(CExpenseArchive& archive, int context, Bucket* bucket);

    std::shared_ptr<CCategory> next_;  // read into, until it is kept
    QHash<QByteArray, std::shared_ptr<CCategory>> known_;
    // The tuples met last, by the first bytes they are stored in; made at
    // the first tuple read, as a record being written makes none.
    std::unique_ptr<std::array<Bucket, kBuckets>> recent_;
};
