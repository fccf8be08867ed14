#include "report/homecurrencychange.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "lists/currencytable.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expenserecords.h"
#include "report/report.h"
#include "sortorderscope.h"
#include "support/testplatform.h"

namespace {

const QString kDollars = QStringLiteral("U.S. Dollars");
const QString kCanadian = QStringLiteral("Canadian Dollars");
const QString kEuro = QStringLiteral("Euro");
const QString kPounds = QStringLiteral("British Pounds");

QString ReportPath(const QString& title) {
    return JoinPath(GetReportsDirectory(), title + QStringLiteral(".xpf"));
}

struct Expense {
    QString currency;
    double amount;
    double rate;
    bool mileage = false;
};

// What a report file holds, read as the program reads it.
struct Stored {
    std::vector<double> home;  // each expense's worth in the home currency
    std::vector<double> rates;
    std::vector<QString> currencies;
    double advance = 0;
    double total = 0;
    double due = 0;
};

// Three reports in U.S. dollars, the first of them open: a trip of 69 miles
// at 0.60, a cash advance, dollars, euros at a rate of their own (the table
// holds 0.88) and an old expense counted as typed (rate 0).
class HomeCurrencyChangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        CCurrencyTable& table = open_.GetCurrencyTable();
        table.SetFilePath(CCurrencyTable::DefaultFilePath());
        AddCurrency(kDollars, "USD", 1);
        AddCurrency(kCanadian, "CAD", 1.368);
        AddCurrency(kEuro, "EUR", 0.88);
        AddCurrency(kPounds, "GBP", 0.5);
        table.SetHomeCurrency(kDollars, false);
        ASSERT_TRUE(table.Save(false));
        Make(QStringLiteral("Other"), 50, {{kDollars, 25.55, 1}, {kEuro, 10, 0.88}});
        Make(QStringLiteral("Quiet"), 0, {{kDollars, 12.34, 0}});
        Make(QStringLiteral("Calgary"), 200,
             {{kDollars, 41.40, 1, true}, {kDollars, 100, 1}, {kEuro, 86, 0.86}});
        ASSERT_TRUE(open_.Open(ReportPath(QStringLiteral("Calgary")), false));
    }

    void AddCurrency(const QString& name, const char* code, double rate) {
        CCurrencyFormat format;
        format.SetDigits(2);
        format.SetDecimalSeparator(QStringLiteral("."));
        format.SetCode(QLatin1String(code));
        format.SetInUse(1);
        CCurrencyTable& table = open_.GetCurrencyTable();
        table.SetFormat(name, format);
        table.SetRate(QLatin1String(code), CurrencyRate(rate), false, true);
    }

    void Make(const QString& title, double advance, std::initializer_list<Expense> expenses) {
        CExpenseReport report;
        report.GetCurrencyTable() = open_.GetCurrencyTable();
        CExpenseReportInfo header;
        QString error;
        ASSERT_TRUE(header.ValidateName(GetReportsDirectory(), title, false, error));
        header.SetCashAdvance(Amount(advance));
        ASSERT_TRUE(report.CreateNew(header, false));
        for (const Expense& expense : expenses) {
            auto record = std::make_unique<CExpenseRecord>();
            CCategory category;
            category.SetIndex(expense.mileage ? CCategory::kMileageIndex : 2);
            record->SetCategory(category);
            record->SetCurrencyName(expense.currency);
            record->SetAmount(Amount(expense.amount));
            record->SetExchangeRate(Amount(expense.rate));
            if (expense.mileage) {
                record->SetOdometerStart(1000);
                record->SetOdometerEnd(1069);
                record->SetMileageRate(Amount(0.6));
            }
            ASSERT_TRUE(report.GetRecords().Add(std::move(record), false));
        }
        ASSERT_TRUE(report.Save(false));
    }

    Stored Read(const QString& title) {
        CExpenseReport report;
        report.GetCurrencyTable() = open_.GetCurrencyTable();
        EXPECT_TRUE(report.Open(ReportPath(title), false));
        Stored stored;
        const CExpenseRecords& records = report.GetRecords();
        for (int i = 0; i < records.GetCount(false); ++i) {
            const CExpenseRecord* record = records.GetAt(i, false);
            stored.home.push_back(record->GetAmount(true).GetValue());
            stored.rates.push_back(record->GetExchangeRate().GetValue());
            stored.currencies.push_back(record->GetCurrencyName());
        }
        const CExpenseReportInfo& header = report.GetHeader();
        stored.advance = header.GetCashAdvance().GetValue();
        stored.total = header.GetTotals().GetTotal().GetValue();
        stored.due = header.GetTotals().GetReimbursementDue().GetValue();
        return stored;
    }

    // What the currency page does on OK, every question answered yes.
    bool ChangeHome(const QString& home) {
        const QString oldHome = open_.GetCurrencyTable().GetHomeCurrency();
        open_.GetCurrencyTable().SetHomeCurrency(home, true);
        CHomeCurrencyChange change(open_, oldHome);
        if (!change.Plan()) {
            problem_ = change.GetProblem();
            return false;
        }
        question_ = change.GetQuestion();
        return change.Apply();
    }

    std::map<QString, QByteArray> Files() const {
        std::map<QString, QByteArray> files;
        for (const QString& title : kTitles) {
            files[title] = ReadFileBytes(ReportPath(title));
        }
        files[QString()] = ReadFileBytes(CCurrencyTable::DefaultFilePath());
        return files;
    }

    const QStringList kTitles{QStringLiteral("Calgary"), QStringLiteral("Other"),
                              QStringLiteral("Quiet")};
    TestPlatform platform_;
    SortOrderScope sortOrder_;
    CExpenseReport open_;
    QString problem_;
    QString question_;
};

TEST_F(HomeCurrencyChangeTest, ThereAndBackEveryExpenseKeepsItsWorth) {
    std::map<QString, Stored> before;
    for (const QString& title : kTitles) {
        before[title] = Read(title);
    }
    ASSERT_TRUE(ChangeHome(kCanadian));
    EXPECT_EQ(question_, QStringLiteral("Changing the home currency converts 6 expenses in 3 "
                                        "reports at 1 U.S. Dollars = 1.368 Canadian Dollars.  "
                                        "Do you want to continue?"));
    EXPECT_TRUE(platform_.Prompts().Messages().empty());

    // The open report, as its file and the window hold it.
    const Stored calgary = Read(QStringLiteral("Calgary"));
    EXPECT_EQ(calgary.home[0], 56.64);  // 41.40 x 1.368 = 56.6352
    EXPECT_EQ(calgary.currencies[0], kCanadian);
    EXPECT_NEAR(open_.GetRecords().GetAt(0, false)->GetMileageRate().GetValue(), 0.8208, 1e-9);
    EXPECT_EQ(calgary.home[1], 136.80);
    EXPECT_EQ(calgary.currencies[1], kDollars);
    // The euros keep their own rate, in Canadian terms: not the table's 0.88.
    EXPECT_NEAR(calgary.rates[2], 0.86 / 1.368, 1e-12);
    EXPECT_EQ(calgary.home[2], 136.80);
    EXPECT_EQ(calgary.advance, 273.60);
    EXPECT_DOUBLE_EQ(calgary.total, 56.64 + 136.80 + 136.80);
    EXPECT_EQ(open_.GetHeader().GetTotals().GetTotal().GetValue(), calgary.total);
    EXPECT_FALSE(open_.IsModified());
    // New trips are claimed in Canadian dollars too.
    EXPECT_NEAR(open_.GetPreferences().GetDefaultMileageRate().GetValue(), 0.345 * 1.368, 1e-9);
    // The reports that were not open went along.
    const Stored other = Read(QStringLiteral("Other"));
    EXPECT_EQ(other.home, (std::vector<double>{34.95, 15.55}));  // 25.55 and 10 / 0.88 x 1.368
    EXPECT_EQ(other.advance, 68.40);
    // Counted as typed, as dollars: worth as many dollars as before.
    EXPECT_EQ(Read(QStringLiteral("Quiet")).home, std::vector<double>{16.88});

    ASSERT_TRUE(ChangeHome(kDollars));
    EXPECT_NEAR(open_.GetPreferences().GetDefaultMileageRate().GetValue(), 0.345, 1e-9);
    for (const QString& title : kTitles) {
        SCOPED_TRACE(title.toStdString());
        const Stored after = Read(title);
        ASSERT_EQ(after.home.size(), before[title].home.size());
        for (size_t i = 0; i < after.home.size(); ++i) {
            EXPECT_NEAR(after.home[i], before[title].home[i], 0.01 + 1e-9) << i;
            EXPECT_NEAR(after.rates[i], before[title].rates[i] == 0 ? 1 : before[title].rates[i],
                        1e-12);
            EXPECT_EQ(after.currencies[i], before[title].currencies[i]);
        }
        EXPECT_NEAR(after.advance, before[title].advance, 0.01 + 1e-9);
        EXPECT_NEAR(after.total, before[title].total, 0.01 * after.home.size() + 1e-9);
        EXPECT_NEAR(after.due, before[title].due, 0.01 * (after.home.size() + 1) + 1e-9);
    }
}

TEST_F(HomeCurrencyChangeTest, AValueBeyondItsBoundsRefusesTheWholeChange) {
    struct Case {
        const char* name;
        Expense expense;
        double advance;
        QString home;
        MoneyBounds::Kind bound;
    };
    const double most = MoneyBounds::kMaxAmount;
    const Case cases[] = {
        {"a trip worth more than an amount",
         {kDollars, most, 1, true},
         0,
         kCanadian,
         MoneyBounds::Kind::kAmount},
        {"a rate beyond a rate",
         {kEuro, 1, 900'000'000, false},
         0,
         kPounds,
         MoneyBounds::Kind::kRate},
        {"a cash advance beyond its bounds",
         {kDollars, 1, 1, false},
         most,
         kCanadian,
         MoneyBounds::Kind::kCashAdvance},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(QStringLiteral("Zurich"), c.advance, {c.expense});
        const auto files = Files();
        const QByteArray zurich = ReadFileBytes(ReportPath(QStringLiteral("Zurich")));
        EXPECT_FALSE(ChangeHome(c.home));
        EXPECT_EQ(problem_, QStringLiteral("The home currency cannot become %1: a value of the "
                                           "report Zurich would be out of bounds.  %2")
                                .arg(c.home, MoneyBounds::Message(c.bound)));
        EXPECT_EQ(Files(), files);
        EXPECT_EQ(ReadFileBytes(ReportPath(QStringLiteral("Zurich"))), zurich);
        EXPECT_EQ(open_.GetRecords().GetAt(0, false)->GetAmount(false).GetValue(), 41.40);
        QFile::remove(ReportPath(QStringLiteral("Zurich")));
        open_.GetCurrencyTable().SetHomeCurrency(kDollars, true);
    }
}

TEST_F(HomeCurrencyChangeTest, AFailedWritePutsBackWhatWasWritten) {
    const auto files = Files();
    const QString oldHome = open_.GetCurrencyTable().GetHomeCurrency();
    open_.GetCurrencyTable().SetHomeCurrency(kCanadian, true);
    CHomeCurrencyChange change(open_, oldHome);
    ASSERT_TRUE(change.Plan());
    // The table, written last, can no longer be replaced: every report was
    // written by then.
    const QString table = CCurrencyTable::DefaultFilePath();
    ASSERT_TRUE(QFile::remove(table));
    ASSERT_TRUE(QDir().mkdir(table));
    EXPECT_FALSE(change.Apply());
    ASSERT_TRUE(QDir().rmdir(table));
    ASSERT_TRUE(WriteFileBytes(table, files.at(QString())));
    EXPECT_TRUE(Files() == files);
    EXPECT_EQ(platform_.Prompts().Texts().last(),
              QStringLiteral("The home currency was not changed: the currency table could not "
                             "be written.  The reports already converted were put back as they "
                             "were."));
    EXPECT_EQ(open_.GetRecords().GetAt(0, false)->GetAmount(false).GetValue(), 41.40);
    EXPECT_EQ(open_.GetHeader().GetCashAdvance().GetValue(), 200);
    EXPECT_EQ(open_.GetPreferences().GetDefaultMileageRate().GetValue(), 0.345);
    EXPECT_FALSE(open_.IsModified());
}

TEST_F(HomeCurrencyChangeTest, AReportThatCannotBeReadIsNamedAndLeftAlone) {
    const QString broken = ReportPath(QStringLiteral("Broken"));
    ASSERT_TRUE(WriteFileBytes(broken, QByteArray("not a report at all")));
    ASSERT_TRUE(ChangeHome(kCanadian));
    EXPECT_TRUE(question_.endsWith(
        QStringLiteral("These reports cannot be read and stay as they are: Broken.")));
    EXPECT_EQ(ReadFileBytes(broken), QByteArray("not a report at all"));
}

}  // namespace
