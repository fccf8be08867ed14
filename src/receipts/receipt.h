#pragma once

#include <QString>

#include "platform/clock.h"

// One stored receipt of an expense: a picture or a PDF scan in the report's
// receipts folder, named after its content's hash.
struct Receipt {
    enum class Kind { Image, Pdf };

    QString path;          // the stored file's full path
    QString originalName;  // the chosen file's name, shown to the user
    Kind kind = Kind::Image;
    TimeStamp added = 0;

    // The stored file's name (hash and extension).
    QString FileName() const;
    bool operator==(const Receipt& other) const = default;
};
