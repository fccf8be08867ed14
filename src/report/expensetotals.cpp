#include "report/expensetotals.h"

#include "lists/expensetype.h"
#include "report/expenserecord.h"

void CExpenseTotals::Reset() {
    *this = CExpenseTotals();
}

void CExpenseTotals::AddRecord(const CExpenseRecord& record, const Amount& amount) {
    total_.Add(amount);
    const qint32 type = record.GetExpenseType().GetTypeCode();
    if (type == CExpenseType::kBusinessReimbursable) {
        reimbursable_.Add(amount);
    } else if (type == CExpenseType::kPersonalDeductible) {
        deductible_.Add(amount);
    } else if (type == CExpenseType::kPersonalNonDeductible) {
        nonDeductible_.Add(amount);
    }
    const bool businessPaid = record.GetPaidWith().IsBusinessPaid();
    if (businessPaid) {
        businessPaid_.Add(amount);
    }
    // The employer owes what the user paid for the business, and is owed
    // what the business paid for the user.
    if (type == CExpenseType::kBusinessReimbursable && !businessPaid) {
        reimbursementDue_.Add(amount);
    } else if (type != CExpenseType::kBusinessReimbursable && businessPaid) {
        reimbursementDue_.Subtract(amount);
    }
}

void CExpenseTotals::TakeOutAdvance(const Amount& advance) {
    businessPaid_.Subtract(advance);
    reimbursementDue_.Add(advance);
}

void CExpenseTotals::PutBackAdvance(const Amount& advance) {
    businessPaid_.Add(advance);
    reimbursementDue_.Subtract(advance);
}

void CExpenseTotals::Round(int places) {
    for (Amount* figure : {&total_, &reimbursementDue_, &businessPaid_, &deductible_,
                           &nonDeductible_, &reimbursable_}) {
        figure->Round(places);
    }
}

bool CExpenseTotals::operator==(const CExpenseTotals& other) const {
    return total_.GetValue() == other.total_.GetValue() &&
           reimbursementDue_.GetValue() == other.reimbursementDue_.GetValue() &&
           businessPaid_.GetValue() == other.businessPaid_.GetValue() &&
           deductible_.GetValue() == other.deductible_.GetValue() &&
           nonDeductible_.GetValue() == other.nonDeductible_.GetValue() &&
           reimbursable_.GetValue() == other.reimbursable_.GetValue();
}
