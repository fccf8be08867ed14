#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "framefixture.h"
#include "report/expenserecord.h"
#include "report/recordquery.h"
#include "report/recordsquery.h"
#include "views/frame/statusbar.h"
#include "views/pads/padamountedit.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/widgets/storeddateedit.h"

namespace {

class SelectExpensesTest : public FrameFixture {
protected:
    void SetUp() override {
        MakeReport(QStringLiteral("Trip"), {5, 10, 20, 40});
        StartFrame();
    }
    // Runs "Select Expenses..." from the status bar's item count.
    void Select(std::function<void(CSelectExpensesDialog*)> choose) {
        WhenDialogOpens([choose](QDialog* dialog) {
            auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
            if (select != nullptr) {
                choose(select);
            }
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        Tap(frame_->Status()->ItemCount());
    }
    static void PickOperator(CSelectExpensesDialog* dialog, const QString& label) {
        QComboBox* operators = dialog->Operators();
        operators->setCurrentIndex(operators->findText(label));
    }
    QString Count() const { return frame_->Status()->ItemCount()->text(); }
};

TEST_F(SelectExpensesTest, WithoutASelectionItOpensOnAmountEqualToZero) {
    Select([](CSelectExpensesDialog* dialog) {
        EXPECT_EQ(dialog->Fields()->currentText(), QStringLiteral("Amount"));
        EXPECT_EQ(dialog->Operators()->currentText(), QStringLiteral("is equal to"));
        EXPECT_EQ(dialog->AmountValue()->GetValue(), 0.0);
        EXPECT_FALSE(dialog->Within()->isVisible());
        QStringList fields;
        for (int i = 0; i < dialog->Fields()->count(); ++i) {
            fields.append(dialog->Fields()->itemText(i));
        }
        QStringList sorted = fields;
        sorted.sort();
        EXPECT_EQ(fields, sorted);
        EXPECT_EQ(fields.size(), 9);
        Tap(dialog->CancelButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("4 items"));
}

TEST_F(SelectExpensesTest, NarrowingKeepsTheOldConditionsAndAllItemsReplacesThem) {
    // Amounts over 8: 10, 20 and 40.
    Select([](CSelectExpensesDialog* dialog) {
        PickOperator(dialog, QStringLiteral("is greater than"));
        dialog->AmountValue()->SetValue(8);
        Tap(dialog->SelectButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("3 of 4 items"));
    EXPECT_EQ(frame_->Status()->ItemCount()->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    // Within those, under 30: 10 and 20.
    Select([](CSelectExpensesDialog* dialog) {
        EXPECT_TRUE(dialog->Within()->isVisible());
        EXPECT_EQ(dialog->Operators()->currentText(), QStringLiteral("is greater than"));
        EXPECT_EQ(dialog->AmountValue()->GetValue(), 8.0);
        Tap(dialog->SelectedItems());
        PickOperator(dialog, QStringLiteral("is less than"));
        dialog->AmountValue()->SetValue(30);
        Tap(dialog->SelectButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("2 of 4 items"));
    // All items under 30: 5, 10 and 20.
    Select([](CSelectExpensesDialog* dialog) {
        EXPECT_TRUE(dialog->AllItems()->isChecked());
        PickOperator(dialog, QStringLiteral("is less than"));
        dialog->AmountValue()->SetValue(30);
        Tap(dialog->SelectButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("3 of 4 items"));
    // Cancel leaves it; Select All ends it.
    Select([](CSelectExpensesDialog* dialog) { Tap(dialog->CancelButton()); });
    EXPECT_EQ(Count(), QStringLiteral("3 of 4 items"));
    Select([](CSelectExpensesDialog* dialog) { Tap(dialog->SelectAllButton()); });
    EXPECT_EQ(Count(), QStringLiteral("4 items"));
}

TEST_F(SelectExpensesTest, ADescriptionConditionComesBackWithItsOperatorAndText) {
    Select([](CSelectExpensesDialog* dialog) {
        dialog->ChooseField(kFieldDescription);
        EXPECT_EQ(dialog->Operators()->currentText(), QStringLiteral("contains"));
        EXPECT_TRUE(dialog->TextValue()->isVisible());
        PickOperator(dialog, QStringLiteral("ends with"));
        Type(dialog->TextValue(), QStringLiteral("3"));
        Tap(dialog->SelectButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("1 of 4 items"));
    Select([](CSelectExpensesDialog* dialog) {
        EXPECT_EQ(dialog->Fields()->currentText(), QStringLiteral("Description"));
        EXPECT_EQ(dialog->Operators()->currentText(), QStringLiteral("ends with"));
        EXPECT_EQ(dialog->TextValue()->text(), QStringLiteral("3"));
        Tap(dialog->CancelButton());
    });
}

}  // namespace

namespace {

TEST_F(SelectExpensesTest, ADateNoExpenseCanHaveIsRefusedWithTheRange) {
    Select([this](CSelectExpensesDialog* dialog) {
        const int date = dialog->Fields()->findText(QStringLiteral("Date"));
        ASSERT_GE(date, 0);
        dialog->Fields()->setCurrentIndex(date);
        emit dialog->Fields()->activated(date);
        ASSERT_TRUE(dialog->DateValue()->isVisible());
        TypeDate(dialog->DateValue(), QStringLiteral("12/15/2200"));
        Tap(dialog->SelectButton());
        EXPECT_EQ(Messages(),
                  QStringList(QStringLiteral("A date must be a day from 1/2/1970 to 2/5/2106.")));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(document_->GetRecords().GetQuery().IsActive());
        Tap(dialog->CancelButton());
    });
    EXPECT_EQ(Count(), QStringLiteral("4 items"));
}

}  // namespace
