#include "lists/personalinfo.h"

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "lists/listfile.h"

namespace {

struct FieldText {
    const char* name;
    const char* label;
    const char* internationalLabel;
};

constexpr FieldText kFieldTexts[CPersonalInfo::kFieldCount] = {
    {"name", "Name:", nullptr},
    {"company", "Company:", nullptr},
    {"department", "Department:", nullptr},
    {"division", "Division:", nullptr},
    {"employeeId", "Employee ID:", nullptr},
    {"mailStop", "Mail Stop:", nullptr},
    {"address", "Address:", nullptr},
    {"city", "City:", nullptr},
    {"stateOrRegion", "State:", "Region:"},
    {"zipOrPostalCode", "Zip:", "Postal Code:"},
    {"companyPhone", "Company Phone:", nullptr},
    {"directPhone", "Direct Phone:", nullptr},
    {"email", "Email:", nullptr},
};

bool IsField(int field) {
    return field >= 0 && field < CPersonalInfo::kFieldCount;
}

}  // namespace

CPersonalInfo::CPersonalInfo() : filePath_(DefaultFilePath()) {}

CPersonalInfo::CPersonalInfo(const QString& filePath) : filePath_(filePath) {}

CPersonalInfo::CPersonalInfo(const CPersonalInfo& other) : CExpenseObject() {
    *this = other;
}

CPersonalInfo& CPersonalInfo::operator=(const CPersonalInfo& other) {
    // A copy takes the values and their state of change, not the file's
    // story (valid, loaded).
    filePath_ = other.filePath_;
    fields_ = other.fields_;
    SetModified(other.IsModified());
    return *this;
}

void CPersonalInfo::Serialize(CExpenseArchive& archive, int) {
    SerializeFileHeader(archive, kFileTypePersonalInfo, CurrentFileVersion(kFileTypePersonalInfo));
    for (QString& field : fields_) {
        archive.Exchange(field);
    }
}

void CPersonalInfo::Reset() {
    CExpenseObject::Reset();
    fields_.fill(QString());
}

QString CPersonalInfo::GetField(Field field) const {
    return IsField(field) ? fields_[field] : QString();
}

void CPersonalInfo::SetField(Field field, const QString& value) {
    if (IsField(field)) {
        fields_[field] = value;
        SetModified(true);
    }
}

QString CPersonalInfo::FieldName(Field field) {
    return IsField(field) ? QString::fromLatin1(kFieldTexts[field].name) : QString();
}

QString CPersonalInfo::FieldLabel(Field field, bool internationalTraveler) {
    if (!IsField(field)) {
        return {};
    }
    const FieldText& text = kFieldTexts[field];
    return QString::fromLatin1(internationalTraveler && text.internationalLabel != nullptr
                                   ? text.internationalLabel
                                   : text.label);
}

QString CPersonalInfo::DefaultFilePath() {
    return DataFilePath(QStringLiteral("PersonalInfo.dat"));
}

void CPersonalInfo::SetFilePath(const QString& path) {
    filePath_ = path.isEmpty() ? DefaultFilePath() : path;
}

bool CPersonalInfo::Load(bool reportErrors) {
    return LoadListFile(
        *this, filePath_, reportErrors, [] { return true; }, [this] { Reset(); });
}

bool CPersonalInfo::Save(bool reportErrors) {
    return SaveListFile(*this, filePath_, reportErrors);
}
