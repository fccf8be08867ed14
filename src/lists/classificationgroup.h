#pragma once

#include <QString>
#include <functional>

#include "archive/expenseobject.h"
#include "lists/classification.h"
#include "lists/ownednamemap.h"

// One named way of classifying expenses and its classifications, keyed by
// their upper-cased names, so names are unique without regard to letter case.
// The group owns its classifications; pointers it hands out stay good until
// that classification is removed.
//
// The group is modified when it or any of its classifications is; clearing
// the flag clears theirs too.
class CClassificationGroup : public CExpenseObject {
    using Map = OwnedNameMap<CClassification>;

public:
    CClassificationGroup();
    explicit CClassificationGroup(const QString& name);
    // Copies the name, the modified flag and every classification, adding
    // them in the original's order.
    CClassificationGroup(const CClassificationGroup& other);
    CClassificationGroup& operator=(const CClassificationGroup& other);
    ~CClassificationGroup() override;

    // `name`, the count, then each classification in the map's order, with no
    // header of its own. Reading replaces the whole group. Either way the
    // group ends not modified.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Not modified, then empty.
    void Reset() override;
    bool IsModified() const override;
    void SetModified(bool modified) override;

    QString GetName() const override { return name_; }
    // Does not mark the group modified: renaming is the manager's change.
    void SetName(const QString& name) { name_ = name; }

    // Stores a copy of `classification` under its upper-cased name, in place
    // of a classification of that name in any case, and returns the copy.
    CClassification* Add(const CClassification& classification);
    CClassification* Find(const QString& name);
    const CClassification* Find(const QString& name) const;
    bool Exists(const QString& name) const { return Find(name) != nullptr; }
    // Deletes the classification; false when there was none of that name.
    bool Remove(const QString& name);
    // Gives the classification `oldName` the name `newName` and files it under
    // that name; null when there is no `oldName`, or when `newName` belongs
    // to another classification of the group (which is kept).
    CClassification* Rename(const QString& oldName, const QString& newName);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(items_.Count()); }
    bool IsEmpty() const { return items_.IsEmpty(); }

    // Reads a group's body: its name, which is returned, then the count and
    // each classification, handed to `take` in file order (the object handed
    // over is reused for the next one).
    static QString ReadEntries(CExpenseArchive& archive, int context,
                               const std::function<void(CClassification&)>& take);

    // Iteration visits every classification once, in the map's order.
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    iterator begin() { return iterator(items_.begin()); }
    iterator end() { return iterator(items_.end()); }
    const_iterator begin() const { return const_iterator(items_.begin()); }
    const_iterator end() const { return const_iterator(items_.end()); }

private:
    QString name_;
    Map items_;
};
