#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "lists/history.h"

// One of the program's remembered-text lists with the display name and the
// image ("other" image folder) under which the lists are offered for
// editing. The holder's state of change is its history's. A holder lives
// only as long as the page or dialog that uses it, which loads it at once and
// saves it after changes.
class CHistoryHolder : public CExpenseObject {
public:
    enum class Kind {
        Purpose,           // "Purpose", Purpose.dat
        ExpenseLocations,  // "Expense Slip Locations", LocationExpense.dat
        Contacts,          // " Contacts", Contacts.dat
        ReportLocations,   // "Report Locations", LocationReport.dat
    };

    // The history of `kind`, in its file in the data folder (no file without
    // a data folder). Nothing is read yet.
    explicit CHistoryHolder(Kind kind);

    Kind GetKind() const { return kind_; }
    QString GetName() const override;
    QString GetImageName() const override;
    // The image's path in the "other" image folder.
    QString GetImagePath() const override;
    // The image's path when the image exists, else the bare image name.
    QString GetImageReference() const override;

    CHistory& GetHistory() { return history_; }
    const CHistory& GetHistory() const { return history_; }
    bool Load(bool reportErrors) { return history_.Load(reportErrors); }
    bool Save(bool reportErrors) { return history_.Save(reportErrors); }
    bool IsModified() const override { return history_.IsModified(); }
    void SetModified(bool modified) override { history_.SetModified(modified); }

    // The history's file name in the data folder, e.g. "Purpose.dat".
    static QString FileName(Kind kind);

private:
    Kind kind_;
    CHistory history_;
};
