#include <QJsonArray>

#include "cli/dumpreport.h"

#include "archive/expensearchive.h"
#include "archive/filetypes.h"
#include "archive/objectfile.h"
#include "cli/dumpcategory.h"
#include "cli/dumpers.h"
#include "cli/jsonstreamwriter.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/expensereportinfo.h"

namespace {

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

// A report file read by the classes that write it, one record at a time:
// the header, then each record, the sort order, the selection. Without a
// writer it only checks the file; with one it writes each part as soon as it
// is read, so that the memory needed stays that of one record, whatever the
// report's size. The currency table and preferences of a whole report have
// no part in the file and are left out, so that dumping touches no other
// file.
class ReportStreamReader : public CExpenseObject {
public:
    ReportStreamReader(const QJsonObject& fileHeader, JsonStreamWriter* writer)
        : fileHeader_(fileHeader), writer_(writer) {}

    void Serialize(CExpenseArchive& archive, int context) override {
        CExpenseReportInfo header;
        header.Serialize(archive, context);
        Write(QString(), QJsonValue());
        for (auto it = fileHeader_.begin(); it != fileHeader_.end(); ++it) {
            Write(it.key(), it.value());
        }
        Write(QStringLiteral("cashAdvance"), header.GetCashAdvance().GetValue());
        Write(QStringLiteral("totals"), TotalsJson(header.GetTotals()));
        Write(QStringLiteral("location"), header.GetLocation());
        Write(QStringLiteral("purpose"), header.GetPurpose());
        Write(QStringLiteral("submitted"), header.IsSubmitted());
        Write(QStringLiteral("reimbursed"), header.IsReimbursed());

        const qint32 count = CExpenseRecords::ReadRecordCount(archive);
        if (writer_ != nullptr) {
            writer_->BeginArray(QStringLiteral("records"));
        }
        CExpenseRecord record;
        for (qint32 i = 0; i < count; ++i) {
            record.Serialize(archive, kRecordContext);
            if (writer_ != nullptr) {
                writer_->Write(RecordJson(record));
            }
        }
        if (writer_ != nullptr) {
            writer_->EndArray();
        }
        Write(QStringLiteral("sortField"), archive.ReadInt32());
        Write(QStringLiteral("sortDirection"), archive.ReadInt32());
        CRecordsQuery query;
        query.Serialize(archive, context);
        QJsonArray conditions;
        for (const CRecordQuery& condition : query.GetConditions()) {
            conditions.append(ConditionJson(condition));
        }
        Write(QStringLiteral("query"), QJsonObject{{QStringLiteral("active"), query.IsActive()},
                                                   {QStringLiteral("conditions"), conditions}});
        // A stored position that names no record shows as null.
        QJsonArray positions;
        for (qint32 position : archive.ReadIntArray()) {
            positions.append(position >= 0 && position < count ? QJsonValue(position)
                                                               : QJsonValue());
        }
        Write(QStringLiteral("selectedPositions"), positions);
        if (writer_ != nullptr) {
            writer_->EndObject();
        }
    }

private:
    // What the record collection gives each record it reads.
    static constexpr int kRecordContext = 1;

    // One member of the report's object; the null key opens the object.
    void Write(const QString& key, const QJsonValue& value) {
        if (writer_ == nullptr) {
            return;
        }
        if (key.isNull()) {
            writer_->BeginObject();
        } else {
            writer_->Write(key, value);
        }
    }

    QJsonObject fileHeader_;
    JsonStreamWriter* writer_;  // not owned
};

// Checked whole before anything is written, so that a damaged report gives
// its message and no half of a document; then read again and written.
bool StreamReport(const QString& path, const QJsonObject& fileHeader, JsonStreamWriter& writer) {
    ReportStreamReader check(fileHeader, nullptr);
    if (!LoadObjectFromFile(path, &check, false, true, true)) {
        return false;
    }
    ReportStreamReader dump(fileHeader, &writer);
    return LoadObjectFromFile(path, &dump, false, true, true) && writer.Flush();
}

[[maybe_unused]] const bool registered =
    RegisterStreamDumper(kFileTypeExpenseReport, &StreamReport);

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
