#include "lists/expensetype.h"

#include "archive/expensearchive.h"
#include "lists/listimage.h"

CExpenseType::CExpenseType() = default;

CExpenseType::CExpenseType(const QString& name, const QString& shortName, const QString& imageName,
                           qint32 typeCode)
    : name_(name), shortName_(shortName), imageName_(imageName), typeCode_(typeCode) {}

CExpenseType::CExpenseType(const CExpenseType& other) : CExpenseObject() {
    *this = other;
}

CExpenseType& CExpenseType::operator=(const CExpenseType& other) {
    // Like every list value, a copy takes the fields and the state of change,
    // not the file's story (valid, loaded).
    name_ = other.name_;
    shortName_ = other.shortName_;
    imageName_ = other.imageName_;
    typeCode_ = other.typeCode_;
    SetModified(other.IsModified());
    return *this;
}

void CExpenseType::Serialize(CExpenseArchive& archive, int) {
    archive.Exchange(name_);
    archive.Exchange(shortName_);
    archive.Exchange(imageName_);
    archive.Exchange(typeCode_);
    archive.CheckValue(typeCode_ >= kNone && typeCode_ <= kPersonalNonDeductible);
}

void CExpenseType::Reset() {
    CExpenseObject::Reset();
    name_.clear();
    shortName_.clear();
    imageName_ = DefaultImageName();
    typeCode_ = kNone;
}

void CExpenseType::SetName(const QString& name) {
    name_ = name;
    SetModified(true);
}

void CExpenseType::SetShortName(const QString& shortName) {
    shortName_ = shortName;
    SetModified(true);
}

void CExpenseType::SetImageName(const QString& path) {
    imageName_ = ImageFileNameOf(path);
    SetModified(true);
}

void CExpenseType::SetTypeCode(qint32 typeCode) {
    typeCode_ = typeCode;
    SetModified(true);
}

QString CExpenseType::GetImagePath() const {
    return ListImagePath(ImageFolder::ExpenseType, imageName_);
}

bool CExpenseType::IsImageMissing() const {
    return !ListImageExists(ImageFolder::ExpenseType, imageName_);
}

QString CExpenseType::GetImageReference() const {
    return IsImageMissing() ? imageName_ : GetImagePath();
}
