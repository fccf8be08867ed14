#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include "framefixture.h"
#include "layoutproblems.h"
#include "lists/category.h"
#include "lists/settingsitem.h"
#include "report/lastslipdate.h"
#include "views/frame/statusbar.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/itemeditordialog.h"
#include "views/settings/settingsdialog.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/widgets/storeddateedit.h"
#include "views/widgets/updatescope.h"

namespace {

// The handheld's three screen forms.
const QSize kForms[] = {{240, 320}, {320, 240}, {240, 240}};

// 2026-12-28, a day whose date is as wide as dates get, at lunch time.
constexpr TimeStamp kWideDay = 1798488566;

std::string Form(QSize size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// What the user sees on a screen reached by taps, each problem a line.
void ExpectRoomFor(QWidget* window, const std::string& where) {
    const LayoutProblems problems(window);
    EXPECT_TRUE(problems.List().isEmpty())
        << where << ":\n"
        << problems.List().join(QLatin1Char('\n')).toStdString();
}

// Screens where the number pad, texts and the small forms meet.
class ScreenRoomTest : public FrameFixture {
protected:
    ScreenRoomTest() {
        LastSlipDate::Reset();
        platform_.Clock().Set(kWideDay);
    }
    void SetForm(QSize size) {
        frame_->resize(size);
        frame_->RefreshViews();
        QApplication::processEvents();
    }
    CategoryButton* ButtonNamed(const QString& name) const {
        for (int group = 1; group <= 12; ++group) {
            if (frame_->MainView()->Button(group)->text() == name) {
                return frame_->MainView()->Button(group);
            }
        }
        ADD_FAILURE() << "no button " << name.toStdString();
        return nullptr;
    }
    // Opens the slip of the main screen's button `name` and runs `use` on it;
    // the slip is then cancelled.
    void OnSlip(const QString& name, std::function<void(CExpenseSlipDialog*)> use) {
        WhenDialogOpens([use](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            if (slip != nullptr) {
                use(slip);
            }
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        Tap(ButtonNamed(name));
    }
};

TEST_F(ScreenRoomTest, TheSlipsPadHidesNeitherItsFieldNorAControlAndTheDateShowsWhole) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    for (const QSize form : kForms) {
        SetForm(form);
        for (const QString& category : {QStringLiteral("Lunch"), QStringLiteral("Lodging")}) {
            OnSlip(category, [&](CExpenseSlipDialog* slip) {
                Tap(slip->AmountEdit());
                QApplication::processEvents();
                ASSERT_TRUE(slip->AmountEdit()->IsPadOpen());
                EXPECT_EQ(slip->DateEdit()->text(), QStringLiteral("12/28/2026"));
                ExpectRoomFor(slip, category.toStdString() + " slip " + Form(form));
                // Where the pad took their place, they are back once it goes.
                Tap(slip->Description());
                QApplication::processEvents();
                EXPECT_FALSE(slip->AmountEdit()->IsPadOpen());
                EXPECT_EQ(slip->CategoryButtonWidget()->isVisible(),
                          !(form.width() == form.height() && category == "Lodging"));
                EXPECT_TRUE(slip->Receipt()->isVisible());
                ExpectRoomFor(slip, category.toStdString() + " slip, no pad, " + Form(form));
            });
        }
    }
}

TEST_F(ScreenRoomTest, TheMainScreenShowsEveryCategoryNameWhole) {
    MakeReport(QStringLiteral("Trip"), {10, 20});
    StartFrame();
    for (const QSize form : kForms) {
        SetForm(form);
        ExpectRoomFor(frame_.get(), "main screen " + Form(form));
        EXPECT_EQ(ButtonNamed(QStringLiteral("Entertainment"))->DrawnName(),
                  QStringLiteral("Entertainment"));
    }
}

TEST_F(ScreenRoomTest, SelectExpensesKeepsTheAmountBeingTypedInSight) {
    MakeReport(QStringLiteral("Trip"), {5, 10});
    StartFrame();
    for (const QSize form : kForms) {
        SetForm(form);
        WhenDialogOpens([&](QDialog* dialog) {
            auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
            ASSERT_NE(select, nullptr);
            Tap(select->AmountValue());
            QApplication::processEvents();
            EXPECT_TRUE(select->AmountValue()->IsPadOpen());
            ExpectRoomFor(select, "Select Expenses " + Form(form));
            Tap(select->CancelButton());
        });
        Tap(frame_->Status()->ItemCount());
    }
}

TEST_F(ScreenRoomTest, TheRateDialogsPadLeavesPerInSight) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    CCurrencyTable& table = document_->GetCurrencyTable();
    table.SetInternationalTraveler(true);
    for (const auto& entry : table.Formats()) {
        if (entry.key != table.GetHomeCurrency()) {
            table.SetInUse(entry.key, true);
            break;
        }
    }
    ASSERT_TRUE(table.Save(false));
    for (const QSize form : kForms) {
        SetForm(form);
        OnSlip(QStringLiteral("Lunch"), [&](CExpenseSlipDialog* slip) {
            // The first currency of the list that is not the home currency.
            QComboBox* list = slip->Currency();
            int foreign = 0;
            while (foreign < list->count() && list->itemText(foreign) == table.GetHomeCurrency()) {
                ++foreign;
            }
            list->setCurrentIndex(foreign);
            emit list->activated(foreign);
            WhenDialogOpens([&](QDialog* dialog) {
                auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
                ASSERT_NE(rate, nullptr);
                Tap(rate->RateEdit());
                QApplication::processEvents();
                EXPECT_TRUE(rate->RateEdit()->IsPadOpen());
                ExpectRoomFor(rate, "rate " + Form(form));
                Tap(rate->CancelButton());
            });
            // On the square screen the open pad stands where "Rate" is; a
            // tap on the description puts it away first.
            if (slip->AmountEdit()->IsPadOpen()) {
                Tap(slip->Description());
            }
            Tap(slip->RateButton());
        });
    }
}

TEST_F(ScreenRoomTest, TheUpdateQuestionShowsItsWholeText) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    QString name = QStringLiteral("Cash");
    for (const QSize form : kForms) {
        SetForm(form);
        // A long name, renamed again in each form.
        const QString renamed =
            QStringLiteral("Cash and Coins ") + QString::fromStdString(Form(form));
        WhenDialogOpens([&](QDialog* dialog) {
            auto* settings = qobject_cast<CSettingsDialog*>(dialog);
            ASSERT_NE(settings, nullptr);
            WhenDialogOpens([&](QDialog* dialog) {
                auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
                ASSERT_NE(chooser, nullptr);
                QListWidget* list = chooser->List();
                const auto found = list->findItems(name, Qt::MatchExactly);
                ASSERT_EQ(found.size(), 1);
                Tap(list->viewport(), list->visualItemRect(found.first()).center());
                WhenDialogOpens([&](QDialog* dialog) {
                    auto* editor = qobject_cast<CItemEditorDialog*>(dialog);
                    ASSERT_NE(editor, nullptr);
                    WhenDialogOpens([&](QDialog* dialog) {
                        auto* question = qobject_cast<UpdateScope*>(dialog);
                        ASSERT_NE(question, nullptr);
                        ExpectRoomFor(question, "Update... " + Form(form));
                        Tap(question->Button(UpdateScope::kNoReports));
                    });
                    editor->NameField()->clear();
                    Type(editor->NameField(), renamed);
                    Tap(editor->SaveButton());
                });
                Tap(chooser->EditButton());
                Tap(chooser->CancelButton());
            });
            Tap(settings->Button(SettingsItem::kPaymentSources));
            settings->reject();
        });
        ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
        name = renamed;
    }
}

}  // namespace
