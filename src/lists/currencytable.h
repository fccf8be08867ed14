#pragma once

#include <QString>
#include <functional>

#include "archive/expenseobject.h"
#include "lists/currencyrate.h"
#include "lists/namemap.h"
#include "money/currencyformat.h"

// Every currency the program knows, how its amounts are written, the rates
// the user keeps, the home currency and the "International Traveler"
// preference, kept in CurrencyTable.dat in the data folder.
//
// Currencies are keyed by their descriptive name ("U.S. Dollars"), letter for
// letter; rates by the currency's code ("DKK"), so currencies that share a
// code share a rate. A rate is the number of units of its currency that buy
// one unit of the home currency.
class CCurrencyTable : public CExpenseObject {
public:
    static constexpr char kFileName[] = "CurrencyTable.dat";
    static constexpr char kDefaultHomeCurrency[] = "U.S. Dollars";
    // The classes-root value that asks the next load to choose the home
    // currency from the regional settings ("1", the default) or not ("0").
    static constexpr char kInitHomeCurrencyValue[] = "Init Home Currency";
    // Decimals of converted amounts when no table is at hand.
    static constexpr int kDigitsWithoutTable = 2;

    // The table of the file in the data folder (DefaultFilePath).
    CCurrencyTable();
    // The table of another file; an empty path can neither load nor save.
    explicit CCurrencyTable(QString filePath);

    // The data folder's CurrencyTable.dat; empty without a data folder.
    static QString DefaultFilePath();

    const QString& GetFilePath() const { return filePath_; }
    void SetFilePath(const QString& filePath) { filePath_ = filePath; }

    // Header (type 1, version 2), the traveler flag, the formats with their
    // names, the rates with their codes and the home currency, in map order.
    void Serialize(CExpenseArchive& archive, int context) override;
    // No currencies, no rates, home "U.S. Dollars", traveler 0.
    void Reset() override;

    // Reads the file. A file that is missing, empty, unreadable or holds no
    // currency is replaced by the fallback table, saved at once; an
    // unreadable one is first moved aside (KeepUnreadableFile), and when that
    // fails nothing is written and the result is false. After a good read,
    // the "Init Home Currency" value decides whether the home currency is
    // chosen afresh from the regional settings. `reportErrors` shows the
    // failures and asks before overwriting a file that failed to load.
    bool Load(bool reportErrors);
    // Whether the last Load found the file unreadable (damaged, foreign,
    // newer) and put the fallback table in its place. Figures worked out with
    // it are not the user's own: nothing should be rewritten because of them.
    bool IsReplacedUnreadable() const { return replacedUnreadable_; }
    // Writes the file when the table is modified; true when nothing needed
    // writing. False without a file path.
    bool Save(bool reportErrors);
    // The ten fallback currencies, no rates, and the home currency chosen
    // from the regional settings.
    void CreateDefaults();

    // Stores a copy of `format` under `name`, replacing any.
    void SetFormat(const QString& name, const CCurrencyFormat& format);
    // Copies the named currency's format; false when the name is unknown.
    bool FindFormat(const QString& name, CCurrencyFormat& format) const;
    bool HasFormat(const QString& name) const { return formats_.Contains(name); }
    // Puts the currency in or out of the user's rate list; false when the
    // name is unknown.
    bool SetInUse(const QString& name, bool inUse);

    // Stores `rate` under the code `key` (keyIsCode) or under the code of the
    // currency named `key`; with `stampNow` its time becomes the clock's now.
    // False, storing nothing, for a currency name the table does not know.
    bool SetRate(const QString& key, const CurrencyRate& rate, bool stampNow, bool keyIsCode);
    // The rate stored for a code, read as CurrencyRate::GetRate reads it;
    // false when there is none.
    bool GetRateByCode(const QString& code, CurrencyRate& rate) const;
    // The named currency's format and rate; false when either is missing.
    bool GetRate(const QString& name, CCurrencyFormat& format, CurrencyRate& rate) const;
    // The named currency's code; empty when the name is unknown.
    QString GetCode(const QString& name) const;

    const QString& GetHomeCurrency() const { return homeCurrency_; }
    bool GetHomeFormat(CCurrencyFormat& format) const { return FindFormat(homeCurrency_, format); }
    QString GetHomeCode() const { return GetCode(homeCurrency_); }
    bool GetHomeRate(CurrencyRate& rate) const;
    // Whether the named currency is the home currency or shares its code,
    // and so its rate, which stays 1.
    bool SharesHomeRate(const QString& name) const;

    // Items of the named currency's format; for a name the table does not
    // know, those of the device's user default locale.
    int GetDigits(const QString& name) const;
    int GetLeadingZero(const QString& name) const;
    int GetGrouping(const QString& name) const;
    QString GetDecimalSeparator(const QString& name) const;
    QString GetThousandSeparator(const QString& name) const;
    int GetNegativeOrder(const QString& name) const;
    int GetPositiveOrder(const QString& name) const;
    QString GetSymbol(const QString& name) const;
    int GetHomeDigits() const { return GetDigits(homeCurrency_); }
    int GetHomeLeadingZero() const { return GetLeadingZero(homeCurrency_); }
    int GetHomeGrouping() const { return GetGrouping(homeCurrency_); }
    QString GetHomeDecimalSeparator() const { return GetDecimalSeparator(homeCurrency_); }
    QString GetHomeThousandSeparator() const { return GetThousandSeparator(homeCurrency_); }
    int GetHomeNegativeOrder() const { return GetNegativeOrder(homeCurrency_); }
    int GetHomePositiveOrder() const { return GetPositiveOrder(homeCurrency_); }
    QString GetHomeSymbol() const { return GetSymbol(homeCurrency_); }

    // Makes `name` the home currency; false when it is unknown. With `rebase`
    // every rate is divided by the new home currency's rate, so that the home
    // currency's own rate becomes 1, and a quotient beyond the bounds of a
    // rate is held at the nearest one (MoneyBounds); the result is then
    // false when the new home currency has no rate (nothing is re-based).
    bool SetHomeCurrency(const QString& name, bool rebase);
    // Chooses the home currency from the regional settings: the locale's
    // English currency, country or language name when it names a currency,
    // else the currency of the locale's currency code whose name shares the
    // most words with that locale name, else "U.S. Dollars". Sets the
    // traveler flag for any home currency but "U.S. Dollars".
    void InitHomeCurrency();

    bool GetInternationalTraveler() const { return internationalTraveler_ != 0; }
    void SetInternationalTraveler(bool traveler);

    // An amount in the home currency's format (Amount::FormatFlag bits).
    QString FormatInHome(const Amount& amount, int flags) const;
    // An amount in the named currency's format, or in the device's for a
    // currency the table does not know.
    QString FormatIn(const QString& currency, const Amount& amount, int flags) const;
    // The currencies marked for use (or, with `inUse` false, the others),
    // in alphabetical order.
    QStringList GetCurrencies(bool inUse) const;
    // The currencies a traveller picks from: those marked for use, in
    // alphabetical order, then the home currency when it is not among them.
    QStringList GetListedCurrencies() const;
    // The currencies whose code is `code` (compared without regard to case),
    // in alphabetical order; several currencies share one code, as the euro
    // of each country does.
    QStringList GetCurrenciesOfCode(const QString& code) const;

    // `amount` in the home currency at the expense's `rate`: amount / rate
    // rounded half away from zero at `homeDigits` decimals, the quotient
    // held within the bounds of an amount (MoneyBounds). A rate of 0 (or one
    // that is not a number) means the amount is not converted.
    static Amount ConvertToHome(const Amount& amount, const Amount& rate, int homeDigits);
    // The same at this table's home-currency decimals.
    Amount ConvertToHome(const Amount& amount, const Amount& rate) const {
        return ConvertToHome(amount, rate, GetHomeDigits());
    }

    // The currencies by name and the rates by code, in map (and file) order.
    const NameMap<CCurrencyFormat>& Formats() const { return formats_; }
    const NameMap<CurrencyRate>& Rates() const { return rates_; }
    int GetFormatCount() const { return static_cast<int>(formats_.Count()); }
    int GetRateCount() const { return static_cast<int>(rates_.Count()); }

    // Reading a table file entry by entry, in file order, for tools that show
    // a file as it is. Each reads its 32-bit count, checks it against the
    // bytes left, and hands every entry to `take`.
    static void ReadFormats(CExpenseArchive& archive, int context,
                            const std::function<void(const QString&, CCurrencyFormat&)>& take);
    static void ReadRates(CExpenseArchive& archive,
                          const std::function<void(const QString&, CurrencyRate&)>& take);

private:
    // The named format, or one read from the device for an unknown name.
    CCurrencyFormat FormatOrDevice(const QString& name) const;
    // The currency of the locale's code that InitHomeCurrency settles on;
    // empty when the code leads to none.
    QString ChooseByCode(const QString& localeName, const QString& code) const;
    bool InitHomeCurrencyRequested() const;
    void WriteInitHomeCurrency(const QString& value) const;

    QString filePath_;
    NameMap<CCurrencyFormat> formats_;
    NameMap<CurrencyRate> rates_;
    QString homeCurrency_ = QString::fromLatin1(kDefaultHomeCurrency);
    bool replacedUnreadable_ = false;
    qint32 internationalTraveler_ = 0;
};
