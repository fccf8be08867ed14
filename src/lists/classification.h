#pragma once

#include <QString>

#include "archive/expenseobject.h"

// A label the user tags an expense with, such as a client, independent of
// its category. Every expense carries one by value; the user's lists of them
// are the groups of CClassificationGroupMgr. Setters mark the object
// modified.
class CClassification : public CExpenseObject {
public:
    CClassification();
    CClassification(const QString& name, const QString& imageName);
    // Copies the fields, the modified flag and the image-missing flag.
    CClassification(const CClassification& other);
    CClassification& operator=(const CClassification& other);

    // `name`, `imageName`, with no header of its own.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Back to the defaults, not modified, image-missing flag recomputed.
    void Reset() override;

    QString GetName() const override { return name_; }
    // The name without a copy, valid while this item lives unchanged.
    const QString& GetNameRef() const { return name_; }
    void SetName(const QString& name);
    QString GetImageName() const override { return imageName_; }
    // Keeps only the file name of `path` and looks for it in the
    // classification image folder.
    void SetImageName(const QString& path);

    // The image's path in the classification image folder.
    QString GetImagePath() const override;
    // Looks for the image file every time it is asked.
    bool IsImageMissing() const override;
    // The image's path when the image exists, else the bare image name.
    QString GetImageReference() const override;

    // Same name and image name, letter case counting.
    bool IsEqual(const CClassification& other) const;

private:
    QString name_;
    QString imageName_;
};
