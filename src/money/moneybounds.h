#pragma once

#include <QString>

// What a money value, a rate, an odometer reading and a distance may be: a
// finite number within the bounds below. They lie far beyond any real
// expense in any currency, and far enough inside a double's range that no
// sum, product, quotient or rounding the program makes of values inside them
// can overflow. Every value typed, given on the command line, computed or
// read from a file is held to them; a file holding a value outside them is
// damaged.
class MoneyBounds {
public:
    enum class Kind {
        kAmount,       // an expense's amount, in its own or the home currency
        kCashAdvance,  // a report's cash advance
        kRate,         // an exchange rate: units of a currency per home unit
        kMileageRate,  // an amount per distance unit
        kOdometer,     // an odometer reading
        kDistance,     // a trip's distance
    };

    // Amounts and cash advances lie within plus or minus this.
    static constexpr double kMaxAmount = 999'999'999'999.99;
    // Rates lie between these: the nine decimals a rate field shows, and the
    // same number of digits before the point.
    static constexpr double kMinRate = 0.000000001;
    static constexpr double kMaxRate = 1'000'000'000.0;
    // Odometer readings and distances lie between 0 and this: eight digits
    // and a tenth, as the mileage pad enters them.
    static constexpr double kMaxReading = 99'999'999.9;
    // A report's totals lie within plus or minus this: more than the most
    // expenses a report file can hold, each at the largest amount, plus the
    // cash advance.
    static constexpr double kMaxTotal = 1e20;
    // Amounts are never rounded to more decimals than this.
    static constexpr int kMaxDigits = 9;

    // Whether `value` is a finite number within the bounds of `kind`.
    static bool Contains(Kind kind, double value) {
        const Range range = RangeOf(kind);
        // Written so that a NaN, which compares false with everything, fails.
        return value >= range.lowest && value <= range.highest;
    }
    // The same, but as a stored value may also be: a rate of 0 means "none"
    // (an amount not converted, a trip without a rate).
    static bool ContainsStored(Kind kind, double value);
    // Whether a report's total may be `value`.
    static bool ContainsTotal(double value);

    static double Lowest(Kind kind);
    static double Highest(Kind kind);

    // The message for a value of `kind` outside its bounds; it names them.
    static QString Message(Kind kind);
    // The message for an amount that is within its bounds in its own
    // currency but not once converted into the home currency.
    static QString HomeAmountMessage();
    // The message for a trip whose distance times its rate is beyond the
    // bounds of an amount.
    static QString MileageAmountMessage();
    // The message for an odometer reading that a trip would carry beyond the
    // bounds of a reading.
    static QString OdometerEndMessage();

    // Whether `amount` divided by `rate` is an amount within the bounds.
    static bool FitsConverted(double amount, double rate);
    // Whether `distance` times `rate` is an amount within the bounds.
    static bool FitsProduct(double distance, double rate);
    // `value` held within the bounds of `kind` (0 for a value that is no
    // number at all).
    static double Clamp(Kind kind, double value);

private:
    struct Range {
        double lowest;
        double highest;
    };
    // In the header, as every value of every expense read is held to it.
    static constexpr Range RangeOf(Kind kind) {
        switch (kind) {
            case Kind::kAmount:
            case Kind::kCashAdvance:
                return {-kMaxAmount, kMaxAmount};
            case Kind::kRate:
            case Kind::kMileageRate:
                return {kMinRate, kMaxRate};
            case Kind::kOdometer:
            case Kind::kDistance:
                return {0.0, kMaxReading};
        }
        return {0.0, 0.0};
    }
};
