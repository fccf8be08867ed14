#include "lists/paidwith.h"

#include "archive/expensearchive.h"
#include "lists/listimage.h"

CPaidWith::CPaidWith() {}

CPaidWith::CPaidWith(const QString& name, const QString& imageName, qint32 paymentType)
    : name_(name), imageName_(imageName), paymentType_(paymentType) {}

CPaidWith::CPaidWith(const CPaidWith& other) : CExpenseObject() {
    *this = other;
}

CPaidWith& CPaidWith::operator=(const CPaidWith& other) {
    // A copy is a value of its own: it takes the original's fields and state
    // of change, not its file's story (valid, loaded).
    name_ = other.name_;
    imageName_ = other.imageName_;
    paymentType_ = other.paymentType_;
    SetModified(other.IsModified());
    return *this;
}

CPaidWith CPaidWith::ForMileage() {
    return CPaidWith(QStringLiteral("None"), QStringLiteral("PAIDWITH01U.BMP"), kPersonal);
}

void CPaidWith::Serialize(CExpenseArchive& archive, int) {
    archive.Exchange(name_);
    archive.Exchange(imageName_);
    archive.Exchange(paymentType_);
    archive.CheckValue(paymentType_ == kPersonal || paymentType_ == kBusiness);
}

void CPaidWith::Reset() {
    CExpenseObject::Reset();
    name_.clear();
    imageName_ = DefaultImageName();
    paymentType_ = kPersonal;
}

void CPaidWith::SetName(const QString& name) {
    name_ = name;
    SetModified(true);
}

void CPaidWith::SetImageName(const QString& path) {
    imageName_ = ImageFileNameOf(path);
    SetModified(true);
}

void CPaidWith::SetPaymentType(qint32 paymentType) {
    paymentType_ = paymentType;
    SetModified(true);
}

QString CPaidWith::GetImagePath() const {
    return ListImagePath(ImageFolder::PaidWith, imageName_);
}

QString CPaidWith::GetImageReference() const {
    return IsImageMissing() ? imageName_ : GetImagePath();
}

bool CPaidWith::IsEqual(const CPaidWith& other) const {
    return name_ == other.name_ && imageName_ == other.imageName_ &&
           paymentType_ == other.paymentType_;
}

bool CPaidWith::IsImageMissing() const {
    // Looked up when asked rather than whenever an item is made or read: a
    // report holds these for every expense, and only the shown ones matter.
    return !ListImageExists(ImageFolder::PaidWith, imageName_);
}
