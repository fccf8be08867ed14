#pragma once

#include <QString>
#include <memory>

#include "lists/namemap.h"

// The items of a list that ignores letter case: owned by the list and filed
// under their upper-cased names (UpperCaseKey), so that a name is there only
// once in any case. `T` has GetName, SetName, IsModified and SetModified.
// Pointers handed out stay good until their item is removed.
template <typename T>
class OwnedNameMap {
    using Map = NameMap<std::unique_ptr<T>>;

public:
    // Stores a copy of `item` as a new entry, in place of an item of that
    // name in any case, and returns the copy.
    T* Add(const T& item) {
        // Copied before the old entry goes: `item` may be that very entry.
        return Add(std::make_unique<T>(item));
    }
    T* Add(std::unique_ptr<T> item) {
        const QString key = UpperCaseKey(item->GetName());
        map_.Remove(key);
        return map_.Insert(key, std::move(item)).get();
    }

    T* Find(const QString& name) {
        std::unique_ptr<T>* found = map_.Find(UpperCaseKey(name));
        return found != nullptr ? found->get() : nullptr;
    }
    const T* Find(const QString& name) const {
        return const_cast<OwnedNameMap*>(this)->Find(name);
    }

    // False when there was no item of that name.
    bool Remove(const QString& name) { return map_.Remove(UpperCaseKey(name)); }

    // Gives the item `oldName` the name `newName` and files it under that
    // name. Null when there is no `oldName`, or when `newName` belongs to
    // another item: filing over it would silently delete that item.
    T* Rename(const QString& oldName, const QString& newName) {
        const QString oldKey = UpperCaseKey(oldName);
        const QString newKey = UpperCaseKey(newName);
        std::unique_ptr<T>* found = map_.Find(oldKey);
        if (found == nullptr || (newKey != oldKey && map_.Contains(newKey))) {
            return nullptr;
        }
        std::unique_ptr<T> item = std::move(*found);
        map_.Remove(oldKey);
        item->SetName(newName);
        return map_.Insert(newKey, std::move(item)).get();
    }

    void Clear() { map_.Clear(); }
    qsizetype Count() const { return map_.Count(); }
    bool IsEmpty() const { return map_.IsEmpty(); }

    bool IsAnyModified() const {
        for (const T& item : *this) {
            if (item.IsModified()) {
                return true;
            }
        }
        return false;
    }
    void ClearModified() {
        for (T& item : *this) {
            item.SetModified(false);
        }
    }

    // Iteration visits every item once, in the map's order.
    using iterator = NameMapValueIterator<typename Map::iterator, T>;
    using const_iterator = NameMapValueIterator<typename Map::const_iterator, const T>;
    iterator begin() { return iterator(map_.begin()); }
    iterator end() { return iterator(map_.end()); }
    const_iterator begin() const { return const_iterator(map_.begin()); }
    const_iterator end() const { return const_iterator(map_.end()); }

private:
    Map map_;
};
