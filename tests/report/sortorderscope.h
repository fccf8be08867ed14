#pragma once

#include "report/recordsortorder.h"

// The program shares one sort order, and reading a report changes it; each
// test that touches it puts the one before back.
class SortOrderScope {
public:
    SortOrderScope() : saved_(CRecordSortOrder::Shared()) {}
    ~SortOrderScope() { CRecordSortOrder::Shared() = saved_; }
    SortOrderScope(const SortOrderScope&) = delete;
    SortOrderScope& operator=(const SortOrderScope&) = delete;

private:
    CRecordSortOrder saved_;
};
