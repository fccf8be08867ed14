#include "ratescommand.h"

#include <QJsonArray>

#include "app/ratefetch.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "lists/rateupdate.h"
#include "lists/referencerates.h"
#include "report/expensedoc.h"

ReportCommands::Result RatesCommand::Run(const QStringList& arguments) {
    CliOptions options;
    QString problem = options.Parse(arguments, {"--file"}, {});
    if (problem.isEmpty() && (options.positional.size() != 1 ||
                              options.positional.first() != QLatin1String("update"))) {
        problem = QStringLiteral("rates takes update");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    CReferenceRates rates;
    if (!CRateFetch::Read(options.Value("--file"), rates, problem)) {
        return CliFailed(problem);
    }
    CExpenseDoc doc;
    CCurrencyTable& table = doc.GetCurrencyTable();
    // Rates counted against a table the program could not read would be
    // counted against the wrong home currency.
    if (table.IsReplacedUnreadable()) {
        return CliFailed(
            QStringLiteral("The currency table could not be read; no rate was "
                           "changed."));
    }
    CRateUpdate update;
    if (!update.Plan(table, rates)) {
        return CliFailed(update.GetProblem());
    }
    update.Apply(table);
    if (!table.Save(false)) {
        return CliFailed(QStringLiteral("The currency table could not be saved."));
    }
    QJsonArray changes;
    for (const CRateUpdate::Change& change : update.GetChanges()) {
        changes.append(QJsonObject{
            {QStringLiteral("code"), change.code},
            {QStringLiteral("name"), change.name},
            {QStringLiteral("before"), change.before},
            {QStringLiteral("rate"), change.after},
        });
    }
    return {CliTool::kSuccess,
            QJsonObject{
                {QStringLiteral("date"), update.GetDate().toString(Qt::ISODate)},
                {QStringLiteral("updated"), static_cast<qint64>(update.GetUpdated())},
                {QStringLiteral("homeCurrency"), table.GetHomeCurrency()},
                {QStringLiteral("rates"), changes},
                {QStringLiteral("unknown"), QJsonArray::fromStringList(update.GetUnknown())},
                {QStringLiteral("refused"), QJsonArray::fromStringList(update.GetRefused())},
            }};
}
