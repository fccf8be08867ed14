#include "report/totalssummary.h"

#include "report/report.h"

bool CTotalsSummary::Refresh(CExpenseReport& report) {
    CExpenseTotals computed;
    report.GetRecords().ComputeTotals(computed, false, true);
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
