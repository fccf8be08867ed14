#include "classification.h"

#include "listimage.h"
#include "store/expensearchive.h"

namespace {

QString DefaultImageName() {
    return QStringLiteral("BROKENIMAGEU.BMP");
}

}  // namespace

CClassification::CClassification() : imageName_(DefaultImageName()) {
    UpdateImageMissing();
}

CClassification::CClassification(const QString& name, const QString& imageName)
    : name_(name), imageName_(imageName) {
    UpdateImageMissing();
}

CClassification::CClassification(const CClassification& other) : CExpenseObject() {
    *this = other;
}

CClassification& CClassification::operator=(const CClassification& other) {
    // A copy takes the original's values and state of change, not its file's
    // story (valid, loaded).
    name_ = other.name_;
    imageName_ = other.imageName_;
    SetModified(other.IsModified());
    SetImageMissing(other.IsImageMissing());
    return *this;
}

void CClassification::Serialize(CExpenseArchive& archive, int) {
    archive.Exchange(name_);
    archive.Exchange(imageName_);
    if (archive.IsLoading()) {
        // The flag describes the image just read, not the one before.
        UpdateImageMissing();
    }
}

void CClassification::Reset() {
    CExpenseObject::Reset();
    name_.clear();
    imageName_ = DefaultImageName();
    UpdateImageMissing();
}

void CClassification::SetName(const QString& name) {
    name_ = name;
    SetModified(true);
}

void CClassification::SetImageName(const QString& path) {
    imageName_ = ImageFileNameOf(path);
    SetModified(true);
    UpdateImageMissing();
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

void CClassification::UpdateImageMissing() {
    SetImageMissing(!ListImageExists(ImageFolder::Class, imageName_));
}
