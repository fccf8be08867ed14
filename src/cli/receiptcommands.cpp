#include "receiptcommands.h"

#include <QFileInfo>
#include <QJsonArray>

#include "archive/objectfile.h"
#include "cli/clioptions.h"
#include "cli/clitool.h"
#include "platform/filehelpers.h"
#include "platform/filelock.h"
#include "receipts/receiptkeeper.h"
#include "report/expensedoc.h"
#include "report/expenserecord.h"

namespace {

QJsonObject ReceiptJson(const Receipt& receipt) {
    return QJsonObject{
        {QStringLiteral("file"), receipt.path},
        {QStringLiteral("originalName"), receipt.originalName},
        {QStringLiteral("kind"),
         receipt.kind == Receipt::Kind::Pdf ? QStringLiteral("pdf") : QStringLiteral("image")},
        {QStringLiteral("added"), receipt.added},
    };
}

// The report REPORT open for a change, with its receipts followed and its
// file locked from the read to the write.
struct OpenReport {
    explicit OpenReport(const QString& report)
        : keeper(doc.GetReport()), lock(ReportCommands::ReportPath(report)) {}

    // An empty result when the report is open; otherwise what to give back.
    std::optional<ReportCommands::Result> Open(const QString& report) {
        if (lock.IsBusy()) {
            return CliFailed(BusyFileMessage(ReportCommands::ReportPath(report)));
        }
        if (!ReportCommands::OpenNamedReport(doc, report)) {
            return ReportCommands::Result{CliTool::kFailed, {}};
        }
        return std::nullopt;
    }

    // The expense INDEX, or the complaint that names the limit.
    CExpenseRecord* Expense(const QString& index, std::optional<ReportCommands::Result>& failed) {
        const int count = doc.GetRecords().GetCount(false);
        if (count == 0) {
            failed = CliFailed(
                QStringLiteral("%1 has no expenses").arg(doc.GetReport().GetHeader().GetTitle()));
            return nullptr;
        }
        int position = -1;
        const QString rule = CliParseWhole(index, 0, count - 1, "An expense's index", position);
        if (!rule.isEmpty()) {
            failed = CliValueError(QStringLiteral("INDEX"), index, rule);
            return nullptr;
        }
        return doc.GetRecords().GetAt(position, false);
    }

    // Writes the ties: with the report, when it changed, and without it.
    std::optional<ReportCommands::Result> Save() {
        if (!doc.SaveReport(false)) {
            return CliFailed(QStringLiteral("the report could not be saved"));
        }
        QString error;
        if (!keeper.Commit(error)) {
            return CliFailed(error);
        }
        return std::nullopt;
    }

    CExpenseDoc doc;
    CReceiptKeeper keeper;
    const FileLock lock;
};

QJsonObject ListOf(const CReceiptKeeper& keeper, CExpenseDoc& doc) {
    QJsonArray receipts;
    const CExpenseRecords& records = doc.GetRecords();
    for (int i = 0; i < records.GetCount(false); ++i) {
        for (const Receipt& receipt : keeper.ReceiptsOf(records.GetAt(i, false)->GetId())) {
            QJsonObject entry = ReceiptJson(receipt);
            entry.insert(QStringLiteral("index"), i);
            receipts.append(entry);
        }
    }
    QJsonArray unmatched;
    for (const Receipt& receipt : keeper.Unmatched()) {
        unmatched.append(ReceiptJson(receipt));
    }
    return QJsonObject{
        {QStringLiteral("title"), doc.GetReport().GetHeader().GetTitle()},
        {QStringLiteral("folder"), keeper.Folder()},
        {QStringLiteral("receipts"), receipts},
        {QStringLiteral("unmatched"), unmatched},
    };
}

}  // namespace

ReceiptCommands::Result ReceiptCommands::Receipts(const QStringList& arguments) {
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--"))) {
        return CliUsageError(QStringLiteral("receipts takes one report"));
    }
    CExpenseDoc doc;
    const CReceiptKeeper keeper(doc.GetReport());
    if (!ReportCommands::OpenNamedReport(doc, arguments.first())) {
        return {CliTool::kFailed, {}};
    }
    return {CliTool::kSuccess, ListOf(keeper, doc)};
}

ReceiptCommands::Result ReceiptCommands::Attach(const QStringList& arguments) {
    CliOptions options;
    QString problem = options.Parse(arguments, {}, {"--keep-original"});
    if (problem.isEmpty() && options.positional.size() < 3) {
        problem = QStringLiteral("attach takes a report, an expense's INDEX and a file or more");
    }
    if (!problem.isEmpty()) {
        return CliUsageError(problem);
    }
    const QString report = options.positional[0];
    OpenReport open(report);
    std::optional<Result> failed = open.Open(report);
    CExpenseRecord* expense = failed ? nullptr : open.Expense(options.positional[1], failed);
    if (failed) {
        return *failed;
    }
    QString error;
    const ImportOptions import{options.HasFlag("--keep-original")};
    if (!open.keeper.Attach(expense->GetId(), options.positional.mid(2), import, error)) {
        return CliFailed(error);
    }
    // As on the slip, an expense with a receipt has its receipt box ticked.
    if (!expense->GetReceipt() && !expense->GetCategory().IsMileage()) {
        expense->SetReceipt(true);
        open.doc.SetModifiedFlag(true);
    }
    if ((failed = open.Save())) {
        return *failed;
    }
    return {CliTool::kSuccess, ListOf(open.keeper, open.doc)};
}

ReceiptCommands::Result ReceiptCommands::Detach(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3 ||
        std::any_of(arguments.begin(), arguments.end(),
                    [](const QString& argument) { return argument.startsWith("--"); })) {
        return CliUsageError(
            QStringLiteral("detach takes a report, an expense's INDEX and "
                           "perhaps one of its receipts"));
    }
    OpenReport open(arguments[0]);
    std::optional<Result> failed = open.Open(arguments[0]);
    const CExpenseRecord* expense = failed ? nullptr : open.Expense(arguments[1], failed);
    if (failed) {
        return *failed;
    }
    // FILE is a receipt as `receipts` lists it: its stored file, the file's
    // name, or the name it was attached under.
    QList<Receipt> chosen;
    for (const Receipt& receipt : open.keeper.ReceiptsOf(expense->GetId())) {
        if (arguments.size() == 2 || receipt.path == arguments[2] ||
            receipt.FileName() == arguments[2] || receipt.originalName == arguments[2]) {
            chosen.append(receipt);
        }
    }
    if (chosen.isEmpty()) {
        return CliFailed(arguments.size() == 2
                             ? QStringLiteral("expense %1 has no receipts").arg(arguments[1])
                             : QStringLiteral("expense %1 has no receipt \"%2\"")
                                   .arg(arguments[1], arguments[2]));
    }
    QString error;
    for (const Receipt& receipt : chosen) {
        if (!open.keeper.Detach(expense->GetId(), receipt.path, error)) {
            return CliFailed(error);
        }
    }
    if ((failed = open.Save())) {
        return *failed;
    }
    return {CliTool::kSuccess, ListOf(open.keeper, open.doc)};
}
