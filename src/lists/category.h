#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "lists/classification.h"
#include "lists/expensetype.h"
#include "lists/paidwith.h"

// What an expense was for (a meal, fuel, lodging ...), and at the same time
// the tuple every expense carries by value: besides the category's identity,
// name and picture it holds the expense's receipt flag, classification,
// expense type and payment source. Setters mark the object modified.
//
// A category that is not persistent is a temporary copy: it never reads or
// writes anything.
class CCategory : public CExpenseObject {
public:
    // `index` of a user-defined category; 0 to 16 are the built-in ones.
    static constexpr qint32 kUserDefinedIndex = 17;
    static constexpr qint32 kMileageIndex = 9;
    static constexpr qint32 kLodgingIndex = 11;
    static constexpr qint32 kMiscellaneousIndex = 16;
    // `group` of the meals, of fuel and mileage, and of the miscellaneous and
    // user-defined categories: the groups whose button remembers a choice.
    static constexpr qint32 kMealsGroup = 1;
    static constexpr qint32 kFuelGroup = 5;
    static constexpr qint32 kMiscGroup = 12;

    CCategory();
    CCategory(const QString& name, qint32 index, qint32 group);
    // Copies every field but `persistent` (a copy is persistent), with the
    // modified and image-missing flags.
    CCategory(const CCategory& other);
    // As the copy, but the target keeps its own `persistent`.
    CCategory& operator=(const CCategory& other);

    // `index`, `group`, `name`, `imageName`, `receipt`, the classification,
    // expense type and payment source, `reserved`; no header of its own.
    // Nothing at all when not persistent. An index outside 0 to 17, a group
    // outside 0 to 12 or a receipt flag other than 0 or 1 is a damaged file.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Back to the defaults, not modified; `persistent` stays.
    void Reset() override;
    // The category's own flag or any of its three values.
    bool IsModified() const override;
    // Clearing clears the three values too: they are saved with the category.
    void SetModified(bool modified) override;

    qint32 GetIndex() const { return index_; }
    void SetIndex(qint32 index);
    qint32 GetGroup() const { return group_; }
    void SetGroup(qint32 group);
    QString GetName() const override { return name_; }
    // The name without a copy, valid while this item lives unchanged.
    const QString& GetNameRef() const { return name_; }
    void SetName(const QString& name);
    QString GetImageName() const override { return imageName_; }
    // Keeps only the file name of `path` and looks for it in the category
    // image folder.
    void SetImageName(const QString& path);
    qint32 GetReceipt() const { return receipt_; }
    void SetReceipt(qint32 receipt);
    qint32 GetReserved() const { return reserved_; }
    void SetReserved(qint32 reserved);

    CClassification& GetClassification() { return classification_; }
    const CClassification& GetClassification() const { return classification_; }
    void SetClassification(const CClassification& classification);
    CExpenseType& GetExpenseType() { return expenseType_; }
    const CExpenseType& GetExpenseType() const { return expenseType_; }
    void SetExpenseType(const CExpenseType& expenseType);
    CPaidWith& GetPaidWith() { return paidWith_; }
    const CPaidWith& GetPaidWith() const { return paidWith_; }
    void SetPaidWith(const CPaidWith& paidWith);

    bool IsPersistent() const { return persistent_; }
    void SetPersistent(bool persistent) { persistent_ = persistent; }

    // The image's path in the category image folder.
    QString GetImagePath() const override;
    // Looks for the image file every time it is asked.
    bool IsImageMissing() const override;
    // The image's path when the image exists, else the bare image name.
    QString GetImageReference() const override;

    bool IsMileage() const { return index_ == kMileageIndex; }
    bool IsLodging() const { return index_ == kLodgingIndex; }
    bool IsMiscellaneous() const { return index_ == kMiscellaneousIndex; }
    bool IsMiscGroup() const { return group_ == kMiscGroup; }
    // The meals, fuel and miscellaneous groups, whose button shows a choice.
    bool HasGroupMemory() const;

    // The name the category's button shows: the own name, except for the
    // meals group (the meal of the local hour: 05-11 Breakfast, 12-16 Lunch,
    // 17-01 Dinner, 02-04 Snacks) and the fuel and miscellaneous groups (the
    // category last chosen in the group, from the profile's "Categories"
    // section, else the short name of the own index).
    QString GetDisplayName() const;
    // Records the category as the last choice of its group, for the groups
    // with a memory.
    void RememberGroupChoice() const;

private:
    qint32 index_ = 0;
    qint32 group_ = 0;
    QString name_;
    QString imageName_;
    qint32 receipt_ = 0;
    CClassification classification_;
    CExpenseType expenseType_;
    CPaidWith paidWith_;
    qint32 reserved_ = 0;
    bool persistent_ = true;
};
