#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "framefixture.h"
#include "lists/category.h"
#include "lists/currencyrate.h"
#include "money/currencyformat.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/lastslipdate.h"
#include "report/report.h"
#include "views/frame/statusbar.h"
#include "views/grid/listgrid.h"
#include "views/grid/simplelist.h"
#include "views/pads/editpadmileage.h"
#include "views/pads/milespaddlg.h"
#include "views/pads/padamountedit.h"
#include "views/settings/columnlist.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/newcurrencydialog.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/categorybutton.h"
#include "views/slip/categorypicker.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/cashregistersound.h"
#include "views/widgets/storeddateedit.h"

namespace {

class SlipTest : public FrameFixture {
protected:
    SlipTest() { LastSlipDate::Reset(); }

    std::unique_ptr<CExpenseReport> Stored() {
        auto report = std::make_unique<CExpenseReport>();
        report->GetCurrencyTable().Load(false);
        EXPECT_TRUE(report->Open(path_, false));
        return report;
    }
    // Starts an expense from the main screen's button of `group`, and fills
    // the slip with `fill` when it opens.
    void Enter(int group, std::function<void(CExpenseSlipDialog*)> fill) {
        WhenDialogOpens([fill](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            if (slip != nullptr) {
                fill(slip);
            }
            // A failed check must not leave the slip waiting for a tap.
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the slip is still open";
                dialog->reject();
            }
        });
        Tap(frame_->MainView()->Button(group));
    }
    static void TypeAmount(CExpenseSlipDialog* slip, const QString& text) {
        slip->AmountEdit()->clear();
        Type(slip->AmountEdit(), text);
    }

    QString path_;
};

TEST_F(SlipTest, ALunchEnteredFromTheMainScreenIsListedSavedAndRung) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    document_->GetPreferences().SetPlaySounds(true);
    // 15:09 is lunch time.
    ASSERT_EQ(frame_->MainView()->Button(CCategory::kMealsGroup)->text(), QStringLiteral("Lunch"));
    Enter(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        EXPECT_EQ(slip->AmountLabel()->text(), QStringLiteral("Amount:"));
        EXPECT_FALSE(slip->DeleteButton()->isEnabled());
        TypeAmount(slip, QStringLiteral("12.50"));
        Tap(slip->SaveButton());
    });
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("1 items"));
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $12.50"));
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    EXPECT_EQ(list->CellText(1, 0), QStringLiteral("Lunch"));
    EXPECT_EQ(list->CellText(3, 0), QStringLiteral("$12.50"));
    EXPECT_EQ(frame_->Sound()->PlayCount(), 1);
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    EXPECT_EQ(stored->GetRecords().GetAt(0, false)->GetAmount(false).GetValue(), 12.5);
    EXPECT_EQ(stored->GetRecords().GetAt(0, false)->GetDate(), kTestNow);
}

TEST_F(SlipTest, LodgingOfThreeNightsOnTheFifthIsThreeExpensesAtTheNightlyAmount) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    Enter(7, [](CExpenseSlipDialog* slip) {
        ASSERT_EQ(slip->Category().GetIndex(), CCategory::kLodgingIndex);
        EXPECT_EQ(slip->AmountLabel()->text(), QStringLiteral("Amount per night:"));
        ASSERT_TRUE(slip->Nights()->isVisible());
        slip->DateEdit()->setDate(QDate(2026, 3, 5));
        slip->Nights()->clear();
        Type(slip->Nights(), QStringLiteral("3"));
        TypeAmount(slip, QStringLiteral("80"));
        Tap(slip->SaveButton());
    });
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 3);
    for (int night = 0; night < 3; ++night) {
        const CExpenseRecord* record = stored->GetRecords().GetAt(night, false);
        EXPECT_EQ(platform_.Clock().ToLocal(record->GetDate()).date(), QDate(2026, 3, 5 + night));
        EXPECT_EQ(record->GetAmount(false).GetValue(), 80.0);
    }
}

TEST_F(SlipTest, AMileageSlipAsksForMilesAndStoresTheHomeCurrencyPaidByNone) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        EXPECT_EQ(slip->AmountLabel()->text(), QStringLiteral("Miles:"));
        EXPECT_FALSE(slip->PaidWithButton()->isVisible());
        EXPECT_FALSE(slip->Receipt()->isVisible());
        EXPECT_TRUE(slip->OdometerButton()->isVisible());
        TypeAmount(slip, QStringLiteral("100"));
        Tap(slip->SaveButton());
    });
    frame_->AddExpense(CCategory(QStringLiteral("Mileage"), CCategory::kMileageIndex, 5));
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    const CExpenseRecord* trip = stored->GetRecords().GetAt(0, false);
    EXPECT_EQ(trip->GetCurrencyName(), document_->GetCurrencyTable().GetHomeCurrency());
    EXPECT_EQ(trip->GetExchangeRate().GetValue(), 1.0);
    EXPECT_EQ(trip->GetPaidWith().GetName(), QStringLiteral("None"));
    EXPECT_EQ(trip->GetDistance(), 100.0);
    // The trip's worth at the default mileage rate, which the totals add.
    EXPECT_EQ(
        trip->GetAmount(false).GetValue(),
        std::round(100 * document_->GetPreferences().GetDefaultMileageRate().GetValue() * 100) /
            100);
}

TEST_F(SlipTest, TheOdometerButtonTakesTheMilesPadsDistance) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    document_->GetPreferences().SetMileageBeginning(1200);
    WhenDialogOpens([this](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        WhenDialogOpens([](QDialog* pad) {
            auto* miles = qobject_cast<CMilesPadDlg*>(pad);
            ASSERT_NE(miles, nullptr);
            // 25 miles on the pad's own keys, into Total.
            for (const char* key : {"2", "5"}) {
                Tap(miles->Button(QString::fromLatin1(key)));
            }
            Tap(miles->Button(QStringLiteral("Save")));
        });
        Tap(slip->OdometerButton());
        EXPECT_EQ(slip->AmountEdit()->text(), QStringLiteral("25.0"));
        Tap(slip->SaveButton());
    });
    frame_->AddExpense(CCategory(QStringLiteral("Mileage"), CCategory::kMileageIndex, 5));
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    EXPECT_EQ(stored->GetRecords().GetAt(0, false)->GetDistance(), 25.0);
}

TEST_F(SlipTest, EditingTheDateKeepsTheTimeOfDayAndDeleteAsksFirst) {
    path_ = MakeReport(QStringLiteral("Trip"), {20});
    StartFrame();
    const TimeStamp before = document_->GetRecords().GetAt(0, false)->GetDate();
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        EXPECT_TRUE(slip->DeleteButton()->isEnabled());
        slip->DateEdit()->setDate(QDate(2026, 3, 1));
        Tap(slip->SaveButton());
    });
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    Tap(list->viewport(), list->CellRect(2, 0).center());
    const TimeStamp after = document_->GetRecords().GetAt(0, false)->GetDate();
    EXPECT_EQ(platform_.Clock().ToLocal(after).date(), QDate(2026, 3, 1));
    EXPECT_EQ(platform_.Clock().ToLocal(after).time(), platform_.Clock().ToLocal(before).time());

    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    WhenDialogOpens(
        [](QDialog* dialog) { Tap(qobject_cast<CExpenseSlipDialog*>(dialog)->DeleteButton()); });
    Tap(list->viewport(), list->CellRect(2, 0).center());
    EXPECT_EQ(Messages().last(),
              QStringLiteral("Are you sure you want to delete this expense item?"));
    EXPECT_EQ(Stored()->GetRecords().GetCount(false), 0);
}

TEST_F(SlipTest, NewExpenseOffersTheTwelveCategoriesFirst) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* picker = qobject_cast<CCategoryPicker*>(dialog);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->windowTitle(), QStringLiteral("Please Choose..."));
        EXPECT_EQ(picker->Button(6)->text(), QStringLiteral("Taxi"));
        Tap(picker->Button(6));
    });
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        EXPECT_EQ(slip->Category().GetName(), QStringLiteral("Taxi"));
        TypeAmount(slip, QStringLiteral("18"));
        Tap(slip->SaveButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("New Expense")));
    ASSERT_EQ(Stored()->GetRecords().GetCount(false), 1);
    EXPECT_EQ(Stored()->GetRecords().GetAt(0, false)->GetCategory().GetName(),
              QStringLiteral("Taxi"));
}

class InternationalSlipTest : public SlipTest {
protected:
    void SetUp() override {
        path_ = MakeReport(QStringLiteral("Trip"), {});
        StartFrame();
        CCurrencyTable& table = document_->GetCurrencyTable();
        table.SetInternationalTraveler(true);
        // One foreign currency in the user's list.
        for (const auto& entry : table.Formats()) {
            if (entry.key != table.GetHomeCurrency()) {
                table.SetInUse(entry.key, true);
                break;
            }
        }
        // As the settings leave it: saved.
        ASSERT_TRUE(table.Save(false));
    }
    // Gives the first foreign currency of the list a rate of 2 and picks it
    // on the slip; its name.
    QString PickForeignAtTwo(CExpenseSlipDialog* slip) {
        CCurrencyTable& table = document_->GetCurrencyTable();
        const int index = ForeignIndex(slip, table.GetHomeCurrency());
        EXPECT_GE(index, 0);
        const QString foreign = slip->Currency()->itemText(index);
        EXPECT_TRUE(table.SetRate(foreign, CurrencyRate(2.0), false, false));
        slip->Currency()->setCurrentIndex(index);
        emit slip->Currency()->activated(index);
        return foreign;
    }

    // "Modify..." in the slip's currency list, and `home` made the home
    // currency on the page that opens.
    void MakeHomeThroughModify(CExpenseSlipDialog* slip, const QString& home) {
        WhenDialogOpens([&](QDialog* dialog) {
            auto* page = qobject_cast<CPageCurrency*>(dialog);
            ASSERT_NE(page, nullptr);
            const int choice = page->HomeCurrency()->findText(home);
            ASSERT_GE(choice, 0);
            page->HomeCurrency()->setCurrentIndex(choice);
            emit page->HomeCurrency()->activated(choice);
            Tap(page->OkButton());
        });
        QComboBox* list = slip->Currency();
        list->setCurrentIndex(list->count() - 1);
        emit list->activated(list->count() - 1);
    }

    // The first currency of the list other than the home one.
    static int ForeignIndex(CExpenseSlipDialog* slip, const QString& home) {
        QComboBox* list = slip->Currency();
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i) != home && list->itemText(i) != QLatin1String("Modify...")) {
                return i;
            }
        }
        return -1;
    }
};

TEST_F(InternationalSlipTest, ModifyInTheCurrencyListLeavesThePreviousCurrency) {
    const QString home = document_->GetCurrencyTable().GetHomeCurrency();
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        QComboBox* list = slip->Currency();
        ASSERT_TRUE(list->isVisible());
        EXPECT_EQ(list->currentText(), home);
        EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("Modify..."));
        EXPECT_FALSE(slip->RateButton()->isVisible());
        WhenDialogOpens(
            [](QDialog* page) { Tap(qobject_cast<CPageCurrency*>(page)->CancelButton()); });
        list->setCurrentIndex(list->count() - 1);
        emit list->activated(list->count() - 1);
        EXPECT_EQ(list->currentText(), home);
        EXPECT_EQ(slip->SlipCurrency(), home);
        Tap(slip->CancelButton());
    });
}

TEST_F(InternationalSlipTest, ModifyRebuildsTheCurrencyListAroundThePreviousCurrency) {
    const QString home = document_->GetCurrencyTable().GetHomeCurrency();
    QString added;
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        QComboBox* list = slip->Currency();
        const int before = list->count();
        WhenDialogOpens([&](QDialog* dialog) {
            auto* page = qobject_cast<CPageCurrency*>(dialog);
            ASSERT_NE(page, nullptr);
            WhenDialogOpens([&](QDialog* chooser) {
                CColumnList* currencies = qobject_cast<CNewCurrencyDialog*>(chooser)->List();
                ASSERT_GT(currencies->topLevelItemCount(), 0);
                currencies->SelectRow(0);
                added = currencies->Text(0, 0);
                Tap(qobject_cast<CNewCurrencyDialog*>(chooser)->OkButton());
            });
            Tap(page->NewButton());
            Tap(page->OkButton());
        });
        list->setCurrentIndex(list->count() - 1);
        emit list->activated(list->count() - 1);
        EXPECT_EQ(list->count(), before + 1);
        EXPECT_GE(list->findText(added), 0);
        EXPECT_EQ(list->currentText(), home);
        EXPECT_EQ(slip->SlipCurrency(), home);
        Tap(slip->CancelButton());
    });
}

TEST_F(InternationalSlipTest, ANewHomeCurrencyFromModifyGivesTheSlipItsRate) {
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        const QString foreign = PickForeignAtTwo(slip);
        ASSERT_EQ(slip->SlipRate(), 2.0);
        ASSERT_TRUE(slip->RateButton()->isVisible());
        // The slip's currency becomes the home currency: its rate is 1.
        MakeHomeThroughModify(slip, foreign);
        EXPECT_EQ(slip->SlipCurrency(), foreign);
        EXPECT_EQ(slip->SlipRate(), 1.0);
        EXPECT_FALSE(slip->RateButton()->isVisible());
        Tap(slip->CancelButton());
    });
}

TEST_F(InternationalSlipTest, ANewHomeCurrencyFromModifyRebasesTheSlipsOwnRate) {
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        const QString foreign = PickForeignAtTwo(slip);
        WhenDialogOpens([](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), QStringLiteral("2.5"));
            Tap(rate->SaveButton());
        });
        Tap(slip->RateButton());
        MakeHomeThroughModify(slip, foreign);
        // 2.5 to the old home unit, which is worth 2 of the new: 1.25, not
        // the table's 1.
        EXPECT_DOUBLE_EQ(slip->SlipRate(), 1.25);
        Tap(slip->CancelButton());
    });
}

TEST_F(InternationalSlipTest, ANewRateAnsweredNoStaysOnThisExpenseOnly) {
    const QString home = document_->GetCurrencyTable().GetHomeCurrency();
    QString foreign;
    double tableRate = 0;
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        const int index = ForeignIndex(slip, home);
        ASSERT_GE(index, 0);
        foreign = slip->Currency()->itemText(index);
        slip->Currency()->setCurrentIndex(index);
        emit slip->Currency()->activated(index);
        tableRate = slip->SlipRate();
        ASSERT_TRUE(slip->RateButton()->isVisible());
        WhenDialogOpens([](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            ASSERT_NE(rate, nullptr);
            // The slip changes a rate; the list of rates is the editor's.
            EXPECT_EQ(rate->RemoveButton(), nullptr);
            rate->RateEdit()->clear();
            Type(rate->RateEdit(), QStringLiteral("2.5"));
            Tap(rate->SaveButton());
        });
        Tap(slip->RateButton());
        TypeAmount(slip, QStringLiteral("10"));
        Tap(slip->SaveButton());
    });
    EXPECT_EQ(Messages(),
              QStringList(QStringLiteral("Save the new exchange rate as the default?")));
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    const CExpenseRecord* record = stored->GetRecords().GetAt(0, false);
    EXPECT_EQ(record->GetCurrencyName(), foreign);
    EXPECT_EQ(record->GetExchangeRate().GetValue(), 2.5);
    CCurrencyFormat format;
    CurrencyRate rate;
    // The table keeps what it had: its rate, or none.
    if (document_->GetCurrencyTable().GetRate(foreign, format, rate)) {
        EXPECT_EQ(rate.GetRate(), tableRate);
    } else {
        EXPECT_EQ(tableRate, 1.0);
    }
}

TEST_F(SlipTest, TheDetailsPageKeepsWhatIsSavedAndDropsWhatIsCancelled) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    Enter(CCategory::kMealsGroup, [this](CExpenseSlipDialog* slip) {
        WhenDialogOpens([](QDialog* dialog) {
            auto* page = qobject_cast<CSheetExpenseSlipDetails*>(dialog);
            ASSERT_NE(page, nullptr);
            Type(page->Edit(CPageExpenseSlipDetails::kLocation), QStringLiteral("Oslo"));
            Type(page->Edit(CPageExpenseSlipDetails::kContacts), QStringLiteral("Kari Nordmann"));
            Tap(page->SaveButton());
        });
        Tap(slip->DetailsButton());
        WhenDialogOpens([](QDialog* dialog) {
            auto* page = qobject_cast<CSheetExpenseSlipDetails*>(dialog);
            EXPECT_EQ(page->Value(CPageExpenseSlipDetails::kLocation), QStringLiteral("Oslo"));
            Type(page->Edit(CPageExpenseSlipDetails::kPurpose), QStringLiteral("Not kept"));
            page->reject();
        });
        Tap(slip->DetailsButton());
        TypeAmount(slip, QStringLiteral("9"));
        Tap(slip->SaveButton());
    });
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    const CExpenseRecord* record = stored->GetRecords().GetAt(0, false);
    EXPECT_EQ(record->GetLocation(), QStringLiteral("Oslo"));
    EXPECT_EQ(record->GetContacts(), QStringLiteral("Kari Nordmann"));
    EXPECT_TRUE(record->GetPurpose().isEmpty());
}

TEST_F(SlipTest, TheCategoryButtonOffersTheTwelveCategoriesAndSetsUpTheSlipAgain) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    Enter(CCategory::kMealsGroup, [this](CExpenseSlipDialog* slip) {
        WhenDialogOpens([](QDialog* dialog) {
            auto* picker = qobject_cast<CCategoryPicker*>(dialog);
            ASSERT_NE(picker, nullptr);
            Tap(picker->Button(5));  // fuel and mileage: Fuel until Mileage is chosen
        });
        Tap(slip->CategoryButtonWidget());
        EXPECT_EQ(slip->Category().GetName(), QStringLiteral("Fuel"));
        EXPECT_EQ(slip->AmountLabel()->text(), QStringLiteral("Amount:"));
        Tap(slip->CancelButton());
    });
}

TEST_F(SlipTest, EnterSavesTheSlip) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    Enter(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        TypeAmount(slip, QStringLiteral("7"));
        QTest::keyClick(slip->AmountEdit(), Qt::Key_Return);
    });
    ASSERT_EQ(Stored()->GetRecords().GetCount(false), 1);
    EXPECT_EQ(Stored()->GetRecords().GetAt(0, false)->GetAmount(false).GetValue(), 7.0);
}

TEST_F(SlipTest, CancelAndEscapeChangeNothing) {
    path_ = MakeReport(QStringLiteral("Trip"), {20});
    StartFrame();
    const QByteArray bytes = ReadFileBytes(path_);
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        TypeAmount(slip, QStringLiteral("99"));
        Tap(slip->CancelButton());
    });
    Enter(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        TypeAmount(slip, QStringLiteral("5"));
        QTest::keyClick(slip->AmountEdit(), Qt::Key_Escape);
    });
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    Tap(list->viewport(), list->CellRect(2, 0).center());
    EXPECT_EQ(ReadFileBytes(path_), bytes);
    EXPECT_EQ(frame_->Status()->ItemCount()->text(), QStringLiteral("1 items"));
}

}  // namespace

namespace {

// ---- What the slip stores is what a report can read again.

TEST_F(InternationalSlipTest, AnAmountBeyondTheBoundsAtHomeIsRefusedAndLeftForCorrection) {
    CCurrencyTable& table = document_->GetCurrencyTable();
    const QString home = table.GetHomeCurrency();
    Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
        const int index = ForeignIndex(slip, home);
        ASSERT_GE(index, 0);
        ASSERT_TRUE(
            table.SetRate(slip->Currency()->itemText(index), CurrencyRate(0.88), false, false));
        slip->Currency()->setCurrentIndex(index);
        emit slip->Currency()->activated(index);
        ASSERT_EQ(slip->SlipRate(), 0.88);
        // The field takes twelve digits; at 0.88 they are more than any
        // amount at home.
        TypeAmount(slip, QStringLiteral("99999999999999999"));
        ASSERT_EQ(slip->AmountEdit()->GetValue(), 999999999999.0);
        Tap(slip->SaveButton());
        ASSERT_FALSE(Messages().isEmpty());
        EXPECT_EQ(Messages().last(), MoneyBounds::HomeAmountMessage());
        EXPECT_TRUE(slip->isVisible());
        EXPECT_EQ(slip->AmountEdit()->GetValue(), 999999999999.0);
        EXPECT_EQ(Stored()->GetRecords().GetCount(false), 0);
        TypeAmount(slip, QStringLiteral("879999999"));
        Tap(slip->SaveButton());
    });
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 1);
    EXPECT_EQ(stored->GetRecords().GetAt(0, false)->GetAmount(false).GetValue(), 879999999.0);
    EXPECT_EQ(stored->GetRecords().GetAt(0, false)->GetExchangeRate().GetValue(), 0.88);
}

TEST_F(SlipTest, ADayAFileCannotHoldIsRefusedWithTheRangeNeverMoved) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    const QString message = QStringLiteral("A date must be a day from 1/2/1970 to 2/5/2106.");
    for (const char* typed : {"12/15/1900", "12/15/2200"}) {
        SCOPED_TRACE(typed);
        const int before = Messages().size();
        Enter(CCategory::kMealsGroup, [&](CExpenseSlipDialog* slip) {
            TypeDate(slip->DateEdit(), QString::fromLatin1(typed));
            ASSERT_EQ(slip->DateEdit()->date(),
                      QDate::fromString(QString::fromLatin1(typed), QStringLiteral("M/d/yyyy")));
            // Leaving the field says so at once, and once; Save says so again.
            Tap(slip->AmountEdit());
            QCoreApplication::processEvents();
            EXPECT_EQ(Messages().mid(before), QStringList{message});
            TypeAmount(slip, QStringLiteral("12"));
            QCoreApplication::processEvents();
            Tap(slip->SaveButton());
            EXPECT_EQ(Messages().mid(before), QStringList({message, message}));
            EXPECT_TRUE(slip->isVisible());
            EXPECT_EQ(slip->DateEdit()->date(),
                      QDate::fromString(QString::fromLatin1(typed), QStringLiteral("M/d/yyyy")));
            TypeDate(slip->DateEdit(), QStringLiteral("2/5/2106"));
            Tap(slip->SaveButton());
        });
    }
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(
            platform_.Clock().ToLocal(stored->GetRecords().GetAt(i, false)->GetDate()).date(),
            QDate(2106, 2, 5));
    }
    // The day saved, not a moved one, is where the next slip starts.
    Enter(CCategory::kMealsGroup, [](CExpenseSlipDialog* slip) {
        EXPECT_EQ(slip->DateEdit()->date(), QDate(2106, 2, 5));
        Tap(slip->CancelButton());
    });
}

TEST_F(SlipTest, TheNightsOfAStayMustAllBeDaysAFileCanHold) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    Enter(7, [this](CExpenseSlipDialog* slip) {
        ASSERT_EQ(slip->Category().GetIndex(), CCategory::kLodgingIndex);
        TypeDate(slip->DateEdit(), QStringLiteral("2/4/2106"));
        slip->Nights()->clear();
        Type(slip->Nights(), QStringLiteral("3"));
        TypeAmount(slip, QStringLiteral("80"));
        Tap(slip->SaveButton());
        EXPECT_EQ(Messages(),
                  QStringList(QStringLiteral("A date must be a day from 1/2/1970 to 2/5/2106.")));
        EXPECT_TRUE(slip->isVisible());
        slip->Nights()->clear();
        Type(slip->Nights(), QStringLiteral("2"));
        Tap(slip->SaveButton());
    });
    EXPECT_EQ(Stored()->GetRecords().GetCount(false), 2);
}

TEST_F(SlipTest, ANewTripStartsOnTheMilesPadWhereTheLastOneEnded) {
    path_ = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    // The first trip ever, of 1,350.5 miles, picked from the fuel button's
    // list; the button then stands for mileage.
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        TypeAmount(slip, QStringLiteral("1350.5"));
        Tap(slip->SaveButton());
    });
    std::unique_ptr<QMenu> menu(frame_->MainView()->MakePopUp(CCategory::kFuelGroup));
    for (QAction* action : menu->actions()) {
        if (action->text() == QLatin1String("Mileage")) {
            action->trigger();
        }
    }
    ASSERT_EQ(frame_->MainView()->Button(CCategory::kFuelGroup)->text(),
              QStringLiteral("Mileage"));
    Enter(CCategory::kFuelGroup, [this](CExpenseSlipDialog* slip) {
        WhenDialogOpens([](QDialog* dialog) {
            auto* pad = qobject_cast<CMilesPadDlg*>(dialog);
            ASSERT_NE(pad, nullptr);
            EXPECT_EQ(pad->Starting()->text(), QStringLiteral("1350.5"));
            Tap(pad->Ending());
            for (const char* key : {"1", "4", "0", "0"}) {
                Tap(pad->Button(QString::fromLatin1(key)));
            }
            EXPECT_EQ(pad->Total()->text(), QStringLiteral("49.5"));
            Tap(pad->Button(QStringLiteral("Save")));
        });
        Tap(slip->OdometerButton());
        EXPECT_EQ(slip->AmountEdit()->text(), QStringLiteral("49.5"));
        Tap(slip->SaveButton());
    });
    const auto stored = Stored();
    ASSERT_EQ(stored->GetRecords().GetCount(false), 2);
    // The two share a date: the later trip is the one that did not start at 0.
    const CExpenseRecord* trip = stored->GetRecords().GetAt(0, false);
    if (trip->GetOdometerStart() == 0) {
        trip = stored->GetRecords().GetAt(1, false);
    }
    EXPECT_EQ(trip->GetOdometerStart(), 1350.5);
    EXPECT_EQ(trip->GetOdometerEnd(), 1400.0);
    EXPECT_EQ(trip->GetDistance(), 49.5);
    EXPECT_EQ(document_->GetPreferences().GetMileageBeginning(), 1400.0);
}

}  // namespace
