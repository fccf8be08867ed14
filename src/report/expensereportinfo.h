#pragma once

#include <QString>

#include "archive/expenseobject.h"
#include "money/amount.h"
#include "report/expensetotals.h"

// The header of a report: its file, location, purpose, status, cash advance
// and running totals. It is the first object of a report file and writes the
// file's header. Every setter marks it modified.
class CExpenseReportInfo : public CExpenseObject {
public:
    // The longest report name, and the characters a name may not contain.
    static constexpr int kMaxNameLength = 25;
    static constexpr char kForbiddenCharacters[] = "\\/:*?\"<>|.";

    CExpenseReportInfo() = default;
    // Copies every field, the path, the totals' flag and the modified flag.
    CExpenseReportInfo(const CExpenseReportInfo& other);
    CExpenseReportInfo& operator=(const CExpenseReportInfo& other);

    // Header (type 6), cash advance, the six totals, location, purpose and
    // the two status flags. Reading takes the path from the file read; a
    // cash advance or a total outside MoneyBounds, or a flag other than 0 or
    // 1, is a damaged file.
    void Serialize(CExpenseArchive& archive, int context) override;
    // Every field to its default, path included; not modified.
    void Reset() override;
    // Clearing the flag also clears the totals' flag: after a save or a load
    // the figures are those of the file.
    void SetModified(bool modified) override;
    // The own flag, or totals stored since the last save.
    bool IsModified() const override;

    // The report file. Set only by ValidateName, by reading and by copying.
    const QString& GetPath() const { return path_; }
    // The file name without folder and ".xpf".
    QString GetTitle() const;

    const QString& GetLocation() const { return location_; }
    void SetLocation(const QString& location);
    const QString& GetPurpose() const { return purpose_; }
    void SetPurpose(const QString& purpose);
    bool IsSubmitted() const { return submitted_; }
    void SetSubmitted(bool submitted);
    bool IsReimbursed() const { return reimbursed_; }
    void SetReimbursed(bool reimbursed);
    const Amount& GetCashAdvance() const { return cashAdvance_; }
    void SetCashAdvance(const Amount& advance);
    const CExpenseTotals& GetTotals() const { return totals_; }
    // Copies the six figures and the flag.
    void SetTotals(const CExpenseTotals& totals);

    // For a report whose changes go to another file than the one it was
    // read from (a copy kept beside a file that cannot be read any more).
    void SetPath(const QString& path) { path_ = path; }

    // Whether the header may take the report name `name` in `directory`;
    // `errorText` is emptied, and receives the reason on refusal. A report
    // that has a file keeps it unless `renameFile`. The name must be 1 to 25
    // characters without any of kForbiddenCharacters. A new name for an
    // existing file (`renameFile`) copies the file to the new name and
    // deletes the old one; a new name for a new report must not be taken.
    // Either way, a name whose file exists already is refused, and the path
    // changes only when the answer is yes.
    bool ValidateName(const QString& directory, const QString& name, bool renameFile,
                      QString& errorText);

private:
    bool RenameFile(const QString& newPath, QString& errorText) const;

    QString path_;
    QString location_;
    QString purpose_;
    bool submitted_ = false;
    bool reimbursed_ = false;
    Amount cashAdvance_;
    CExpenseTotals totals_;
};
