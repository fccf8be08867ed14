#include "reportcommands.h"

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <cmath>
#include <functional>
#include <memory>

#include "archive/objectfile.h"
#include "archive/storeddays.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "cli/dumpreport.h"
#include "lists/categoryexmanager.h"
#include "lists/currencyrate.h"
#include "lists/expensetypemanager.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "platform/platform.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"

namespace {

constexpr qint64 kSecondsPerDay = 24 * 60 * 60;
const QLatin1String kReportExtension(".xpf");

// A REPORT argument that names a file rather than a title.
bool IsPath(const QString& report) {
    return report.contains(QLatin1Char('/')) ||
           report.endsWith(kReportExtension, Qt::CaseInsensitive);
}

using Result = ReportCommands::Result;

bool ParseNumber(const QString& text, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// A money option: empty when `text` is a number within the bounds of `kind`
// (MoneyBounds); otherwise the bounds' message, for text that is no number
// as for a number outside them ("nan", "inf" and numbers too long for a
// double included).
QString ParseMoney(const QString& text, MoneyBounds::Kind kind, double& value) {
    static const QRegularExpression kDecimal(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    bool ok = false;
    value = trimmed.toDouble(&ok);
    if (!kDecimal.match(trimmed).hasMatch() || !ok || !MoneyBounds::Contains(kind, value)) {
        return MoneyBounds::Message(kind);
    }
    return {};
}

// An ISO-8601 date or date and time; without a zone it is local time.
// Empty when `text` is one on a day a file can store (StoredDays); otherwise
// the rule it breaks: how a date is written for text that is no date, the
// days a file can store for a date outside them.
QString ParseDate(const QString& text, TimeStamp& stamp) {
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
            return QStringLiteral(
                "A date must be an ISO-8601 date such as 2026-03-10 or 2026-03-10T14:30:00Z.");
        }
        stamp = Platform::Get().GetClock().FromLocal(date, QTime(0, 0));
    }
    return StoredDays::ContainsStamp(stamp) ? QString() : StoredDays::Message();
}

// The currency a --currency value names: a currency's name, or a code. A
// code that several currencies share is taken only for the one of them the
// user works with, in use or at home, and the user is told which that was.
// Empty when one is chosen; otherwise the complaint.
QString ChooseCurrency(const CCurrencyTable& table, const QString& given, QString& chosen) {
    if (table.HasFormat(given)) {
        chosen = given;
        return {};
    }
    const QStringList named = table.GetCurrenciesOfCode(given);
    if (named.isEmpty()) {
        return QStringLiteral("no currency \"%1\": give a currency's name or code").arg(given);
    }
    if (named.size() == 1) {
        chosen = named.first();
        return {};
    }
    QStringList used;
    for (const QString& name : table.GetListedCurrencies()) {
        if (named.contains(name)) {
            used.append(name);
        }
    }
    if (used.size() != 1) {
        return QStringLiteral(
                   "--currency \"%1\" is the code of %2 currencies: %3. Give the "
                   "name of the one to take.")
            .arg(given)
            .arg(named.size())
            .arg(named.join(QLatin1String(", ")));
    }
    chosen = used.first();
    QTextStream(stderr) << "outlaysheet-cli: --currency \"" << given << "\" is taken as \""
                        << chosen << "\", the "
                        << (chosen == table.GetHomeCurrency() ? "home currency"
                                                              : "currency in use")
                        << " of that code" << Qt::endl;
    return {};
}

}  // namespace

QStringList ReportCommands::ReportFiles(const QString& report) {
    if (IsPath(report)) {
        return {};
    }
    return FindFilesIgnoringCase(GetReportsDirectory(), report + kReportExtension);
}

bool ReportCommands::OpenNamedReport(CExpenseDoc& doc, const QString& report) {
    const QStringList files = ReportFiles(report);
    if (files.size() > 1) {
        QTextStream(stderr) << "outlaysheet-cli: \"" << report
                            << "\" could be any of the report files "
                            << files.join(QLatin1String(", ")) << " in " << GetReportsDirectory()
                            << "; give the path of the one to use" << Qt::endl;
        return false;
    }
    const QString path = ReportPath(report);
    if (!FileExists(path)) {
        QTextStream(stderr) << "outlaysheet-cli: no report " << path << Qt::endl;
        return false;
    }
    return doc.OpenReport(path);
}

QString ReportCommands::ReportPath(const QString& report) {
    if (IsPath(report)) {
        return report;
    }
    // As on the device, a title finds its file whatever the letter case of
    // the file's name: another device may have written "TRIP.XPF".
    const QStringList files = ReportFiles(report);
    return JoinPath(GetReportsDirectory(),
                    files.size() == 1 ? files.first() : report + kReportExtension);
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
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    double advance = 0;
    if (options.Has("--cash-advance")) {
        const QString rule =
            ParseMoney(options.Value("--cash-advance"), MoneyBounds::Kind::kCashAdvance, advance);
        if (!rule.isEmpty()) {
            return CliValueError(QStringLiteral("--cash-advance"), options.Value("--cash-advance"),
                                 rule);
        }
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
                      {"--category", "--amount", "--date", "--currency", "--rate", "--charged",
                       "--description", "--paid-with", "--type", "--classification", "--nights"},
                      {"--receipt"});
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("add-expense takes one report");
    } else if (problem.isEmpty() && !options.Has("--category")) {
        problem = QStringLiteral("add-expense needs --category");
    } else if (problem.isEmpty() && !options.Has("--amount")) {
        problem = QStringLiteral("add-expense needs --amount");
    } else if (problem.isEmpty() && options.Has("--rate") && options.Has("--charged")) {
        problem = QStringLiteral("--rate and --charged exclude each other");
    } else if (problem.isEmpty() && options.Has("--charged") && !options.Has("--currency")) {
        problem = QStringLiteral("--currency and --charged go together");
    } else if (problem.isEmpty() && !options.Has("--charged") &&
               options.Has("--currency") != options.Has("--rate")) {
        problem = QStringLiteral("--currency and --rate go together");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    double amount = 0;
    double rate = 0;
    double charged = 0;
    int type = -1;
    int nights = 1;
    TimeStamp date = Platform::Get().GetClock().Now();
    // Each value against its rule, in this order; the first that breaks it
    // is named with the rule.
    using Check = std::function<QString(const QString&)>;
    const std::pair<const char*, Check> checks[] = {
        {"--amount",
         [&](const QString& text) {
             return ParseMoney(text, MoneyBounds::Kind::kAmount, amount);
         }},
        {"--rate",
         [&](const QString& text) { return ParseMoney(text, MoneyBounds::Kind::kRate, rate); }},
        {"--charged",
         [&](const QString& text) {
             return ParseMoney(text, MoneyBounds::Kind::kAmount, charged);
         }},
        {"--type",
         [&](const QString& text) { return CliParseWhole(text, 0, 2, "The type", type); }},
        {"--nights",
         [&](const QString& text) {
             return CliParseWhole(text, 1, 360, "The number of nights", nights);
         }},
        {"--date", [&](const QString& text) { return ParseDate(text, date); }},
    };
    for (const auto& [option, check] : checks) {
        if (!options.Has(option)) {
            continue;
        }
        if (const QString rule = check(options.Value(option)); !rule.isEmpty()) {
            return CliValueError(QLatin1String(option), options.Value(option), rule);
        }
    }
    // Each night of a stay is stored on a day of its own.
    if (!StoredDays::ContainsStamp(date + (nights - 1) * kSecondsPerDay)) {
        const char* option = options.Has("--date") ? "--date" : "--nights";
        return CliValueError(QLatin1String(option), options.Value(option), StoredDays::Message());
    }
    CExpenseDoc doc;
    const CReceiptKeeper receipts(doc.GetReport());
    const CCategoryEx* category = doc.GetCategories().Find(options.Value("--category"));
    if (category == nullptr) {
        return CliFailed(QStringLiteral("no category \"%1\" (outlaysheet-cli lists shows them)")
                             .arg(options.Value("--category")));
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
        if (const QString complaint = ChooseCurrency(table, options.Value("--currency"), currency);
            !complaint.isEmpty()) {
            return CliFailed(complaint);
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
        // The rate the charge gives for the amount as it is stored.
        if (options.Has("--charged")) {
            if (const QString rule = CurrencyRate::FromCharged(money.GetValue(), charged, rate);
                !rule.isEmpty()) {
                return CliValueError(QStringLiteral("--charged"), options.Value("--charged"),
                                     rule);
            }
        }
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
                QStringLiteral("no payment source \"%1\" (outlaysheet-cli lists shows them)")
                    .arg(options.Value("--paid-with")));
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
                QStringLiteral("no classification \"%1\" (outlaysheet-cli lists shows them)")
                    .arg(options.Value("--classification")));
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
    if (problem.isEmpty() && options.positional.size() != 1) {
        problem = QStringLiteral("select takes one report");
    } else if (problem.isEmpty() && clear && !options.values.isEmpty()) {
        problem = QStringLiteral("--clear takes no condition");
    } else if (problem.isEmpty() && !clear &&
               (!options.Has("--field") || !options.Has("--op") || !options.Has("--value"))) {
        problem = QStringLiteral("select needs --field, --op and --value");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    CRecordQuery condition;
    if (!clear) {
        int field = -1;
        int op = 0;
        const QString value = options.Value("--value");
        const char* option = "--field";
        QString rule = CliParseWhole(options.Value(option), 0, 11, "The field", field);
        if (rule.isEmpty()) {
            option = "--op";
            rule = CliParseWhole(options.Value(option), 1, 8, "The operator", op);
        }
        if (rule.isEmpty()) {
            option = "--value";
            double number = 0;
            TimeStamp stamp = 0;
            if (field == kFieldDate) {
                rule = ParseDate(value, stamp);
                condition = CRecordQuery::Date(field, op, stamp);
            } else if (field == kFieldAmount) {
                rule = ParseMoney(value, MoneyBounds::Kind::kAmount, number);
                condition = CRecordQuery::Number(field, op, number);
            } else if (field == kFieldReceipt) {
                if (!ParseNumber(value, number)) {
                    rule = QStringLiteral("The receipt field is compared with a number.");
                }
                condition = CRecordQuery::Number(field, op, number);
            } else {
                condition = CRecordQuery::Text(field, op, value);
            }
        }
        if (!rule.isEmpty()) {
            return CliValueError(QLatin1String(option), options.Value(option), rule);
        }
    }
    CExpenseDoc doc;
    const CReceiptKeeper receipts(doc.GetReport());
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
