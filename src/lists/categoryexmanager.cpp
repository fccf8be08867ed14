#include "lists/categoryexmanager.h"

#include <QDir>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/unreadablefile.h"
#include "platform/diagnosticslog.h"
#include "platform/directories.h"
#include "platform/platform.h"

namespace {

struct BuiltInCategory {
    const char* shortName;
    const char* fullName;
    const char* imageName;
    int group;
};

// By index; "None" (0) only names the category of nothing and is never
// created.
constexpr BuiltInCategory kBuiltIn[CCategoryExManager::kBuiltInCount] = {
    {"None", "None", "CATNONEU.BMP", 0},
    {"Breakfast", "Breakfast", "CATFOODU.BMP", 1},
    {"Lunch", "Lunch", "CATFOODU.BMP", 1},
    {"Dinner", "Dinner", "CATFOODU.BMP", 1},
    {"Snacks", "Snacks", "CATFOODU.BMP", 1},
    {"Phone", "Phone", "CATPHONEU.BMP", 2},
    {"Parking", "Parking", "CATPARKINGU.BMP", 3},
    {"Entert", "Entertainment", "CATENTERTU.BMP", 4},
    {"Fuel", "Fuel", "CATFUELU.BMP", 5},
    {"Mileage", "Mileage", "CATMILEAGEU.BMP", 5},
    {"Taxi", "Taxi", "CATTAXIU.BMP", 6},
    {"Lodging", "Lodging", "CATLODGINGU.BMP", 7},
    {"Rental", "Rental", "CATCARRENTALU.BMP", 8},
    {"Fares", "Fares", "CATFARESU.BMP", 9},
    {"Tips", "Tips", "CATTIPSU.BMP", 10},
    {"Supplies", "Supplies", "CATSUPPLIESU.BMP", 11},
    {"Misc", "Miscellaneous", "CATMISCU.BMP", 12},
};

const BuiltInCategory* BuiltIn(int index) {
    return index >= 0 && index < CCategoryExManager::kBuiltInCount ? &kBuiltIn[index] : nullptr;
}

}  // namespace

CCategoryExManager::CCategoryExManager() = default;

CCategoryExManager::~CCategoryExManager() = default;

QString CCategoryExManager::GetBuiltInShortName(int index) {
    const BuiltInCategory* entry = BuiltIn(index);
    return entry != nullptr ? QString::fromLatin1(entry->shortName) : QString();
}

QString CCategoryExManager::GetBuiltInFullName(int index) {
    const BuiltInCategory* entry = BuiltIn(index);
    return entry != nullptr ? QString::fromLatin1(entry->fullName) : QString();
}

QString CCategoryExManager::GetBuiltInImageName(int index) {
    const BuiltInCategory* entry = BuiltIn(index);
    return entry != nullptr ? QString::fromLatin1(entry->imageName) : QString();
}

int CCategoryExManager::GetBuiltInGroup(int index) {
    const BuiltInCategory* entry = BuiltIn(index);
    return entry != nullptr ? entry->group : -1;
}

void CCategoryExManager::Reset() {
    CExpenseObject::Reset();
    RemoveAll();
}

void CCategoryExManager::CreateDefaults() {
    RemoveAll();
    for (int index = 1; index < kBuiltInCount; ++index) {
        CCategoryEx category(GetBuiltInShortName(index), index, GetBuiltInGroup(index));
        category.SetImageName(GetBuiltInImageName(index));
        // So that the first save writes the history file with the category.
        Add(&category)->GetDescriptionHistory().SetModified(true);
    }
    SetModified(true);
}

bool CCategoryExManager::LoadAll(bool reportErrors) {
    CreateDefaults();
    for (CCategoryEx& category : *this) {
        category.Load(true, reportErrors);
    }
    const QString data = Platform::HasCurrent() ? GetDataDirectory() : QString();
    if (!data.isEmpty()) {
        // By name, so that of two files holding one category the same one
        // wins on every run.
        const QDir folder(data);
        const QStringList files =
            folder.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            const QString path = folder.filePath(file);
            if (ProbeDataFileType(path) == kFileTypeUserCategory) {
                LoadUserCategory(path, reportErrors);
            }
        }
    }
    return true;
}

void CCategoryExManager::LoadUserCategory(const QString& path, bool reportErrors) {
    CCategoryEx read(QStringLiteral("Misc 1"), CCategory::kUserDefinedIndex,
                     CCategory::kMiscGroup);
    if (!LoadObjectFromFile(path, &read, false, reportErrors, true)) {
        // Its header is good, so the rest is damaged: kept where a category
        // made later under its name cannot overwrite it.
        if (!read.IsValid()) {
            KeepUnreadableFile(path);
        }
        return;
    }
    if (!CCategoryEx::IsUsableName(read.GetName())) {
        // Its saves would go to a file of another name, or outside the data
        // folder; the file stays as it is.
        LogMessage(QStringLiteral("Category file %1 names no usable category: \"%2\".")
                       .arg(path, read.GetName()));
        return;
    }
    CCategoryEx* added = Add(&read);
    added->SetModified(false);  // it is what its file holds
    added->SetLoaded(true);
    added->LoadHistory(reportErrors);
}

bool CCategoryExManager::SaveAll(bool reportErrors) {
    bool result = true;
    for (CCategoryEx& category : *this) {
        if (category.IsModified() && !category.Save(true, reportErrors)) {
            result = false;
        }
    }
    return result;
}

CCategoryEx* CCategoryExManager::Add(const CCategoryEx* category) {
    if (category == nullptr || !CCategoryEx::IsUsableName(category->GetName())) {
        return nullptr;
    }
    CCategoryEx* added = items_.Add(*category);
    // The list has no file of its own: a category is kept only by its own
    // file, so one just added is written by the next SaveAll even when
    // nothing was set on it.
    added->CExpenseObject::SetModified(true);
    SetModified(true);
    return added;
}

CCategoryEx* CCategoryExManager::Find(const QString& name) {
    return items_.Find(name);
}

const CCategoryEx* CCategoryExManager::Find(const QString& name) const {
    return items_.Find(name);
}

bool CCategoryExManager::Remove(const QString& name) {
    if (!items_.Remove(name)) {
        return false;
    }
    SetModified(true);
    return true;
}

CCategoryEx* CCategoryExManager::Rename(const QString& oldName, const QString& newName) {
    CCategoryEx* category = items_.Find(oldName);
    const CCategoryEx* holder = items_.Find(newName);
    if (category == nullptr || !CCategoryEx::IsUsableName(newName) ||
        (holder != nullptr && holder != category)) {
        return nullptr;
    }
    // Nothing to move when the category has no file yet: it takes the name
    // all the same, so that its name and its key agree, and its next save
    // writes the file under the new name.
    category->Rename(newName);
    CCategoryEx* renamed = items_.Rename(oldName, newName);
    SetModified(true);
    return renamed;
}

int CCategoryExManager::ReplaceDefaultPaidWith(const QString& oldName, const CPaidWith& now) {
    int changed = 0;
    for (CCategoryEx& category : *this) {
        if (category.GetPaidWith().GetName().compare(oldName, Qt::CaseInsensitive) == 0 &&
            !category.GetPaidWith().IsEqual(now)) {
            category.SetPaidWith(now);
            ++changed;
        }
    }
    return changed;
}

int CCategoryExManager::ReplaceDefaultClassification(const CClassification& before,
                                                     const CClassification& now) {
    int changed = 0;
    for (CCategoryEx& category : *this) {
        if (category.GetClassification().IsEqual(before) && !before.IsEqual(now)) {
            category.SetClassification(now);
            ++changed;
        }
    }
    return changed;
}

void CCategoryExManager::RemoveAll() {
    items_.Clear();
    SetModified(true);
}

const CCategoryEx* CCategoryExManager::GetButtonCategory(int group) const {
    const CCategoryEx* member = nullptr;
    for (const CCategoryEx& category : *this) {
        if (category.GetGroup() != group) {
            continue;
        }
        // The built-in category of the group first: it names the button.
        if (member == nullptr ||
            (category.GetIndex() > 0 &&
             (member->GetIndex() == 0 || category.GetIndex() < member->GetIndex()))) {
            member = &category;
        }
    }
    if (member != nullptr && member->HasGroupMemory()) {
        if (const CCategoryEx* chosen = Find(member->GetDisplayName());
            chosen != nullptr && chosen->GetGroup() == group) {
            return chosen;
        }
    }
    return member;
}
