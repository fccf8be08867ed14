#include "listscommand.h"

#include <QJsonArray>
#include <QTextStream>

#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "lists/listimage.h"
#include "report/expensedoc.h"

namespace {

// One item with its picture: the file found for it, or "" when it is
// missing. A picture that several files could be is missing too, and the
// user is told why.
template <typename Item>
QJsonObject ItemJson(const Item& item, ImageFolder folder) {
    const bool missing = item.IsImageMissing();
    if (missing) {
        const QStringList matches = ListImageMatches(folder, item.GetImageName());
        if (matches.size() > 1) {
            QTextStream(stderr) << "outlaysheet-cli: the picture \"" << item.GetImageName()
                                << "\" of \"" << item.GetName() << "\" could be any of "
                                << matches.join(QLatin1String(", ")) << " in "
                                << GetImagesSubdirectory(folder) << "; it counts as missing"
                                << Qt::endl;
        }
    }
    return QJsonObject{
        {QStringLiteral("name"), item.GetName()},
        {QStringLiteral("imageName"), item.GetImageName()},
        {QStringLiteral("image"), missing ? QString() : item.GetImagePath()},
    };
}

}  // namespace

ReportCommands::Result ListsCommand::Run(const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return CliUsageError(QStringLiteral("lists takes no arguments"));
    }
    CExpenseDoc doc;
    QJsonArray categories;
    for (const CCategoryEx& category : doc.GetCategories()) {
        categories.append(ItemJson(category, ImageFolder::Category));
    }
    QJsonArray paymentSources;
    for (const CPaidWith& paidWith : doc.GetPaymentSources()) {
        paymentSources.append(ItemJson(paidWith, ImageFolder::PaidWith));
    }
    QJsonArray classifications;
    CClassificationGroupMgr& groups = doc.GetClassificationGroups();
    const QString group = groups.GetCurrentGroupName();
    if (const CClassificationGroup* current = groups.GetCurrentGroup()) {
        for (const CClassification& classification : *current) {
            classifications.append(ItemJson(classification, ImageFolder::Class));
        }
    }
    return {CliTool::kSuccess, QJsonObject{{QStringLiteral("categories"), categories},
                                           {QStringLiteral("paymentSources"), paymentSources},
                                           {QStringLiteral("classificationGroup"), group},
                                           {QStringLiteral("classifications"), classifications}}};
}
