#pragma once

#include <QString>
#include <QStringList>

// `a` without trailing "/" joined to `b` without leading "/" by one "/". An
// empty `a` therefore gives "/b".
QString JoinPath(const QString& a, const QString& b);

// Creates every missing level of a folder path. An empty path only logs
// "Cannot create an empty directory." and succeeds. A failure is logged with
// the level that could not be created and the system's reason.
bool CreateDirectoryPath(const QString& path);

// True when the file system reports a status for the path (file or folder).
bool FileExists(const QString& path);

// True when the path names a folder.
bool IsDirectory(const QString& path);

// Sets a file's last-access and last-write times to the platform clock's
// current time, making a read-only file writable first, as the device
// clears its attributes. False when the path is missing or no regular file,
// or its times cannot be set.
bool TouchFile(const QString& path);

// Writes the `size` bytes at `data` to the open file `handle`, going on
// after interrupted or partial writes. False on a failure, with errno
// saying why (ENOSPC for a write that stored nothing).
bool WriteWhole(int handle, const char* data, qint64 size);

// Makes the names in `folder` durable: a file renamed into it lasts a crash
// only once the folder is synced. A file system that cannot sync a folder
// has nothing more to offer, and the rename has happened either way, so
// nothing is reported.
void SyncFolderNames(const QString& folder);

// The names of the files of `folder` that are `fileName` without regard to
// letter case, as the device's file system saw them, sorted. More than one
// means the folder holds names the device could not tell apart.
QStringList FindFilesIgnoringCase(const QString& folder, const QString& fileName);
