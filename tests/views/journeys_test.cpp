// Every command of the window and every screen, reached as a user reaches
// them: from the main window, by taps on its bars, menus, buttons and rows
// and by keys, on reports that are files in the reports folder. Nothing is
// opened or selected for the user; each journey ends on what the user sees.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <optional>

#include "framefixture.h"
#include "lists/category.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroupmgr.h"
#include "lists/currencytable.h"
#include "lists/historyholder.h"
#include "lists/settingsitem.h"
#include "platform/directories.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "views/backup/pagebackup.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/backup/trashdialog.h"
#include "views/frame/aboutdialog.h"
#include "views/frame/activereportbar.h"
#include "views/frame/exportdialog.h"
#include "views/frame/mergerecordsdialog.h"
#include "views/frame/reportinfodialog.h"
#include "views/frame/statusbar.h"
#include "views/grid/gridviewdetails.h"
#include "views/grid/listgrid.h"
#include "views/grid/reportlistdialog.h"
#include "views/grid/simplelist.h"
#include "views/pads/numberpad.h"
#include "views/pads/padamountedit.h"
#include "views/settings/accountnumbersdialog.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/classificationgroupsdialog.h"
#include "views/settings/columnlist.h"
#include "views/settings/conversionratedialog.h"
#include "views/settings/itemeditordialog.h"
#include "views/settings/modifylistdialog.h"
#include "views/settings/newcurrencydialog.h"
#include "views/settings/pagecontactsexpense.h"
#include "views/settings/pagecurrency.h"
#include "views/settings/pageexpenseslipdetails.h"
#include "views/settings/pagegeneral.h"
#include "views/settings/settingsdialog.h"
#include "views/settings/sheetcontacts.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/categorybutton.h"
#include "views/slip/categorypicker.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/totals/daterangebox.h"
#include "views/totals/daterangedialog.h"
#include "views/totals/legendlist.h"
#include "views/totals/pagesubtotals.h"
#include "views/totals/pagetotals.h"
#include "views/totals/selectexpensesdialog.h"
#include "views/totals/totalsdialog.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/cashregistersound.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/insertentry.h"
#include "views/widgets/storeddateedit.h"
#include "views/widgets/textentrydialog.h"
#include "views/widgets/updatescope.h"

namespace {

QString ReportPath(const QString& title) {
    return GetReportsDirectory() + QStringLiteral("/") + title + QStringLiteral(".xpf");
}

// The amounts a report's file holds, smallest first.
QList<double> StoredAmounts(const QString& title) {
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    if (!report.Open(ReportPath(title), false)) {
        ADD_FAILURE() << "cannot open " << title.toStdString();
        return {};
    }
    QList<double> amounts;
    for (int i = 0; i < report.GetRecords().GetCount(false); ++i) {
        amounts.append(report.GetRecords().GetAt(i, false)->GetAmount(false).GetValue());
    }
    std::sort(amounts.begin(), amounts.end());
    return amounts;
}

// The visible button under `root` whose text or accessible name is `text`.
QAbstractButton* ButtonNamed(QWidget* root, const QString& text) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && (button->text() == text || button->accessibleName() == text)) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

void TapButton(QWidget* root, const QString& text) {
    if (QAbstractButton* button = ButtonNamed(root, text)) {
        FrameFixture::Tap(button);
    }
}

// Types the file's path into the file dialog's name field and presses Enter.
void AnswerFiles(QDialog* dialog, const QString& path) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    ASSERT_NE(files, nullptr);
    auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    FrameFixture::Type(name, path);
    QTest::keyClick(name, Qt::Key_Return);
}

// The row of a report list or expense list whose first cell reads `text`.
int RowShowing(CListGrid* grid, int column, const QString& text) {
    for (int row = 0; row < grid->RowCount(); ++row) {
        if (grid->CellText(column, row) == text) {
            return row;
        }
    }
    return -1;
}

void TapCell(CListGrid* grid, int column, int row) {
    ASSERT_GE(row, 0);
    grid->EnsureVisible(row);
    FrameFixture::Tap(grid->viewport(), grid->CellRect(column, row).center());
}

// Taps the keys of the number pad open on `field`, one per character.
void TapPad(CPadAmountEdit* field, const QString& keys) {
    ASSERT_TRUE(field->IsPadOpen());
    CNumberPad* pad = field->Pad();
    for (const QChar key : keys) {
        int index = 0;
        while (index < CNumberPad::kKeyCount && pad->KeyLabel(index) != key) {
            ++index;
        }
        ASSERT_LT(index, CNumberPad::kKeyCount) << "no key " << QString(key).toStdString();
        FrameFixture::Tap(pad, pad->KeyRect(index).center());
    }
}

// Clears the field with the pad's "C" and taps `keys` in.
void TapPadValue(CPadAmountEdit* field, const QString& keys) {
    ASSERT_TRUE(field->IsPadOpen());
    CNumberPad* pad = field->Pad();
    for (int index = 0; index < CNumberPad::kKeyCount; ++index) {
        if (pad->KeyLabel(index) == QStringLiteral("C")) {
            FrameFixture::Tap(pad, pad->KeyRect(index).center());
        }
    }
    TapPad(field, keys);
}

// A tap on the check box of a list's row, at the row's left end.
void TapBox(QListWidget* list, int row) {
    const QRect rect = list->visualItemRect(list->item(row));
    const int box = list->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    FrameFixture::Tap(list->viewport(), QPoint(rect.left() + 3 + box / 2, rect.center().y()));
}

class JourneysTest;

// One command from its menu (or its own button on the command bar when
// `menu` is empty): the user's steps before it, what the user does in the
// dialog it opens (none when it opens none), and what the user sees after.
struct Journey {
    const char* name;
    const char* menu;
    const char* item;
    std::function<void(JourneysTest&)> before;
    std::function<void(JourneysTest&, QDialog*)> inDialog;
    std::function<void(JourneysTest&)> after;
    std::optional<PromptAnswer> answer;  // the answer to its question
};

// The window in each of its forms.
struct Form {
    const char* name;
    QSize size;
};
const Form kForms[] = {
    {"Portrait", QSize(240, 320)},
    {"Landscape", QSize(320, 240)},
    {"Square", QSize(240, 240)},
};

void PrintTo(const std::tuple<Journey, Form>& param, std::ostream* out) {
    *out << std::get<0>(param).name << " in " << std::get<1>(param).name;
}

class JourneysTest : public FrameFixture {
public:
    static std::vector<Journey> Commands();

protected:
    QString Count() const { return frame_->Status()->ItemCount()->text(); }
    QString Total() const { return frame_->Status()->Total()->text(); }
    QString ReportShown() const { return frame_->ReportBar()->ActiveReportName(); }

    // Opens a report from the report bar's list, as a user picks it there.
    void PickReport(const QString& title) {
        ASSERT_TRUE(TapComboItem(frame_->ReportBar()->Reports(), title)) << title.toStdString();
        ASSERT_EQ(ReportShown(), title);
    }

    QString seen_;  // what the user read in a dialog that has closed since

    // Holds the pen on `button` until its pop-up opens and taps `item` in
    // it; an empty `item` means an item already asked for.
    void HoldPen(QWidget* button, const QString& item) {
        if (!item.isEmpty()) {
            TapInNextMenu(item);
        }
        QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        EXPECT_TRUE(QTest::qWaitFor([this] { return !MenusPending(); }));
        QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        QApplication::processEvents();
    }

    // Types `text` over what the next "List Entry" (or a dialog like it)
    // shows, which must be `shown`, and saves.
    void WhenEntryOpens(const QString& text, const QString& shown = QString()) {
        WhenDialogOpens([text, shown](QDialog* dialog) {
            auto* entry = qobject_cast<CTextEntryDialog*>(dialog);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->Field()->text(), shown);
            Tap(entry->Field());
            QTest::keyClick(entry->Field(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(entry->Field(), text);
            TapButton(entry, QStringLiteral("Save"));
        });
    }

    // Preferences -> the button of `type`; `use` works on the page or list
    // it opens and closes it, then the settings screen is closed with OK.
    template <typename Page>
    void OnSettingsPage(int type, std::function<void(Page*)> use) {
        WhenDialogOpens([this, type, use](QDialog* dialog) {
            auto* settings = qobject_cast<CSettingsDialog*>(dialog);
            ASSERT_NE(settings, nullptr);
            WhenDialogOpens([use](QDialog* dialog) {
                auto* page = qobject_cast<Page*>(dialog);
                ASSERT_NE(page, nullptr);
                use(page);
                if (page->isVisible()) {
                    ADD_FAILURE() << "the page stayed open";
                    page->reject();
                }
            });
            Tap(settings->Button(type));
            Tap(settings->OkButton());
        });
        ASSERT_TRUE(TapMenu(QStringLiteral("Tools"), QStringLiteral("Preferences...")));
    }

    // `items` remembered in the list of `kind`, as an earlier session left
    // them, and what that list holds now.
    static void Remember(CHistoryHolder::Kind kind, const QStringList& items) {
        CHistoryHolder holder(kind);
        holder.Load(false);
        for (const QString& item : items) {
            holder.GetHistory().Add(item);
        }
        holder.Save(false);
    }
    static QStringList Remembered(CHistoryHolder::Kind kind) {
        CHistoryHolder holder(kind);
        holder.Load(false);
        return holder.GetHistory().GetItems();
    }

    // A new meal's slip, its "Details", the button of `page` tapped and
    // `use` on what it opens; then the details and the slip are cancelled.
    void OnSlipDetails(CPageExpenseSlipDetails::Kind page, std::function<void(QDialog*)> use) {
        WhenDialogOpens([this, page, use](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            WhenDialogOpens([this, page, use](QDialog* dialog) {
                auto* details = qobject_cast<CSheetExpenseSlipDetails*>(dialog);
                ASSERT_NE(details, nullptr);
                WhenDialogOpens(use);
                Tap(details->Page(page)->Button());
                Tap(details->CancelButton());
            });
            Tap(slip->DetailsButton());
            Tap(slip->CancelButton());
        });
        Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
    }

    // "Select Expenses..." from the status bar's count: the amounts below
    // `limit`, with the operator and the value tapped in.
    void SelectBelow(const QString& limit) {
        WhenDialogOpens([limit](QDialog* dialog) {
            auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
            ASSERT_NE(select, nullptr);
            EXPECT_TRUE(TapComboItem(select->Operators(), QStringLiteral("is less than")));
            Tap(select->AmountValue());
            TapPadValue(select->AmountValue(), limit);
            Tap(select->SelectButton());
        });
        Tap(frame_->Status()->ItemCount());
    }
};

// Reports "Trip" (1, 2 and 3) and "Vienna" (100).
class CommandJourney : public JourneysTest,
                       public ::testing::WithParamInterface<std::tuple<Journey, Form>> {};

TEST_P(CommandJourney, FromTheMainWindowToWhatTheUserSees) {
    const Journey& journey = std::get<0>(GetParam());
    MakeReport(QStringLiteral("Vienna"), {100});
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartFrame();
    frame_->resize(std::get<1>(GetParam()).size);
    QApplication::processEvents();
    // The report made last is the one opened at the start.
    ASSERT_EQ(ReportShown(), QStringLiteral("Trip"));
    if (journey.before) {
        journey.before(*this);
    }
    if (journey.inDialog) {
        WhenDialogOpens([this, &journey](QDialog* dialog) {
            journey.inDialog(*this, dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
    }
    if (journey.answer) {
        platform_.Prompts().QueueAnswer(*journey.answer);
    }
    const QString item = QString::fromLatin1(journey.item);
    if (*journey.menu == '\0') {
        ASSERT_TRUE(TapBarButton(item));
    } else {
        ASSERT_TRUE(TapMenu(QString::fromLatin1(journey.menu), item));
    }
    QApplication::processEvents();
    journey.after(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandJourney,
                         ::testing::Combine(::testing::ValuesIn(JourneysTest::Commands()),
                                            ::testing::ValuesIn(kForms)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + '_' +
                                    std::get<1>(info.param).name;
                         });

// A traveller's first rates: "Change Rates..." waits for "International
// Traveler", which the user ticks in Preferences -> General; then a new
// currency joins the rates from "New".
TEST_F(JourneysTest, ChangeRatesOpensOnceTheUserTravelsAbroad) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    EXPECT_FALSE(TapMenu(QStringLiteral("Tools"), QStringLiteral("Change Rates...")));
    OnSettingsPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* general) {
        Tap(general->InternationalTraveler());
        Tap(general->SaveButton());
    });

    QString chosen;
    WhenDialogOpens([&](QDialog* dialog) {
        auto* page = qobject_cast<CPageCurrency*>(dialog);
        ASSERT_NE(page, nullptr);
        WhenDialogOpens([&](QDialog* dialog) {
            auto* offered = qobject_cast<CNewCurrencyDialog*>(dialog);
            ASSERT_NE(offered, nullptr);
            ASSERT_GT(offered->List()->topLevelItemCount(), 0);
            chosen = offered->List()->Text(0, 0);
            QTreeWidgetItem* first = offered->List()->topLevelItem(0);
            Tap(offered->List()->viewport(), offered->List()->visualItemRect(first).center());
            Tap(offered->OkButton());
        });
        Tap(page->NewButton());
        EXPECT_TRUE(page->Listed().contains(chosen)) << chosen.toStdString();
        Tap(page->OkButton());
    });
    ASSERT_TRUE(TapMenu(QStringLiteral("Tools"), QStringLiteral("Change Rates...")));
    CCurrencyTable stored;
    ASSERT_TRUE(stored.Load(false));
    CCurrencyFormat format;
    ASSERT_TRUE(stored.FindFormat(chosen, format)) << chosen.toStdString();
    EXPECT_EQ(format.GetInUse(), 1);
}

// Preferences -> General -> "Play Sounds": the next expense saved rings.
TEST_F(JourneysTest, ASoundTickedInThePreferencesRingsOnTheNextExpense) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    OnSettingsPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* general) {
        if (general->PlaySounds()->isChecked()) {
            Tap(general->PlaySounds());
        }
        Tap(general->PlaySounds());
        Tap(general->SaveButton());
    });
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        TapPadValue(slip->AmountEdit(), QStringLiteral("4"));
        Tap(slip->SaveButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMiscGroup));
    EXPECT_EQ(Count(), QStringLiteral("1 items"));
    EXPECT_EQ(frame_->Sound()->PlayCount(), 1);
}

// A row of either list tapped opens its expense: the amount changed on the
// pad in the simple list, the expense deleted from the detailed list.
TEST_F(JourneysTest, AnExpenseTappedInAListIsChangedOrDeleted) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        EXPECT_TRUE(slip->DeleteButton()->isEnabled());
        Tap(slip->AmountEdit());
        TapPadValue(slip->AmountEdit(), QStringLiteral("20"));
        Tap(slip->SaveButton());
    });
    CListGrid* simple = frame_->MainView()->SimpleList()->Grid();
    TapCell(simple, 1, RowShowing(simple, 3, QStringLiteral("$2.00")));
    EXPECT_GE(RowShowing(simple, 3, QStringLiteral("$20.00")), 0);
    EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({1, 3, 20}));

    ASSERT_TRUE(TapMenu(QStringLiteral("View"), QStringLiteral("Detailed List")));
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        Tap(slip->DeleteButton());
    });
    CListGrid* details = frame_->DetailsView()->Grid();
    const int row = RowShowing(details, 3, QStringLiteral("$1.00"));
    ASSERT_GE(row, 0) << "no row shows $1.00";
    TapCell(details, 1, row);
    EXPECT_EQ(Messages().last(),
              QStringLiteral("Are you sure you want to delete this expense item?"));
    EXPECT_EQ(Count(), QStringLiteral("2 items"));
    EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({3, 20}));
}

// Everything a slip offers, by taps: the pop-up of expense types, the
// payment source and classification choosers, a description picked from the
// category's list, and a contact added on the details.
TEST_F(JourneysTest, ASlipFilledByTapsIsStoredAsShown) {
    const QString trip = MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    CCategoryEx* lunch = document_->GetCategories().Find(QStringLiteral("Lunch"));
    ASSERT_NE(lunch, nullptr);
    lunch->GetDescriptionHistory().Add(QStringLiteral("Client dinner"));
    ASSERT_TRUE(document_->GetCategories().SaveAll(false));
    WhenDialogOpens([this](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        TapPadValue(slip->AmountEdit(), QStringLiteral("12.5"));

        TapInNextMenu(QStringLiteral("Personal Deductible"));
        Tap(slip->ExpenseTypeButton());
        EXPECT_EQ(slip->ExpenseTypeButton()->text(), QStringLiteral("Personal Deductible"));

        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            ASSERT_TRUE(TapListItem(chooser->List(), QStringLiteral("Visa")));
            Tap(chooser->OkButton());
        });
        Tap(slip->PaidWithButton());
        EXPECT_EQ(slip->PaidWithButton()->text(), QStringLiteral("Visa"));

        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            ASSERT_TRUE(TapListItem(chooser->List(), QStringLiteral("Client 2")));
            Tap(chooser->OkButton());
        });
        Tap(slip->ClassificationButton());
        EXPECT_EQ(slip->ClassificationButton()->text(), QStringLiteral("Client 2"));

        // The description's list: an earlier description picked, then
        // "Modify..." adds an entry, which is picked beside it.
        EXPECT_TRUE(TapComboItem(slip->Description(), QStringLiteral("Client dinner")));
        WhenDialogOpens([this](QDialog* dialog) {
            auto* editor = qobject_cast<CModifyListDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            WhenEntryOpens(QStringLiteral("Team"));
            Tap(editor->AddButton());
            EXPECT_EQ(editor->List()->count(), 2);
            Tap(editor->OkButton());
        });
        EXPECT_TRUE(TapComboItem(slip->Description(), ModifyEntryText()));
        EXPECT_TRUE(TapComboItem(slip->Description(), QStringLiteral("Team")));
        EXPECT_EQ(slip->Description()->currentText(), QStringLiteral("Client dinner, Team"));

        // Details -> Contacts -> New: the new contact ticked goes in.
        WhenDialogOpens([this](QDialog* dialog) {
            auto* details = qobject_cast<CSheetExpenseSlipDetails*>(dialog);
            ASSERT_NE(details, nullptr);
            WhenDialogOpens([this](QDialog* dialog) {
                auto* sheet = qobject_cast<CSheetContacts*>(dialog);
                ASSERT_NE(sheet, nullptr);
                WhenEntryOpens(QStringLiteral("Ingrid"));
                Tap(sheet->NewButton());
                QListWidget* list = sheet->ExpensePage()->List();
                ASSERT_EQ(list->count(), 1);
                TapBox(list, 0);
                Tap(sheet->OkButton());
            });
            Tap(details->Page(CPageExpenseSlipDetails::kContacts)->Button());
            EXPECT_EQ(details->Edit(CPageExpenseSlipDetails::kContacts)->toPlainText(),
                      QStringLiteral("Ingrid"));
            Tap(details->SaveButton());
        });
        Tap(slip->DetailsButton());
        Tap(slip->SaveButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));

    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    ASSERT_TRUE(report.Open(trip, false));
    ASSERT_EQ(report.GetRecords().GetCount(false), 1);
    const CExpenseRecord* stored = report.GetRecords().GetAt(0, false);
    EXPECT_EQ(stored->GetAmount(false).GetValue(), 12.5);
    EXPECT_EQ(stored->GetExpenseType().GetName(), QStringLiteral("Personal Deductible"));
    EXPECT_EQ(stored->GetPaidWith().GetName(), QStringLiteral("Visa"));
    EXPECT_EQ(stored->GetClassification().GetName(), QStringLiteral("Client 2"));
    EXPECT_EQ(stored->GetDescription(), QStringLiteral("Client dinner, Team"));
    EXPECT_EQ(stored->GetContacts(), QStringLiteral("Ingrid"));
}

// A held pen on a category button: its group's pop-up, "Modify...", a new
// category; the pop-up then offers it and a pick puts it on the button.
TEST_F(JourneysTest, ACategoryMadeFromAHeldPenIsOfferedOnItsButton) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    CategoryButton* misc = frame_->MainView()->Button(CCategory::kMiscGroup);
    WhenDialogOpens([this](QDialog* dialog) {
        auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        WhenDialogOpens([](QDialog* dialog) {
            auto* editor = qobject_cast<CItemEditorDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->windowTitle(), QStringLiteral("Modify Category"));
            Type(editor->NameField(), QStringLiteral("Boat"));
            Tap(editor->SaveButton());
        });
        Tap(chooser->NewButton());
        Tap(chooser->OkButton());
    });
    HoldPen(misc, ModifyEntryText());
    // Picked from the pop-up, it starts an expense and stays on the button.
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        EXPECT_EQ(slip->Category().GetName(), QStringLiteral("Boat"));
        TapPadValue(slip->AmountEdit(), QStringLiteral("30"));
        Tap(slip->SaveButton());
    });
    HoldPen(misc, QStringLiteral("Boat"));
    EXPECT_EQ(misc->CategoryName(), QStringLiteral("Boat"));
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    const int row = RowShowing(list, 1, QStringLiteral("Boat"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(list->CellText(3, row), QStringLiteral("$30.00"));
}

// Preferences -> a list: an item tapped (the expense's own payment source),
// renamed with "Edit", and "Update..." answered; the chooser lists the new
// name, and the stored expense follows the answer.
TEST_F(JourneysTest, AnItemRenamedInThePreferencesReachesTheExpensesAsAnswered) {
    struct Case {
        int type;
        const char* item;  // null: the one the expense uses
        const char* editor;
        UpdateScope::Answer answer;
    };
    const Case cases[] = {
        {SettingsItem::kPaymentSources, nullptr, "Payment Source", UpdateScope::kThisReport},
        {SettingsItem::kClassification, "Client 1", "Modify Classification",
         UpdateScope::kNoReports},
    };
    MakeReport(QStringLiteral("Trip"), {5});
    StartFrame();
    const auto used = [](const CExpenseRecord& record, int type) {
        return type == SettingsItem::kPaymentSources ? record.GetPaidWith().GetName()
                                                     : record.GetClassification().GetName();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editor);
        const QString stored = used(*document_->GetRecords().GetAt(0, false), c.type);
        const QString before = c.item ? QString::fromLatin1(c.item) : stored;
        const QString after = before + QStringLiteral(" 2");
        OnSettingsPage<CChooseItemDialog>(c.type, [&](CChooseItemDialog* chooser) {
            ASSERT_TRUE(TapListItem(chooser->List(), before)) << before.toStdString();
            WhenDialogOpens([&](QDialog* dialog) {
                auto* editor = qobject_cast<CItemEditorDialog*>(dialog);
                ASSERT_NE(editor, nullptr);
                EXPECT_EQ(editor->windowTitle(), QString::fromLatin1(c.editor));
                Tap(editor->NameField());
                QTest::keyClick(editor->NameField(), Qt::Key_End);
                QTest::keyClicks(editor->NameField(), QStringLiteral(" 2"));
                Tap(editor->SaveButton());
            });
            WhenDialogOpens([&](QDialog* dialog) {
                auto* question = qobject_cast<UpdateScope*>(dialog);
                ASSERT_NE(question, nullptr);
                Tap(question->Button(c.answer));
            });
            Tap(chooser->EditButton());
            EXPECT_TRUE(TapListItem(chooser->List(), after));
            EXPECT_FALSE(TapListItem(chooser->List(), before));
            Tap(chooser->CancelButton());
        });
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(ReportPath(QStringLiteral("Trip")), false));
        EXPECT_EQ(used(*report.GetRecords().GetAt(0, false), c.type),
                  c.answer == UpdateScope::kThisReport ? after : stored);
    }
}

// Preferences -> Account Numbers: a tapped category's number typed in.
TEST_F(JourneysTest, AnAccountNumberTypedForATappedCategoryIsStored) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    OnSettingsPage<CAccountNumbersDialog>(
        SettingsItem::kAccountNumbers, [this](CAccountNumbersDialog* numbers) {
            CColumnList* list = numbers->List();
            int lunch = 0;
            while (lunch < list->topLevelItemCount() &&
                   list->Text(lunch, 0) != QStringLiteral("Lunch")) {
                ++lunch;
            }
            ASSERT_LT(lunch, list->topLevelItemCount());
            WhenDialogOpens([](QDialog* dialog) {
                auto* entry = qobject_cast<CTextEntryDialog*>(dialog);
                ASSERT_NE(entry, nullptr);
                Type(entry->Field(), QStringLiteral("6010"));
                Tap(entry->OkButton() != nullptr ? static_cast<QWidget*>(entry->OkButton())
                                                 : ButtonNamed(entry, QStringLiteral("Save")));
            });
            QTreeWidgetItem* row = list->topLevelItem(lunch);
            list->scrollToItem(row);
            Tap(list->viewport(), list->visualItemRect(row).center());
            EXPECT_EQ(list->Text(lunch, 1), QStringLiteral("6010"));
            Tap(numbers->OkButton());
        });
    CCategoryExManager stored;
    ASSERT_TRUE(stored.LoadAll(false));
    EXPECT_EQ(stored.Find(QStringLiteral("Lunch"))->GetAccountNumber(), QStringLiteral("6010"));
}

// A remembered place on the slip's details: "Modify..." from the
// "Location" button, an entry tapped, changed and another deleted.
TEST_F(JourneysTest, ARememberedPlaceTappedInItsListIsChangedAndDeleted) {
    MakeReport(QStringLiteral("Trip"), {});
    Remember(CHistoryHolder::Kind::ExpenseLocations,
             {QStringLiteral("Bergen"), QStringLiteral("Oslo")});
    StartFrame();
    TapInNextMenu(ModifyEntryText());
    OnSlipDetails(CPageExpenseSlipDetails::kLocation, [this](QDialog* dialog) {
        auto* editor = qobject_cast<CModifyListDialog*>(dialog);
        ASSERT_NE(editor, nullptr);
        WhenEntryOpens(QStringLiteral("Arendal"), QStringLiteral("Oslo"));
        ASSERT_TRUE(TapListItem(editor->List(), QStringLiteral("Oslo")));
        ASSERT_TRUE(editor->ModifyButton()->isEnabled());
        Tap(editor->ModifyButton());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        ASSERT_TRUE(TapListItem(editor->List(), QStringLiteral("Bergen")));
        ASSERT_TRUE(editor->DeleteButton()->isEnabled());
        Tap(editor->DeleteButton());
        EXPECT_EQ(editor->List()->count(), 1);
        Tap(editor->OkButton());
    });
    EXPECT_EQ(Remembered(CHistoryHolder::Kind::ExpenseLocations),
              QStringList{QStringLiteral("Arendal")});
}

// The program's own contacts: one tapped and renamed, another tapped and
// deleted.
TEST_F(JourneysTest, AContactTappedInTheListIsRenamedAndAnotherDeleted) {
    MakeReport(QStringLiteral("Trip"), {});
    Remember(CHistoryHolder::Kind::Contacts, {QStringLiteral("Anders"), QStringLiteral("Bo")});
    StartFrame();
    OnSlipDetails(CPageExpenseSlipDetails::kContacts, [this](QDialog* dialog) {
        auto* sheet = qobject_cast<CSheetContacts*>(dialog);
        ASSERT_NE(sheet, nullptr);
        QListWidget* list = sheet->ExpensePage()->List();
        WhenEntryOpens(QStringLiteral("Cecilie"), QStringLiteral("Bo"));
        ASSERT_TRUE(TapListItem(list, QStringLiteral("Bo")));
        Tap(sheet->EditButton());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        ASSERT_TRUE(TapListItem(list, QStringLiteral("Anders")));
        Tap(sheet->DeleteButton());
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Cecilie"));
        sheet->reject();
    });
    EXPECT_EQ(Remembered(CHistoryHolder::Kind::Contacts), QStringList{QStringLiteral("Cecilie")});
}

// "Report:" tapped: a remembered place picked from "Location", the report
// marked submitted and then reimbursed, which needs submitted first.
TEST_F(JourneysTest, AReportsPlaceAndStatusAreSetByTaps) {
    MakeReport(QStringLiteral("Trip"), {10});
    Remember(CHistoryHolder::Kind::ReportLocations, {QStringLiteral("Oslo")});
    StartFrame();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        TapInNextMenu(QStringLiteral("Oslo"));
        Tap(info->LocationButton());
        EXPECT_EQ(info->LocationEdit()->toPlainText(), QStringLiteral("Oslo"));
        EXPECT_FALSE(info->Reimbursed()->isEnabled());
        Tap(info->Submitted());
        Tap(info->Reimbursed());
        Tap(info->OkButton());
    });
    Tap(frame_->ReportBar()->Label());
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    ASSERT_TRUE(report.Open(ReportPath(QStringLiteral("Trip")), false));
    EXPECT_EQ(report.GetHeader().GetLocation(), QStringLiteral("Oslo"));
    EXPECT_TRUE(report.GetHeader().IsSubmitted());
    EXPECT_TRUE(report.GetHeader().IsReimbursed());
}

// An expense of another category entered on the main screen, then the
// report's expenses of that category selected from their chooser.
TEST_F(JourneysTest, ExpensesAreSelectedByACategoryPickedFromItsChooser) {
    MakeReport(QStringLiteral("Trip"), {1, 2});
    StartFrame();
    CategoryButton* taxi = nullptr;
    for (int group = 1; group <= CViewExpense::kButtonCount; ++group) {
        if (frame_->MainView()->Button(group)->CategoryName() == QStringLiteral("Taxi")) {
            taxi = frame_->MainView()->Button(group);
        }
    }
    ASSERT_NE(taxi, nullptr);
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        TapPadValue(slip->AmountEdit(), QStringLiteral("15"));
        Tap(slip->SaveButton());
    });
    Tap(taxi);
    ASSERT_EQ(Count(), QStringLiteral("3 items"));

    WhenDialogOpens([this](QDialog* dialog) {
        auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
        ASSERT_NE(select, nullptr);
        EXPECT_TRUE(TapComboItem(select->Fields(), QStringLiteral("Category")));
        ASSERT_TRUE(select->ChoiceValue()->isVisible());
        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            ASSERT_TRUE(TapListItem(chooser->List(), QStringLiteral("Taxi")));
            Tap(chooser->OkButton());
        });
        Tap(select->ChoiceValue());
        EXPECT_EQ(select->ChoiceValue()->text(), QStringLiteral("Taxi"));
        Tap(select->SelectButton());
    });
    ASSERT_TRUE(TapMenu(QStringLiteral("Edit"), QStringLiteral("Select Expenses...")));
    EXPECT_EQ(Count(), QStringLiteral("1 of 3 items"));
    EXPECT_EQ(Total(), QStringLiteral("Total $15.00"));
    CListGrid* list = frame_->MainView()->SimpleList()->Grid();
    EXPECT_EQ(list->RowCount(), 1);
    EXPECT_EQ(list->CellText(1, 0), QStringLiteral("Taxi"));
}

// The report bar's list: every report of the folder, the picked one opens.
TEST_F(JourneysTest, AReportPickedFromTheReportBarOpens) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    MakeReport(QStringLiteral("Vienna"), {100});
    StartFrame();
    PickReport(QStringLiteral("Vienna"));
    EXPECT_EQ(Count(), QStringLiteral("1 items"));
    EXPECT_EQ(Total(), QStringLiteral("Total $100.00"));
    PickReport(QStringLiteral("Trip"));
    EXPECT_EQ(Count(), QStringLiteral("3 items"));
}

// A traveller abroad: "International Traveler" ticked in the preferences, a
// currency put in use from the slip's currency list, picked there, and its
// rate changed with "Rate" and kept as the default.
TEST_F(JourneysTest, AForeignExpenseIsEnteredInACurrencyTheUserAddsOnTheSlip) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    OnSettingsPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* general) {
        Tap(general->InternationalTraveler());
        Tap(general->SaveButton());
    });

    QString chosen;
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    WhenDialogOpens([&](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        ASSERT_TRUE(slip->Currency()->isVisible());
        EXPECT_FALSE(slip->RateButton()->isVisible());
        WhenDialogOpens([&](QDialog* dialog) {
            auto* page = qobject_cast<CPageCurrency*>(dialog);
            ASSERT_NE(page, nullptr);
            WhenDialogOpens([&](QDialog* dialog) {
                auto* offered = qobject_cast<CNewCurrencyDialog*>(dialog);
                ASSERT_NE(offered, nullptr);
                ASSERT_GT(offered->List()->topLevelItemCount(), 0);
                chosen = offered->List()->Text(0, 0);
                QTreeWidgetItem* first = offered->List()->topLevelItem(0);
                Tap(offered->List()->viewport(), offered->List()->visualItemRect(first).center());
                Tap(offered->OkButton());
            });
            Tap(page->NewButton());
            Tap(page->OkButton());
        });
        EXPECT_TRUE(TapComboItem(slip->Currency(), ModifyEntryText()));
        ASSERT_FALSE(chosen.isEmpty());
        ASSERT_TRUE(TapComboItem(slip->Currency(), chosen)) << chosen.toStdString();
        EXPECT_EQ(slip->SlipCurrency(), chosen);
        ASSERT_TRUE(slip->RateButton()->isVisible());
        WhenDialogOpens([](QDialog* dialog) {
            auto* rate = qobject_cast<CConversionRateDialog*>(dialog);
            ASSERT_NE(rate, nullptr);
            Tap(rate->RateEdit());
            TapPadValue(rate->RateEdit(), QStringLiteral("2"));
            Tap(rate->SaveButton());
        });
        Tap(slip->RateButton());
        Tap(slip->AmountEdit());
        TapPadValue(slip->AmountEdit(), QStringLiteral("10"));
        Tap(slip->SaveButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));

    EXPECT_EQ(Messages().last(), QStringLiteral("Save the new exchange rate as the default?"));
    EXPECT_EQ(Total(), QStringLiteral("Total $5.00"));
    CExpenseReport report;
    report.GetCurrencyTable().Load(false);
    ASSERT_TRUE(report.Open(ReportPath(QStringLiteral("Trip")), false));
    ASSERT_EQ(report.GetRecords().GetCount(false), 1);
    EXPECT_EQ(report.GetRecords().GetAt(0, false)->GetCurrencyName(), chosen);
    EXPECT_EQ(report.GetRecords().GetAt(0, false)->GetExchangeRate().GetValue(), 2.0);
    CCurrencyTable table;
    ASSERT_TRUE(table.Load(false));
    CCurrencyFormat format;
    CurrencyRate rate;
    ASSERT_TRUE(table.GetRate(chosen, format, rate));
    EXPECT_EQ(rate.GetRate(), 2.0);
}

// The total tapped in the status bar, then the Subtotals page: grouped by
// payment source from its list, limited to a range of days typed in, and a
// group tapped selects its expenses.
TEST_F(JourneysTest, ASubtotalTappedSelectsItsExpensesWithinTheDaysChosen) {
    MakeReport(QStringLiteral("Trip"), {1, 2, 4, 8});
    StartFrame();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* window = qobject_cast<CTotalsDialog*>(dialog);
        ASSERT_NE(window, nullptr);
        ASSERT_NE(window->TotalsPage(), nullptr);
        TapButton(window->TotalsPage()->Commands(), QStringLiteral("Subtotals"));
        CPageSubtotals* page = window->SubtotalsPage();
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(TapComboItem(page->SubtotalBy(), QStringLiteral("Receipt")));
        EXPECT_EQ(page->Legend()->rowCount(), 1);
        EXPECT_EQ(page->Legend()->item(0, 1)->text(), QStringLiteral("$15.00"));

        // The second and third day only: strictly after the first, before
        // the fourth.
        const QDate first = QDateTime::fromSecsSinceEpoch(kTestNow).date();
        WhenDialogOpens([first](QDialog* dialog) {
            auto* range = qobject_cast<CDateRangeDialog*>(dialog);
            ASSERT_NE(range, nullptr);
            Tap(range->IncludeDates());
            TypeDate(range->From(), first.toString(QStringLiteral("MM/dd/yyyy")));
            TypeDate(range->To(), first.addDays(3).toString(QStringLiteral("MM/dd/yyyy")));
            Tap(range->OkButton());
        });
        Tap(page->DateRange());
        ASSERT_EQ(page->Legend()->rowCount(), 1);
        EXPECT_EQ(page->Legend()->item(0, 1)->text(), QStringLiteral("$6.00"));
        const QRect row = page->Legend()->visualRect(page->Legend()->model()->index(0, 0));
        Tap(page->Legend()->viewport(), QPoint(row.right() - 4, row.center().y()));
    });
    Tap(frame_->Status()->Total());
    EXPECT_EQ(Count(), QStringLiteral("2 of 4 items"));
    EXPECT_EQ(Total(), QStringLiteral("Total $6.00"));
}

// Preferences -> General -> "Classify By:" -> "Modify...": a group added,
// tapped and renamed, then picked from the list and saved as the one in use.
TEST_F(JourneysTest, AClassificationGroupAddedAndRenamedBecomesTheOneInUse) {
    MakeReport(QStringLiteral("Trip"), {5});
    StartFrame();
    OnSettingsPage<CPageGeneral>(SettingsItem::kGeneral, [this](CPageGeneral* general) {
        WhenDialogOpens([this](QDialog* dialog) {
            auto* groups = qobject_cast<CClassificationGroupsDialog*>(dialog);
            ASSERT_NE(groups, nullptr);
            WhenEntryOpens(QStringLiteral("Projects"));
            Tap(groups->AddButton());
            WhenEntryOpens(QStringLiteral("Journeys"), QStringLiteral("Projects"));
            ASSERT_TRUE(TapListItem(groups->List(), QStringLiteral("Projects")));
            ASSERT_TRUE(groups->RenameButton()->isEnabled());
            Tap(groups->RenameButton());
            EXPECT_TRUE(TapListItem(groups->List(), QStringLiteral("Journeys")));
            Tap(groups->OkButton());
        });
        EXPECT_TRUE(TapComboItem(general->ClassifyBy(), ModifyEntryText()));
        EXPECT_TRUE(TapComboItem(general->ClassifyBy(), QStringLiteral("Journeys")));
        EXPECT_EQ(general->ClassifyBy()->currentText(), QStringLiteral("Journeys"));
        Tap(general->SaveButton());
    });
    CClassificationGroupMgr stored;
    ASSERT_TRUE(stored.Load(false));
    EXPECT_EQ(stored.GetCurrentGroupName(), QStringLiteral("Journeys"));
    EXPECT_FALSE(stored.GroupExists(QStringLiteral("Projects")));
}

// A first start with no report: a category tapped asks for a report first;
// the report bar's list says there is none and leads into a new report, in
// which the expense then goes.
TEST_F(JourneysTest, AFirstStartWithoutReportsLeadsIntoTheFirstReport) {
    StartFrame();
    EXPECT_EQ(Count(), QStringLiteral("0 items"));
    Tap(frame_->MainView()->Button(CCategory::kMiscGroup));
    EXPECT_EQ(Messages(), QStringList(QStringLiteral(
                              "You have not created an expense report yet. \n\nPlease create "
                              "one before attempting this action")));
    WhenDialogOpens([](QDialog* dialog) {
        auto* info = qobject_cast<CReportInfoDialog*>(dialog);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->Heading()->text(), QStringLiteral("New Report"));
        Type(info->TitleEdit(), QStringLiteral("First"));
        Tap(info->OkButton());
    });
    Tap(frame_->ReportBar()->Reports());
    EXPECT_EQ(Messages().last(), QStringLiteral("There are no expense reports to open, please "
                                                "create a new expense report."));
    EXPECT_EQ(ReportShown(), QStringLiteral("First"));
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        TapPadValue(slip->AmountEdit(), QStringLiteral("9.99"));
        Tap(slip->SaveButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMiscGroup));
    EXPECT_EQ(Count(), QStringLiteral("1 items"));
    EXPECT_EQ(Total(), QStringLiteral("Total $9.99"));
    EXPECT_EQ(StoredAmounts(QStringLiteral("First")), QList<double>({9.99}));
}

// A report deleted from the Tools menu, then brought back from the trash of
// Preferences -> General: the report bar's list offers it again.
TEST_F(JourneysTest, ADeletedReportComesBackFromTheTrash) {
    MakeReport(QStringLiteral("Vienna"), {100});
    MakeReport(QStringLiteral("Trip"), {1, 2, 3});
    StartFrame();
    ASSERT_EQ(ReportShown(), QStringLiteral("Trip"));
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    ASSERT_TRUE(TapMenu(QStringLiteral("Tools"), QStringLiteral("Delete Report")));
    ASSERT_EQ(ReportShown(), QStringLiteral("Vienna"));

    OnSettingsPage<CPageGeneral>(SettingsItem::kGeneral, [this](CPageGeneral* general) {
        WhenDialogOpens([this](QDialog* dialog) {
            auto* trash = qobject_cast<CTrashDialog*>(dialog);
            ASSERT_NE(trash, nullptr);
            ASSERT_EQ(trash->List()->topLevelItemCount(), 1);
            QTreeWidgetItem* gone = trash->List()->topLevelItem(0);
            Tap(trash->List()->viewport(), trash->List()->visualItemRect(gone).center());
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(trash->RestoreButton());
            EXPECT_EQ(trash->List()->topLevelItemCount(), 0);
            TapButton(trash, QStringLiteral("OK"));
            if (trash->isVisible()) {
                trash->accept();
            }
        });
        Tap(general->TrashButton());
        Tap(general->CancelButton());
    });
    EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({1, 2, 3}));
    PickReport(QStringLiteral("Trip"));
    EXPECT_EQ(Count(), QStringLiteral("3 items"));
}

}  // namespace

std::vector<Journey> JourneysTest::Commands() {
    using T = JourneysTest;
    auto selectBelowThree = [](T& t) {
        t.SelectBelow(QStringLiteral("2.5"));
        ASSERT_EQ(t.Count(), QStringLiteral("2 of 3 items"));
    };
    return {
        {"SelectExpenses",
         "Edit",
         "Select Expenses...",
         {},
         [](T&, QDialog* dialog) {
             auto* select = qobject_cast<CSelectExpensesDialog*>(dialog);
             ASSERT_NE(select, nullptr);
             EXPECT_TRUE(TapComboItem(select->Operators(), QStringLiteral("is greater than")));
             Tap(select->AmountValue());
             TapPadValue(select->AmountValue(), QStringLiteral("1.5"));
             Tap(select->SelectButton());
         },
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("2 of 3 items"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $5.00"));
         },
         {}},
        {"SelectAllExpenses",
         "Edit",
         "Select All Expenses",
         selectBelowThree,
         {},
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("3 items"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $6.00"));
         },
         {}},
        {"MergeSelected",
         "Edit",
         "Merge Selected",
         selectBelowThree,
         [](T&, QDialog* dialog) {
             auto* merge = qobject_cast<CMergeRecordsDialog*>(dialog);
             ASSERT_NE(merge, nullptr);
             EXPECT_TRUE(TapComboItem(merge->Targets(), QStringLiteral("Vienna")));
             Tap(merge->MoveButton());
             Tap(merge->MergeButton());
         },
         [](T& t) {
             EXPECT_EQ(StoredAmounts(QStringLiteral("Vienna")), QList<double>({1, 2, 100}));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({3}));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $0.00"));
         },
         {}},
        {"DeleteSelected",
         "Edit",
         "Delete Selected",
         selectBelowThree,
         {},
         [](T& t) {
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip")), QList<double>({3}));
             EXPECT_EQ(t.Messages().last(), QStringLiteral("Are you sure you want to permanently "
                                                           "delete all selected expenses?"));
         },
         PromptAnswer::Yes},
        {"About",
         "View",
         "About",
         {},
         [](T& t, QDialog* dialog) {
             auto* about = qobject_cast<CAboutDialog*>(dialog);
             ASSERT_NE(about, nullptr);
             t.seen_ = about->Version()->text();
             Tap(about->OkButton());
         },
         [](T& t) {
             EXPECT_TRUE(t.seen_.contains(CAboutDialog::VersionText())) << t.seen_.toStdString();
         },
         {}},
        {"ReportInfo",
         "View",
         "Report Info...",
         {},
         [](T&, QDialog* dialog) {
             auto* info = qobject_cast<CReportInfoDialog*>(dialog);
             ASSERT_NE(info, nullptr);
             EXPECT_EQ(info->Heading()->text(), QStringLiteral("Edit Report"));
             Tap(info->TitleEdit());
             QTest::keyClick(info->TitleEdit(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClicks(info->TitleEdit(), QStringLiteral("Bergen"));
             Tap(info->OkButton());
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Bergen"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Bergen")), QList<double>({1, 2, 3}));
             EXPECT_FALSE(QFileInfo::exists(ReportPath(QStringLiteral("Trip"))));
         },
         {}},
        {"AllReports",
         "View",
         "All Reports",
         {},
         [](T&, QDialog* dialog) {
             auto* list = qobject_cast<CReportListDialog*>(dialog);
             ASSERT_NE(list, nullptr);
             TapCell(list->Grid(), 0, RowShowing(list->Grid(), 0, QStringLiteral("Vienna")));
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Vienna"));
             EXPECT_EQ(t.Count(), QStringLiteral("1 items"));
         },
         {}},
        {"DetailedList",
         "View",
         "Detailed List",
         {},
         {},
         [](T& t) {
             EXPECT_TRUE(t.frame_->DetailsView()->isVisible());
             CListGrid* grid = t.frame_->DetailsView()->Grid();
             EXPECT_EQ(grid->RowCount(), 3 * grid->RowsPerItem());
             EXPECT_TRUE(t.CommandNamed(QStringLiteral("Detailed List"))->isChecked());
         },
         {}},
        {"SimpleList",
         "View",
         "Simple List",
         [](T& t) {
             ASSERT_TRUE(t.TapMenu(QStringLiteral("View"), QStringLiteral("Detailed List")));
         },
         {},
         [](T& t) {
             EXPECT_FALSE(t.frame_->DetailsView()->isVisible());
             EXPECT_TRUE(t.frame_->MainView()->isVisible());
             // The buttons leave room for the list on the tall screen only;
             // the menu ticks it where it is shown.
             CListGrid* list = t.frame_->MainView()->SimpleList()->Grid();
             EXPECT_EQ(list->isVisible(), t.frame_->height() >= 320);
             EXPECT_EQ(list->RowCount(), 3);
             t.frame_->UpdateCommands();
             EXPECT_EQ(t.CommandNamed(QStringLiteral("Simple List"))->isChecked(),
                       list->isVisible());
         },
         {}},
        {"Totals",
         "View",
         "Totals...",
         {},
         [](T& t, QDialog* dialog) {
             auto* window = qobject_cast<CTotalsDialog*>(dialog);
             ASSERT_NE(window, nullptr);
             ASSERT_NE(window->TotalsPage(), nullptr);
             t.seen_ = window->TotalsPage()->FigureText(QStringLiteral("Total Expenses:"));
             TapButton(window->TotalsPage()->Commands(), QStringLiteral("Done"));
         },
         [](T& t) { EXPECT_EQ(t.seen_, QStringLiteral("$6.00")); },
         {}},
        {"Subtotals",
         "View",
         "Subtotals...",
         {},
         [](T& t, QDialog* dialog) {
             auto* window = qobject_cast<CTotalsDialog*>(dialog);
             ASSERT_NE(window, nullptr);
             ASSERT_NE(window->SubtotalsPage(), nullptr);
             CLegendList* legend = window->SubtotalsPage()->Legend();
             for (int row = 0; row < legend->rowCount(); ++row) {
                 t.seen_ += legend->item(row, 0)->text() + QLatin1Char(' ') +
                            legend->item(row, 1)->text();
             }
             TapButton(window->SubtotalsPage()->Commands(), QStringLiteral("Done"));
         },
         [](T& t) { EXPECT_EQ(t.seen_, QStringLiteral("Lunch $6.00")); },
         {}},
        {"OpenReport",
         "Tools",
         "Open Report...",
         {},
         [](T&, QDialog* dialog) { AnswerFiles(dialog, ReportPath(QStringLiteral("Vienna"))); },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Vienna"));
             EXPECT_EQ(t.Total(), QStringLiteral("Total $100.00"));
         },
         {}},
        {"DuplicateReport",
         "Tools",
         "Duplicate Report",
         {},
         {},
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Trip Copy 1"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Trip Copy 1")), QList<double>({1, 2, 3}));
         },
         {}},
        {"DeleteReport",
         "Tools",
         "Delete Report",
         {},
         {},
         [](T& t) {
             EXPECT_TRUE(QFileInfo::exists(GetTrashDirectory() + QStringLiteral("/Trip.xpf")));
             EXPECT_FALSE(QFileInfo::exists(ReportPath(QStringLiteral("Trip"))));
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Vienna"));
         },
         PromptAnswer::Yes},
        {"BackupRestore",
         "Tools",
         "Backup / Restore",
         {},
         [](T& t, QDialog* dialog) {
             auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
             ASSERT_NE(sheet, nullptr);
             const QString archive = t.platform_.Path(QStringLiteral("trip.xbf"));
             t.WhenDialogOpens([archive](QDialog* files) { AnswerFiles(files, archive); });
             Tap(sheet->BackupPage()->BrowseButton());
             Tap(sheet->BackupPage()->BackupButton());
             t.seen_ = archive;
             Tap(sheet->DoneButton());
         },
         [](T& t) {
             EXPECT_TRUE(QFileInfo(t.seen_).size() > 0) << t.seen_.toStdString();
             EXPECT_FALSE(t.Messages().isEmpty());
         },
         {}},
        {"Export",
         "Tools",
         "Export...",
         {},
         [](T&, QDialog* dialog) {
             auto* exporter = qobject_cast<CExportDialog*>(dialog);
             ASSERT_NE(exporter, nullptr);
             Tap(exporter->CsvButton());
             Tap(exporter->ExportButton());
             EXPECT_EQ(exporter->WrittenPath(),
                       GetExportsDirectory() + QStringLiteral("/Trip.csv"));
             Tap(exporter->DoneButton());
         },
         [](T&) {
             const QString path = GetExportsDirectory() + QStringLiteral("/Trip.csv");
             EXPECT_EQ(ReadFileBytes(path).count("\r\n"), 4);
         },
         {}},
        {"ForceSynchronization",
         "Tools",
         "Force Synchronization...",
         {},
         {},
         [](T&) {
             EXPECT_EQ(
                 QFileInfo(ReportPath(QStringLiteral("Trip"))).lastModified().toSecsSinceEpoch(),
                 kTestNow);
         },
         PromptAnswer::Yes},
        {"NewReport",
         "",
         "Create New Expense Report",
         {},
         [](T&, QDialog* dialog) {
             auto* info = qobject_cast<CReportInfoDialog*>(dialog);
             ASSERT_NE(info, nullptr);
             EXPECT_EQ(info->Heading()->text(), QStringLiteral("New Report"));
             Type(info->TitleEdit(), QStringLiteral("Bergen"));
             Tap(info->OkButton());
         },
         [](T& t) {
             EXPECT_EQ(t.ReportShown(), QStringLiteral("Bergen"));
             EXPECT_EQ(t.Count(), QStringLiteral("0 items"));
             EXPECT_EQ(StoredAmounts(QStringLiteral("Bergen")), QList<double>());
         },
         {}},
        {"NewExpense",
         "",
         "New Expense",
         {},
         [](T& t, QDialog* dialog) {
             auto* picker = qobject_cast<CCategoryPicker*>(dialog);
             ASSERT_NE(picker, nullptr);
             t.WhenDialogOpens([](QDialog* dialog) {
                 auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
                 ASSERT_NE(slip, nullptr);
                 EXPECT_EQ(slip->Category().GetName(), QStringLiteral("Taxi"));
                 Tap(slip->AmountEdit());
                 TapPadValue(slip->AmountEdit(), QStringLiteral("7.25"));
                 Tap(slip->SaveButton());
             });
             TapButton(picker, QStringLiteral("Taxi"));
         },
         [](T& t) {
             EXPECT_EQ(t.Count(), QStringLiteral("4 items"));
             CListGrid* list = t.frame_->MainView()->SimpleList()->Grid();
             const int row = RowShowing(list, 1, QStringLiteral("Taxi"));
             ASSERT_GE(row, 0);
             EXPECT_EQ(list->CellText(3, row), QStringLiteral("$7.25"));
             EXPECT_TRUE(StoredAmounts(QStringLiteral("Trip")).contains(7.25));
         },
         {}},
    };
}
