#include "lists/classificationgroup.h"

#include "archive/expensearchive.h"

namespace {

// The smallest body a classification can have in a file: two strings of one
// length byte each.
constexpr quint64 kMinEntryBytes = 1 + 1;

}  // namespace

CClassificationGroup::CClassificationGroup() = default;

CClassificationGroup::CClassificationGroup(const QString& name) : name_(name) {}

CClassificationGroup::CClassificationGroup(const CClassificationGroup& other) : CExpenseObject() {
    *this = other;
}

CClassificationGroup& CClassificationGroup::operator=(const CClassificationGroup& other) {
    if (this == &other) {
        return *this;
    }
    name_ = other.name_;
    items_.Clear();
    // Adding in the original's order files names that share a bucket in the
    // reverse order. Reading a group (which adds in file order) and keeping a
    // copy of it, as the manager does, therefore leaves the classifications
    // in the order of the file, and an unchanged list is written back as it
    // was read.
    for (const CClassification& classification : other) {
        items_.Add(classification);
    }
    CExpenseObject::SetModified(other.CExpenseObject::IsModified());
    return *this;
}

CClassificationGroup::~CClassificationGroup() = default;

QString CClassificationGroup::ReadEntries(CExpenseArchive& archive, int context,
                                          const std::function<void(CClassification&)>& take) {
    const QString name = archive.ReadString();
    const quint32 count = archive.ReadUInt32();
    archive.CheckCount(count, kMinEntryBytes);
    CClassification entry;
    for (quint32 i = 0; i < count; ++i) {
        entry.Serialize(archive, context);
        take(entry);
    }
    return name;
}

void CClassificationGroup::Serialize(CExpenseArchive& archive, int context) {
    if (archive.IsStoring()) {
        archive.WriteString(name_);
        archive.WriteUInt32(static_cast<quint32>(items_.Count()));
        for (CClassification& classification : *this) {
            classification.Serialize(archive, context);
        }
    } else {
        RemoveAll();
        name_ = ReadEntries(archive, context, [this](CClassification& entry) { Add(entry); });
    }
    SetModified(false);
}

void CClassificationGroup::Reset() {
    RemoveAll();
    CExpenseObject::Reset();
}

bool CClassificationGroup::IsModified() const {
    return CExpenseObject::IsModified() || items_.IsAnyModified();
}

void CClassificationGroup::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (!modified) {
        // Once the group matches its file, so does every classification in it.
        items_.ClearModified();
    }
}

CClassification* CClassificationGroup::Add(const CClassification& classification) {
    CExpenseObject::SetModified(true);
    return items_.Add(classification);
}

CClassification* CClassificationGroup::Find(const QString& name) {
    return items_.Find(name);
}

const CClassification* CClassificationGroup::Find(const QString& name) const {
    return items_.Find(name);
}

bool CClassificationGroup::Remove(const QString& name) {
    if (!items_.Remove(name)) {
        return false;
    }
    CExpenseObject::SetModified(true);
    return true;
}

CClassification* CClassificationGroup::Rename(const QString& oldName, const QString& newName) {
    CClassification* renamed = items_.Rename(oldName, newName);
    if (renamed != nullptr) {
        CExpenseObject::SetModified(true);
    }
    return renamed;
}

void CClassificationGroup::RemoveAll() {
    if (!items_.IsEmpty()) {
        items_.Clear();
        CExpenseObject::SetModified(true);
    }
}
