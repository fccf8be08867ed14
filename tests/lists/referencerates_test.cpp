#include <gtest/gtest.h>

#include <QFile>

#include "lists/currencytable.h"
#include "lists/rateupdate.h"
#include "lists/referencerates.h"
#include "money/moneybounds.h"
#include "support/testplatform.h"

namespace {

QByteArray Sample() {
    QFile file(QStringLiteral(OUTLAYSHEET_RATES_SAMPLE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The bank's envelope around `cubes`.
QByteArray Envelope(const QByteArray& cubes) {
    return "<?xml version='1.0'?><gesmes:Envelope xmlns:gesmes='g' xmlns='e'><Cube>" + cubes +
           "</Cube></gesmes:Envelope>";
}

QByteArray Day(const QByteArray& rates) {
    return Envelope("<Cube time='2026-12-04'>" + rates + "</Cube>");
}

QByteArray Deep(int depth) {
    return Envelope(QByteArray("<Cube>").repeated(depth) + QByteArray("</Cube>").repeated(depth));
}

QByteArray Laughs() {
    QByteArray dtd = "<?xml version='1.0'?><!DOCTYPE gesmes:Envelope [<!ENTITY a0 'ha'>";
    for (int i = 1; i < 12; ++i) {
        dtd += "<!ENTITY a" + QByteArray::number(i) + " '" +
               QByteArray("&a" + QByteArray::number(i - 1) + ";").repeated(10) + "'>";
    }
    return dtd +
           "]><gesmes:Envelope><Cube><Cube time='2026-12-04'><Cube currency='USD' "
           "rate='&a11;'/></Cube></Cube></gesmes:Envelope>";
}

}  // namespace

TEST(ReferenceRates, TheBanksDailyFileIsRead) {
    CReferenceRates rates;
    ASSERT_TRUE(rates.Parse(Sample())) << rates.GetProblem().toStdString();
    EXPECT_EQ(rates.GetDate(), QDate(2026, 12, 4));
    ASSERT_EQ(rates.GetRates().size(), 30U);
    EXPECT_EQ(rates.GetRates().front(), std::make_pair(QStringLiteral("USD"), 1.1642));
    EXPECT_EQ(rates.GetRates().back(), std::make_pair(QStringLiteral("ZAR"), 19.915));
}

TEST(ReferenceRates, AFileThatIsNoDaysRatesIsRefusedWithItsReason) {
    const QByteArray sample = Sample();
    const QString notRates = QStringLiteral("The file holds no reference rates of the bank.");
    const QString rateBounds =
        QStringLiteral("The rate of USD: ") + MoneyBounds::Message(MoneyBounds::Kind::kRate);
    const struct {
        const char* name;
        QByteArray bytes;
        QString problem;
    } cases[] = {
        {"nothing", {}, QStringLiteral("The file ends before its rates do.")},
        {"cut short", sample.left(sample.size() - 40),
         QStringLiteral("The file ends before its rates do.")},
        {"a web page", "<html><body>Not found</body></html>", notRates},
        {"no day", Envelope("<Cube currency='USD' rate='1.1'/>"), notRates},
        {"no rates", Day({}), notRates},
        {"two days", Envelope("<Cube time='2026-12-04'/><Cube time='2026-12-03'/>"),
         QStringLiteral("The file holds the rates of more than one day.")},
        {"a day that is no date", Envelope("<Cube time='2026-13-04'/>"),
         QStringLiteral("The day of the rates is no date.")},
        {"a rate of nothing", Day("<Cube currency='USD' rate='0'/>"), rateBounds},
        {"a negative rate", Day("<Cube currency='USD' rate='-1.1'/>"), rateBounds},
        {"a rate that is no number", Day("<Cube currency='USD' rate='lots'/>"), rateBounds},
        {"an endless rate", Day("<Cube currency='USD' rate='1e400'/>"), rateBounds},
        {"a code that is none", Day("<Cube currency='US Dollar' rate='1.1'/>"),
         QStringLiteral("\"US Dollar\" is no currency code.")},
        {"too deep", Deep(1000), notRates},
        {"entities of its own", Laughs(),
         QStringLiteral("The file declares a document type of its own: it holds no reference "
                        "rates of the bank.")},
        {"too large", sample + QByteArray(CReferenceRates::kMaxFileSize, ' '),
         QStringLiteral("The file is larger than 64 KB: it holds no reference rates of the "
                        "bank.")},
        {"too many rates", Day(QByteArray("<Cube currency='USD' rate='1.1'/>").repeated(201)),
         notRates},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CReferenceRates rates;
        EXPECT_FALSE(rates.Parse(c.bytes));
        EXPECT_EQ(rates.GetProblem(), c.problem);
        EXPECT_TRUE(rates.GetRates().empty());
        EXPECT_FALSE(rates.GetDate().isValid());
    }
}

namespace {

// A table at home in `home`, knowing the dollar, the euro, the yen and a
// currency the bank does not publish.
class RateUpdateTest : public ::testing::Test {
protected:
    void Know(const QString& name, const QString& code, double rate, bool inUse) {
        CCurrencyFormat format;
        format.SetCode(code);
        format.SetInUse(inUse ? 1 : 0);
        table_.SetFormat(name, format);
        if (rate > 0) {
            table_.SetRate(code, CurrencyRate(rate), false, true);
        }
    }
    void SetUp() override {
        table_.Reset();
        Know("U.S. Dollars", "USD", 1, true);
        Know("Euro (Germany)", "EUR", 0.9, false);
        Know("Euro", "EUR", 0.9, true);
        Know("Japanese Yen", "JPY", 0, true);
        Know("Kenyan Shillings", "KES", 130, true);
        table_.SetHomeCurrency("U.S. Dollars", false);
    }
    static CReferenceRates Rates(const QByteArray& cubes) {
        CReferenceRates rates;
        EXPECT_TRUE(rates.Parse(Day(cubes))) << rates.GetProblem().toStdString();
        return rates;
    }

    TestPlatform platform_;
    CCurrencyTable table_{QString()};
};

}  // namespace

TEST_F(RateUpdateTest, TheRatesAreCountedAgainstTheHomeCurrencyAndStampedWithTheDay) {
    CRateUpdate update;
    ASSERT_TRUE(update.Plan(table_, Rates("<Cube currency='USD' rate='1.25'/>"
                                          "<Cube currency='JPY' rate='175'/>"
                                          "<Cube currency='XYZ' rate='3'/>"
                                          "<Cube currency='GBP' rate='0.87'/>")));
    ASSERT_EQ(update.GetChanges().size(), 2U);
    // The euro under the name in use; the yen without a rate before.
    EXPECT_EQ(update.GetChanges()[0].name, QStringLiteral("Euro"));
    EXPECT_DOUBLE_EQ(update.GetChanges()[0].after, 0.8);
    EXPECT_EQ(CRateUpdate::ChangeText(update.GetChanges()[0]), QStringLiteral("-11.11%"));
    EXPECT_EQ(update.GetChanges()[1].code, QStringLiteral("JPY"));
    EXPECT_DOUBLE_EQ(update.GetChanges()[1].after, 140);
    EXPECT_EQ(CRateUpdate::ChangeText(update.GetChanges()[1]), QStringLiteral("new"));
    EXPECT_EQ(update.GetUnknown(), QStringList({"GBP", "XYZ"}));
    update.Apply(table_);
    CurrencyRate yen;
    ASSERT_TRUE(table_.GetRateByCode("JPY", yen));
    EXPECT_DOUBLE_EQ(yen.GetRate(), 140);
    EXPECT_EQ(yen.GetUpdated(), platform_.Clock().FromLocal(QDate(2026, 12, 4), QTime(0, 0)));
    // The shilling, which the bank does not publish, keeps its rate.
    CurrencyRate shilling;
    ASSERT_TRUE(table_.GetRateByCode("KES", shilling));
    EXPECT_EQ(shilling.GetRate(), 130);
}

TEST_F(RateUpdateTest, AtHomeInEurosTheRatesAreTheBanksOwn) {
    table_.SetHomeCurrency("Euro", false);
    CRateUpdate update;
    ASSERT_TRUE(update.Plan(table_, Rates("<Cube currency='USD' rate='1.25'/>")));
    ASSERT_EQ(update.GetChanges().size(), 1U);
    EXPECT_EQ(update.GetChanges()[0].code, QStringLiteral("USD"));
    EXPECT_DOUBLE_EQ(update.GetChanges()[0].after, 1.25);
}

// A rate counted from two of the bank's is kept to the digits they carry.
TEST_F(RateUpdateTest, ACountedRateKeepsSixSignificantDigits) {
    CRateUpdate update;
    ASSERT_TRUE(update.Plan(table_, Rates("<Cube currency='USD' rate='1.0835'/>"
                                          "<Cube currency='JPY' rate='161.23'/>")));
    ASSERT_EQ(update.GetChanges().size(), 2U);
    EXPECT_EQ(update.GetChanges()[0].code, QStringLiteral("EUR"));
    EXPECT_DOUBLE_EQ(update.GetChanges()[0].after, 0.922935);
    EXPECT_EQ(update.GetChanges()[1].code, QStringLiteral("JPY"));
    EXPECT_DOUBLE_EQ(update.GetChanges()[1].after, 148.805);
}

TEST_F(RateUpdateTest, NothingIsGuessedOrTakenBeyondTheBounds) {
    CRateUpdate update;
    // No dollar: nothing to count against.
    EXPECT_FALSE(update.Plan(table_, Rates("<Cube currency='JPY' rate='175'/>")));
    EXPECT_EQ(update.GetProblem(),
              QStringLiteral("The reference rates hold no rate for the home currency (USD), so "
                             "no rate can be counted against it."));
    // A yen rate that, counted against a tiny dollar, is no rate.
    ASSERT_TRUE(update.Plan(table_, Rates("<Cube currency='USD' rate='0.000000001'/>"
                                          "<Cube currency='JPY' rate='175'/>")));
    EXPECT_EQ(update.GetRefused(), QStringList({"JPY"}));
    ASSERT_EQ(update.GetChanges().size(), 1U);
    EXPECT_EQ(update.GetChanges()[0].code, QStringLiteral("EUR"));
}
