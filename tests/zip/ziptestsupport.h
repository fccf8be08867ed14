#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "support/infozip.h"

// The message of the ZipError `action` throws; empty when it throws none.
QString ThrownMessage(const std::function<void()>& action);

// One entry of a ZIP file built byte by byte, so that tests can say what no
// ZIP tool would write: sizes and CRCs that lie, entries that share data.
struct HandMadeEntry {
    HandMadeEntry(QByteArray name_, QByteArray comment_, QByteArray data_ = {},
                  bool deflate_ = false, std::optional<quint32> declaredSize_ = {},
                  std::optional<quint32> declaredCrc_ = {})
        : name(std::move(name_)),
          comment(std::move(comment_)),
          data(std::move(data_)),
          deflate(deflate_),
          declaredSize(declaredSize_),
          declaredCrc(declaredCrc_) {}

    QByteArray name;
    QByteArray comment;
    QByteArray data;
    bool deflate = false;
    // What both headers claim, when not the truth.
    std::optional<quint32> declaredSize;
    std::optional<quint32> declaredCrc;
    // The index of an earlier entry whose local header and data this one's
    // directory entry points at.
    std::optional<size_t> sharesDataOf;
    // Extra fields, the same in both headers.
    QByteArray extra;
    // Whether its stored data is the next entry's local header and data,
    // so that the one holds the other without any two entries sharing a
    // header; chains of these nest.
    bool holdsNext = false;
    // Whether the directory that ends the file lists it; an entry that is
    // not listed there still has its local header and data in the file.
    bool listed = true;
};

// How the directory is found, for what only a hostile file does.
struct HandMadeLayout {
    // A ZIP64 end record and its locator ahead of the end record, whose
    // count, size and offset then defer to them.
    bool zip64 = false;
    // The entries (by index) of a second directory, with an end record of
    // its own, between the data and the directory that ends the file.
    std::vector<size_t> otherDirectory;
};

QByteArray HandMadeZip(const std::vector<HandMadeEntry>& entries, const QByteArray& comment = {},
                       const HandMadeLayout& layout = {});
