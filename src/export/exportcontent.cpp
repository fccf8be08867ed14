#include "exportcontent.h"

#include <algorithm>
#include <cmath>

#include "lists/paidwith.h"
#include "platform/platform.h"
#include "report/expenserecord.h"
#include "report/report.h"

namespace {

// More decimals than any currency has; also the most a stored rate shows.
constexpr int kMostDecimals = 9;

}  // namespace

CExportContent::CExportContent(const CExpenseReport& report, bool selectedOnly,
                               CPersonalInfo traveller)
    : report_(report), traveller_(std::move(traveller)) {
    const CExpenseRecords& records = report.GetRecords();
    selection_ = selectedOnly && records.GetQuery().IsActive();
    const int count = records.GetCount(selection_);
    expenses_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        // A selection read from a file may name positions past the records.
        if (const CExpenseRecord* record = records.GetAt(i, selection_)) {
            expenses_.push_back(record);
        }
    }
    records.ComputeTotals(totals_, selection_, true);
    totals_.Round(GetHomeDigits());
}

void CExportContent::SetReceipts(const ReceiptSource& source) {
    knowsReceipts_ = true;
    receipts_.clear();
    receipts_.reserve(expenses_.size());
    for (const CExpenseRecord* record : expenses_) {
        receipts_.push_back(source ? source(*record) : std::vector<ReceiptFile>());
    }
}

const std::vector<ReceiptFile>& CExportContent::ReceiptsOf(size_t expense) const {
    static const std::vector<ReceiptFile> kNone;
    return expense < receipts_.size() ? receipts_[expense] : kNone;
}

int CExportContent::ReceiptCount() const {
    size_t count = 0;
    for (const auto& receipts : receipts_) {
        count += receipts.size();
    }
    return static_cast<int>(count);
}

QString CExportContent::ReceiptText(size_t expense, const QString& withoutReceipts) const {
    if (!knowsReceipts_) {
        const CExpenseRecord* record = expense < expenses_.size() ? expenses_[expense] : nullptr;
        return record != nullptr && record->GetReceipt() ? QStringLiteral("Yes") : withoutReceipts;
    }
    const size_t count = ReceiptsOf(expense).size();
    if (count == 0) {
        return QStringLiteral("Missing");
    }
    return count == 1 ? QStringLiteral("Yes") : QStringLiteral("Yes (%1)").arg(count);
}

QString CExportContent::GetTitle() const {
    const QString title = report_.GetHeader().GetTitle();
    return title.isEmpty() ? QStringLiteral("Expense Report") : title;
}

int CExportContent::GetHomeDigits() const {
    return std::clamp(report_.GetCurrencyTable().GetHomeDigits(), 0, kMostDecimals);
}

QString CExportContent::FormatHome(const Amount& amount) const {
    return report_.GetCurrencyTable().FormatInHome(amount, 0);
}

QString CExportContent::FormatEntered(const CExpenseRecord& record) const {
    // A currency the table no longer knows is written the device's way, as
    // the table itself does for such a name.
    CCurrencyFormat format(true);
    report_.GetCurrencyTable().FindFormat(record.GetCurrencyName(), format);
    return record.GetAmount(false).FormatCurrency(format, 0);
}

QString CExportContent::PlainEntered(const CExpenseRecord& record) const {
    const int digits = report_.GetCurrencyTable().GetDigits(record.GetCurrencyName());
    return PlainNumber(record.GetAmount(false).GetValue(), std::clamp(digits, 0, kMostDecimals));
}

QString CExportContent::PlainHome(const CExpenseRecord& record) const {
    return PlainNumber(record.GetAmount(true).GetValue(), GetHomeDigits());
}

bool CExportContent::IsForeign(const CExpenseRecord& record) const {
    const QString& currency = record.GetCurrencyName();
    return !record.IsMileage() && !currency.isEmpty() &&
           currency != report_.GetCurrencyTable().GetHomeCurrency();
}

QDate CExportContent::LocalDay(const CExpenseRecord& record) {
    return Platform::Get().GetClock().ToLocal(record.GetDate()).date();
}

QString CExportContent::PaidByText(const CPaidWith& paidWith) {
    return paidWith.IsBusinessPaid() ? QStringLiteral("Business") : QStringLiteral("Personal");
}

QString CExportContent::PlainNumber(double value, int decimals) {
    Amount rounded(value);
    rounded.Round(decimals);
    // Rounding leaves -0 for a tiny negative amount; a spreadsheet would show
    // "-0.00".
    const double shown = rounded.GetValue() == 0.0 ? 0.0 : rounded.GetValue();
    return QString::number(shown, 'f', decimals);
}

QString CExportContent::PlainRate(double value) {
    QString text = QString::number(value, 'f', kMostDecimals);
    if (!std::isfinite(value) || !text.contains(QLatin1Char('.'))) {
        return text;
    }
    while (text.endsWith(QLatin1Char('0'))) {
        text.chop(1);
    }
    if (text.endsWith(QLatin1Char('.'))) {
        text.chop(1);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
