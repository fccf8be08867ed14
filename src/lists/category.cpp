#include "lists/category.h"

#include "archive/expensearchive.h"
#include "lists/categoryexmanager.h"
#include "lists/expensetypemanager.h"
#include "lists/listimage.h"
#include "platform/platform.h"
#include "platform/profile.h"

namespace {

QString DefaultImageName() {
    return QStringLiteral("BROKENIMAGEU.BMP");
}

CClassification DefaultClassification() {
    return CClassification(QStringLiteral("Client1"), QStringLiteral("CLASSIFICATION04U.BMP"));
}

CPaidWith DefaultPaidWith() {
    return CPaidWith(QStringLiteral("Cash"), QStringLiteral("PAIDWITH08U.BMP"),
                     CPaidWith::kPersonal);
}

QString GroupEntry(qint32 group) {
    return QStringLiteral("Group %1").arg(group);
}

// The built-in meal for a local hour.
qint32 MealIndexAt(int hour) {
    if (hour >= 5 && hour <= 11) {
        return 1;  // Breakfast
    }
    if (hour >= 12 && hour <= 16) {
        return 2;  // Lunch
    }
    if (hour >= 2 && hour <= 4) {
        return 4;  // Snacks
    }
    return 3;  // Dinner, from 17:00 to 01:59
}

}  // namespace

CCategory::CCategory()
    : imageName_(DefaultImageName()),
      classification_(DefaultClassification()),
      expenseType_(CExpenseTypeManager::GetExpenseType(0)),
      paidWith_(DefaultPaidWith()) {}

CCategory::CCategory(const QString& name, qint32 index, qint32 group) : CCategory() {
    index_ = index;
    group_ = group;
    name_ = name;
}

CCategory::CCategory(const CCategory& other) : CExpenseObject() {
    *this = other;
}

CCategory& CCategory::operator=(const CCategory& other) {
    // A copy is a value of its own: it takes the fields and their state of
    // change, not the file's story (valid, loaded). Whether it may touch
    // files is the target's own business.
    index_ = other.index_;
    group_ = other.group_;
    name_ = other.name_;
    imageName_ = other.imageName_;
    receipt_ = other.receipt_;
    classification_ = other.classification_;
    expenseType_ = other.expenseType_;
    paidWith_ = other.paidWith_;
    reserved_ = other.reserved_;
    CExpenseObject::SetModified(other.CExpenseObject::IsModified());
    return *this;
}

void CCategory::Serialize(CExpenseArchive& archive, int context) {
    if (!persistent_) {
        return;
    }
    archive.Exchange(index_);
    archive.CheckValue(index_ >= 0 && index_ <= kUserDefinedIndex);
    archive.Exchange(group_);
    archive.CheckValue(group_ >= 0 && group_ <= kMiscGroup);
    archive.Exchange(name_);
    archive.Exchange(imageName_);
    archive.Exchange(receipt_);
    archive.CheckValue(receipt_ == 0 || receipt_ == 1);
    classification_.Serialize(archive, context);
    expenseType_.Serialize(archive, context);
    paidWith_.Serialize(archive, context);
    archive.Exchange(reserved_);
}

void CCategory::Reset() {
    const bool persistent = persistent_;
    *this = CCategory();
    persistent_ = persistent;
    CExpenseObject::Reset();
}

bool CCategory::IsModified() const {
    return CExpenseObject::IsModified() || classification_.IsModified() ||
           expenseType_.IsModified() || paidWith_.IsModified();
}

void CCategory::SetModified(bool modified) {
    CExpenseObject::SetModified(modified);
    if (!modified) {
        classification_.SetModified(false);
        expenseType_.SetModified(false);
        paidWith_.SetModified(false);
    }
}

void CCategory::SetIndex(qint32 index) {
    index_ = index;
    CExpenseObject::SetModified(true);
}

void CCategory::SetGroup(qint32 group) {
    group_ = group;
    CExpenseObject::SetModified(true);
}

void CCategory::SetName(const QString& name) {
    name_ = name;
    CExpenseObject::SetModified(true);
}

void CCategory::SetImageName(const QString& path) {
    imageName_ = ImageFileNameOf(path);
    CExpenseObject::SetModified(true);
}

void CCategory::SetReceipt(qint32 receipt) {
    receipt_ = receipt;
    CExpenseObject::SetModified(true);
}

void CCategory::SetReserved(qint32 reserved) {
    reserved_ = reserved;
    CExpenseObject::SetModified(true);
}

void CCategory::SetClassification(const CClassification& classification) {
    classification_ = classification;
    CExpenseObject::SetModified(true);
}

void CCategory::SetExpenseType(const CExpenseType& expenseType) {
    expenseType_ = expenseType;
    CExpenseObject::SetModified(true);
}

void CCategory::SetPaidWith(const CPaidWith& paidWith) {
    paidWith_ = paidWith;
    CExpenseObject::SetModified(true);
}

QString CCategory::GetImagePath() const {
    return ListImagePath(ImageFolder::Category, imageName_);
}

QString CCategory::GetImageReference() const {
    return IsImageMissing() ? imageName_ : GetImagePath();
}

bool CCategory::HasGroupMemory() const {
    return group_ == kMealsGroup || group_ == kFuelGroup || group_ == kMiscGroup;
}

QString CCategory::GetDisplayName() const {
    if (!HasGroupMemory()) {
        return name_;
    }
    if (!Platform::HasCurrent()) {
        return CCategoryExManager::GetBuiltInShortName(index_);
    }
    if (group_ == kMealsGroup) {
        const int hour = Platform::Get().GetClock().LocalNow().time().hour();
        return CCategoryExManager::GetBuiltInShortName(MealIndexAt(hour));
    }
    return Profile::GetString(QStringLiteral("Categories"), GroupEntry(group_),
                              CCategoryExManager::GetBuiltInShortName(index_));
}

void CCategory::RememberGroupChoice() const {
    if (HasGroupMemory() && Platform::HasCurrent()) {
        Profile::WriteString(QStringLiteral("Categories"), GroupEntry(group_), name_);
    }
}

bool CCategory::IsImageMissing() const {
    // Looked up when asked rather than whenever an item is made or read: a
    // report holds these for every expense, and only the shown ones matter.
    return !ListImageExists(ImageFolder::Category, imageName_);
}
