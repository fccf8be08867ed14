#pragma once

#include <QString>

#include "archive/expenseobject.h"

// One button of the settings screen: a page or list editor named by its type
// number, with its caption and its picture in the "other" image folder. It
// is never written to a file.
class SettingsItem : public CExpenseObject {
public:
    enum Type : int {
        kPersonalInfo = 1,
        kPaymentSources = 2,
        kGeneral = 3,
        kClassification = 4,
        kCurrency = 5,
        kAccountNumbers = 6,
        kCustomCategories = 7,
        kReports = 8,
        kBackup = 9,
        kBroken = 10,
    };

    SettingsItem() { SetType(0); }
    explicit SettingsItem(int type) { SetType(type); }

    int GetType() const { return type_; }
    // Looks for the type's picture again: the user may have added or
    // removed it since.
    void SetType(int type);

    // The button's caption; empty for a type that names no page.
    QString GetCaption() const;
    QString GetName() const override { return GetCaption(); }
    QString GetImageName() const override;
    // The picture's path in the "other" image folder.
    QString GetImagePath() const override;
    // The picture's path when the file is there, else its bare name.
    QString GetImageReference() const override;

private:
    int type_ = 0;
};
