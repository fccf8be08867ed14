#pragma once

#include "money/amount.h"

class CExpenseReport;

// The money position of a report as the Totals page shows it: the report's
// stored totals with the cash advance, the part of business paid that the
// business card paid, and the personal expenses in one sum.
class CTotalsSummary {
public:
    // Recomputes the totals from every expense of the report; when any
    // figure differs from the stored one, the recomputed figures replace
    // them. True when they were replaced.
    static bool Refresh(CExpenseReport& report);

    explicit CTotalsSummary(const CExpenseReport& report);

    const Amount& GetTotal() const { return total_; }
    const Amount& GetBusinessPaid() const { return businessPaid_; }
    const Amount& GetCashAdvance() const { return cashAdvance_; }
    // Business paid less the cash advance.
    const Amount& GetBusinessCard() const { return businessCard_; }
    // Deductible and non-deductible.
    const Amount& GetPersonal() const { return personal_; }
    const Amount& GetDeductible() const { return deductible_; }
    const Amount& GetNonDeductible() const { return nonDeductible_; }
    const Amount& GetReimbursementDue() const { return reimbursementDue_; }

private:
    Amount total_;
    Amount businessPaid_;
    Amount cashAdvance_;
    Amount businessCard_;
    Amount personal_;
    Amount deductible_;
    Amount nonDeductible_;
    Amount reimbursementDue_;
};
