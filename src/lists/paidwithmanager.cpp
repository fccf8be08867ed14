#include "lists/paidwithmanager.h"

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "lists/listfile.h"

namespace {

// The smallest body a payment source can have in a file: two strings of one
// length byte each and the payment type.
constexpr quint64 kMinEntryBytes = 1 + 1 + 4;

}  // namespace

CPaidWithManager::CPaidWithManager() : filePath_(DefaultFilePath()) {}

CPaidWithManager::~CPaidWithManager() = default;

QString CPaidWithManager::DefaultFilePath() {
    return DataFilePath(QStringLiteral("PaidWith.dat"));
}

void CPaidWithManager::SetFilePath(const QString& path) {
    filePath_ = path.isEmpty() ? DefaultFilePath() : path;
}

void CPaidWithManager::ReadEntries(CExpenseArchive& archive, int context,
                                   const std::function<void(CPaidWith&)>& take) {
    const quint32 count = archive.ReadUInt32();
    archive.CheckCount(count, kMinEntryBytes);
    CPaidWith entry;
    for (quint32 i = 0; i < count; ++i) {
        entry.Serialize(archive, context);
        take(entry);
    }
}

void CPaidWithManager::Serialize(CExpenseArchive& archive, int context) {
    SerializeFileHeader(archive, kFileTypePaymentSources,
                        CurrentFileVersion(kFileTypePaymentSources));
    if (archive.IsStoring()) {
        archive.WriteUInt32(static_cast<quint32>(items_.Count()));
        for (CPaidWith& paidWith : *this) {
            paidWith.Serialize(archive, context);
        }
        return;
    }
    RemoveAll();
    ReadEntries(archive, context, [this](CPaidWith& entry) { Add(&entry); });
}

void CPaidWithManager::Reset() {
    CExpenseObject::Reset();
    RemoveAll();
}

bool CPaidWithManager::IsModified() const {
    return CExpenseObject::IsModified() || items_.IsAnyModified();
}

void CPaidWithManager::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (!modified) {
        // Once the list matches its file, so does every payment source in it.
        items_.ClearModified();
    }
}

bool CPaidWithManager::Load(bool reportErrors) {
    return LoadListFile(
        *this, filePath_, reportErrors, [this] { return !IsEmpty(); },
        [this] { CreateDefaults(); });
}

bool CPaidWithManager::Save(bool reportErrors) {
    return SaveListFile(*this, filePath_, reportErrors);
}

void CPaidWithManager::CreateDefaults() {
    RemoveAll();
    const std::pair<const char*, const char*> defaults[] = {
        {"American Express", "PAIDWITH03U.BMP"}, {"Cash", "PAIDWITH08U.BMP"},
        {"MasterCard", "PAIDWITH11U.BMP"},       {"Visa", "PAIDWITH14U.BMP"},
        {"Checking", "PAIDWITH05U.BMP"},
    };
    for (const auto& [name, image] : defaults) {
        const CPaidWith paidWith(QString::fromLatin1(name), QString::fromLatin1(image),
                                 CPaidWith::kPersonal);
        Add(&paidWith);
    }
    CExpenseObject::SetModified(true);
}

CPaidWith* CPaidWithManager::Add(const CPaidWith* paidWith) {
    if (paidWith == nullptr) {
        return nullptr;
    }
    CPaidWith* added = items_.Add(*paidWith);
    CExpenseObject::SetModified(true);
    return added;
}

CPaidWith* CPaidWithManager::Find(const QString& name) {
    return items_.Find(name);
}

const CPaidWith* CPaidWithManager::Find(const QString& name) const {
    return items_.Find(name);
}

bool CPaidWithManager::Remove(const QString& name) {
    if (!items_.Remove(name)) {
        return false;
    }
    CExpenseObject::SetModified(true);
    return true;
}

CPaidWith* CPaidWithManager::Rename(const QString& oldName, const QString& newName) {
    CPaidWith* renamed = items_.Rename(oldName, newName);
    if (renamed != nullptr) {
        CExpenseObject::SetModified(true);
    }
    return renamed;
}

void CPaidWithManager::RemoveAll() {
    items_.Clear();
    CExpenseObject::SetModified(true);
}
