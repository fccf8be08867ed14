#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <map>

#include "framefixture.h"
#include "lists/category.h"
#include "lists/categoryexmanager.h"
#include "lists/currencytable.h"
#include "money/moneybounds.h"
#include "platform/dateformatting.h"
#include "report/expenserecord.h"
#include "report/expenserecords.h"
#include "report/recordquery.h"
#include "views/frame/statusbar.h"
#include "views/grid/listgrid.h"
#include "views/grid/simplelist.h"
#include "views/pads/padamountedit.h"
#include "views/settings/accountnumbersdialog.h"
#include "views/settings/columnlist.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/newcurrencydialog.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/rateupdatedialog.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/textentrydialog.h"

namespace {

const QString kDollars = QStringLiteral("U.S. Dollars");
const QString kEuro = QStringLiteral("Euro");
const QString kYen = QStringLiteral("Japanese Yen");
const QString kFrancs = QStringLiteral("Swiss Francs");
const QString kCanadian = QStringLiteral("Canadian Dollars");

const QString kSureToCancel =
    QStringLiteral("Are you sure you want to cancel without saving your changes?");
const QString kSureToRemove =
    QStringLiteral("Are you sure you want to remove this conversion rate from use?");

enum Column { kDescription, kRate, kUpdated };

// A traveller from the United States who keeps rates for euros and yen and
// knows of Swiss francs, with a report of expenses in those currencies.
class CurrencyTest : public FrameFixture {
protected:
    void SetUp() override {
        path_ = MakeReport(QStringLiteral("Trip"), {});
        StartFrame();
        CCurrencyTable& table = document_->GetCurrencyTable();
        table.Reset();
        AddCurrency(kDollars, QStringLiteral("USD"), QStringLiteral("$"), 1, true);
        AddCurrency(kEuro, QStringLiteral("EUR"), QStringLiteral("E"), 0.9, true);
        AddCurrency(kYen, QStringLiteral("JPY"), QStringLiteral("Y"), 110, true);
        AddCurrency(kFrancs, QStringLiteral("CHF"), QStringLiteral("F"), 0.95, false);
        table.SetHomeCurrency(kDollars, false);
        table.SetInternationalTraveler(true);
        ASSERT_TRUE(table.Save(false));
        frame_->UpdateCommands();
    }

    void AddCurrency(const QString& name, const QString& code, const QString& symbol, double rate,
                     bool inUse) {
        CCurrencyFormat format;
        format.SetDigits(2);
        format.SetLeadingZero(1);
        format.SetGroupingText(QStringLiteral("3"));
        format.SetDecimalSeparator(QStringLiteral("."));
        format.SetThousandSeparator(QStringLiteral(","));
        format.SetSymbol(symbol);
        format.SetCode(code);
        format.SetInUse(inUse ? 1 : 0);
        CCurrencyTable& table = document_->GetCurrencyTable();
        table.SetFormat(name, format);
        table.SetRate(code, CurrencyRate(rate), false, true);
    }

    // Expenses in `currency` at `rate`, in the open report, saved.
    void AddExpenses(const QString& currency, double rate, std::initializer_list<double> amounts) {
        for (double amount : amounts) {
            auto record = std::make_unique<CExpenseRecord>();
            record->SetCategory(CCategory(QStringLiteral("Lunch"), 4, 1));
            record->SetDate(kTestNow);
            record->SetAmount(Amount(amount));
            record->SetCurrencyName(currency);
            record->SetExchangeRate(Amount(rate));
            ASSERT_TRUE(document_->AddRecord(std::move(record), false));
        }
        ASSERT_TRUE(document_->SaveReport(true));
    }

    // The exchange rates of the report's expenses as its file holds them.
    std::vector<std::pair<QString, double>> StoredRates() const {
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        EXPECT_TRUE(report.Open(path_, false));
        std::vector<std::pair<QString, double>> rates;
        for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
            const CExpenseRecord* record = report.GetRecords().GetAt(i, false);
            rates.emplace_back(record->GetCurrencyName(), record->GetExchangeRate().GetValue());
        }
        return rates;
    }

    // Each expense's rate by its amount, as the report's file holds them.
    std::map<double, double> StoredRatesByAmount() const {
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        EXPECT_TRUE(report.Open(path_, false));
        std::map<double, double> rates;
        for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
            const CExpenseRecord* record = report.GetRecords().GetAt(i, false);
            rates[record->GetAmount(false).GetValue()] = record->GetExchangeRate().GetValue();
        }
        return rates;
    }

    // The table as its file holds it.
    static std::unique_ptr<CCurrencyTable> StoredTable() {
        auto table = std::make_unique<CCurrencyTable>();
        EXPECT_TRUE(table->Load(false));
        return table;
    }

    static double RateOf(const CCurrencyTable& table, const QString& name) {
        CCurrencyFormat format;
        CurrencyRate rate;
        return table.GetRate(name, format, rate) ? rate.GetRate() : -1;
    }

    // Runs "Change Rates..." with `handler` on the currency page.
    void OnCurrencyPage(const std::function<void(CPageCurrency*)>& handler) {
        WhenDialogOpens([handler](QDialog* dialog) {
            auto* page = qobject_cast<CPageCurrency*>(dialog);
            ASSERT_NE(page, nullptr);
            handler(page);
            if (page->isVisible()) {
                page->done(QDialog::Rejected);
            }
        });
        ASSERT_TRUE(Choose(QStringLiteral("Change Rates...")));
    }

    static void TapRow(CColumnList* list, int row) {
        ASSERT_GE(row, 0);
        list->scrollToItem(list->topLevelItem(row));
        Tap(list->viewport(), list->visualItemRect(list->topLevelItem(row)).center());
    }

    // Taps the currency's rate and types `typed` into the rate dialog, then
    // saves; `check` looks at the dialog first.
    void TypeRate(CPageCurrency* page, const QString& currency, const QString& typed,
                  const std::function<void(CConversionRateDialog*)>& check = {}) {
        WhenDialogOpens([=](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            ASSERT_NE(rate, nullptr);
            if (check) {
                check(rate);
            }
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), typed);
            Tap(rate->SaveButton());
        });
        TapRow(page->Rates(), static_cast<int>(page->Listed().indexOf(currency)));
    }

    // Opens the home currency's list and taps `name` in it.
    static void ChooseHome(CPageCurrency* page, const QString& name) {
        QComboBox* home = page->HomeCurrency();
        const int row = home->findText(name);
        ASSERT_GE(row, 0);
        home->showPopup();
        QAbstractItemView* view = home->view();
        const QModelIndex item = view->model()->index(row, 0);
        view->scrollTo(item);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(item).center());
        EXPECT_FALSE(view->isVisible());
    }

    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // A dinner entered from the main screen's meal button, the slip filled
    // by `fill`.
    void EnterDinner(const std::function<void(CExpenseSlipDialog*)>& fill) {
        CategoryButton* meal = frame_->MainView()->Button(CCategory::kMealsGroup);
        ASSERT_EQ(meal->text(), QStringLiteral("Dinner"));
        WhenDialogOpens([fill](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            fill(slip);
            if (slip->isVisible()) {
                ADD_FAILURE() << "the slip is still open";
                slip->reject();
            }
        });
        Tap(meal);
    }

    QString path_;
};

TEST_F(CurrencyTest, ThePageListsTheRatesInUseUnderTheirHeadings) {
    OnCurrencyPage([&](CPageCurrency* page) {
        CColumnList* list = page->Rates();
        const std::pair<const char*, int> headings[] = {
            {"Description", 75}, {"Rate", 73}, {"Updated", 60}};
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(list->headerItem()->text(column), QLatin1String(headings[column].first));
            EXPECT_EQ(list->columnWidth(column), headings[column].second);
        }
        EXPECT_EQ(page->Listed(), QStringList({kEuro, kYen, kDollars}));
        EXPECT_EQ(list->Text(0, kRate), QStringLiteral("E0.90"));
        EXPECT_EQ(list->Text(1, kRate), QStringLiteral("Y110.00"));
        // The rates of the day the list was compiled are years old: their
        // age in red, the date in the tip.
        const TimeStamp compiled = CurrencyRate::DefaultUpdated();
        EXPECT_EQ(list->Text(0, kUpdated),
                  CurrencyRate::AgeText(CurrencyRate::AgeInDays(compiled)));
        EXPECT_EQ(list->topLevelItem(0)->toolTip(kUpdated), FormatDate(compiled, 0));
        EXPECT_EQ(page->HomeCurrency()->currentText(), kDollars);
        // Nothing changed, nothing to ask.
        Tap(page->CancelButton());
        EXPECT_FALSE(page->isVisible());
    });
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CurrencyTest, ChangeRatesNeedsTheInternationalTraveler) {
    document_->GetCurrencyTable().SetInternationalTraveler(false);
    EXPECT_FALSE(Choose(QStringLiteral("Change Rates...")));
}

TEST_F(CurrencyTest, ANewCurrencyMustBeChosenAndJoinsTheList) {
    OnCurrencyPage([&](CPageCurrency* page) {
        WhenDialogOpens([&](QDialog* dialog) {
            auto* chooser = qobject_cast<CNewCurrencyDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("New Currency Conversion"));
            EXPECT_EQ(chooser->List()->headerItem()->text(0), QStringLiteral("Description"));
            // Only the currency not yet in use is offered.
            ASSERT_EQ(chooser->List()->topLevelItemCount(), 1);
            EXPECT_EQ(chooser->List()->Text(0, 0), kFrancs);
            Tap(chooser->OkButton());
            EXPECT_EQ(Messages(), QStringList(QStringLiteral("Please Select an Item")));
            EXPECT_TRUE(chooser->isVisible());
            TapRow(chooser->List(), 0);
            Tap(chooser->OkButton());
        });
        Tap(page->NewButton());
        EXPECT_EQ(page->Listed(), QStringList({kEuro, kYen, kFrancs, kDollars}));
        EXPECT_EQ(page->Rates()->SelectedRow(), 2);
        Tap(page->OkButton());
    });
    CCurrencyFormat format;
    ASSERT_TRUE(StoredTable()->FindFormat(kFrancs, format));
    EXPECT_EQ(format.GetInUse(), 1);
}

TEST_F(CurrencyTest, ANewRateChangesThatRateAloneAndStampsIt) {
    const TimeStamp now = kTestNow + 86400 * 3;
    platform_.Clock().Set(now);
    AddCurrency(QStringLiteral("US Dollars (Ecuador)"), QStringLiteral("USD"), QStringLiteral("$"),
                1, true);
    ASSERT_TRUE(document_->GetCurrencyTable().Save(false));
    OnCurrencyPage([&](CPageCurrency* page) {
        CColumnList* list = page->Rates();
        const QString yenBefore = list->Text(1, kRate) + list->Text(1, kUpdated);
        // The home currency's rate is 1 by definition, under whichever name
        // its code goes.
        TapRow(list, 2);
        TapRow(list, 3);
        const QString refusal =
            QStringLiteral("The rate for the home currency cannot be changed.");
        EXPECT_EQ(Messages(), QStringList({refusal, refusal}));
        WhenDialogOpens([&](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            ASSERT_NE(rate, nullptr);
            EXPECT_EQ(rate->windowTitle(), QStringLiteral("Currency Conversion Rate"));
            EXPECT_EQ(rate->PerLabel()->text(), QStringLiteral("$1.00 (U.S. Dollars)"));
            EXPECT_NE(rate->RemoveButton(), nullptr);
            EXPECT_EQ(rate->RateEdit()->GetValue(), 0.9);
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), QStringLiteral("0"));
            Tap(rate->SaveButton());
            // Refused: the dialog stays open and takes another try.
            EXPECT_EQ(Messages().last(),
                      QStringLiteral("Currency rate must be greater then zero."));
            EXPECT_TRUE(rate->isVisible());
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), QStringLiteral("0.85"));
            Tap(rate->SaveButton());
        });
        TapRow(list, 0);
        EXPECT_EQ(list->Text(0, kRate), QStringLiteral("E0.85"));
        EXPECT_EQ(list->Text(0, kUpdated), FormatDate(now, 0));
        EXPECT_EQ(list->Text(1, kRate) + list->Text(1, kUpdated), yenBefore);
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages().size(), 3);
    const auto table = StoredTable();
    EXPECT_EQ(RateOf(*table, kEuro), 0.85);
    EXPECT_EQ(RateOf(*table, kYen), 110);
    CCurrencyFormat format;
    CurrencyRate euro;
    table->GetRate(kEuro, format, euro);
    EXPECT_EQ(euro.GetUpdated(), now);
}

TEST_F(CurrencyTest, RemovingTakesACurrencyOutOfUseButNotOutOfItsExpenses) {
    AddExpenses(kEuro, 0.9, {45});
    OnCurrencyPage([&](CPageCurrency* page) {
        const auto remove = [&](const QString& currency, PromptAnswer answer) {
            WhenDialogOpens([&, answer](QDialog* dialog) {
                auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
                ASSERT_NE(rate, nullptr);
                platform_.Prompts().QueueAnswer(answer);
                Tap(rate->RemoveButton());
                if (rate->isVisible()) {
                    Tap(rate->CancelButton());
                }
            });
            TapRow(page->Rates(), static_cast<int>(page->Listed().indexOf(currency)));
        };
        // Used by an expense, then used by none; and one the user keeps.
        remove(kEuro, PromptAnswer::Yes);
        remove(kYen, PromptAnswer::No);
        EXPECT_EQ(page->Listed(), QStringList({kYen, kDollars}));
        remove(kYen, PromptAnswer::Yes);
        EXPECT_EQ(page->Listed(), QStringList({kDollars}));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList({kSureToRemove, kSureToRemove, kSureToRemove}));
    const auto table = StoredTable();
    CCurrencyFormat euro;
    ASSERT_TRUE(table->FindFormat(kEuro, euro));
    EXPECT_EQ(euro.GetInUse(), 0);
    // The rate stays in the table for the day the currency comes back.
    EXPECT_EQ(RateOf(*table, kEuro), 0.9);
    EXPECT_EQ(StoredRates(), (std::vector<std::pair<QString, double>>{{kEuro, 0.9}}));
}

TEST_F(CurrencyTest, ANewRateCanBeGivenToEveryExpenseOfItsCurrency) {
    AddExpenses(kEuro, 0.9, {45, 90});
    AddExpenses(kYen, 110, {1100});
    OnCurrencyPage([&](CPageCurrency* page) {
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        TypeRate(page, kEuro, QStringLiteral("0.8"));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Do you really want to change all of the "
                                                     "rates for all of the expenses of Euro to "
                                                     "0.8")});
    EXPECT_EQ(StoredRates(),
              (std::vector<std::pair<QString, double>>{{kEuro, 0.8}, {kEuro, 0.8}, {kYen, 110}}));
    // The totals follow: 45 / 0.8 + 90 / 0.8 + 1100 / 110.
    EXPECT_DOUBLE_EQ(document_->GetReport().GetHeader().GetTotals().GetTotal().GetValue(), 178.75);
}

TEST_F(CurrencyTest, WithASelectionOnlyTheSelectedExpensesTakeTheNewRate) {
    AddExpenses(kEuro, 0.9, {45, 90});
    CExpenseRecords& records = document_->GetRecords();
    records.GetQuery().AddCondition(CRecordQuery::Number(3, kOpLess, 50));
    records.RunQuery();
    ASSERT_TRUE(document_->SaveReport(true));
    OnCurrencyPage([&](CPageCurrency* page) {
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        TypeRate(page, kEuro, QStringLiteral("0.8"));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Do you really want to change all of the "
                                                     "rates for all of the selected expenses of "
                                                     "Euro to 0.8")});
    // The 45 was selected, the 90 was not.
    EXPECT_EQ(StoredRatesByAmount(), (std::map<double, double>{{45, 0.8}, {90, 0.9}}));
}

TEST_F(CurrencyTest, AnsweringNoKeepsTheExpensesRates) {
    AddExpenses(kEuro, 0.9, {45});
    OnCurrencyPage([&](CPageCurrency* page) {
        platform_.Prompts().QueueAnswer(PromptAnswer::No);
        TypeRate(page, kEuro, QStringLiteral("0.8"));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(RateOf(*StoredTable(), kEuro), 0.8);
    EXPECT_EQ(StoredRates(), (std::vector<std::pair<QString, double>>{{kEuro, 0.9}}));
}

TEST_F(CurrencyTest, ARateGivenToTheExpensesFollowsTheHomeCurrencyBack) {
    AddExpenses(kYen, 110, {1100});
    OnCurrencyPage([&](CPageCurrency* page) {
        ChooseHome(page, kEuro);
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        TypeRate(page, kYen, QStringLiteral("120"));
        // 120 yen to the euro is 108 to the dollar, at 0.9 euros a dollar.
        ChooseHome(page, kDollars);
        Tap(page->OkButton());
    });
    ASSERT_EQ(StoredRates().size(), 1U);
    EXPECT_NEAR(StoredRates()[0].second, 108, 1e-9);
    EXPECT_NEAR(RateOf(*StoredTable(), kYen), 108, 1e-9);
}

TEST_F(CurrencyTest, ANewHomeCurrencyRebasesTheRatesAndTheExpenses) {
    AddExpenses(kYen, 110, {1100});
    AddExpenses(kDollars, 1, {10});
    OnCurrencyPage([&](CPageCurrency* page) {
        ChooseHome(page, kEuro);
        EXPECT_EQ(page->Rates()->Text(0, kRate), QStringLiteral("E1.00"));
        EXPECT_EQ(page->Rates()->Text(1, kRate), QStringLiteral("Y122.222222222"));
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList(QStringLiteral(
                              "Changing the home currency converts 2 expenses in 1 report at 1 "
                              "U.S. Dollars = 0.9 Euro.  Do you want to continue?")));
    const auto table = StoredTable();
    EXPECT_EQ(table->GetHomeCurrency(), kEuro);
    EXPECT_EQ(RateOf(*table, kEuro), 1);
    EXPECT_NEAR(RateOf(*table, kYen), 122.2222222, 1e-6);
    EXPECT_NEAR(RateOf(*table, kDollars), 1.1111111, 1e-6);
    const auto rates = StoredRates();
    ASSERT_EQ(rates.size(), 2U);
    for (const auto& [currency, rate] : rates) {
        EXPECT_NEAR(rate, RateOf(*table, currency), 1e-9) << currency.toStdString();
    }
    // 1100 yen and 10 dollars, in euros: 9.00 + 9.00.
    EXPECT_DOUBLE_EQ(document_->GetReport().GetHeader().GetTotals().GetTotal().GetValue(), 18.0);
}

TEST_F(CurrencyTest, ANewHomeCurrencyReachesEveryReportOnlyWhenTheUserAgrees) {
    AddCurrency(kCanadian, QStringLiteral("CAD"), QStringLiteral("C$"), 1.368, true);
    ASSERT_TRUE(document_->GetCurrencyTable().Save(false));
    // Euros at a rate of their own, not the table's 0.9.
    AddExpenses(kEuro, 0.86, {86});
    const QString other = MakeReport(QStringLiteral("Other"), {41.40}, 100);
    const QString tablePath = document_->GetCurrencyTable().GetFilePath();
    const QString question = QStringLiteral(
        "Changing the home currency converts 2 expenses in 2 reports at 1 U.S. Dollars = 1.368 "
        "Canadian Dollars.  Do you want to continue?");
    const auto files = [&] {
        return QList<QByteArray>{Bytes(tablePath), Bytes(path_), Bytes(other)};
    };
    const auto before = files();
    OnCurrencyPage([&](CPageCurrency* page) {
        ChooseHome(page, kCanadian);
        platform_.Prompts().QueueAnswer(PromptAnswer::No);
        Tap(page->OkButton());
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(files(), before);
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->CancelButton());
    });
    EXPECT_EQ(Messages(), QStringList({question, kSureToCancel}));
    EXPECT_EQ(files(), before);
    EXPECT_EQ(document_->GetCurrencyTable().GetHomeCurrency(), kDollars);

    platform_.Prompts().Clear();
    OnCurrencyPage([&](CPageCurrency* page) {
        ChooseHome(page, kCanadian);
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->OkButton());
        EXPECT_FALSE(page->isVisible());
    });
    EXPECT_EQ(Messages(), QStringList(question));
    EXPECT_EQ(StoredTable()->GetHomeCurrency(), kCanadian);
    ASSERT_EQ(StoredRates().size(), 1U);
    EXPECT_NEAR(StoredRates()[0].second, 0.86 / 1.368, 1e-12);
    // 86 euros at 0.86 are 100 dollars, 136.80 Canadian dollars.
    EXPECT_DOUBLE_EQ(document_->GetReport().GetHeader().GetTotals().GetTotal().GetValue(), 136.80);
    // The report that was not open: 41.40 dollars are 56.64 Canadian, the
    // advance of 100 dollars 136.80.
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(other, false));
    EXPECT_DOUBLE_EQ(stored.GetRecords().GetAt(0, false)->GetAmount(true).GetValue(), 56.64);
    EXPECT_DOUBLE_EQ(stored.GetHeader().GetCashAdvance().GetValue(), 136.80);
    EXPECT_DOUBLE_EQ(stored.GetHeader().GetTotals().GetTotal().GetValue(), 56.64);
}

TEST_F(CurrencyTest, AHomeCurrencyWithoutARateIsRefused) {
    CCurrencyFormat format;
    format.SetCode(QStringLiteral("XXX"));
    document_->GetCurrencyTable().SetFormat(QStringLiteral("Nowhere Pesos"), format);
    ASSERT_TRUE(document_->GetCurrencyTable().Save(false));
    OnCurrencyPage([&](CPageCurrency* page) {
        ChooseHome(page, QStringLiteral("Nowhere Pesos"));
        EXPECT_EQ(page->HomeCurrency()->currentText(), kDollars);
        EXPECT_EQ(page->Rates()->Text(0, kRate), QStringLiteral("E0.90"));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList(QStringLiteral(
                              "Nowhere Pesos has no conversion rate yet.  Please give it a rate "
                              "before making it the home currency.")));
    EXPECT_EQ(StoredTable()->GetHomeCurrency(), kDollars);
}

TEST_F(CurrencyTest, CancelLeavesEveryFileAsItWas) {
    AddExpenses(kEuro, 0.9, {45});
    const QString tablePath = document_->GetCurrencyTable().GetFilePath();
    const QByteArray tableBefore = Bytes(tablePath);
    const QByteArray reportBefore = Bytes(path_);
    OnCurrencyPage([&](CPageCurrency* page) {
        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CNewCurrencyDialog*>(dialog);
            TapRow(chooser->List(), 0);
            Tap(chooser->OkButton());
        });
        Tap(page->NewButton());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        TypeRate(page, kEuro, QStringLiteral("0.5"));
        ChooseHome(page, kYen);
        // No: the page stays with the changes.
        platform_.Prompts().QueueAnswer(PromptAnswer::No);
        Tap(page->CancelButton());
        EXPECT_TRUE(page->isVisible());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->CancelButton());
        EXPECT_FALSE(page->isVisible());
    });
    ASSERT_EQ(Messages().size(), 3);
    EXPECT_EQ(Messages()[1], kSureToCancel);
    EXPECT_EQ(Messages()[2], kSureToCancel);
    EXPECT_EQ(Bytes(tablePath), tableBefore);
    EXPECT_EQ(Bytes(path_), reportBefore);
    // The program goes on with the table of the file.
    const CCurrencyTable& table = document_->GetCurrencyTable();
    EXPECT_EQ(table.GetHomeCurrency(), kDollars);
    EXPECT_EQ(RateOf(table, kEuro), 0.9);
    EXPECT_FALSE(table.IsModified());
}

TEST_F(CurrencyTest, AccountNumbersAreWrittenToTheCategories) {
    CCategoryExManager& categories = document_->GetCategories();
    CAccountNumbersDialog dialog(categories, frame_.get());
    CColumnList* list = dialog.List();
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Category"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Account Number"));
    EXPECT_EQ(list->columnWidth(0), 110);
    EXPECT_EQ(list->columnWidth(1), 110);
    QStringList order;
    for (const CCategoryEx& category : categories) {
        order.append(category.GetName());
    }
    ASSERT_EQ(list->topLevelItemCount(), order.size());
    for (int row = 0; row < order.size(); ++row) {
        EXPECT_EQ(list->Text(row, 0), order[row]);
    }
    const int lunch = static_cast<int>(order.indexOf(QStringLiteral("Lunch")));
    const int taxi = static_cast<int>(order.indexOf(QStringLiteral("Taxi")));
    WhenDialogOpens([&](QDialog* opened) {
        WhenDialogOpens([](QDialog* entry) {
            auto* text = qobject_cast<CTextEntryDialog*>(entry);
            ASSERT_NE(text, nullptr);
            EXPECT_EQ(text->windowTitle(), QStringLiteral("Account Number Entry"));
            EXPECT_EQ(text->Prompt()->text(), QStringLiteral("Lunch"));
            text->Field()->clear();
            Type(text->Field(), QStringLiteral(" 6010 "));
            text->accept();
        });
        TapRow(list, lunch);
        EXPECT_EQ(list->Text(lunch, 1), QStringLiteral("6010"));
        // A cancelled entry changes nothing.
        WhenDialogOpens([](QDialog* entry) {
            Type(qobject_cast<CTextEntryDialog*>(entry)->Field(), QStringLiteral("7"));
            entry->reject();
        });
        TapRow(list, taxi);
        EXPECT_EQ(list->Text(taxi, 1), QString());
        Tap(qobject_cast<CAccountNumbersDialog*>(opened)->OkButton());
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    CCategoryExManager stored;
    ASSERT_TRUE(stored.LoadAll(false));
    EXPECT_EQ(stored.Find(QStringLiteral("Lunch"))->GetAccountNumber(), QStringLiteral("6010"));
    EXPECT_EQ(stored.Find(QStringLiteral("Taxi"))->GetAccountNumber(), QString());
}

TEST_F(CurrencyTest, CancelledAccountNumbersAreNotWritten) {
    CAccountNumbersDialog dialog(document_->GetCategories(), frame_.get());
    WhenDialogOpens([&](QDialog*) {
        WhenDialogOpens([](QDialog* entry) {
            Type(qobject_cast<CTextEntryDialog*>(entry)->Field(), QStringLiteral("6010"));
            entry->accept();
        });
        TapRow(dialog.List(), 0);
        Tap(dialog.CancelButton());
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    CCategoryExManager stored;
    ASSERT_TRUE(stored.LoadAll(false));
    for (const CCategoryEx& category : stored) {
        EXPECT_TRUE(category.GetAccountNumber().isEmpty()) << category.GetName().toStdString();
    }
}

// The same traveller in the evening, when the meal button is a dinner's.
class ChargedTest : public CurrencyTest {
protected:
    void SetUp() override {
        platform_.Clock().Set(kTestNow + 4 * 3600);
        CurrencyTest::SetUp();
    }
};

// What the card charged at home gives the expense its own rate: 45 euros
// charged as 52.33 dollars count 52.33, and the table keeps its rate.
TEST_F(ChargedTest, ADinnerChargedAtHomeTakesTheRateTheChargeGives) {
    EnterDinner([&](CExpenseSlipDialog* slip) {
        EXPECT_FALSE(slip->ChargedEdit()->isVisible());
        ASSERT_TRUE(TapComboItem(slip->Currency(), kEuro));
        ASSERT_TRUE(slip->ChargedEdit()->isVisible());
        Tap(slip->AmountEdit());
        Type(slip->AmountEdit(), QStringLiteral("45"));
        // At the table's 0.9 the dinner would count 50.00.
        EXPECT_EQ(slip->ChargedEdit()->text(), QStringLiteral("50.00"));
        // A charge of nothing gives no rate: refused, and the slip stays.
        Tap(slip->ChargedEdit());
        slip->ChargedEdit()->ClearTyped();
        Type(slip->ChargedEdit(), QStringLiteral("0"));
        Tap(slip->SaveButton());
        EXPECT_EQ(Messages(), QStringList(MoneyBounds::Message(MoneyBounds::Kind::kRate)));
        ASSERT_TRUE(slip->isVisible());
        slip->ChargedEdit()->ClearTyped();
        Type(slip->ChargedEdit(), QStringLiteral("52.33"));
        EXPECT_NEAR(slip->SlipRate(), 45 / 52.33, 1e-12);
        Tap(slip->SaveButton());
    });
    const auto rates = StoredRates();
    ASSERT_EQ(rates.size(), 1U);
    EXPECT_EQ(rates[0].first, kEuro);
    EXPECT_NEAR(rates[0].second, 0.8599273839, 1e-10);
    EXPECT_DOUBLE_EQ(document_->GetReport().GetHeader().GetTotals().GetTotal().GetValue(), 52.33);
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $52.33"));
    // The list's tip shows what the dinner counts at home.
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    Tap(list->viewport(), list->CellRect(3, 0).center());
    EXPECT_EQ(list->Tip()->text(), QStringLiteral("$52.33"));
    EXPECT_EQ(RateOf(*StoredTable(), kEuro), 0.9);
}

// A rate typed on the slip, then a charge, then the amount changed: the
// charge stands and the rate follows; a new rate typed shows its charge.
TEST_F(ChargedTest, TheChargeAndTheRateFollowEachOther) {
    EnterDinner([&](CExpenseSlipDialog* slip) {
        ASSERT_TRUE(TapComboItem(slip->Currency(), kEuro));
        Tap(slip->AmountEdit());
        Type(slip->AmountEdit(), QStringLiteral("40"));
        Tap(slip->ChargedEdit());
        slip->ChargedEdit()->ClearTyped();
        Type(slip->ChargedEdit(), QStringLiteral("50"));
        EXPECT_DOUBLE_EQ(slip->SlipRate(), 0.8);
        Tap(slip->AmountEdit());
        slip->AmountEdit()->ClearTyped();
        Type(slip->AmountEdit(), QStringLiteral("45"));
        EXPECT_DOUBLE_EQ(slip->SlipRate(), 0.9);
        EXPECT_EQ(slip->ChargedEdit()->text(), QStringLiteral("50"));
        WhenDialogOpens([](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            ASSERT_NE(rate, nullptr);
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), QStringLiteral("0.75"));
            Tap(rate->SaveButton());
        });
        platform_.Prompts().QueueAnswer(PromptAnswer::No);
        Tap(slip->RateButton());
        EXPECT_EQ(slip->ChargedEdit()->text(), QStringLiteral("60.00"));
        Tap(slip->SaveButton());
    });
    EXPECT_EQ(StoredRates(), (std::vector<std::pair<QString, double>>{{kEuro, 0.75}}));
}

// A rate older than the limit of the settings shows its age in red on the
// currency page and on the slip; a younger one, and the home currency's,
// its date.
TEST_F(ChargedTest, ARateOfFortyDaysShowsItsAgeInRed) {
    const TimeStamp now = platform_.Clock().Now();
    CCurrencyTable& table = document_->GetCurrencyTable();
    table.SetRate(QStringLiteral("EUR"), CurrencyRate(0.9, now - 40 * 86400), false, true);
    table.SetRate(QStringLiteral("JPY"), CurrencyRate(110, now - 30 * 86400), false, true);
    table.SetRate(QStringLiteral("USD"), CurrencyRate(1, now - 400 * 86400), false, true);
    ASSERT_TRUE(table.Save(false));
    OnCurrencyPage([&](CPageCurrency* page) {
        CColumnList* list = page->Rates();
        ASSERT_EQ(page->Listed(), QStringList({kEuro, kYen, kDollars}));
        EXPECT_EQ(list->Text(0, kUpdated), QStringLiteral("40 days"));
        EXPECT_EQ(list->topLevelItem(0)->foreground(kUpdated).color(), QColor(Qt::red));
        EXPECT_EQ(list->topLevelItem(0)->toolTip(kUpdated), FormatDate(now - 40 * 86400, 0));
        EXPECT_EQ(list->Text(1, kUpdated), FormatDate(now - 30 * 86400, 0));
        EXPECT_EQ(list->Text(2, kUpdated), FormatDate(now - 400 * 86400, 0));
        Tap(page->CancelButton());
    });
    EnterDinner([&](CExpenseSlipDialog* slip) {
        ASSERT_TRUE(TapComboItem(slip->Currency(), kYen));
        EXPECT_EQ(slip->RateAge()->text(), FormatDate(now - 30 * 86400, 0));
        EXPECT_TRUE(slip->RateAge()->styleSheet().isEmpty());
        ASSERT_TRUE(TapComboItem(slip->Currency(), kEuro));
        EXPECT_TRUE(slip->RateAge()->isVisible());
        EXPECT_EQ(slip->RateAge()->text(), QStringLiteral("40 days"));
        EXPECT_TRUE(slip->RateAge()->styleSheet().contains(QStringLiteral("red")));
        EXPECT_EQ(slip->RateAge()->toolTip(), FormatDate(now - 40 * 86400, 0));
        // A charge typed makes a rate of today.
        Tap(slip->AmountEdit());
        Type(slip->AmountEdit(), QStringLiteral("45"));
        Tap(slip->ChargedEdit());
        slip->ChargedEdit()->ClearTyped();
        Type(slip->ChargedEdit(), QStringLiteral("52.33"));
        EXPECT_EQ(slip->RateAge()->text(), FormatDate(now, 0));
        EXPECT_TRUE(slip->RateAge()->styleSheet().isEmpty());
        Tap(slip->CancelButton());
    });
}

// "Update Rates..." from a file: the day's rates of the bank, counted
// against the dollar, shown first; Cancel leaves the table, Update takes them
// with the file's day and offers them to the expenses.
TEST_F(CurrencyTest, UpdateRatesFromAFileTakesTheRatesOnlyOnceConfirmed) {
    AddExpenses(kEuro, 0.9, {45});
    const QString sample = QStringLiteral(OUTLAYSHEET_RATES_SAMPLE);
    const auto update = [&](CPageCurrency* page, bool confirm) {
        WhenDialogOpens([&](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(sample);
            QTest::keyClick(name, Qt::Key_Return);
        });
        WhenDialogOpens([&, confirm](QDialog* dialog) {
            auto* rates = qobject_cast<CRateUpdateDialog*>(dialog);
            ASSERT_NE(rates, nullptr);
            EXPECT_EQ(rates->Heading()->text(),
                      QStringLiteral("Rates of %1 per $1.00:")
                          .arg(FormatDate(
                              platform_.Clock().FromLocal(QDate(2026, 12, 4), QTime(0, 0)), 0)));
            // The euro, the franc and the yen, each with its change; the
            // codes the table does not know are listed, not taken.
            ASSERT_EQ(rates->Rates()->topLevelItemCount(), 3);
            EXPECT_EQ(rates->Rates()->Text(0, 0), kEuro);
            EXPECT_EQ(rates->Rates()->Text(0, 1), QStringLiteral("E0.858959"));
            EXPECT_EQ(rates->Rates()->Text(0, 2), QStringLiteral("-4.56%"));
            EXPECT_EQ(rates->Rates()->Text(1, 0), kYen);
            EXPECT_EQ(rates->Rates()->Text(2, 0), kFrancs);
            EXPECT_TRUE(rates->Left()->text().startsWith(
                QStringLiteral("Not in the currency list: AUD, BGN, BRL, CAD,")));
            Tap(confirm ? rates->UpdateButton() : rates->CancelButton());
        });
        TapInNextMenu(QStringLiteral("From a File..."));
        Tap(page->UpdateButton());
    };
    OnCurrencyPage([&](CPageCurrency* page) {
        update(page, false);
        EXPECT_EQ(page->Rates()->Text(0, kRate), QStringLiteral("E0.90"));
        EXPECT_EQ(page->Rates()->Text(1, kRate), QStringLiteral("Y110.00"));
        EXPECT_FALSE(document_->GetCurrencyTable().IsModified());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        update(page, true);
        EXPECT_EQ(page->Rates()->Text(0, kRate), QStringLiteral("E0.858959"));
        EXPECT_EQ(page->Rates()->Text(1, kRate), QStringLiteral("Y147.595"));
        Tap(page->OkButton());
    });
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Do you really want to change all of the "
                                                     "rates for all of the expenses of Euro to "
                                                     "0.858959")});
    const auto table = StoredTable();
    // Counted against the dollar (1.1642 per euro), to six significant digits.
    EXPECT_DOUBLE_EQ(RateOf(*table, kEuro), 0.858959);
    EXPECT_DOUBLE_EQ(RateOf(*table, kYen), 147.595);
    EXPECT_DOUBLE_EQ(RateOf(*table, kFrancs), 0.80493);
    CCurrencyFormat format;
    CurrencyRate euro;
    table->GetRate(kEuro, format, euro);
    EXPECT_EQ(euro.GetUpdated(), platform_.Clock().FromLocal(QDate(2026, 12, 4), QTime(0, 0)));
    ASSERT_EQ(StoredRates().size(), 1U);
    EXPECT_DOUBLE_EQ(StoredRates()[0].second, 0.858959);
}

// The bank out of reach: the user is told why, and nothing changes.
TEST_F(CurrencyTest, UpdateRatesFromTheBankOutOfReachChangesNothing) {
    qputenv("OUTLAYSHEET_RATES_URL", "http://127.0.0.1:1/eurofxref-daily.xml");
    const QByteArray before = Bytes(document_->GetCurrencyTable().GetFilePath());
    OnCurrencyPage([&](CPageCurrency* page) {
        TapInNextMenu(QStringLiteral("From the Bank"));
        Tap(page->UpdateButton());
        EXPECT_EQ(page->Rates()->Text(0, kRate), QStringLiteral("E0.90"));
        Tap(page->OkButton());
    });
    qunsetenv("OUTLAYSHEET_RATES_URL");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith(
        QStringLiteral("The rates could not be fetched from 127.0.0.1: ")))
        << Messages()[0].toStdString();
    EXPECT_EQ(Bytes(document_->GetCurrencyTable().GetFilePath()), before);
}

}  // namespace
