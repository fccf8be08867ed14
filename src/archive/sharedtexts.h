#pragma once

#include <QString>
#include <vector>

// One copy of each short text a file repeats (category, payment source,
// currency and place names in every expense), found by the text's stored
// bytes: a text met before costs neither a decode nor an allocation, and
// every expense that holds it shares the one copy.
class SharedTexts {
public:
    // The copy of the text whose little-endian UTF-16 units are `bytes`
    // (`units` of them, any alignment), made on first sight. The reference
    // lasts until the next call.
    const QString& Find(const char* bytes, qsizetype units);
    // The copy of `text`, which becomes the copy when there is none yet.
    const QString& Find(const QString& text);

private:
    struct Slot {
        size_t hash = 0;
        QString text;  // null: the slot is free
    };
    const QString* Lookup(const char* bytes, qsizetype units, size_t hash) const;
    const QString& Insert(size_t hash, QString text);
    void Grow();

    std::vector<Slot> slots_;
    size_t used_ = 0;
    QString spare_;  // the last text not kept, until the next one
};
