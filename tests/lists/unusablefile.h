#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <optional>

#include "support/testplatform.h"

// One row of a table of files a list cannot use.
struct UnusableFile {
    const char* name;
    std::optional<QByteArray> bytes;  // nothing: no file at all
    bool kept;                        // unreadable: kept beside the new file
};

// What the user is told when the file at `path` was unreadable and is kept
// as `kept` (its name and ".unreadable" unless said otherwise).
inline QString KeptMessage(const QString& path, QString kept = {}) {
    if (kept.isEmpty()) {
        kept = path + ".unreadable";
    }
    return path + " could not be read. It has been kept as " + kept +
           ", and the defaults are used in its place.";
}

// The messages a load without reported errors shows: the one above when the
// file was kept aside, none otherwise.
inline QStringList KeptMessages(const QString& path, bool kept) {
    return kept ? QStringList{KeptMessage(path)} : QStringList{};
}

// Writes the row's file to `path`.
inline void PlaceFile(const QString& path, const UnusableFile& file) {
    if (file.bytes) {
        ASSERT_TRUE(WriteFileBytes(path, *file.bytes)) << file.name;
    }
}

// After a load replaced the row's file: `path` holds `expected`, and the old
// file was kept as it was, under its name and ".unreadable", when it was
// unreadable.
inline void ExpectReplaced(const QString& path, const QByteArray& expected,
                           const UnusableFile& file) {
    EXPECT_EQ(ReadFileBytes(path), expected) << file.name;
    const QString kept = path + ".unreadable";
    EXPECT_EQ(QFile::exists(kept), file.kept) << file.name;
    if (file.kept) {
        EXPECT_EQ(ReadFileBytes(kept), *file.bytes) << file.name;
    }
}
