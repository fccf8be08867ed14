#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "framefixture.h"
#include "money/currencyformat.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "views/pads/amountedit.h"
#include "views/pads/editpadmileage.h"
#include "views/pads/milespaddlg.h"
#include "views/pads/numberpad.h"
#include "views/pads/nxcurrencyedit.h"
#include "views/pads/nxnumericedit.h"
#include "views/pads/padamountedit.h"
#include "views/widgets/updatescope.h"

namespace {

// A window of the handheld's size holding one field (and a second control
// to take the focus away), shown and active.
class FieldWindow {
public:
    explicit FieldWindow(QWidget* field) {
        window_.resize(240, 320);
        auto* layout = new QVBoxLayout(&window_);
        layout->addWidget(field);
        layout->addWidget(other_ = new QLineEdit);
        layout->addStretch();
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    QWidget* Other() const { return other_; }

private:
    QWidget window_;
    QLineEdit* other_;
};

void Activate(QWidget* window) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// ---- The number and money fields.

using PadsTest = FrameFixture;

TEST_F(PadsTest, NumberFieldKeepsItsShapeWhileTyped) {
    auto* edit = new CNxNumericEdit;
    FieldWindow window(edit);
    FrameFixture::Type(edit, QStringLiteral("12345"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,345.00"));
    EXPECT_DOUBLE_EQ(edit->GetValue(), 12345.0);
    FrameFixture::Type(edit, QStringLiteral("-"));
    EXPECT_EQ(edit->text(), QStringLiteral("-12,345.00"));
    EXPECT_DOUBLE_EQ(edit->GetAmount().GetValue(), -12345.0);
    FrameFixture::Type(edit, QStringLiteral("-x"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,345.00"));

    // The caret cannot leave the digits for the sign in front.
    edit->SetValue(-5);
    QTest::keyClick(edit, Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 1);
    QTest::keyClick(edit, Qt::Key_End);
    EXPECT_EQ(edit->cursorPosition(), edit->text().size());
    // Backspace goes back over the grouping to a digit.
    edit->SetValue(1234);
    edit->setCursorPosition(2);  // "1,|234.00"
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("234.00"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(PadsTest, MoneyFieldFollowsTheCurrencyPatterns) {
    auto* edit = new CNxCurrencyEdit;
    FieldWindow window(edit);
    edit->SetValue(1234.5);
    EXPECT_EQ(edit->text(), QStringLiteral("$1,234.50"));
    FrameFixture::Type(edit, QStringLiteral("-"));
    EXPECT_EQ(edit->text(), QStringLiteral("($1,234.50)"));
    EXPECT_DOUBLE_EQ(edit->GetValue(), -1234.5);

    CCurrencyFormat krone;
    krone.SetDigits(2);
    krone.SetSymbol(QStringLiteral("kr"));
    krone.SetGrouping(3);
    krone.SetPositiveOrder(3);
    krone.SetNegativeOrder(8);
    edit->SetFormat(krone);
    EXPECT_EQ(edit->text(), QStringLiteral("-1,234.50 kr"));
}

TEST_F(PadsTest, TypingBeyondTheBoundsIsRefusedWithTheirMessage) {
    auto* edit = new CNxNumericEdit;
    FieldWindow window(edit);
    edit->SetLimit(MoneyBounds::Kind::kRate);
    edit->SetValue(0);
    FrameFixture::Type(edit, QStringLiteral("12345678901"));
    EXPECT_DOUBLE_EQ(edit->GetValue(), 123456789.0) << edit->text().toStdString();
    ASSERT_EQ(Messages().size(), 2);  // each digit too many
    EXPECT_EQ(Messages()[0], MoneyBounds::Message(MoneyBounds::Kind::kRate));

    auto* plain = new CAmountEdit;
    FieldWindow second(plain);
    plain->SetLimit(MoneyBounds::Kind::kMileageRate);
    plain->SetPrecise(true);
    plain->clear();
    FrameFixture::Type(plain, QStringLiteral("12345678901"));
    EXPECT_EQ(plain->text(), QStringLiteral("123456789"));
    ASSERT_EQ(Messages().size(), 4);
    EXPECT_EQ(Messages()[3], MoneyBounds::Message(MoneyBounds::Kind::kMileageRate));
}

TEST_F(PadsTest, AmountFieldShowsItsValueAsTyped) {
    auto* edit = new CAmountEdit;
    FieldWindow window(edit);
    struct Case {
        double value;
        bool precise;
        const char* shown;
    };
    for (const Case& c : {Case{-1234.5, false, "-1234.50"}, Case{0.9, true, "0.90"},
                          Case{0.123456789, true, "0.123456789"}, Case{2.0049, false, "2.00"}}) {
        edit->SetPrecise(c.precise);
        edit->SetValue(c.value);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.value;
    }
    edit->SetPrecise(false);
    edit->SetValue(-0.5);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("0.50"));
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), QStringLiteral("-1.50"));
    edit->setCursorPosition(edit->text().size());
    FrameFixture::Type(edit, QStringLiteral("7.a"));  // a third decimal, a second point
    EXPECT_EQ(edit->text(), QStringLiteral("-1.50"));
}

// ---- The number pad.

// Pen down on key `down` of the pad, moved to key `up` (or off the pad), and
// lifted there.
void PenOnPad(CNumberPad* pad, int down, int up) {
    const QPoint from = pad->KeyRect(down).center();
    const QPoint to = up < 0 ? QPoint(pad->width() + 20, from.y()) : pad->KeyRect(up).center();
    QTest::mousePress(pad, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, pad->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pad, &move);
    QTest::mouseRelease(pad, Qt::LeftButton, Qt::NoModifier, to);
}

int KeyIndex(CNumberPad* pad, const QString& label) {
    for (int i = 0; i < CNumberPad::kKeyCount; ++i) {
        if (pad->KeyLabel(i) == label) {
            return i;
        }
    }
    ADD_FAILURE() << "no key " << label.toStdString();
    return -1;
}

void TapKeys(CNumberPad* pad, const QStringList& labels) {
    for (const QString& label : labels) {
        const int key = KeyIndex(pad, label);
        PenOnPad(pad, key, key);
    }
}

TEST_F(PadsTest, NumberPadOpensWithTheFocusAndTypesIntoItsField) {
    auto* edit = new CPadAmountEdit;
    FieldWindow window(edit);
    edit->SetValue(0);
    FrameFixture::Tap(edit);
    ASSERT_TRUE(edit->IsPadOpen());
    CNumberPad* pad = edit->Pad();
    EXPECT_EQ(pad->size(), QSize(56, 92));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("0.00"));  // typing replaces the 0

    TapKeys(pad, {"1", "2", ".", "5"});
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
    // Pressing "5" and sliding off, or onto "6", before lifting types nothing.
    PenOnPad(pad, KeyIndex(pad, "5"), -1);
    PenOnPad(pad, KeyIndex(pad, "5"), KeyIndex(pad, "6"));
    EXPECT_EQ(edit->text(), QStringLiteral("12.5"));
    TapKeys(pad, {"-", "DEL", ".", "9", "9", "9"});  // a second point, a third decimal
    EXPECT_EQ(edit->text(), QStringLiteral("-12.99"));
    EXPECT_DOUBLE_EQ(edit->GetValue(), -12.99);
    TapKeys(pad, {"C"});
    EXPECT_EQ(edit->text(), QString());
    EXPECT_TRUE(edit->hasFocus());

    // The focus leaving the field takes the pad away; coming back opens it.
    edit->setFocus();
    window.Other()->setFocus();
    EXPECT_FALSE(edit->IsPadOpen());
    edit->setFocus();
    EXPECT_TRUE(edit->IsPadOpen());
}

TEST_F(PadsTest, NumberPadOpensUnderTheFieldOrBesideIt) {
    for (bool atRight : {false, true}) {
        QWidget window;
        window.resize(240, 320);
        auto* edit = new CPadAmountEdit(&window);
        edit->SetPadAtRight(atRight);
        edit->setGeometry(60, 100, 80, 20);
        Activate(&window);
        edit->setFocus();
        ASSERT_TRUE(edit->IsPadOpen());
        // Never over the amount being typed: right under it, not over its
        // lower edge.
        const QPoint expected = atRight ? QPoint(60 + 80 + 2, 100 - 27) : QPoint(60, 120);
        EXPECT_EQ(edit->Pad()->pos(), expected) << atRight;
        // Near the window's edge the pad stays inside it.
        edit->clearFocus();
        edit->move(200, 300);
        edit->setFocus();
        EXPECT_TRUE(window.rect().contains(edit->Pad()->geometry())) << atRight;
    }
}

TEST_F(PadsTest, EveryPointOfThePadHitsTheKeyDrawnThere) {
    CNumberPad pad(QStringLiteral(","));
    EXPECT_EQ(pad.KeyLabel(10), QStringLiteral(","));
    for (int y = 0; y < pad.height(); ++y) {
        for (int x = 0; x < pad.width(); ++x) {
            const int key = pad.KeyAt(QPoint(x, y));
            ASSERT_GE(key, 0) << x << "," << y;
            // The outer border belongs to the key beside it.
            const QPoint inside(std::clamp(x, 1, pad.width() - 2),
                                std::clamp(y, 1, pad.height() - 2));
            EXPECT_TRUE(pad.KeyRect(key).contains(inside)) << x << "," << y;
        }
    }
    EXPECT_EQ(pad.KeyLabel(pad.KeyAt(pad.KeyRect(12).topRight())), QStringLiteral("DEL"));
    EXPECT_EQ(pad.KeyAt(QPoint(-1, 5)), -1);
}

// ---- The Miles Pad.

class MilesPadTest : public FrameFixture {
protected:
    MilesPadTest() {
        document_ = std::make_unique<CExpenseDoc>();
        document_->GetCurrencyTable().GetHomeFormat(home_);
    }

    // The dialog for `record_`, shown and active.
    std::unique_ptr<CMilesPadDlg> Open() {
        auto dialog = std::make_unique<CMilesPadDlg>(*document_, record_,
                                                     CMilesPadDlg::Field::Total, nullptr);
        Activate(dialog.get());
        return dialog;
    }

    // Taps `field`, then the keypad's buttons for `keys` ("." the separator).
    static void Enter(CMilesPadDlg& dialog, QWidget* field, const QString& keys) {
        Tap(field);
        for (QChar key : keys) {
            const QString name = key == QLatin1Char('.')   ? QStringLiteral("Decimal Separator")
                                 : key == QLatin1Char('<') ? QStringLiteral("Del")
                                 : key == QLatin1Char('C') ? QStringLiteral("Clear")
                                                           : QString(key);
            QAbstractButton* button = dialog.Button(name);
            ASSERT_NE(button, nullptr) << name.toStdString();
            Tap(button);
        }
    }

    CExpenseRecord record_;
    CCurrencyFormat home_{true};  // the device's, when the table has none
};

TEST_F(MilesPadTest, ReadingsGiveTheDistanceAndTheRateTheAmountDue) {
    auto dialog = Open();
    Enter(*dialog, dialog->Starting(), QStringLiteral("1200.0"));
    Enter(*dialog, dialog->Ending(), QStringLiteral("1350.5"));
    EXPECT_EQ(dialog->Total()->text(), QStringLiteral("150.5"));
    Enter(*dialog, dialog->Rate(), QStringLiteral("C.40"));
    EXPECT_EQ(dialog->Due()->text(), Amount(60.2).FormatCurrency(home_, 0));
    EXPECT_TRUE(dialog->Due()->text().contains(QStringLiteral("60.20")));

    platform_.Prompts().QueueAnswer(PromptAnswer::No);
    Tap(dialog->Button(QStringLiteral("Save")));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(record_.GetAmount(false).GetValue(), 60.2);
    EXPECT_DOUBLE_EQ(record_.GetMileageRate().GetValue(), 0.4);
    EXPECT_DOUBLE_EQ(record_.GetOdometerStart(), 1200.0);
    EXPECT_DOUBLE_EQ(record_.GetOdometerEnd(), 1350.5);
    // The changed rate is offered as the default, and refused here.
    EXPECT_EQ(Messages(),
              QStringList{"Save this new mileage reimbursement rate as your new default rate?"});
    EXPECT_NE(document_->GetPreferences().GetDefaultMileageRate().GetValue(), 0.4);
}

TEST_F(MilesPadTest, TheRecordFillsThePadAndAnUnchangedRateIsNoQuestion) {
    record_.SetOdometerStart(1234.56);
    record_.SetOdometerEnd(1300.0);
    record_.SetMileageRate(Amount(0.5));
    auto dialog = Open();
    EXPECT_EQ(dialog->Starting()->text(), QStringLiteral("1234.6"));
    EXPECT_EQ(dialog->Ending()->text(), QStringLiteral("1300.0"));
    EXPECT_EQ(dialog->Total()->text(), QStringLiteral("65.4"));
    EXPECT_EQ(dialog->Rate()->GetValue(), 0.5);
    EXPECT_TRUE(dialog->Total()->hasFocus());
    Tap(dialog->Button(QStringLiteral("Save")));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(MilesPadTest, ANewRateBecomesTheDefaultWhenTheUserSaysSo) {
    auto dialog = Open();
    Enter(*dialog, dialog->Total(), QStringLiteral("10"));
    Enter(*dialog, dialog->Rate(), QStringLiteral("C.55"));
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    Tap(dialog->Button(QStringLiteral("Save")));
    EXPECT_DOUBLE_EQ(document_->GetPreferences().GetDefaultMileageRate().GetValue(), 0.55);
    EXPECT_DOUBLE_EQ(record_.GetAmount(false).GetValue(), 5.5);
}

TEST_F(MilesPadTest, AnEndBeforeTheStartIsNoDistance) {
    auto dialog = Open();
    Enter(*dialog, dialog->Rate(), QStringLiteral("C1"));
    Enter(*dialog, dialog->Starting(), QStringLiteral("500"));
    Enter(*dialog, dialog->Ending(), QStringLiteral("400"));
    EXPECT_EQ(dialog->Total()->text(), QString());
    EXPECT_EQ(dialog->Due()->text(), Amount(0).FormatCurrency(home_, 0));
}

TEST_F(MilesPadTest, ADistanceFromTheStartGivesTheEnd) {
    auto dialog = Open();
    Enter(*dialog, dialog->Starting(), QStringLiteral("100"));
    Enter(*dialog, dialog->Total(), QStringLiteral("25"));
    EXPECT_EQ(dialog->Ending()->text(), QStringLiteral("125.0"));
    dialog->Total()->setCursorPosition(2);
    Tap(dialog->Button(QStringLiteral("Del")));
    Tap(dialog->Button(QStringLiteral("Del")));
    EXPECT_EQ(dialog->Ending()->text(), QStringLiteral("100.0"));
}

TEST_F(MilesPadTest, ReadingsTakeOneSeparatorAndEightCharacters) {
    auto dialog = Open();
    CEditPadMileage* starting = dialog->Starting();
    Enter(*dialog, starting, QStringLiteral("12.3.4"));
    EXPECT_EQ(starting->text(), QStringLiteral("12.34"));
    Enter(*dialog, starting, QStringLiteral("C1234567.89"));
    EXPECT_EQ(starting->text(), QStringLiteral("1234567."));
    // A selection makes room, even for the separator it holds.
    starting->setSelection(4, 4);
    Tap(dialog->Button(QStringLiteral("Decimal Separator")));
    EXPECT_EQ(starting->text(), QStringLiteral("1234."));

    // The keyboard types into the rate only.
    FrameFixture::Type(starting, QStringLiteral("99"));
    EXPECT_EQ(starting->text(), QStringLiteral("1234."));
    QInputMethodEvent soft;
    soft.setCommitString(QStringLiteral("7"));
    QApplication::sendEvent(starting, &soft);
    EXPECT_EQ(starting->text(), QStringLiteral("1234."));
    dialog->Rate()->clear();
    FrameFixture::Type(dialog->Rate(), QStringLiteral("2"));
    QApplication::sendEvent(dialog->Rate(), &soft);
    EXPECT_EQ(dialog->Rate()->text(), QStringLiteral("27"));
}

TEST_F(MilesPadTest, ARateNoTripCanHaveIsNotSaved) {
    auto dialog = Open();
    Enter(*dialog, dialog->Total(), QStringLiteral("10"));
    Enter(*dialog, dialog->Rate(), QStringLiteral("C5"));
    FrameFixture::Type(dialog->Rate(), QStringLiteral("-"));  // the keypad has no sign
    Tap(dialog->Button(QStringLiteral("Save")));
    EXPECT_EQ(Messages(), QStringList{MoneyBounds::Message(MoneyBounds::Kind::kMileageRate)});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(record_.GetAmount(false).GetValue(), 0.0);
    Tap(dialog->Button(QStringLiteral("Cancel")));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(CMilesPadDlg::Run(nullptr, *document_, nullptr), CMilesPadDlg::kCancelled);
}

// ---- The "Update..." question.

TEST_F(PadsTest, UpdateQuestionOffersOnlyTheScopesThatHoldExpenses) {
    struct Case {
        bool secondReport;
        bool expenses;  // in the open report
        bool allReports;
        bool thisReport;
    };
    const Case cases[] = {
        {false, true, false, true}, {true, false, true, false}, {true, true, true, true}};
    int run = 0;
    for (const Case& c : cases) {
        // Each case in a folder of its own reports.
        QDir(GetReportsDirectory()).removeRecursively();
        InitDirectories(1 | 2 | 8);
        const QString open = MakeReport(
            QStringLiteral("Open %1").arg(run++),
            c.expenses ? std::initializer_list<double>{12.5} : std::initializer_list<double>{});
        if (c.secondReport) {
            MakeReport(QStringLiteral("Other"), {});
        }
        document_ = std::make_unique<CExpenseDoc>();
        ASSERT_TRUE(document_->OpenReport(open));
        WhenDialogOpens([&](QDialog* dialog) {
            auto* question = qobject_cast<UpdateScope*>(dialog);
            ASSERT_NE(question, nullptr);
            EXPECT_EQ(question->windowTitle(), QStringLiteral("Update..."));
            EXPECT_EQ(question->Button(UpdateScope::kAllReports)->isEnabled(), c.allReports);
            EXPECT_EQ(question->Button(UpdateScope::kThisReport)->isEnabled(), c.thisReport);
            Tap(question->Button(c.allReports ? UpdateScope::kAllReports
                                              : UpdateScope::kThisReport));
        });
        EXPECT_EQ(UpdateScope::Ask(nullptr, *document_, QStringLiteral("Update the rate?")),
                  c.allReports ? UpdateScope::kAllReports : UpdateScope::kThisReport);
    }
    EXPECT_EQ(DialogsSeen(), 3);
}

TEST_F(PadsTest, UpdateQuestionIsNotAskedWithoutExpensesOrOtherReports) {
    document_ = std::make_unique<CExpenseDoc>();
    ASSERT_TRUE(document_->OpenReport(MakeReport(QStringLiteral("Empty"), {})));
    EXPECT_EQ(UpdateScope::Ask(nullptr, *document_, QStringLiteral("Update the rate?")),
              UpdateScope::kNoReports);
    EXPECT_EQ(DialogsSeen(), 0);
}

}  // namespace
