#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <forward_list>
#include <iterator>

// The key of a list that ignores letter case: each UTF-16 code unit
// upper-cased on its own, so that a key never changes length. A full Unicode
// mapping would make "ß" and "SS" one name and change the hash, and with it
// the order of the file.
inline QString UpperCaseKey(const QString& name) {
    QString key = name;
    for (QChar& c : key) {
        c = c.toUpper();
    }
    return key;
}

// The map every reference list keeps its items in. Its iteration order
// decides the order of items in the files and on screen, so it is fixed
// here, the same on every run and machine: 17 chained buckets chosen by the
// hash h = h * 33 + c over the key's UTF-16 code units, a new entry at the
// head of its bucket, iteration from bucket 0 to bucket 16. Keys are used as
// given; the lists that ignore letter case upper-case them first.
//
// Entries never move, so pointers and references to values stay good until
// their entry is removed.
template <typename T>
class NameMap {
public:
    static constexpr int kBuckets = 17;

    struct Entry {
        QString key;
        T value;
    };

    static quint32 Hash(QStringView key) {
        quint32 hash = 0;
        for (QChar c : key) {
            hash = hash * 33 + c.unicode();
        }
        return hash;
    }

    T* Find(QStringView key) {
        for (Entry& entry : BucketOf(key)) {
            if (entry.key == key) {
                return &entry.value;
            }
        }
        return nullptr;
    }
    const T* Find(QStringView key) const { return const_cast<NameMap*>(this)->Find(key); }
    bool Contains(QStringView key) const { return Find(key) != nullptr; }

    // Stores `value` under `key`: in place of an existing value, else as a
    // new entry at the head of its bucket.
    T& Insert(const QString& key, T value) {
        if (T* existing = Find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        auto& bucket = BucketOf(key);
        bucket.push_front(Entry{key, std::move(value)});
        ++count_;
        return bucket.front().value;
    }

    // False when there was no such key.
    bool Remove(QStringView key) {
        auto& bucket = BucketOf(key);
        for (auto before = bucket.before_begin(), it = bucket.begin(); it != bucket.end();
             before = it++) {
            if (it->key == key) {
                bucket.erase_after(before);
                --count_;
                return true;
            }
        }
        return false;
    }

    void Clear() {
        for (auto& bucket : buckets_) {
            bucket.clear();
        }
        count_ = 0;
    }

    qsizetype Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }

    template <typename MapT, typename EntryT>
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        using pointer = EntryT*;
        using reference = EntryT&;

        Iterator() = default;
        Iterator(MapT* map, int bucket) : map_(map), bucket_(bucket) { SkipEmpty(); }

        reference operator*() const { return *entry_; }
        pointer operator->() const { return &*entry_; }
        Iterator& operator++() {
            if (++entry_ == map_->buckets_[bucket_].end()) {
                ++bucket_;
                SkipEmpty();
            }
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const {
            return bucket_ == other.bucket_ && (bucket_ == kBuckets || entry_ == other.entry_);
        }

    private:
        void SkipEmpty() {
            while (bucket_ < kBuckets && map_->buckets_[bucket_].empty()) {
                ++bucket_;
            }
            if (bucket_ < kBuckets) {
                entry_ = map_->buckets_[bucket_].begin();
            }
        }

        using ListIterator = std::conditional_t<std::is_const_v<MapT>,
                                                typename std::forward_list<Entry>::const_iterator,
                                                typename std::forward_list<Entry>::iterator>;
        MapT* map_ = nullptr;
        int bucket_ = kBuckets;
        ListIterator entry_{};
    };

    using iterator = Iterator<NameMap, Entry>;
    using const_iterator = Iterator<const NameMap, const Entry>;

    iterator begin() { return iterator(this, 0); }
    iterator end() { return iterator(this, kBuckets); }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, kBuckets); }

private:
    std::forward_list<Entry>& BucketOf(QStringView key) { return buckets_[Hash(key) % kBuckets]; }

    std::array<std::forward_list<Entry>, kBuckets> buckets_;
    qsizetype count_ = 0;
};

// Walks a NameMap that owns its values through pointers and gives the values
// themselves, for the lists that hand out their items rather than entries.
template <typename MapIterator, typename Value>
class NameMapValueIterator {
public:
    explicit NameMapValueIterator(MapIterator it) : it_(it) {}
    Value& operator*() const { return *it_->value; }
    Value* operator->() const { return &*it_->value; }
    NameMapValueIterator& operator++() {
        ++it_;
        return *this;
    }
    bool operator==(const NameMapValueIterator& other) const { return it_ == other.it_; }

private:
    MapIterator it_;
};
