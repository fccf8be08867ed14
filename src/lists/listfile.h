#pragma once

#include <QString>
#include <functional>

class CExpenseObject;

// The load and save rules of the lists and records that keep a data file of
// their own: what cannot be read is replaced by the defaults and written back
// at once, and nothing is written that has not changed.

// The file of that name in the data folder; empty without a data folder (or
// a platform), rather than a file written wherever the program runs.
QString DataFilePath(const QString& fileName);

// Reads `object` from `path`. When the file is read and `accept` takes what
// it holds, the object is marked not modified and the result is true.
// Otherwise (a missing, empty, unreadable, foreign or newer file, or one that
// `accept` refuses) `makeDefaults` fills the object, which is then marked
// loaded and modified and written at once; the result is that of the save. A
// missing file is not reported. A file that held something unreadable is
// first kept beside itself (KeepUnreadableFile); when that fails, nothing is
// written and the result is false. False for an empty path. `keptUnreadable`,
// when given, tells whether the file was unreadable and kept aside.
bool LoadListFile(CExpenseObject& object, const QString& path, bool reportErrors,
                  const std::function<bool()>& accept, const std::function<void()>& makeDefaults,
                  bool* keptUnreadable = nullptr);

// Writes `object` to `path` when it is modified, then marks it not modified.
// True without writing when it is not modified; false for an empty path or a
// failed save.
bool SaveListFile(CExpenseObject& object, const QString& path, bool reportErrors);
