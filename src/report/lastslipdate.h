#pragma once

#include "platform/clock.h"

// The date a new expense slip starts with: the one the last new expense
// took, so that a traveller entering a day's receipts in a row keeps the
// day, until more than half an hour has gone by since, when it is "now"
// again. One for the whole run.
namespace LastSlipDate {

// The date for a new slip opened at `now`.
TimeStamp ForNewSlip(TimeStamp now);
// A new expense was saved at `now` with `date`.
void Set(TimeStamp date, TimeStamp now);
// Forgets the last date (the program's start).
void Reset();

}  // namespace LastSlipDate
