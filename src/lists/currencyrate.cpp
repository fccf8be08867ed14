#include "lists/currencyrate.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>
#include <cmath>

#include "archive/expensearchive.h"
#include "platform/platform.h"

CurrencyRate::CurrencyRate() : updated_(DefaultUpdated()) {}

CurrencyRate::CurrencyRate(double rate, TimeStamp updated) : Amount(rate), updated_(updated) {}

TimeStamp CurrencyRate::DefaultUpdated() {
    const QDate date(2002, 9, 23);
    const QTime time(1, 23);
    if (Platform::HasCurrent()) {
        return Platform::Get().GetClock().FromLocal(date, time);
    }
    // Build tools run without a device; they stamp their rates themselves.
    return QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
}

void CurrencyRate::Serialize(CExpenseArchive& archive) {
    archive.ExchangeTime(updated_);
    Amount::Serialize(archive);
}

double CurrencyRate::GetRate() const {
    const double rate = GetValue();
    // A NaN or an infinity can only come from a damaged file; dividing by it
    // would spread through every total, so it counts as no rate at all.
    return rate > 0.0 && std::isfinite(rate) ? rate : 1.0;
}
