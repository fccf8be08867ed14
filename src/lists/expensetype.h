#pragma once

#include <QString>

#include "archive/expenseobject.h"

// Whether an expense is a reimbursable business expense or a deductible or
// non-deductible personal one. The three types are fixed
// (CExpenseTypeManager); every expense carries a copy of one. Setters mark
// the object modified.
class CExpenseType : public CExpenseObject {
public:
    // `typeCode` values; the code is also the type's place in the built-in table.
    static constexpr qint32 kNone = -1;
    static constexpr qint32 kBusinessReimbursable = 0;
    static constexpr qint32 kPersonalDeductible = 1;
    static constexpr qint32 kPersonalNonDeductible = 2;

    CExpenseType();
    CExpenseType(const QString& name, const QString& shortName, const QString& imageName,
                 qint32 typeCode);
    // Copies the fields and the modified flag.
    CExpenseType(const CExpenseType& other);
    CExpenseType& operator=(const CExpenseType& other);

    // `name`, `shortName`, `imageName`, `typeCode`, with no header of its own.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Back to the defaults, not modified.
    void Reset() override;

    QString GetName() const override { return name_; }
    // The name without a copy, valid while this item lives unchanged.
    const QString& GetNameRef() const { return name_; }
    void SetName(const QString& name);
    QString GetShortName() const { return shortName_; }
    void SetShortName(const QString& shortName);
    QString GetImageName() const override { return imageName_; }
    // Keeps only the file name of `path`.
    void SetImageName(const QString& path);
    qint32 GetTypeCode() const { return typeCode_; }
    void SetTypeCode(qint32 typeCode);

    // The image's path in the expense-type image folder.
    QString GetImagePath() const override;
    // Looks for the image file every time it is asked.
    bool IsImageMissing() const override;
    // The image's path when the image exists, else the bare image name.
    QString GetImageReference() const override;

    bool IsBusinessReimbursable() const { return typeCode_ == kBusinessReimbursable; }
    bool IsPersonalDeductible() const { return typeCode_ == kPersonalDeductible; }
    bool IsPersonalNonDeductible() const { return typeCode_ == kPersonalNonDeductible; }

private:
    static QString DefaultImageName() { return QStringLiteral("BROKENIMAGEU.BMP"); }

    QString name_;
    QString shortName_;
    QString imageName_ = DefaultImageName();
    qint32 typeCode_ = kNone;
};
