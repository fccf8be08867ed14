#include "money/moneybounds.h"

#include <algorithm>
#include <cmath>

namespace {

using Kind = MoneyBounds::Kind;

struct Bounds {
    const char* what;          // the value, as the messages name it
    const char* range;         // the bounds, in the program's fixed notation rather
                               // than the device's: the same limit on every device
    bool noneAllowed = false;  // 0 stands for "none" and may be entered
};

constexpr const char* kAmountRange = "-999,999,999,999.99 to 999,999,999,999.99";
constexpr const char* kRateRange = "0.000000001 to 1,000,000,000";
constexpr const char* kReadingRange = "0 to 99,999,999.9";

Bounds Of(Kind kind) {
    switch (kind) {
        case Kind::kAmount:
            return {"An amount", kAmountRange};
        case Kind::kCashAdvance:
            return {"A cash advance", kAmountRange};
        case Kind::kRate:
            return {"An exchange rate", kRateRange};
        case Kind::kMileageRate:
            // A trip may go without a rate.
            return {"A mileage rate", kRateRange, true};
        case Kind::kOdometer:
            return {"An odometer reading", kReadingRange};
        case Kind::kDistance:
            return {"A distance", kReadingRange};
    }
    return {"A value", ""};
}

}  // namespace

bool MoneyBounds::ContainsStored(Kind kind, double value) {
    const bool rate = kind == Kind::kRate || kind == Kind::kMileageRate;
    return Contains(kind, value) || (rate && value == 0.0);
}

bool MoneyBounds::ContainsTotal(double value) {
    return value >= -kMaxTotal && value <= kMaxTotal;
}

double MoneyBounds::Lowest(Kind kind) {
    return RangeOf(kind).lowest;
}

double MoneyBounds::Highest(Kind kind) {
    return RangeOf(kind).highest;
}

QString MoneyBounds::Message(Kind kind) {
    const Bounds bounds = Of(kind);
    return QStringLiteral("%1 must be %2a number from %3.")
        .arg(QLatin1String(bounds.what), QLatin1String(bounds.noneAllowed ? "0 or " : ""),
             QLatin1String(bounds.range));
}

QString MoneyBounds::HomeAmountMessage() {
    return QStringLiteral(
               "At this exchange rate the amount in the home currency would lie outside %1. "
               "Please check the amount and the rate.")
        .arg(QLatin1String(kAmountRange));
}

QString MoneyBounds::MileageAmountMessage() {
    return QStringLiteral(
               "The distance times the mileage rate would be an amount outside %1. Please "
               "check the distance and the rate.")
        .arg(QLatin1String(kAmountRange));
}

QString MoneyBounds::OdometerEndMessage() {
    return QStringLiteral(
               "The trip would end at an odometer reading outside %1. Please check the "
               "starting reading and the distance.")
        .arg(QLatin1String(kReadingRange));
}

bool MoneyBounds::FitsConverted(double amount, double rate) {
    return rate != 0.0 && Contains(Kind::kAmount, amount / rate);
}

bool MoneyBounds::FitsProduct(double distance, double rate) {
    return Contains(Kind::kAmount, distance * rate);
}

double MoneyBounds::Clamp(Kind kind, double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    return std::clamp(value, Lowest(kind), Highest(kind));
}
