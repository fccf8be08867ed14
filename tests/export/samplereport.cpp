#include "samplereport.h"

#include <gtest/gtest.h>

#include <QTimeZone>

#include "lists/category.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expenserecord.h"
#include "support/testplatform.h"

namespace {

CCurrencyFormat Format(const char* symbol, const char* code, const char* decimal,
                       const char* thousand, int positiveOrder) {
    CCurrencyFormat format;
    format.SetDecimalSeparator(QString::fromUtf8(decimal));
    format.SetThousandSeparator(QString::fromUtf8(thousand));
    format.SetDigits(2);
    format.SetLeadingZero(1);
    format.SetGroupingText(QStringLiteral("3;0"));
    format.SetSymbol(QString::fromUtf8(symbol));
    format.SetCode(QString::fromLatin1(code));
    format.SetPositiveOrder(positiveOrder);
    return format;
}

}  // namespace

SampleReport::SampleReport(const QString& title) {
    CCurrencyTable& table = report_.GetCurrencyTable();
    table.SetFormat(QStringLiteral("U.S. Dollars"), Format("$", "USD", ".", ",", 0));
    table.SetFormat(QStringLiteral("Euro"), Format("€", "EUR", ",", ".", 3));
    table.SetHomeCurrency(QStringLiteral("U.S. Dollars"), false);
    QString error;
    EXPECT_TRUE(report_.GetHeader().ValidateName(GetReportsDirectory(), title, false, error))
        << error.toStdString();
    report_.GetHeader().SetLocation(QStringLiteral("Oslo"));
    report_.GetHeader().SetPurpose(QStringLiteral("Trade fair"));
    EXPECT_TRUE(report_.Save(true));
}

CExpenseRecord& SampleReport::Add(const QString& description, double amount, int day,
                                  const QString& currency, double rate, const QString& category) {
    auto record = std::make_unique<CExpenseRecord>();
    record->SetCategory(CCategory(category, 2, 1));
    record->SetDescription(description);
    record->SetAmount(Amount(amount));
    record->SetCurrencyName(currency);
    record->SetExchangeRate(Amount(rate));
    record->SetDate(
        QDateTime(QDate(2026, 3, day), QTime(12, 0), TestTimeZone()).toSecsSinceEpoch());
    CExpenseRecord& added = *record;
    report_.GetRecords().Add(std::move(record), false);
    return added;
}

QString ExportsPath(const QString& name) {
    return JoinPath(GetExportsDirectory(), name);
}
