#pragma once

#include <QString>

#include "money/amount.h"
#include "platform/clock.h"

// A conversion rate: how many units of a currency equal one unit of the home
// currency, and when the user last set it. In a data file the rate is its
// time stamp followed by the value.
class CurrencyRate : public Amount {
public:
    // Rate 0, last set on the day the list of rates was first compiled
    // (DefaultUpdated).
    CurrencyRate();
    explicit CurrencyRate(double rate, TimeStamp updated = DefaultUpdated());

    // 23 September 2002, 01:23:00 in the device's local time.
    static TimeStamp DefaultUpdated();

    void Serialize(CExpenseArchive& archive) override;

    // The rate to compute with: a stored rate of zero or less, or one that is
    // not a number at all, counts as 1.
    double GetRate() const;
    // The rate as GetRate reads it, stored.
    void Normalize() { SetValue(GetRate()); }

    // The rate at which `amount` of a currency was charged as `charged` in the
    // home currency: amount / charged. Empty when that is a rate within the
    // bounds (MoneyBounds); otherwise the bounds' message, and `rate` is
    // left alone. A charge of 0, or of the other sign, gives no rate.
    static QString FromCharged(double amount, double charged, double& rate);

    // Whole days from the local day of `updated` to the clock's today; 0 for
    // a time stamp in the future.
    static int AgeInDays(TimeStamp updated);
    // How the age of a rate older than its limit is shown: "40 days".
    static QString AgeText(int days);

    TimeStamp GetUpdated() const { return updated_; }
    void SetUpdated(TimeStamp updated) { updated_ = updated; }

private:
    TimeStamp updated_;
};
