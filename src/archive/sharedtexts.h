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
    // Never 0, which marks a free slot.
    static quint64 Hash(const char* bytes, size_t size);
    const QString* Lookup(const char* bytes, qsizetype units, quint64 hash) const;
    const QString& Insert(quint64 hash, QString text);
    void Grow();

    // Open addressing over two arrays: a probe that finds no text, the usual
    // case for a file's one-off texts, reads only the small hashes.
    std::vector<quint64> hashes_;  // 0: the slot is free
    std::vector<QString> texts_;
    size_t used_ = 0;
    QString spare_;  // the last text not kept, until the next one
};
