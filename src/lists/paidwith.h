#pragma once

#include <QString>

#include "archive/expenseobject.h"

// A payment source ("Paid With": cash, a card, a cheque account) and who pays
// the bill for what is paid with it. Every expense carries one by value; the
// user's list of them is CPaidWithManager. Setters mark the object modified.
class CPaidWith : public CExpenseObject {
public:
    // `paymentType` values.
    static constexpr qint32 kPersonal = 0;  // the user paid and is owed the money
    static constexpr qint32 kBusiness = 1;  // the business paid

    CPaidWith();
    CPaidWith(const QString& name, const QString& imageName, qint32 paymentType);
    // Copies the fields, the modified flag and the image-missing flag.
    CPaidWith(const CPaidWith& other);
    CPaidWith& operator=(const CPaidWith& other);

    // What a mileage expense is stored with, whatever was chosen: "None",
    // "PAIDWITH01U.BMP", personal.
    static CPaidWith ForMileage();

    // `name`, `imageName`, `paymentType`, with no header of its own.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Back to the defaults, not modified, image-missing flag recomputed.
    void Reset() override;

    QString GetName() const override { return name_; }
    // The name without a copy, valid while this item lives unchanged.
    const QString& GetNameRef() const { return name_; }
    void SetName(const QString& name);
    QString GetImageName() const override { return imageName_; }
    // Keeps only the file name of `path` and looks for it in the
    // payment-source image folder.
    void SetImageName(const QString& path);
    qint32 GetPaymentType() const { return paymentType_; }
    void SetPaymentType(qint32 paymentType);
    bool IsBusinessPaid() const { return paymentType_ == kBusiness; }

    // The image's path in the payment-source image folder.
    QString GetImagePath() const override;
    // Looks for the image file every time it is asked.
    bool IsImageMissing() const override;
    // The image's path when the image exists, else the bare image name.
    QString GetImageReference() const override;

    // Same name and image name (letter case counts) and same payment type.
    bool IsEqual(const CPaidWith& other) const;

private:
    static QString DefaultImageName() { return QStringLiteral("BROKENIMAGEU.BMP"); }

    QString name_;
    QString imageName_ = DefaultImageName();
    qint32 paymentType_ = kPersonal;
};
