#include "dumpcategory.h"

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpclassifications.h"
#include "cli/dumpers.h"
#include "cli/dumppaymentsources.h"
#include "lists/category.h"
#include "lists/categoryex.h"

namespace {

// Reads a category file as it is: the history's file name as stored, not the
// path the program would make of it, and whatever index it holds.
class CategoryFileReader : public CExpenseObject {
public:
    explicit CategoryFileReader(quint32 fileType) : fileType_(fileType) {}

    void Serialize(CExpenseArchive& archive, int context) override {
        SerializeFileHeader(archive, fileType_, CurrentFileVersion(fileType_));
        CCategoryEx::ExchangeBody(archive, context, accountNumber_, historyFile_, category_);
    }
    void Reset() override {
        CExpenseObject::Reset();
        accountNumber_.clear();
        historyFile_.clear();
        category_.Reset();
    }

    QJsonObject Contents() const {
        QJsonObject json = CategoryJson(category_);
        json.insert(QStringLiteral("accountNumber"), accountNumber_);
        json.insert(QStringLiteral("historyFile"), historyFile_);
        return json;
    }

private:
    quint32 fileType_;
    QString accountNumber_;
    QString historyFile_;
    CCategory category_;
};

std::optional<QJsonObject> DumpCategory(const QString& path, quint32 fileType) {
    CategoryFileReader reader(fileType);
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        return std::nullopt;
    }
    return reader.Contents();
}

[[maybe_unused]] const bool builtInRegistered = RegisterDumper(
    kFileTypeBuiltInCategory,
    [](const QString& path) { return DumpCategory(path, kFileTypeBuiltInCategory); });
[[maybe_unused]] const bool userRegistered =
    RegisterDumper(kFileTypeUserCategory,
                   [](const QString& path) { return DumpCategory(path, kFileTypeUserCategory); });

}  // namespace

QJsonObject CategoryJson(const CCategory& category) {
    return QJsonObject{
        {QStringLiteral("index"), category.GetIndex()},
        {QStringLiteral("group"), category.GetGroup()},
        {QStringLiteral("name"), category.GetName()},
        {QStringLiteral("imageName"), category.GetImageName()},
        {QStringLiteral("receipt"), category.GetReceipt()},
        {QStringLiteral("classification"), ClassificationJson(category.GetClassification())},
        {QStringLiteral("expenseType"), ExpenseTypeJson(category.GetExpenseType())},
        {QStringLiteral("paidWith"), PaidWithJson(category.GetPaidWith())},
        {QStringLiteral("reserved"), category.GetReserved()},
    };
}
