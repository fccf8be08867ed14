#include "report/totalssummary.h"

#include "report/report.h"

bool CTotalsSummary::Refresh(CExpenseReport& report) {
    // Rounded as the stored figures are: unrounded sums would differ from
    // them in the last bit, be stored, and have the report rewritten at its
    // next opening.
    CExpenseTotals computed = report.GetRecords().ComputeStoredTotals();
    if (computed == report.GetHeader().GetTotals()) {
        return false;
    }
    computed.SetChanged(true);
    report.GetHeader().SetTotals(computed);
    return true;
}

CTotalsSummary::CTotalsSummary(const CExpenseReport& report) {
    const CExpenseTotals& totals = report.GetHeader().GetTotals();
    total_ = totals.GetTotal();
    businessPaid_ = totals.GetBusinessPaid();
    cashAdvance_ = report.GetHeader().GetCashAdvance();
    businessCard_ = businessPaid_;
    businessCard_.Subtract(cashAdvance_);
    deductible_ = totals.GetDeductible();
    nonDeductible_ = totals.GetNonDeductible();
    personal_ = deductible_;
    personal_.Add(nonDeductible_);
    reimbursementDue_ = totals.GetReimbursementDue();
}
