#include "lists/classification.h"

#include "archive/expensearchive.h"
#include "lists/listimage.h"

namespace {

QString DefaultImageName() {
    return QStringLiteral("BROKENIMAGEU.BMP");
}

}  // namespace

CClassification::CClassification() : imageName_(DefaultImageName()) {}

CClassification::CClassification(const QString& name, const QString& imageName)
    : name_(name), imageName_(imageName) {}

CClassification::CClassification(const CClassification& other) : CExpenseObject() {
    *this = other;
}

CClassification& CClassification::operator=(const CClassification& other) {
    // A copy takes the original's values and state of change, not its file's
    // story (valid, loaded).
    name_ = other.name_;
    imageName_ = other.imageName_;
    SetModified(other.IsModified());
    return *this;
}

void CClassification::Serialize(CExpenseArchive& archive, int) {
    archive.Exchange(name_);
    archive.Exchange(imageName_);
}

void CClassification::Reset() {
    CExpenseObject::Reset();
    name_.clear();
    imageName_ = DefaultImageName();
}

void CClassification::SetName(const QString& name) {
    name_ = name;
    SetModified(true);
}

void CClassification::SetImageName(const QString& path) {
    imageName_ = ImageFileNameOf(path);
    SetModified(true);
}

QString CClassification::GetImagePath() const {
    return ListImagePath(ImageFolder::Class, imageName_);
}

QString CClassification::GetImageReference() const {
    return IsImageMissing() ? imageName_ : GetImagePath();
}

bool CClassification::IsEqual(const CClassification& other) const {
    return name_ == other.name_ && imageName_ == other.imageName_;
}

bool CClassification::IsImageMissing() const {
    // Looked up when asked rather than whenever an item is made or read: a
    // report holds these for every expense, and only the shown ones matter.
    return !ListImageExists(ImageFolder::Class, imageName_);
}
