#include "dumppaymentsources.h"

#include <QJsonArray>

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpers.h"
#include "lists/expensetype.h"
#include "lists/paidwith.h"
#include "lists/paidwithmanager.h"

namespace {

// Reads a payment-source file as it is, in file order and with every entry:
// the manager would file the entries by name, merging duplicates and
// reordering them.
class PaymentSourcesReader : public CExpenseObject {
public:
    void Serialize(CExpenseArchive& archive, int context) override {
        SerializeFileHeader(archive, kFileTypePaymentSources,
                            CurrentFileVersion(kFileTypePaymentSources));
        CPaidWithManager::ReadEntries(
            archive, context, [this](CPaidWith& entry) { entries_.append(PaidWithJson(entry)); });
    }
    void Reset() override {
        CExpenseObject::Reset();
        entries_ = QJsonArray();
    }

    const QJsonArray& Entries() const { return entries_; }

private:
    QJsonArray entries_;
};

std::optional<QJsonObject> DumpPaymentSources(const QString& path) {
    PaymentSourcesReader reader;
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        return std::nullopt;
    }
    return QJsonObject{{QStringLiteral("paymentSources"), reader.Entries()}};
}

[[maybe_unused]] const bool registered =
    RegisterDumper(kFileTypePaymentSources, &DumpPaymentSources);

}  // namespace

QJsonObject PaidWithJson(const CPaidWith& paidWith) {
    return QJsonObject{
        {QStringLiteral("name"), paidWith.GetName()},
        {QStringLiteral("imageName"), paidWith.GetImageName()},
        {QStringLiteral("paymentType"), paidWith.GetPaymentType()},
    };
}

QJsonObject ExpenseTypeJson(const CExpenseType& expenseType) {
    return QJsonObject{
        {QStringLiteral("name"), expenseType.GetName()},
        {QStringLiteral("shortName"), expenseType.GetShortName()},
        {QStringLiteral("imageName"), expenseType.GetImageName()},
        {QStringLiteral("typeCode"), expenseType.GetTypeCode()},
    };
}
