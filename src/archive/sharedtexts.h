#pragma once

#include <QString>
#include <vector>

// One copy of each short text a file repeats (category, payment source,
// currency and place names in every expense), found by the text's stored
// bytes: a text met before costs neither a decode nor an allocation, and
// every expense that holds it shares the one copy.
class SharedTexts {
public:
    // The text whose little-endian UTF-16 units are `bytes` (`units` of
    // them, any alignment): the copy met before, or a new one.
    QString Find(const char* bytes, qsizetype units);
    // The copy of `text` met before, or `text`.
    QString Find(const QString& text);

    // Reading ahead, only a hint: brings what finding the text will look at
    // into the cache, so that the wait for memory overlaps other work. First
    // the table's slot for it; then, once that is in the cache, with `text`,
    // the storage of the copy in the slot.
    void Prefetch(const char* bytes, qsizetype units, bool text) const;

private:
    // Never 0, which marks a free slot.
    static quint64 Hash(const char* bytes, size_t size);
    const QString* Lookup(const char* bytes, qsizetype units, quint64 hash) const;
    // Whether to look the next text up at all (see Note).
    bool Looking();
    // Once the table is full: whether a text looked up was found.
    void Note(bool found);
    void Insert(quint64 hash, const QString& text);
    void Grow();

    // Aligned so that no slot straddles two cache lines.
    struct alignas(32) Slot {
        quint64 hash = 0;  // 0: the slot is free
        QString text;
    };
    // Open addressing, the hash beside its text: a text found costs one
    // look at the table and one at the text.
    std::vector<Slot> slots_;
    size_t used_ = 0;
    size_t looked_ = 0;   // texts looked up in the current sample
    size_t found_ = 0;    // of those, the ones found
    size_t skipped_ = 0;  // texts still to take without looking
};
