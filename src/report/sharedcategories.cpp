#include "report/sharedcategories.h"

#include "archive/expensearchive.h"

namespace {

// Beyond this many distinct tuples a file is no usual report; the rest are
// read each on its own rather than held for sharing.
constexpr qsizetype kMostKept = 4096;

}  // namespace

std::shared_ptr<CCategory> SharedCategories::Read(CExpenseArchive& archive, int context) {
    // Every stored field is read over whatever the last tuple left, so a
    // tuple read into a used object equals one read into a new object.
    if (!next_) {
        next_ = std::make_shared<CCategory>();
    }
    const qint64 before = archive.BytesLeft();
    next_->Serialize(archive, context);
    const QByteArrayView bytes = archive.LastRead(before - archive.BytesLeft());
    if (bytes.isEmpty()) {
        // Read across the end of the archive's buffer: kept on its own.
        return std::exchange(next_, nullptr);
    }
    // Keyed by the bytes, never by the texts: the same bytes read the same
    // tuple, and finding them costs a hash of a few dozen bytes.
    const auto found = known_.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
    if (found != known_.constEnd()) {
        return found.value();
    }
    if (known_.size() < kMostKept) {
        known_.insert(bytes.toByteArray(), next_);
    }
    return std::exchange(next_, nullptr);
}
