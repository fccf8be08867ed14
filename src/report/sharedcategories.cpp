#include "report/sharedcategories.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "archive/expensearchive.h"

namespace {

// Beyond this many distinct tuples a file is no usual report; the rest are
// read each on its own rather than held for sharing.
constexpr qsizetype kMostKept = 4096;

// Every stored tuple is longer: the category's index and group and the
// header of its name tell most tuples apart.
constexpr qsizetype kBucketKeyBytes = 16;

}  // namespace

SharedCategories::Bucket* SharedCategories::BucketOf(QByteArrayView ahead) {
    if (ahead.size() < kBucketKeyBytes) {
        return nullptr;
    }
    const quint64 key = qFromUnaligned<quint64>(ahead.data()) * 0x9E3779B97F4A7C15ULL ^
                        qFromUnaligned<quint64>(ahead.data() + 8) * 0xC2B2AE3D27D4EB4FULL;
    if (!recent_) {
        recent_ = std::make_unique<std::array<Bucket, kBuckets>>();
    }
    return &(*recent_)[static_cast<size_t>(key >> 58) % kBuckets];
}

SharedCategories::Known* SharedCategories::Match(Bucket& bucket, QByteArrayView ahead,
                                                 int context) {
    // Reading the same bytes reads the same tuple and takes exactly those
    // bytes, never one more: bytes ahead that begin with a tuple's bytes
    // read before are that tuple, and nothing of them need be decoded.
    for (Known& way : bucket) {
        const qsizetype size = way.bytes.size();
        if (size == 0) {
            break;
        }
        if (way.context == context && size <= ahead.size() &&
            std::memcmp(way.bytes.constData(), ahead.data(), static_cast<size_t>(size)) == 0) {
            return &way;
        }
    }
    return nullptr;
}

qsizetype SharedCategories::KnownSizeAhead(QByteArrayView ahead, int context) {
    Bucket* const bucket = BucketOf(ahead);
    const Known* const known = bucket != nullptr ? Match(*bucket, ahead, context) : nullptr;
    return known != nullptr ? known->bytes.size() : 0;
}

std::shared_ptr<CCategory> SharedCategories::Read(CExpenseArchive& archive, int context) {
    const QByteArrayView ahead = archive.Buffered();
    Bucket* const bucket = BucketOf(ahead);
    if (bucket == nullptr) {
        return Parse(archive, context, nullptr);
    }
    if (Known* const known = Match(*bucket, ahead, context)) {
        archive.SkipBuffered(known->bytes.size());
        // The tuple met most often stays first in its bucket.
        std::rotate(bucket->begin(), bucket->begin() + (known - bucket->data()), known + 1);
        return bucket->front().category;
    }
    return Parse(archive, context, bucket);
}

std::shared_ptr<CCategory> SharedCategories::Parse(CExpenseArchive& archive, int context,
                                                   Bucket* bucket) {
    // Every stored field is read over whatever the last tuple left, so a
    // tuple read into a used object equals one read into a new object.
    if (!next_) {
        next_ = std::make_shared<CCategory>();
    }
    const bool damagedBefore = archive.DamageNoted();
    const qint64 before = archive.BytesLeft();
    next_->Serialize(archive, context);
    const QByteArrayView bytes = archive.LastRead(before - archive.BytesLeft());
    if (bytes.isEmpty()) {
        // Read across the end of the archive's buffer: kept on its own.
        return std::exchange(next_, nullptr);
    }
    // Keyed by the bytes, never by the texts: the same bytes read the same
    // tuple, and finding them costs a hash of a few dozen bytes.
    std::shared_ptr<CCategory> category;
    QByteArray key;
    const auto found = known_.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (found != known_.constEnd()) {
        key = found.key();
        category = found.value();
    } else {
        key = bytes.toByteArray();
        category = std::exchange(next_, nullptr);
        if (known_.size() < kMostKept) {
            known_.insert(key, category);
        }
    }
    // A damaged tuple is read again each time, so that each time it is
    // noted as damaged.
    if (bucket != nullptr && !damagedBefore && !archive.DamageNoted()) {
        std::rotate(bucket->begin(), bucket->end() - 1, bucket->end());
        bucket->front() = Known{key, context, category};
    }
    return category;
}
