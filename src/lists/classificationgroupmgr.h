#pragma once

#include <QString>
#include <functional>

#include "archive/expenseobject.h"
#include "lists/classification.h"
#include "lists/classificationgroup.h"
#include "lists/ownednamemap.h"

// The user's classification groups, kept together in the file
// Classifications.dat of the data folder and keyed by their upper-cased
// names, and the name of the current group: the one whose classifications
// the expense slip offers. The manager owns its groups; pointers it hands out
// stay good until that group is removed.
//
// Every change marks the manager modified. It is modified when it or any
// group is; clearing the flag clears theirs too.
class CClassificationGroupMgr : public CExpenseObject {
    using Map = OwnedNameMap<CClassificationGroup>;

public:
    CClassificationGroupMgr();
    ~CClassificationGroupMgr() override;
    CClassificationGroupMgr(const CClassificationGroupMgr&) = delete;
    CClassificationGroupMgr& operator=(const CClassificationGroupMgr&) = delete;

    // The file header (type 4), the current group's name, the count, then
    // each group in the map's order. Reading replaces every group.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Not modified and without groups.
    void Reset() override;
    bool IsModified() const override;
    void SetModified(bool modified) override;

    // Reads the groups from their file. A missing, empty, unreadable, foreign
    // or newer file, or one without groups, is replaced by the defaults,
    // written at once (see LoadListFile); the result is then that of the
    // save. A manager that is loaded already is not read again: clear its
    // loaded flag first to read the file again.
    bool Load(bool reportErrors);
    // Writes the groups when they are modified (true without writing when
    // not). False without a file path or when the save failed.
    bool Save(bool reportErrors);
    // Replaces every group by the one built-in group "Custom Class", which
    // becomes current.
    void CreateDefaults();

    // An empty group of that name, in place of any group of that name.
    CClassificationGroup* CreateGroup(const QString& name);
    // Stores a copy of `group`, in place of any group of its name.
    CClassificationGroup* AddGroup(const CClassificationGroup& group);
    CClassificationGroup* FindGroup(const QString& name);
    const CClassificationGroup* FindGroup(const QString& name) const;
    bool GroupExists(const QString& name) const { return FindGroup(name) != nullptr; }
    // Gives the group `oldName` the name `newName` and files it under that
    // name; the current group stays current under its new name. Null when
    // there is no `oldName`, or when `newName` belongs to another group
    // (which is kept).
    CClassificationGroup* RenameGroup(const QString& oldName, const QString& newName);
    // Deletes the group and its classifications; false when there was none.
    bool RemoveGroup(const QString& name);
    // Deletes the classifications of the group; false when there is no group.
    bool ClearGroup(const QString& name);

    // These act on the named group; without such a group they give null,
    // false or 0.
    CClassification* AddClassification(const QString& groupName,
                                       const CClassification& classification);
    CClassification* FindClassification(const QString& groupName, const QString& name);
    bool ClassificationExists(const QString& groupName, const QString& name) const;
    bool RemoveClassification(const QString& groupName, const QString& name);
    bool IsGroupEmpty(const QString& groupName) const;
    int GetGroupCount(const QString& groupName) const;

    // The group named current; null when there is none of that name.
    CClassificationGroup* GetCurrentGroup();
    // The current group's name, repaired first: an empty name becomes
    // "Custom Class"; a name without a group becomes the first group's, or,
    // without any group, an empty group "Custom Class" is created.
    QString GetCurrentGroupName();
    // Makes an existing group current; false, changing nothing, for a name
    // without a group.
    bool SetCurrentGroup(const QString& name);

    void RemoveAll();
    int GetCount() const { return static_cast<int>(groups_.Count()); }
    bool IsEmpty() const { return groups_.IsEmpty(); }

    // Reads the body of a classification file that follows its header: the
    // current group's name, which is returned, then the count of groups,
    // calling `readGroup` once for each group's body.
    static QString ReadEntries(CExpenseArchive& archive,
                               const std::function<void(CExpenseArchive&)>& readGroup);

    const QString& GetFilePath() const { return filePath_; }
    // An empty path restores the default path.
    void SetFilePath(const QString& path);
    // Classifications.dat in the data folder; empty without a data folder.
    static QString DefaultFilePath();

    // Iteration visits every group once, in the map's order.
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    iterator begin() { return iterator(groups_.begin()); }
    iterator end() { return iterator(groups_.end()); }
    const_iterator begin() const { return const_iterator(groups_.begin()); }
    const_iterator end() const { return const_iterator(groups_.end()); }

private:
    void Changed() { CExpenseObject::SetModified(true); }

    QString filePath_;
    QString currentGroupName_;
    Map groups_;
};
