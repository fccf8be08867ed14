#pragma once

#include "money/amount.h"

class CExpenseRecord;

// The six running totals of a report and whether they were stored since the
// header was last reset or saved.
//
// `businessPaid` and `reimbursementDue` include the report's cash advance
// (added to the one, taken from the other); the per-record updates take the
// advance out and put it back around their work.
class CExpenseTotals {
public:
    CExpenseTotals() = default;

    // All six to 0, not changed.
    void Reset();

    // One record's amount `amount` (negative when the record leaves): into
    // the total, into the figure of its expense type, into business paid
    // when the business paid it, and into or out of reimbursement due.
    void AddRecord(const CExpenseRecord& record, const Amount& amount);
    // The advance out of and back into business paid and reimbursement due.
    void TakeOutAdvance(const Amount& advance);
    void PutBackAdvance(const Amount& advance);

    // Half away from zero at `places` decimals, all six.
    void Round(int places);

    // Exact equality of the six figures; the flag does not count.
    bool operator==(const CExpenseTotals& other) const;
    bool operator!=(const CExpenseTotals& other) const { return !(*this == other); }

    const Amount& GetTotal() const { return total_; }
    const Amount& GetReimbursementDue() const { return reimbursementDue_; }
    const Amount& GetBusinessPaid() const { return businessPaid_; }
    const Amount& GetDeductible() const { return deductible_; }
    const Amount& GetNonDeductible() const { return nonDeductible_; }
    const Amount& GetReimbursable() const { return reimbursable_; }
    void SetTotal(const Amount& value) { total_ = value; }
    void SetReimbursementDue(const Amount& value) { reimbursementDue_ = value; }
    void SetBusinessPaid(const Amount& value) { businessPaid_ = value; }
    void SetDeductible(const Amount& value) { deductible_ = value; }
    void SetNonDeductible(const Amount& value) { nonDeductible_ = value; }
    void SetReimbursable(const Amount& value) { reimbursable_ = value; }

    bool IsChanged() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

private:
    Amount total_;
    Amount reimbursementDue_;
    Amount businessPaid_;
    Amount deductible_;
    Amount nonDeductible_;
    Amount reimbursable_;
    bool changed_ = false;
};
