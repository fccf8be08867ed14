#include "report/lastslipdate.h"

namespace LastSlipDate {

namespace {

constexpr TimeStamp kKeptSeconds = 30 * 60;

TimeStamp last = 0;
TimeStamp setAt = 0;

}  // namespace

TimeStamp ForNewSlip(TimeStamp now) {
    // Measured from when it was last set: a date far in the past that was
    // just entered stays for the next receipt.
    if (last == 0 || now - setAt > kKeptSeconds) {
        last = now;
        setAt = now;
    }
    return last;
}

void Set(TimeStamp date, TimeStamp now) {
    last = date;
    setAt = now;
}

void Reset() {
    last = 0;
    setAt = 0;
}

}  // namespace LastSlipDate
