#pragma once

#include <QByteArray>
#include <QHash>
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

private:
    std::shared_ptr<CCategory> next_;  // read into, until it is kept
    QHash<QByteArray, std::shared_ptr<CCategory>> known_;
};
