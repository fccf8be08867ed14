#include "lists/classificationgroupmgr.h"

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "lists/listfile.h"

namespace {

// The smallest body a group can have in a file: a name of one length byte
// and the count.
constexpr quint64 kMinGroupBytes = 1 + 4;

QString DefaultGroupName() {
    return QStringLiteral("Custom Class");
}

}  // namespace

CClassificationGroupMgr::CClassificationGroupMgr() : filePath_(DefaultFilePath()) {}

CClassificationGroupMgr::~CClassificationGroupMgr() = default;

QString CClassificationGroupMgr::DefaultFilePath() {
    return DataFilePath(QStringLiteral("Classifications.dat"));
}

void CClassificationGroupMgr::SetFilePath(const QString& path) {
    filePath_ = path.isEmpty() ? DefaultFilePath() : path;
}

QString CClassificationGroupMgr::ReadEntries(
    CExpenseArchive& archive, const std::function<void(CExpenseArchive&)>& readGroup) {
    const QString currentGroupName = archive.ReadString();
    const quint32 count = archive.ReadUInt32();
    archive.CheckCount(count, kMinGroupBytes);
    for (quint32 i = 0; i < count; ++i) {
        readGroup(archive);
    }
    return currentGroupName;
}

void CClassificationGroupMgr::Serialize(CExpenseArchive& archive, int context) {
    SerializeFileHeader(archive, kFileTypeClassificationGroups,
                        CurrentFileVersion(kFileTypeClassificationGroups));
    if (archive.IsStoring()) {
        archive.WriteString(currentGroupName_);
        archive.WriteUInt32(static_cast<quint32>(groups_.Count()));
        for (CClassificationGroup& group : *this) {
            group.Serialize(archive, context);
        }
        return;
    }
    RemoveAll();
    CClassificationGroup group;
    currentGroupName_ = ReadEntries(archive, [&](CExpenseArchive& source) {
        group.Serialize(source, context);
        AddGroup(group);
    });
}

void CClassificationGroupMgr::Reset() {
    RemoveAll();
    currentGroupName_.clear();
    CExpenseObject::Reset();
}

bool CClassificationGroupMgr::IsModified() const {
    return CExpenseObject::IsModified() || groups_.IsAnyModified();
}

void CClassificationGroupMgr::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (!modified) {
        groups_.ClearModified();
    }
}

bool CClassificationGroupMgr::Load(bool reportErrors) {
    return LoadListFile(
        *this, filePath_, reportErrors, [this] { return !IsEmpty(); },
        [this] { CreateDefaults(); });
}

bool CClassificationGroupMgr::Save(bool reportErrors) {
    return SaveListFile(*this, filePath_, reportErrors);
}

void CClassificationGroupMgr::CreateDefaults() {
    RemoveAll();
    CClassificationGroup* group = CreateGroup(DefaultGroupName());
    currentGroupName_ = group->GetName();
    const std::pair<const char*, const char*> defaults[] = {
        {"Client 1", "CLASSIFICATION09U.BMP"},
        {"Client 2", "CLASSIFICATION11U.BMP"},
        {"Client 3", "CLASSIFICATION10U.BMP"},
        {"None", "CLASSIFICATION01U.BMP"},
    };
    for (const auto& [name, image] : defaults) {
        group->Add(CClassification(QString::fromLatin1(name), QString::fromLatin1(image)));
    }
    Changed();
}

CClassificationGroup* CClassificationGroupMgr::CreateGroup(const QString& name) {
    Changed();
    return groups_.Add(std::make_unique<CClassificationGroup>(name));
}

CClassificationGroup* CClassificationGroupMgr::AddGroup(const CClassificationGroup& group) {
    Changed();
    return groups_.Add(group);
}

CClassificationGroup* CClassificationGroupMgr::FindGroup(const QString& name) {
    return groups_.Find(name);
}

const CClassificationGroup* CClassificationGroupMgr::FindGroup(const QString& name) const {
    return groups_.Find(name);
}

CClassificationGroup* CClassificationGroupMgr::RenameGroup(const QString& oldName,
                                                           const QString& newName) {
    CClassificationGroup* group = groups_.Rename(oldName, newName);
    if (group == nullptr) {
        return nullptr;
    }
    // Otherwise the next look at the current group would find no group of
    // the old name and silently pick another one.
    if (UpperCaseKey(currentGroupName_) == UpperCaseKey(oldName)) {
        currentGroupName_ = newName;
    }
    Changed();
    return group;
}

bool CClassificationGroupMgr::RemoveGroup(const QString& name) {
    if (!groups_.Remove(name)) {
        return false;
    }
    Changed();
    return true;
}

bool CClassificationGroupMgr::ClearGroup(const QString& name) {
    CClassificationGroup* group = FindGroup(name);
    if (group == nullptr) {
        return false;
    }
    group->RemoveAll();
    Changed();
    return true;
}

CClassification* CClassificationGroupMgr::AddClassification(
    const QString& groupName, const CClassification& classification) {
    CClassificationGroup* group = FindGroup(groupName);
    if (group == nullptr) {
        return nullptr;
    }
    Changed();
    return group->Add(classification);
}

CClassification* CClassificationGroupMgr::FindClassification(const QString& groupName,
                                                             const QString& name) {
    CClassificationGroup* group = FindGroup(groupName);
    return group != nullptr ? group->Find(name) : nullptr;
}

bool CClassificationGroupMgr::ClassificationExists(const QString& groupName,
                                                   const QString& name) const {
    const CClassificationGroup* group = FindGroup(groupName);
    return group != nullptr && group->Exists(name);
}

bool CClassificationGroupMgr::RemoveClassification(const QString& groupName, const QString& name) {
    CClassificationGroup* group = FindGroup(groupName);
    if (group == nullptr || !group->Remove(name)) {
        return false;
    }
    Changed();
    return true;
}

bool CClassificationGroupMgr::IsGroupEmpty(const QString& groupName) const {
    const CClassificationGroup* group = FindGroup(groupName);
    return group != nullptr && group->IsEmpty();
}

int CClassificationGroupMgr::GetGroupCount(const QString& groupName) const {
    const CClassificationGroup* group = FindGroup(groupName);
    return group != nullptr ? group->GetCount() : 0;
}

CClassificationGroup* CClassificationGroupMgr::GetCurrentGroup() {
    return FindGroup(currentGroupName_);
}

QString CClassificationGroupMgr::GetCurrentGroupName() {
    const QString before = currentGroupName_;
    if (currentGroupName_.isEmpty()) {
        currentGroupName_ = DefaultGroupName();
    }
    if (FindGroup(currentGroupName_) == nullptr) {
        if (!IsEmpty()) {
            currentGroupName_ = begin()->GetName();
        } else {
            currentGroupName_ = DefaultGroupName();
            CreateGroup(currentGroupName_);
        }
    }
    if (currentGroupName_ != before) {
        Changed();
    }
    return currentGroupName_;
}

bool CClassificationGroupMgr::SetCurrentGroup(const QString& name) {
    const CClassificationGroup* group = FindGroup(name);
    if (group == nullptr) {
        return false;
    }
    // The group's own spelling, so that the name matches the group's exactly
    // wherever the two are compared.
    if (currentGroupName_ != group->GetName()) {
        currentGroupName_ = group->GetName();
        Changed();
    }
    return true;
}

void CClassificationGroupMgr::RemoveAll() {
    if (!groups_.IsEmpty()) {
        groups_.Clear();
        Changed();
    }
}
