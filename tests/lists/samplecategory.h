#pragma once

#include "lists/category.h"

// The user-defined category "Cab" of the hand-written files of these tests:
// image "CATCUSTOM03U.BMP", a receipt, classification "Acme", the personal
// deductible type, "Visa" paid by the business and reserved 7.
inline CCategory SampleCab() {
    CCategory cab("Cab", CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
    cab.SetImageName("CATCUSTOM03U.BMP");
    cab.SetReceipt(1);
    cab.SetClassification(CClassification("Acme", "C2.BMP"));
    cab.SetExpenseType(CExpenseType("Personal Deductible", "Deductible", "ETDEDUCTIBLEU.BMP", 1));
    cab.SetPaidWith(CPaidWith("Visa", "PAIDWITH14U.BMP", CPaidWith::kBusiness));
    cab.SetReserved(7);
    return cab;
}
