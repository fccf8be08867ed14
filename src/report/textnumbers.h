#pragma once

#include <QHash>
#include <QString>
#include <vector>

// Numbers the distinct texts of a pass over many records: 0, 1, 2... in
// the order they are first met, texts with the same characters one number.
// Records read from one file share the storage of a repeated text, so a
// text is first looked for by its storage, which needs neither a hash of
// its characters nor a read of them; only a storage not met before is
// looked for by its characters.
class TextNumbers {
public:
    // `text` must keep its storage, unchanged, for as long as this lives.
    quint32 NumberOf(const QString& text);
    // Whether NumberOf(text) would find the text by its storage: if not,
    // its characters are worth asking the memory for ahead.
    bool KnowsStorage(const QString& text) const;
    // The texts met, by number.
    const std::vector<QString>& Texts() const { return texts_; }

private:
    struct Slot {
        const QChar* data = nullptr;
        qsizetype size = -1;  // -1: free
        quint32 number = 0;
    };
    size_t SlotIndex(const QChar* data, qsizetype size) const;
    void Grow();

    // Open addressing by storage and length.
    std::vector<Slot> slots_ = std::vector<Slot>(1024);
    int shift_ = 64 - 10;  // the hash's top bits index the slots
    size_t used_ = 0;
    // Texts each in a storage of its own (typed one by one, never read from
    // a file) would only fill the table: past a sample in which most texts
    // were not found by their storage, none are looked for by it.
    size_t looked_ = 0;
    size_t missed_ = 0;
    bool byStorage_ = true;
    QHash<QStringView, quint32> byCharacters_;
    // The first text met of each number. The storage of every other text
    // met is held by whoever gave it, who keeps it as it is while this
    // lives: no other text may come to lie there meanwhile.
    std::vector<QString> texts_;
};
