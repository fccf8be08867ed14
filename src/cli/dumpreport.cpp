#include <QHash>
#include <QJsonArray>

#include "cli/dumpreport.h"

#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpcategory.h"
#include "cli/dumpers.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/expensereportinfo.h"

namespace {

// A report file read by the classes that write it: the header, then the
// records. The currency table and preferences of a whole report have no part
// in the file and are left out, so that dumping touches no other file.
class ReportReader : public CExpenseObject {
public:
    void Serialize(CExpenseArchive& archive, int context) override {
        header_.Serialize(archive, context);
        records_.Serialize(archive, context);
    }
    void Reset() override {
        CExpenseObject::Reset();
        header_.Reset();
        records_.Reset();
    }

    const CExpenseReportInfo& Header() const { return header_; }
    const CExpenseRecords& Records() const { return records_; }

private:
    CExpenseReportInfo header_;
    CExpenseRecords records_;
};

QJsonObject RecordJson(const CExpenseRecord& record) {
    return QJsonObject{
        {QStringLiteral("category"), CategoryJson(record.GetCategory())},
        {QStringLiteral("date"), record.GetDate()},
        {QStringLiteral("description"), record.GetDescription()},
        {QStringLiteral("amount"), record.GetAmount(false).GetValue()},
        {QStringLiteral("exchangeRate"), record.GetExchangeRate().GetValue()},
        {QStringLiteral("currencyName"), record.GetCurrencyName()},
        {QStringLiteral("purpose"), record.GetPurpose()},
        {QStringLiteral("location"), record.GetLocation()},
        {QStringLiteral("contacts"), record.GetContacts()},
        {QStringLiteral("odometerStart"), record.GetOdometerStart()},
        {QStringLiteral("odometerEnd"), record.GetOdometerEnd()},
        {QStringLiteral("mileageRate"), record.GetMileageRate().GetValue()},
        {QStringLiteral("reserved"), record.GetReserved()},
    };
}

QJsonObject ConditionJson(const CRecordQuery& condition) {
    QJsonObject json{
        {QStringLiteral("valueKind"), condition.GetValueKind()},
        {QStringLiteral("fieldCode"), condition.GetFieldCode()},
        {QStringLiteral("op"), condition.GetOperator()},
    };
    switch (condition.GetValueKind()) {
        case CRecordQuery::kKindText:
            json.insert(QStringLiteral("textValue"), condition.GetTextValue());
            break;
        case CRecordQuery::kKindNumber:
            json.insert(QStringLiteral("numberValue"), condition.GetNumberValue());
            break;
        case CRecordQuery::kKindDate:
            json.insert(QStringLiteral("dateValue"), condition.GetDateValue());
            break;
        default:
            break;
    }
    return json;
}

QJsonObject RecordsJson(const CExpenseRecords& records) {
    QJsonArray list;
    QHash<const CExpenseRecord*, int> positionOf;
    for (int i = 0; i < records.GetCount(false); ++i) {
        list.append(RecordJson(*records.GetAt(i, false)));
        positionOf.insert(records.GetAt(i, false), i);
    }
    const CRecordsQuery& query = records.GetQuery();
    QJsonArray conditions;
    for (const CRecordQuery& condition : query.GetConditions()) {
        conditions.append(ConditionJson(condition));
    }
    // A stored position that named no record shows as null.
    QJsonArray positions;
    for (qsizetype i = 0; i < query.ResultCount(); ++i) {
        const auto found = positionOf.constFind(query.ResultAt(i));
        positions.append(found == positionOf.constEnd() ? QJsonValue() : QJsonValue(*found));
    }
    return QJsonObject{
        {QStringLiteral("records"), list},
        {QStringLiteral("sortField"), CExpenseRecords::GetSortField()},
        {QStringLiteral("sortDirection"), CExpenseRecords::GetSortDirection()},
        {QStringLiteral("query"), QJsonObject{{QStringLiteral("active"), query.IsActive()},
                                              {QStringLiteral("conditions"), conditions}}},
        {QStringLiteral("selectedPositions"), positions},
    };
}

std::optional<QJsonObject> DumpReport(const QString& path) {
    ReportReader reader;
    if (!LoadObjectFromFile(path, &reader, false, true, true)) {
        return std::nullopt;
    }
    const CExpenseReportInfo& header = reader.Header();
    QJsonObject json{
        {QStringLiteral("cashAdvance"), header.GetCashAdvance().GetValue()},
        {QStringLiteral("totals"), TotalsJson(header.GetTotals())},
        {QStringLiteral("location"), header.GetLocation()},
        {QStringLiteral("purpose"), header.GetPurpose()},
        {QStringLiteral("submitted"), header.IsSubmitted()},
        {QStringLiteral("reimbursed"), header.IsReimbursed()},
    };
    const QJsonObject records = RecordsJson(reader.Records());
    for (auto it = records.begin(); it != records.end(); ++it) {
        json.insert(it.key(), it.value());
    }
    return json;
}

[[maybe_unused]] const bool registered = RegisterDumper(kFileTypeExpenseReport, &DumpReport);

}  // namespace

QJsonObject TotalsJson(const CExpenseTotals& totals) {
    return QJsonObject{
        {QStringLiteral("total"), totals.GetTotal().GetValue()},
        {QStringLiteral("reimbursementDue"), totals.GetReimbursementDue().GetValue()},
        {QStringLiteral("businessPaid"), totals.GetBusinessPaid().GetValue()},
        {QStringLiteral("deductible"), totals.GetDeductible().GetValue()},
        {QStringLiteral("nonDeductible"), totals.GetNonDeductible().GetValue()},
        {QStringLiteral("reimbursable"), totals.GetReimbursable().GetValue()},
    };
}
