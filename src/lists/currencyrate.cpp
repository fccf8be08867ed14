#include "lists/currencyrate.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

#include "archive/expensearchive.h"
#include "money/moneybounds.h"
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

QString CurrencyRate::FromCharged(double amount, double charged, double& rate) {
    // Dividing by a charge of 0 gives an infinity, which the bounds refuse.
    const double derived = charged != 0.0 ? amount / charged : 0.0;
    if (!MoneyBounds::Contains(MoneyBounds::Kind::kRate, derived)) {
        return MoneyBounds::Message(MoneyBounds::Kind::kRate);
    }
    rate = derived;
    return {};
}

int CurrencyRate::AgeInDays(TimeStamp updated) {
    const Clock& clock = Platform::Get().GetClock();
    const qint64 days = clock.ToLocal(updated).date().daysTo(clock.ToLocal(clock.Now()).date());
    return static_cast<int>(std::max<qint64>(days, 0));
}

QString CurrencyRate::AgeText(int days) {
    return days == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(days);
}
