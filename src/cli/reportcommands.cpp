#include "reportcommands.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <cmath>
#include <memory>

#include "archive/objectfile.h"
#include "archive/storeddays.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "cli/dumpreport.h"
#include "lists/categoryexmanager.h"
#include "lists/expensetypemanager.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"

namespace {

constexpr qint64 kSecondsPerDay = 24 * 60 * 60;

using Result = ReportCommands::Result;

bool ParseNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// A money option: empty when `text` is a number within the bounds of `kind`
// (MoneyBounds); otherwise the complaint, which names the bounds for any
// number outside them ("nan", "inf" and numbers too long for a double
// included) and says `needs` for text that is no number at all.
QString ParseMoney(const QString& text, MoneyBounds::Kind kind, const QString& needs,
                   double& value) {
    static const QRegularExpression kDecimal(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$|^[+-]?(inf|infinity|nan)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    if (!kDecimal.match(trimmed).hasMatch()) {
        return needs;
    }
    bool ok = false;
    value = trimmed.toDouble(&ok);
    if (!ok || !MoneyBounds::Contains(kind, value)) {
        return MoneyBounds::Message(kind);
    }
    return {};
}

bool ParseInt(const QString& text, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok;
}

// An ISO-8601 date or date and time; without a zone it is local time.
// Empty when `text` is one on a day a file can store (StoredDays); otherwise
// the complaint: `needs` for text that is no date, the days a file can
// store for a date outside them.
QString ParseDate(const QString& text, const QString& needs, TimeStamp& stamp) {
    const QDateTime withTime = QDateTime::fromString(text, Qt::ISODate);
    if (withTime.isValid() && text.contains(QLatin1Char('T'))) {
        if (withTime.timeSpec() == Qt::LocalTime) {
            stamp = Platform::Get().GetClock().FromLocal(withTime.date(), withTime.time());
        } else {
            stamp = withTime.toSecsSinceEpoch();
        }
    } else {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid()) {
            return needs;
        }
        stamp = Platform::Get().GetClock().FromLocal(date, QTime(0, 0));
    }
    return StoredDays::ContainsStamp(stamp) ? QString() : StoredDays::Message();
}

}  // namespace

bool ReportCommands::OpenNamedReport(CExpenseDoc& doc, const QString& report) {
    const QString path = ReportPath(report);
    if (!FileExists(path)) {
        QTextStream(stderr) << "outlaysheet-cli: no report " << path << Qt::endl;
        return false;
    }
    return doc.OpenReport(path);
}

QString ReportCommands::ReportPath(const QString& report) {
    if (report.contains(QLatin1Char('/')) ||
        report.endsWith(QLatin1String(".xpf"), Qt::CaseInsensitive)) {
        return report;
    }
    return JoinPath(GetReportsDirectory(), report + QStringLiteral(".xpf"));
}

QJsonObject ReportCommands::HeaderJson(const CExpenseReportInfo& header) {
    return QJsonObject{
        {QStringLiteral("title"), header.GetTitle()},
        {QStringLiteral("path"), header.GetPath()},
        {QStringLiteral("location"), header.GetLocation()},
        {QStringLiteral("purpose"), header.GetPurpose()},
        {QStringLiteral("submitted"), header.IsSubmitted()},
        {QStringLiteral("reimbursed"), header.IsReimbursed()},
        {QStringLiteral("cashAdvance"), header.GetCashAdvance().GetValue()},
        {QStringLiteral("totals"), TotalsJson(header.GetTotals())},
    };
}

Result ReportCommands::NewReport(const QStringList& arguments) {
    CliOptions options;
    QString problem = options.Parse(arguments, {"--location", "--purpose", "--cash-advance"}, {});
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("new-report takes one title");
    }
    double advance = 0;
    if (problem.isEmpty() && options.Has("--cash-advance")) {
        problem = ParseMoney(options.Value("--cash-advance"), MoneyBounds::Kind::kCashAdvance,
                             QStringLiteral("--cash-advance needs a number"), advance);
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    CExpenseDoc doc;
    CExpenseReportInfo info;
    QString error;
    if (!info.ValidateName(GetReportsDirectory(), options.positional.first(), false, error)) {
        return CliFailed(error);
    }
    info.SetLocation(options.Value("--location"));
    info.SetPurpose(options.Value("--purpose"));
    info.SetCashAdvance(Amount(advance));
    // An empty report's totals hold just the advance.
    CExpenseTotals totals;
    totals.PutBackAdvance(Amount(advance));
    info.SetTotals(totals);
    if (!doc.CreateReport(info)) {
        return CliFailed(QStringLiteral("the report could not be created"));
    }
    return {CliTool::kSuccess, HeaderJson(doc.GetReport().GetHeader())};
}

Result ReportCommands::AddExpense(const QStringList& arguments) {
    CliOptions options;
    QString problem =
        options.Parse(arguments,
                      {"--category", "--amount", "--date", "--currency", "--rate", "--description",
                       "--paid-with", "--type", "--classification", "--nights"},
                      {"--receipt"});
    double amount = 0;
    double rate = 0;
    int type = -1;
    int nights = 1;
    TimeStamp date = Platform::Get().GetClock().Now();
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("add-expense takes one report");
    } else if (problem.isEmpty() && !options.Has("--category")) {
        problem = QStringLiteral("add-expense needs --category");
    } else if (problem.isEmpty() && options.Has("--currency") != options.Has("--rate")) {
        problem = QStringLiteral("--currency and --rate go together");
    }
    if (problem.isEmpty()) {
        problem = ParseMoney(options.Value("--amount"), MoneyBounds::Kind::kAmount,
                             QStringLiteral("add-expense needs --amount with a number"), amount);
    }
    if (problem.isEmpty() && options.Has("--rate")) {
        problem = ParseMoney(options.Value("--rate"), MoneyBounds::Kind::kRate,
                             QStringLiteral("--rate needs a number above 0"), rate);
    }
    if (problem.isEmpty() && options.Has("--type") &&
        (!ParseInt(options.Value("--type"), type) || type < 0 || type > 2)) {
        problem = QStringLiteral("--type is 0, 1 or 2");
    } else if (problem.isEmpty() && options.Has("--nights") &&
               (!ParseInt(options.Value("--nights"), nights) || nights < 1 || nights > 360)) {
        problem = QStringLiteral("--nights is 1 to 360");
    } else if (problem.isEmpty() && options.Has("--date")) {
        problem = ParseDate(options.Value("--date"),
                            QStringLiteral("--date needs an ISO-8601 date"), date);
    }
    // Each night of a stay is stored on a day of its own.
    if (problem.isEmpty() && !StoredDays::ContainsStamp(date + (nights - 1) * kSecondsPerDay)) {
        problem = StoredDays::Message();
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    CExpenseDoc doc;
    const CCategoryEx* category = doc.GetCategories().Find(options.Value("--category"));
    if (category == nullptr) {
        return CliFailed(QStringLiteral("no category \"%1\"").arg(options.Value("--category")));
    }
    // Held from the read to the write: no other writer of this program
    // comes in between, and none waits for more than the command's run.
    const FileLock lock(ReportPath(options.positional.first()));
    if (lock.IsBusy()) {
        return CliFailed(BusyFileMessage(ReportPath(options.positional.first())));
    }
    if (!OpenNamedReport(doc, options.positional.first())) {
        return {CliTool::kFailed, {}};
    }
    CExpenseRecord slip;
    slip.SetCategory(*category);
    slip.SetDate(date);
    slip.SetDescription(options.Value("--description"));
    slip.SetPurpose(doc.GetReport().GetHeader().GetPurpose());
    slip.SetLocation(doc.GetReport().GetHeader().GetLocation());
    const CCurrencyTable& table = doc.GetCurrencyTable();
    QString currency = table.GetHomeCurrency();
    if (options.Has("--currency")) {
        currency = options.Value("--currency");
        if (!table.HasFormat(currency)) {
            return CliFailed(QStringLiteral("no currency \"%1\"").arg(currency));
        }
    } else {
        rate = 1.0;
    }
    if (nights > 1 && !category->IsLodging()) {
        return CliFailed(QStringLiteral("only a per-night category takes --nights"));
    }
    if (category->IsMileage()) {
        // The amount is the distance, driven on from where the last trip
        // ended, at the default rate; paid by nobody and in the home currency.
        CPreferences& preferences = doc.GetPreferences();
        const Amount mileageRate = preferences.GetDefaultMileageRate();
        if (!MoneyBounds::Contains(MoneyBounds::Kind::kDistance, amount)) {
            return CliFailed(MoneyBounds::Message(MoneyBounds::Kind::kDistance));
        }
        slip.SetOdometerStart(preferences.GetMileageBeginning());
        slip.SetOdometerEnd(preferences.GetMileageBeginning() + amount);
        Amount money(amount * mileageRate.GetValue());
        money.Round(table.GetHomeDigits());
        slip.SetAmount(money);
        slip.SetMileageRate(mileageRate);
        slip.SetCurrencyName(table.GetHomeCurrency());
        slip.SetExchangeRate(Amount(1.0));
    } else {
        Amount money(amount);
        money.Round(table.GetDigits(currency));
        slip.SetAmount(money);
        slip.SetCurrencyName(currency);
        slip.SetExchangeRate(Amount(rate));
    }
    // The rules a report file is read by, on the expense as it would be
    // stored: rounding may take an amount, or its value at home, beyond
    // the bounds.
    if (const QString unreadable = slip.GetValueProblem(); !unreadable.isEmpty()) {
        return CliFailed(unreadable);
    }
    if (category->IsMileage()) {
        doc.GetPreferences().SetMileageBeginning(slip.GetOdometerEnd());
    } else {
        CPreferences::SetSelectedCurrency(currency);
    }
    if (options.Has("--paid-with")) {
        const CPaidWith* paidWith = doc.GetPaymentSources().Find(options.Value("--paid-with"));
        if (paidWith == nullptr) {
            return CliFailed(
                QStringLiteral("no payment source \"%1\"").arg(options.Value("--paid-with")));
        }
        slip.SetPaidWith(*paidWith);
    }
    if (category->IsMileage()) {
        slip.SetPaidWith(CPaidWith(QStringLiteral("None"), QStringLiteral("PAIDWITH01U.BMP"),
                                   slip.GetPaidWith().GetPaymentType()));
    }
    if (options.Has("--classification")) {
        CClassificationGroupMgr& groups = doc.GetClassificationGroups();
        const CClassification* classification = groups.FindClassification(
            groups.GetCurrentGroupName(), options.Value("--classification"));
        if (classification == nullptr) {
            return CliFailed(
                QStringLiteral("no classification \"%1\"").arg(options.Value("--classification")));
        }
        slip.SetClassification(*classification);
    }
    if (type >= 0) {
        slip.SetExpenseType(CExpenseTypeManager::GetExpenseType(type));
    }
    if (options.flags.contains(QStringLiteral("--receipt")) && !category->IsMileage()) {
        slip.SetReceipt(true);
    }
    // A stay of several nights is one expense a night, a day apart.
    for (int night = 0; night < nights; ++night) {
        auto record = std::make_unique<CExpenseRecord>(slip);
        record->SetOwner(nullptr);
        record->SetDate(date + night * kSecondsPerDay);
        doc.AddRecord(std::move(record), true);
    }
    if (!doc.SaveReport(false)) {
        return CliFailed(QStringLiteral("the report could not be saved"));
    }
    QJsonObject output = HeaderJson(doc.GetReport().GetHeader());
    output.insert(QStringLiteral("added"), nights);
    output.insert(QStringLiteral("count"), doc.GetRecords().GetCount(false));
    return {CliTool::kSuccess, output};
}

Result ReportCommands::Select(const QStringList& arguments) {
    CliOptions options;
    QString problem =
        options.Parse(arguments, {"--field", "--op", "--value"}, {"--narrow", "--clear"});
    const bool clear = options.flags.contains(QStringLiteral("--clear"));
    int field = -1;
    int op = 0;
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("select takes one report");
    } else if (problem.isEmpty() && clear && !options.values.isEmpty()) {
        problem = QStringLiteral("--clear takes no condition");
    } else if (problem.isEmpty() && !clear &&
               (!ParseInt(options.Value("--field"), field) || field < 0 || field > 11 ||
                !ParseInt(options.Value("--op"), op) || op < 1 || op > 8 ||
                !options.Has("--value"))) {
        problem = QStringLiteral("select needs --field 0-11, --op 1-8 and --value");
    }
    CRecordQuery condition;
    const QString value = options.Value("--value");
    if (problem.isEmpty() && !clear) {
        double number = 0;
        TimeStamp stamp = 0;
        if (field == kFieldDate) {
            problem = ParseDate(
                value, QStringLiteral("--value needs an ISO-8601 date for the date"), stamp);
            condition = CRecordQuery::Date(field, op, stamp);
        } else if (field == kFieldAmount) {
            problem = ParseMoney(value, MoneyBounds::Kind::kAmount,
                                 QStringLiteral("--value needs a number for this field"), number);
            condition = CRecordQuery::Number(field, op, number);
        } else if (field == kFieldReceipt) {
            if (!ParseNumber(value, number)) {
                problem = QStringLiteral("--value needs a number for this field");
            }
            condition = CRecordQuery::Number(field, op, number);
        } else {
            condition = CRecordQuery::Text(field, op, value);
        }
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    CExpenseDoc doc;
    const FileLock lock(ReportPath(options.positional.first()));
    if (lock.IsBusy()) {
        return CliFailed(BusyFileMessage(ReportPath(options.positional.first())));
    }
    if (!OpenNamedReport(doc, options.positional.first())) {
        return {CliTool::kFailed, {}};
    }
    CExpenseRecords& records = doc.GetRecords();
    if (clear) {
        records.ClearQuery();
    } else {
        if (!options.flags.contains(QStringLiteral("--narrow"))) {
            records.GetQuery().Discard();
        }
        records.GetQuery().AddCondition(condition);
        records.RunQuery();
    }
    doc.SetModifiedFlag(true);
    if (!doc.SaveReport(false)) {
        return CliFailed(QStringLiteral("the report could not be saved"));
    }
    QJsonArray selected;
    const int selectedCount = records.GetQuery().IsActive() ? records.GetCount(true) : 0;
    for (int i = 0; i < selectedCount; ++i) {
        for (int j = 0; j < records.GetCount(false); ++j) {
            if (records.GetAt(j, false) == records.GetAt(i, true)) {
                selected.append(j);
            }
        }
    }
    return {CliTool::kSuccess,
            QJsonObject{{QStringLiteral("active"), records.GetQuery().IsActive()},
                        {QStringLiteral("conditions"),
                         static_cast<int>(records.GetQuery().GetConditions().size())},
                        {QStringLiteral("selectedPositions"), selected}}};
}

Result ReportCommands::Totals(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--"))) {
        return CliUsageError(QStringLiteral("totals takes one report"));
    }
    CExpenseDoc doc;
    if (!OpenNamedReport(doc, arguments.first())) {
        return {CliTool::kFailed, {}};
    }
    return {CliTool::kSuccess, TotalsJson(doc.GetRecords().ComputeStoredTotals())};
}
