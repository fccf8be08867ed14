#include "lists/currencytable.h"

#include <algorithm>
#include <cmath>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "lists/listfile.h"
#include "money/moneybounds.h"
#include "platform/platform.h"
#include "platform/profile.h"

namespace {

// The least a file can spend on one entry (a name of a single length byte,
// then the body), so that a count can be checked before it is believed.
constexpr quint64 kMinFormatEntryBytes = 1 + 4 * 4 + 5 * 1 + 4;
constexpr quint64 kMinRateEntryBytes = 1 + 4 + 8;

struct FallbackCurrency {
    const char* name;  // UTF-8
    const char* code;
    const char* symbol;
    int negativeOrder;
    int positiveOrder;
};

// What the program knows of the world's currencies when no table file can
// be read; the full list ships as a file of its own.
constexpr FallbackCurrency kFallbackCurrencies[] = {
    {"Afghanistan Afghani", "AFA", "Af", 3, 2}, {"Byelorussian Rubles", "RUR", "R", 2, 0},
    {"Færæ Islands", "DKK", "Kr", 8, 3},        {"Gabon Francs", "XAF", "CFAF", 5, 1},
    {"Lithuanian Litai", "LTL", "Lt", 12, 2},   {"Luxembourg Francs", "LUF", "LxF", 5, 1},
    {"Macau Pataca", "MOP", "", 5, 0},          {"Macedonia Denar", "MKD", "", 5, 3},
    {"Zaïre New Zaire", "ZRN", "NZ", 12, 2},    {"Zimbabwe Dollar", "ZWD", "Z$", 2, 0},
};

// Locale names that mean the U.S. dollar without naming a currency of the
// table; "US Dollar" is what most devices report.
constexpr const char* kUsDollarNames[] = {"U.S. Dollar", "U.S. Dollars", "US Dollar",
                                          "US Dollars"};

bool MeansUsDollars(const QString& localeName) {
    for (const char* name : kUsDollarNames) {
        if (localeName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return localeName.contains(QLatin1String("United")) &&
           localeName.contains(QLatin1String("States"));
}

}  // namespace

CCurrencyTable::CCurrencyTable() : filePath_(DefaultFilePath()) {}

CCurrencyTable::CCurrencyTable(QString filePath) : filePath_(std::move(filePath)) {}

QString CCurrencyTable::DefaultFilePath() {
    return DataFilePath(QString::fromLatin1(kFileName));
}

void CCurrencyTable::Serialize(CExpenseArchive& archive, int context) {
    SerializeFileHeader(archive, kFileTypeCurrencyTable,
                        CurrentFileVersion(kFileTypeCurrencyTable));
    // Kept as read, so that a file read and written back is unchanged.
    archive.Exchange(internationalTraveler_);
    archive.CheckValue(internationalTraveler_ == 0 || internationalTraveler_ == 1);
    if (archive.IsStoring()) {
        archive.WriteUInt32(static_cast<quint32>(formats_.Count()));
        for (auto& entry : formats_) {
            archive.WriteString(entry.key);
            entry.value.Serialize(archive, context);
        }
        archive.WriteUInt32(static_cast<quint32>(rates_.Count()));
        for (auto& entry : rates_) {
            archive.WriteString(entry.key);
            entry.value.Serialize(archive);
        }
        archive.WriteString(homeCurrency_);
        return;
    }
    formats_.Clear();
    rates_.Clear();
    ReadFormats(archive, context, [this](const QString& name, CCurrencyFormat& format) {
        formats_.Insert(name, format);
    });
    ReadRates(archive,
              [this](const QString& code, CurrencyRate& rate) { rates_.Insert(code, rate); });
    homeCurrency_ = archive.ReadString();
}

void CCurrencyTable::ReadFormats(
    CExpenseArchive& archive, int context,
    const std::function<void(const QString&, CCurrencyFormat&)>& take) {
    const quint32 count = archive.ReadUInt32();
    archive.CheckCount(count, kMinFormatEntryBytes);
    CCurrencyFormat format;
    for (quint32 i = 0; i < count; ++i) {
        const QString name = archive.ReadString();
        format.Serialize(archive, context);
        take(name, format);
    }
}

void CCurrencyTable::ReadRates(CExpenseArchive& archive,
                               const std::function<void(const QString&, CurrencyRate&)>& take) {
    const quint32 count = archive.ReadUInt32();
    archive.CheckCount(count, kMinRateEntryBytes);
    CurrencyRate rate;
    for (quint32 i = 0; i < count; ++i) {
        const QString code = archive.ReadString();
        rate.Serialize(archive);
        // Zero or less is documented to read as 1; anything else must be a
        // rate a rate field could hold.
        const double value = rate.GetValue();
        archive.CheckValue(value <= 0.0 ? std::isfinite(value)
                                        : MoneyBounds::Contains(MoneyBounds::Kind::kRate, value));
        take(code, rate);
    }
}

void CCurrencyTable::Reset() {
    CExpenseObject::Reset();
    formats_.Clear();
    rates_.Clear();
    homeCurrency_ = QString::fromLatin1(kDefaultHomeCurrency);
    internationalTraveler_ = 0;
}

bool CCurrencyTable::Load(bool reportErrors) {
    bool read = false;
    replacedUnreadable_ = false;
    const bool result = LoadListFile(
        *this, filePath_, reportErrors,
        [this, &read] {
            // A table without rates is still the user's: the fallback table
            // has none, and rebuilding it at every start would throw away the
            // home currency and the currencies in use chosen since.
            read = !formats_.IsEmpty();
            return read;
        },
        [this] {
            CreateDefaults();
            WriteInitHomeCurrency(QStringLiteral("0"));
        },
        &replacedUnreadable_);
    if (read && InitHomeCurrencyRequested()) {
        InitHomeCurrency();
        WriteInitHomeCurrency(QStringLiteral("0"));
        Save(reportErrors);
    }
    return result;
}

bool CCurrencyTable::Save(bool reportErrors) {
    return SaveListFile(*this, filePath_, reportErrors);
}

void CCurrencyTable::CreateDefaults() {
    formats_.Clear();
    for (const FallbackCurrency& currency : kFallbackCurrencies) {
        CCurrencyFormat format;
        format.SetDecimalSeparator(QStringLiteral("."));
        format.SetThousandSeparator(QStringLiteral(","));
        format.SetDigits(2);
        format.SetLeadingZero(1);
        format.SetGroupingText(QStringLiteral("3;0"));
        format.SetSymbol(QString::fromUtf8(currency.symbol));
        format.SetCode(QString::fromLatin1(currency.code));
        format.SetNegativeOrder(currency.negativeOrder);
        format.SetPositiveOrder(currency.positiveOrder);
        format.SetInUse(0);
        format.SetModified(false);
        formats_.Insert(QString::fromUtf8(currency.name), format);
    }
    rates_.Clear();
    SetModified(true);
    InitHomeCurrency();
}

void CCurrencyTable::SetFormat(const QString& name, const CCurrencyFormat& format) {
    formats_.Insert(name, format);
    SetModified(true);
}

bool CCurrencyTable::FindFormat(const QString& name, CCurrencyFormat& format) const {
    const CCurrencyFormat* found = formats_.Find(name);
    if (found == nullptr) {
        return false;
    }
    format = *found;
    return true;
}

bool CCurrencyTable::SetInUse(const QString& name, bool inUse) {
    CCurrencyFormat* found = formats_.Find(name);
    if (found == nullptr) {
        return false;
    }
    found->SetInUse(inUse ? 1 : 0);
    SetModified(true);
    return true;
}

bool CCurrencyTable::SetRate(const QString& key, const CurrencyRate& rate, bool stampNow,
                             bool keyIsCode) {
    QString code = key;
    if (!keyIsCode) {
        // An unknown name has no code; its rate would land under the empty
        // code and be taken for that of every currency without a code.
        const CCurrencyFormat* format = formats_.Find(key);
        if (format == nullptr) {
            return false;
        }
        code = format->GetCode();
    }
    CurrencyRate stored = rate;
    if (stampNow) {
        stored.SetUpdated(Platform::Get().GetClock().Now());
    }
    rates_.Insert(code, stored);
    SetModified(true);
    return true;
}

bool CCurrencyTable::GetRateByCode(const QString& code, CurrencyRate& rate) const {
    const CurrencyRate* found = rates_.Find(code);
    if (found == nullptr) {
        return false;
    }
    rate = *found;
    rate.Normalize();
    return true;
}

bool CCurrencyTable::GetRate(const QString& name, CCurrencyFormat& format,
                             CurrencyRate& rate) const {
    return FindFormat(name, format) && GetRateByCode(format.GetCode(), rate);
}

QString CCurrencyTable::GetCode(const QString& name) const {
    const CCurrencyFormat* found = formats_.Find(name);
    return found == nullptr ? QString() : found->GetCode();
}

bool CCurrencyTable::GetHomeRate(CurrencyRate& rate) const {
    CCurrencyFormat format;
    return GetRate(homeCurrency_, format, rate);
}

bool CCurrencyTable::SharesHomeRate(const QString& name) const {
    const QString code = GetCode(name);
    return name == homeCurrency_ ||
           (!code.isEmpty() && code.compare(GetHomeCode(), Qt::CaseInsensitive) == 0);
}

CCurrencyFormat CCurrencyTable::FormatOrDevice(const QString& name) const {
    const CCurrencyFormat* found = formats_.Find(name);
    return found == nullptr ? CCurrencyFormat(true) : *found;
}

int CCurrencyTable::GetDigits(const QString& name) const {
    return FormatOrDevice(name).GetDigits();
}

int CCurrencyTable::GetLeadingZero(const QString& name) const {
    return FormatOrDevice(name).GetLeadingZero();
}

int CCurrencyTable::GetGrouping(const QString& name) const {
    return FormatOrDevice(name).GetGrouping();
}

QString CCurrencyTable::GetDecimalSeparator(const QString& name) const {
    return FormatOrDevice(name).GetDecimalSeparator();
}

QString CCurrencyTable::GetThousandSeparator(const QString& name) const {
    return FormatOrDevice(name).GetThousandSeparator();
}

int CCurrencyTable::GetNegativeOrder(const QString& name) const {
    return FormatOrDevice(name).GetNegativeOrder();
}

int CCurrencyTable::GetPositiveOrder(const QString& name) const {
    return FormatOrDevice(name).GetPositiveOrder();
}

QString CCurrencyTable::GetSymbol(const QString& name) const {
    return FormatOrDevice(name).GetSymbol();
}

bool CCurrencyTable::SetHomeCurrency(const QString& name, bool rebase) {
    if (name == homeCurrency_) {
        return true;
    }
    if (!formats_.Contains(name)) {
        return false;
    }
    homeCurrency_ = name;
    SetModified(true);
    if (!rebase) {
        return true;
    }
    CurrencyRate homeRate;
    if (!GetHomeRate(homeRate)) {
        return false;
    }
    const double divisor = homeRate.GetRate();  // never 0
    const QString homeCode = GetHomeCode();
    for (auto& entry : rates_) {
        double rate = entry.value.GetValue() / divisor;
        // The home currency's own rate is exactly 1, whatever rounding made
        // of it; a rate that cannot be used becomes 1 as when it is read.
        if (entry.key.compare(homeCode, Qt::CaseInsensitive) == 0 || !(rate > 0.0) ||
            !std::isfinite(rate)) {
            rate = 1.0;
        }
        // Two rates at opposite ends of their bounds give a quotient beyond
        // them, which no rate field could show or take; it is held at the
        // nearest bound.
        entry.value.SetValue(MoneyBounds::Clamp(MoneyBounds::Kind::kRate, rate));
    }
    return true;
}

void CCurrencyTable::InitHomeCurrency() {
    const RegionalSettings& regional = Platform::Get().GetRegional();
    QString localeName;
    for (LocaleItem item : {LocaleItem::EnglishCurrencyName, LocaleItem::EnglishCountryName,
                            LocaleItem::EnglishLanguageName}) {
        localeName = regional.Text(item);
        if (!localeName.isEmpty()) {
            break;
        }
    }
    QString chosen;
    if (!localeName.isEmpty() && formats_.Contains(localeName)) {
        chosen = localeName;
    } else {
        const QString code = regional.Text(LocaleItem::IntlSymbol);
        if (!code.isEmpty() && rates_.Contains(code)) {
            chosen = ChooseByCode(localeName, code);
        }
    }
    if (!chosen.isEmpty()) {
        SetHomeCurrency(chosen, true);
    } else if (homeCurrency_ != QLatin1String(kDefaultHomeCurrency)) {
        // Set even when the table does not list it, as a new table has it.
        homeCurrency_ = QString::fromLatin1(kDefaultHomeCurrency);
        SetModified(true);
    }
    SetInternationalTraveler(homeCurrency_ != QLatin1String(kDefaultHomeCurrency));
}

QString CCurrencyTable::ChooseByCode(const QString& localeName, const QString& code) const {
    QStringList candidates;
    for (const auto& entry : formats_) {
        if (entry.value.GetCode() == code) {
            candidates << entry.key;
            if (localeName.isEmpty()) {
                break;
            }
        }
    }
    // The United States have exactly one currency of their own, which the
    // table may list under a name the locale does not use.
    if (candidates.isEmpty() || MeansUsDollars(localeName)) {
        return {};
    }
    if (candidates.size() == 1) {
        return candidates.first();
    }
    // Several currencies share the code (the euro of each country): the one
    // whose name has most in common with the locale's name wins, the first
    // of them on a tie.
    QString text = localeName;
    text.remove(QLatin1Char('('))
        .remove(QLatin1Char(')'))
        .replace(QLatin1Char('-'), QLatin1Char(' '));
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    qsizetype best = 0;
    int bestScore = -1;
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        int score = 0;
        for (const QString& word : words) {
            if (candidates[i].contains(word) || word.contains(candidates[i])) {
                ++score;
            }
        }
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return candidates[best];
}

bool CCurrencyTable::InitHomeCurrencyRequested() const {
    return Platform::Get().GetRegistry().ReadString(RegistryHive::ClassesRoot,
                                                    QString::fromLatin1(Profile::kApplicationKey),
                                                    QString::fromLatin1(kInitHomeCurrencyValue),
                                                    QStringLiteral("1")) == QLatin1String("1");
}

void CCurrencyTable::WriteInitHomeCurrency(const QString& value) const {
    Platform::Get().GetRegistry().WriteString(RegistryHive::ClassesRoot,
                                              QString::fromLatin1(Profile::kApplicationKey),
                                              QString::fromLatin1(kInitHomeCurrencyValue), value);
}

void CCurrencyTable::SetInternationalTraveler(bool traveler) {
    internationalTraveler_ = traveler ? 1 : 0;
    SetModified(true);
}

QString CCurrencyTable::FormatInHome(const Amount& amount, int flags) const {
    return FormatIn(homeCurrency_, amount, flags);
}

QStringList CCurrencyTable::GetCurrencies(bool inUse) const {
    QStringList names;
    for (const auto& entry : formats_) {
        if ((entry.value.GetInUse() != 0) == inUse) {
            names.append(entry.key);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList CCurrencyTable::GetListedCurrencies() const {
    QStringList names = GetCurrencies(true);
    if (!names.contains(homeCurrency_)) {
        names.append(homeCurrency_);
    }
    return names;
}

QStringList CCurrencyTable::GetCurrenciesOfCode(const QString& code) const {
    QStringList names;
    for (const auto& entry : formats_) {
        if (!code.isEmpty() && entry.value.GetCode().compare(code, Qt::CaseInsensitive) == 0) {
            names.append(entry.key);
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString CCurrencyTable::FormatIn(const QString& currency, const Amount& amount, int flags) const {
    return amount.FormatCurrency(FormatOrDevice(currency), flags);
}

Amount CCurrencyTable::ConvertToHome(const Amount& amount, const Amount& rate, int homeDigits) {
    const double divisor = rate.GetValue();
    if (divisor == 0.0 || !std::isfinite(divisor)) {
        return amount;
    }
    // What is typed and read is checked against the bounds before it gets
    // here; holding the quotient to them as well keeps a total finite even
    // for values that never were. Rounding the very top of the bounds at few
    // decimals lands just beyond them, hence the second hold.
    Amount converted(MoneyBounds::Clamp(MoneyBounds::Kind::kAmount, amount.GetValue() / divisor));
    converted.Round(homeDigits);
    return Amount(MoneyBounds::Clamp(MoneyBounds::Kind::kAmount, converted.GetValue()));
}
