#include "lists/rateupdate.h"

#include <QTime>
#include <algorithm>
#include <cmath>

#include "lists/currencytable.h"
#include "lists/referencerates.h"
#include "money/moneybounds.h"
#include "platform/platform.h"

namespace {

const QLatin1String kEuro("EUR");

// The bank publishes five or six significant digits; a rate counted from two
// of them has no more, and more only make it longer to read.
constexpr int kSignificantDigits = 6;

double RoundToSignificant(double value) {
    if (value <= 0 || !std::isfinite(value)) {
        return value;
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(value)));
    const double scale = std::pow(10.0, kSignificantDigits - 1 - magnitude);
    return std::round(value * scale) / scale;
}

}  // namespace

bool CRateUpdate::Plan(const CCurrencyTable& table, const CReferenceRates& rates) {
    problem_.clear();
    changes_.clear();
    unknown_.clear();
    refused_.clear();
    date_ = rates.GetDate();
    // Units per euro of every code, the euro's own 1 among them.
    std::vector<std::pair<QString, double>> perEuro = rates.GetRates();
    perEuro.emplace_back(kEuro, 1.0);
    const QString home = table.GetHomeCode().toUpper();
    const auto homeRate = std::find_if(perEuro.begin(), perEuro.end(),
                                       [&](const auto& entry) { return entry.first == home; });
    if (homeRate == perEuro.end()) {
        problem_ = QStringLiteral(
                       "The reference rates hold no rate for the home currency (%1), so no "
                       "rate can be counted against it.")
                       .arg(home.isEmpty() ? table.GetHomeCurrency() : home);
        return false;
    }
    const double homePerEuro = homeRate->second;
    for (const auto& [code, rate] : perEuro) {
        if (code == home) {
            continue;
        }
        const QStringList names = table.GetCurrenciesOfCode(code);
        if (names.isEmpty()) {
            unknown_.append(code);
            continue;
        }
        const double rebased = RoundToSignificant(rate / homePerEuro);
        if (!MoneyBounds::Contains(MoneyBounds::Kind::kRate, rebased)) {
            refused_.append(code);
            continue;
        }
        Change change{code, names.first(), 0, rebased};
        // The name the user works with, where one of them is in use.
        for (const QString& name : table.GetListedCurrencies()) {
            if (names.contains(name)) {
                change.name = name;
                break;
            }
        }
        CurrencyRate before;
        if (table.GetRateByCode(code, before)) {
            change.before = before.GetRate();
        }
        changes_.push_back(change);
    }
    std::sort(changes_.begin(), changes_.end(), [](const Change& a, const Change& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    unknown_.sort();
    return true;
}

TimeStamp CRateUpdate::GetUpdated() const {
    return Platform::Get().GetClock().FromLocal(date_, QTime(0, 0));
}

void CRateUpdate::Apply(CCurrencyTable& table) const {
    const TimeStamp updated = GetUpdated();
    for (const Change& change : changes_) {
        table.SetRate(change.code, CurrencyRate(change.after, updated), false, true);
    }
}

QString CRateUpdate::ChangeText(const Change& change) {
    if (change.before <= 0) {
        return QStringLiteral("new");
    }
    const double percent = (change.after / change.before - 1) * 100;
    return QStringLiteral("%1%2%").arg(percent >= 0 ? "+" : "").arg(percent, 0, 'f', 2);
}
