#include <QJsonArray>

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "lists/currencytable.h"

namespace {

QJsonObject FormatJson(const QString& name, const CCurrencyFormat& format) {
    return QJsonObject{
        {QStringLiteral("name"), name},
        {QStringLiteral("digits"), format.GetDigits()},
        {QStringLiteral("leadingZero"), format.GetLeadingZero()},
        {QStringLiteral("negativeOrder"), format.GetNegativeOrder()},
        {QStringLiteral("positiveOrder"), format.GetPositiveOrder()},
        {QStringLiteral("grouping"), format.GetGroupingText()},
        {QStringLiteral("decimalSeparator"), format.GetDecimalSeparator()},
        {QStringLiteral("thousandSeparator"), format.GetThousandSeparator()},
        {QStringLiteral("symbol"), format.GetSymbol()},
        {QStringLiteral("code"), format.GetCode()},
        {QStringLiteral("inUse"), format.GetInUse()},
    };
}

// Reads a currency table as it is, in file order and with every entry: the
// table would file the entries by name and code, merging duplicates.
class CurrencyTableReader : public CExpenseObject {
public:
    void Serialize(CExpenseArchive& archive, int context) override {
        SerializeFileHeader(archive, kFileTypeCurrencyTable,
                            CurrentFileVersion(kFileTypeCurrencyTable));
        traveler_ = archive.ReadInt32();
        archive.CheckValue(traveler_ == 0 || traveler_ == 1);
        CCurrencyTable::ReadFormats(archive, context,
                                    [this](const QString& name, CCurrencyFormat& format) {
                                        formats_.append(FormatJson(name, format));
                                    });
        CCurrencyTable::ReadRates(archive, [this](const QString& code, CurrencyRate& rate) {
            // The rate as stored: a dump shows the file, not what is made of it.
            rates_.append(QJsonObject{{QStringLiteral("code"), code},
                                      {QStringLiteral("updated"), rate.GetUpdated()},
                                      {QStringLiteral("rate"), rate.GetValue()}});
        });
        homeCurrency_ = archive.ReadString();
    }

    QJsonObject Contents() const {
        return QJsonObject{{QStringLiteral("internationalTraveler"), traveler_},
                           {QStringLiteral("formats"), formats_},
                           {QStringLiteral("rates"), rates_},
                           {QStringLiteral("homeCurrency"), homeCurrency_}};
    }

private:
    qint32 traveler_ = 0;
    QJsonArray formats_;
    QJsonArray rates_;
    QString homeCurrency_;
};

std::optional<QJsonObject> DumpCurrencyTable(const QString& path) {
    CurrencyTableReader reader;
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        return std::nullopt;
    }
    return reader.Contents();
}

[[maybe_unused]] const bool registered =
    RegisterDumper(kFileTypeCurrencyTable, &DumpCurrencyTable);

}  // namespace
