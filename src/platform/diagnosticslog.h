#pragma once

#include <QString>

// A small log for failures the user is never shown: "OutlaysheetDevLog.txt"
// in the installation folder (GetAppPath). Without an installation folder
// nothing is written. The log is deleted at every start, so it only ever
// describes the current run, and it restarts once it grows past 128000 bytes.
// Logging never fails visibly and leaves errno as it found it.

inline constexpr qint64 kLogSizeLimit = 128000;

// The log's path; empty when no installation folder is recorded.
QString LogFilePath();

// Appends "MM/dd/yyyy HH:mm:ss - message". With `withLastError` the message
// gets " - GetLastError: " and the system's text for errno at the call.
void LogMessage(const QString& message, bool withLastError = false);

// Deletes the log file if it exists.
void DeleteLog();

// The system's text for an error number, or "Unknown error" when it has none.
QString LastErrorText(int error);
