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
};

QByteArray HandMadeZip(const std::vector<HandMadeEntry>& entries, const QByteArray& comment = {});
