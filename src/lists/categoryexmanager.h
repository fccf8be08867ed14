#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "lists/categoryex.h"
#include "lists/ownednamemap.h"

// The categories the user chooses from: the 16 built-in ones, recreated at
// every load, and any number of user-defined ones. Each category has a file
// of its own in the data folder; the list as a whole has none and its own
// serialisation writes nothing.
//
// Categories are keyed by their upper-cased names, so names are unique
// without regard to letter case. The manager owns them; pointers it hands out
// stay good until that category is removed.
class CCategoryExManager : public CExpenseObject {
    using Map = OwnedNameMap<CCategoryEx>;

public:
    // Built-in category numbers run from 0 ("None", never created) to 16.
    static constexpr int kBuiltInCount = 17;

    CCategoryExManager();
    ~CCategoryExManager() override;
    CCategoryExManager(const CCategoryExManager&) = delete;
    CCategoryExManager& operator=(const CCategoryExManager&) = delete;

    // The built-in table by index; empty (group -1) outside 0 to 16. The
    // short name is the category's name; the full name is how the details
    // of an expense spell it out ("Entertainment" for "Entert").
    static QString GetBuiltInShortName(int index);
    static QString GetBuiltInFullName(int index);
    static QString GetBuiltInImageName(int index);
    static int GetBuiltInGroup(int index);

    // Not modified, then empty.
    void Reset() override;

    // Replaces the list by the built-in categories 1 to 16, each with its
    // history marked modified.
    void CreateDefaults();
    // The built-in categories, each overlaid by its file when it has one,
    // then every user-defined category file of the data folder (type 3),
    // each with its description history. A missing data folder simply gives
    // the built-in categories. A user-defined file that cannot be read adds
    // nothing and is kept beside itself (KeepUnreadableFile); one whose
    // category name cannot be a file name adds nothing and is left alone.
    bool LoadAll(bool reportErrors);
    // Saves every modified category with its history; false when any save
    // failed.
    bool SaveAll(bool reportErrors);

    // Stores a copy of `category` under its upper-cased name, in place of a
    // category of that name in any case, and returns the copy, marked
    // modified so that SaveAll writes it. Null for null and for a name that
    // cannot be a file name (IsUsableName).
    CCategoryEx* Add(const CCategoryEx* category);
    CCategoryEx* Find(const QString& name);
    const CCategoryEx* Find(const QString& name) const;
    bool Exists(const QString& name) const { return Find(name) != nullptr; }
    // Deletes the category, leaving its files; false when there was none of
    // that name.
    bool Remove(const QString& name);
    // Renames the category `oldName` with its files and files it under the
    // new name. A category that has no file yet takes the new name all the
    // same. Null when there is no `oldName`, when the new name cannot be a
    // file name, or when it belongs to another category (whose file the
    // renamed one would take over).
    CCategoryEx* Rename(const QString& oldName, const QString& newName);
    void RemoveAll();
    // A payment source renamed or changed in its list: every category whose
    // default is the payment source named `oldName` (names are unique in the
    // list, in any case) takes `now` as its default. The number changed.
    int ReplaceDefaultPaidWith(const QString& oldName, const CPaidWith& now);
    // The same for a classification; their names are unique only within a
    // group, so a default is taken for `before` only when it equals it.
    int ReplaceDefaultClassification(const CClassification& before, const CClassification& now);
    // The category the button of `group` (1 to 12) stands for now: the
    // group's built-in category, or for the groups with a memory the one
    // their display name names. Null when the list has none of the group.
    const CCategoryEx* GetButtonCategory(int group) const;
    int GetCount() const { return static_cast<int>(items_.Count()); }
    bool IsEmpty() const { return items_.IsEmpty(); }

    // Iteration visits every category once, in the map's order.
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

private:
    // Adds the user-defined category in the file at `path`.
    void LoadUserCategory(const QString& path, bool reportErrors);

    Map items_;
};
