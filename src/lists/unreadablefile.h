#pragma once

#include <QString>

// A reference list whose file cannot be read is rebuilt from its defaults and
// written back at once. So that writing back never destroys what the user
// had (a file of a newer version, one damaged in transfer), the unreadable
// file is first moved beside itself, to its name followed by ".unreadable"
// (or ".unreadable2", ".unreadable3" ... when that is taken), where nothing
// reads it again and from where it can be recovered by hand.
//
// True when the file at `path` is now kept under the new name, and the user
// is told so with a warning; false when `path` is not a file or could not be
// moved (then it must not be overwritten). Both outcomes are written to the
// diagnostics log.
bool KeepUnreadableFile(const QString& path);
