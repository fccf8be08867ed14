#pragma once

#include <QString>

class CExpenseRecords;

// Work on whole report files that the window's report commands start.
namespace ReportCopies {

// The first free "TITLE Copy N.xpf" (N from 1 to 999) beside the report file
// `reportPath`, where TITLE is the report's title without any " Copy ..."
// suffix, so that copying a copy numbers on from the original. Empty when
// all 999 are taken.
QString FreeCopyPath(const QString& reportPath);

// Copies or moves the visible expenses of `source` into the report file
// `targetPath`, which is then sorted and saved. The program's sort order is
// the same afterwards. A move takes the expenses out of `source` only once
// the target is saved, so a failed save leaves every expense where it was.
// False when the target cannot be read or written.
bool MergeVisibleRecords(CExpenseRecords& source, const QString& targetPath, bool move);

}  // namespace ReportCopies
