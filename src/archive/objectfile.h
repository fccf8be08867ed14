#pragma once

#include <QString>
#include <exception>

#include "archive/filestamp.h"

class CExpenseObject;

// The only way objects reach their files.

// Writes the whole object to `path`. With `prompt`, an object whose file
// failed to load asks before overwriting it, and errors are shown. The save
// is all or nothing: the object goes to a temporary file that replaces the
// old one only once every byte is on the disk, so a failed or interrupted
// save leaves the previous file exactly as it was. Success makes the object
// valid and loaded; the caller clears `modified`. The save holds the file's
// lock (FileLock); a file another process keeps locked is not written (with
// BusyFileMessage when `prompt`). `stamp`, when given, receives the stamp of
// the file written.
bool SaveObjectToFile(const QString& path, CExpenseObject* object, bool prompt,
                      FileStamp* stamp = nullptr);

// Reads the object from `path`, unless it is loaded already. A file that
// cannot be opened leaves the object not valid and reset when
// `resetOnFailure`, valid otherwise; an empty file leaves it valid and not
// loaded (reset when `resetOnFailure`); a corrupt, foreign or newer file
// leaves it not valid and reset. With `createIfMissing` a missing file is
// created empty. With `reportErrors` errors are shown. `stamp`, when given,
// receives the stamp of the file read.
bool LoadObjectFromFile(const QString& path, CExpenseObject* object, bool createIfMissing,
                        bool reportErrors, bool resetOnFailure, FileStamp* stamp = nullptr);

// The message for a file that another process keeps locked.
QString BusyFileMessage(const QString& path);

// The type code in a file's header when this program can read that version
// of it; 0 for an empty, short, unreadable or newer file.
quint32 ProbeDataFileType(const QString& path);
// True when the probe gives one of the program's file types (1 to 10).
bool IsKnownDataFile(const QString& path);

// The message shown when nothing more specific fits the error.
enum class DefaultFileMessage { kFailedToOpen, kFailedToSave, kInvalidFileName };

// The message for an error that ended a load (`saving` false) or a save of
// `path`; shown with the exclamation icon when `show`. Cancellation gives no
// message.
QString ReportFileError(const QString& path, const std::exception& error, bool saving,
                        DefaultFileMessage defaultMessage, bool show);
