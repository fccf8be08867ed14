#include "csvexport.h"

#include <QStringList>

#include "export/exportcontent.h"
#include "report/expenserecord.h"

namespace {

// Kinds of field: numbers are written as they are; texts are quoted when
// they must be, and kept from being read as a formula.
enum class Kind { kNumber, kText };

bool NeedsQuotes(const QString& field) {
    for (const QChar c : field) {
        if (c == QLatin1Char('"') || c == QLatin1Char(',') || c == QLatin1Char('\r') ||
            c == QLatin1Char('\n')) {
            return true;
        }
    }
    return false;
}

// A spreadsheet runs a cell that begins with one of these as a formula. The
// texts come from the user and from imported address books, so such a text
// gets an apostrophe in front, which spreadsheets take as "this is text".
bool LooksLikeFormula(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    const QChar first = text.front();
    return first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-') ||
           first == QLatin1Char('@') || first == QLatin1Char('\t') || first == QLatin1Char('\r');
}

void AppendField(QString& out, const QString& value, Kind kind) {
    QString field = value;
    if (kind == Kind::kText && LooksLikeFormula(field)) {
        field.prepend(QLatin1Char('\''));
    }
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += QLatin1Char('"');
    out += QString(field).replace(QLatin1Char('"'), QLatin1String("\"\""));
    out += QLatin1Char('"');
}

void AppendRow(QString& out, const QList<std::pair<QString, Kind>>& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += QLatin1Char(',');
        }
        AppendField(out, fields[i].first, fields[i].second);
    }
    out += QLatin1String("\r\n");
}

}  // namespace

QStringList CCsvExport::ColumnNames() {
    return {QStringLiteral("Date"),           QStringLiteral("Category"),
            QStringLiteral("Description"),    QStringLiteral("Amount"),
            QStringLiteral("Currency"),       QStringLiteral("Rate"),
            QStringLiteral("Home Amount"),    QStringLiteral("Payment Source"),
            QStringLiteral("Paid By"),        QStringLiteral("Expense Type"),
            QStringLiteral("Classification"), QStringLiteral("Receipt"),
            QStringLiteral("Location"),       QStringLiteral("Purpose"),
            QStringLiteral("Contacts"),       QStringLiteral("Odometer Start"),
            QStringLiteral("Odometer End"),   QStringLiteral("Mileage Rate")};
}

QByteArray CCsvExport::Write(const CExportContent& content) {
    QString text;
    QList<std::pair<QString, Kind>> row;
    for (const QString& name : ColumnNames()) {
        row.append({name, Kind::kText});
    }
    AppendRow(text, row);
    const std::vector<const CExpenseRecord*>& expenses = content.GetExpenses();
    for (size_t expense = 0; expense < expenses.size(); ++expense) {
        const CExpenseRecord* record = expenses[expense];
        const bool mileage = record->IsMileage();
        // The trip's figures mean nothing for any other expense, so those
        // cells stay empty rather than show zeros.
        const auto tripFigure = [mileage](const QString& figure) {
            return mileage ? figure : QString();
        };
        row = {
            {CExportContent::LocalDay(*record).toString(Qt::ISODate), Kind::kNumber},
            {record->GetCategory().GetName(), Kind::kText},
            {record->GetDescription(), Kind::kText},
            {content.PlainEntered(*record), Kind::kNumber},
            {record->GetCurrencyName(), Kind::kText},
            {CExportContent::PlainRate(record->GetExchangeRate().GetValue()), Kind::kNumber},
            {content.PlainHome(*record), Kind::kNumber},
            {record->GetPaidWith().GetName(), Kind::kText},
            {CExportContent::PaidByText(record->GetPaidWith()), Kind::kText},
            {record->GetExpenseType().GetName(), Kind::kText},
            {record->GetClassification().GetName(), Kind::kText},
            {content.ReceiptText(expense, QStringLiteral("No")), Kind::kText},
            {record->GetLocation(), Kind::kText},
            {record->GetPurpose(), Kind::kText},
            {record->GetContacts(), Kind::kText},
            {tripFigure(record->GetOdometerStartText()), Kind::kNumber},
            {tripFigure(record->GetOdometerEndText()), Kind::kNumber},
            {tripFigure(CExportContent::PlainRate(record->GetMileageRate().GetValue())),
             Kind::kNumber},
        };
        AppendRow(text, row);
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
