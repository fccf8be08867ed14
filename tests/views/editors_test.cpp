#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "framefixture.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/classificationgroup.h"
#include "lists/classificationgroupmgr.h"
#include "lists/paidwith.h"
#include "platform/directories.h"
#include "platform/scriptedprompts.h"
#include "report/expenserecord.h"
#include "report/report.h"
#include "views/settings/chooseitemdialog.h"
#include "views/settings/itemeditordialog.h"
#include "views/settings/settingsdialog.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/updatescope.h"

namespace {

using Kind = CListItems::Kind;

const QString kEmptyName = QStringLiteral(
    "The name field is either empty or contains invalid characters.  Please edit the name and "
    "try saving again.");

class EditorsTest : public FrameFixture {
protected:
    // A chooser on the window, as the settings screen opens it.
    std::unique_ptr<CChooseItemDialog> OpenChooser(Kind kind, const QString& current) {
        auto chooser =
            std::make_unique<CChooseItemDialog>(*document_, kind, current, frame_.get());
        chooser->show();
        return chooser;
    }
    // Picks `name` in the chooser's list as a tap does.
    static void Select(CChooseItemDialog* chooser, const QString& name) {
        const QList<QListWidgetItem*> found = chooser->List()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        QListWidget* list = chooser->List();
        list->scrollToItem(found.first());
        Tap(list->viewport(), list->visualItemRect(found.first()).center());
    }
    // Edits `name` from its chooser: the editor gets `edit` and is then
    // checked to be closed, unless `staysOpen`.
    void EditFromChooser(Kind kind, const QString& name,
                         std::function<void(CItemEditorDialog*)> edit, bool staysOpen = false) {
        auto chooser = OpenChooser(kind, name);
        WhenDialogOpens([edit, staysOpen](QDialog* dialog) {
            auto* editor = qobject_cast<CItemEditorDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            edit(editor);
            EXPECT_EQ(editor->isVisible(), staysOpen);
            if (editor->isVisible()) {
                Tap(editor->CancelButton());
            }
        });
        Tap(name.isEmpty() ? chooser->NewButton() : chooser->EditButton());
    }
    static void Rename(CItemEditorDialog* editor, const QString& name) {
        editor->NameField()->clear();
        Type(editor->NameField(), name);
        Tap(editor->SaveButton());
    }
    QStringList PaymentSourceNames() {
        QStringList names;
        for (const CPaidWith& source : document_->GetPaymentSources()) {
            names.append(source.GetName());
        }
        names.sort();
        return names;
    }
};

TEST_F(EditorsTest, SavingAPaymentSourceFollowsTheNameRules) {
    struct Case {
        const char* what;
        QString typed;
        QStringList messages;
        QStringList names;  // the list afterwards
    };
    const QStringList defaults{"American Express", "Cash", "Checking", "MasterCard", "Visa"};
    QStringList renamed = defaults;
    renamed.replace(4, QStringLiteral("VISA"));
    const Case cases[] = {
        {"another letter case of its own name", QStringLiteral("VISA"), {}, renamed},
        {"the name of another item",
         QStringLiteral("cash"),
         {QStringLiteral("A Payment Source with the same name already exists.\n\nPlease choose "
                         "another name.")},
         defaults},
        {"an empty name", QString(), {kEmptyName}, defaults},
        {"blanks only", QStringLiteral("   "), {kEmptyName}, defaults},
    };
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    for (const Case& c : cases) {
        document_->GetPaymentSources().CreateDefaults();
        platform_.Prompts().Clear();
        const bool refused = !c.messages.isEmpty();
        EditFromChooser(
            Kind::PaymentSource, QStringLiteral("Visa"),
            [&c](CItemEditorDialog* editor) {
                Rename(editor, c.typed);
                if (editor->isVisible()) {
                    // The refusal keeps what was typed.
                    EXPECT_EQ(editor->NameField()->text(), c.typed) << c.what;
                }
            },
            refused);
        EXPECT_EQ(Messages(), c.messages) << c.what;
        EXPECT_EQ(PaymentSourceNames(), c.names) << c.what;
    }
}

TEST_F(EditorsTest, WithOneEmptyReportAnEditAsksNothingAndIsWrittenAtOnce) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    EditFromChooser(Kind::PaymentSource, QStringLiteral("Visa"), [](CItemEditorDialog* editor) {
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Payment Source"));
        EXPECT_TRUE(editor->PersonalButton()->isChecked());
        Tap(editor->BusinessButton());
        editor->NameField()->clear();
        Type(editor->NameField(), QStringLiteral("Corporate Visa"));
        // Enter saves once: a second save would find the name taken.
        QTest::keyClick(editor->NameField(), Qt::Key_Return);
    });
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(DialogsSeen(), 1);  // the editor, and no "Update..." question
    CPaidWithManager stored;
    ASSERT_TRUE(stored.Load(false));
    ASSERT_NE(stored.Find(QStringLiteral("Corporate Visa")), nullptr);
    EXPECT_EQ(stored.Find(QStringLiteral("Corporate Visa"))->GetPaymentType(),
              CPaidWith::kBusiness);
    EXPECT_EQ(stored.Find(QStringLiteral("Corporate Visa"))->GetImageName(),
              QStringLiteral("PAIDWITH14U.BMP"));
    EXPECT_FALSE(stored.Exists(QStringLiteral("Visa")));
}

TEST_F(EditorsTest, ARenameAnsweredThisReportChangesTheOpenReportOnly) {
    const QString other = MakeReport(QStringLiteral("Other"), {5});
    const QString trip = MakeReport(QStringLiteral("Trip"), {10, 20});
    StartFrame();
    ASSERT_EQ(document_->GetReport().GetHeader().GetPath(), trip);
    const QByteArray otherBytes = ReadFileBytes(other);
    EditFromChooser(
        Kind::PaymentSource, QStringLiteral("Cash"), [this](CItemEditorDialog* editor) {
            WhenDialogOpens([](QDialog* dialog) {
                auto* question = qobject_cast<UpdateScope*>(dialog);
                ASSERT_NE(question, nullptr);
                EXPECT_TRUE(question->findChild<QLabel*>() != nullptr);
                EXPECT_EQ(question->findChild<QLabel*>()->text(),
                          QStringLiteral("Update the Paid With Type (Petty Cash) in..."));
                Tap(question->Button(UpdateScope::kThisReport));
            });
            Rename(editor, QStringLiteral("Petty Cash"));
        });
    EXPECT_EQ(ReadFileBytes(other), otherBytes);
    CExpenseReport stored;
    stored.GetCurrencyTable().Load(false);
    ASSERT_TRUE(stored.Open(trip, false));
    ASSERT_EQ(stored.GetRecords().GetCount(false), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(stored.GetRecords().GetAt(i, false)->GetPaidWith().GetName(),
                  QStringLiteral("Petty Cash"));
    }
}

TEST_F(EditorsTest, AClassificationRenameAnsweredAllReportsReachesEveryReport) {
    const QString other = MakeReport(QStringLiteral("Other"), {5});
    const QString trip = MakeReport(QStringLiteral("Trip"), {10});
    // The expenses' default classification is no item of the list: make one
    // that is.
    for (const QString& path : {other, trip}) {
        CExpenseReport report;
        report.GetCurrencyTable().Load(false);
        ASSERT_TRUE(report.Open(path, false));
        CExpenseRecord* record = report.GetRecords().GetAt(0, false);
        record->SetClassification(
            CClassification(QStringLiteral("Client 2"), QStringLiteral("CLASSIFICATION11U.BMP")));
        report.GetRecords().SetModified(true);
        ASSERT_TRUE(report.Save(false));
    }
    StartFrame();
    EditFromChooser(Kind::Classification, QStringLiteral("Client 2"),
                    [this](CItemEditorDialog* editor) {
                        WhenDialogOpens([](QDialog* dialog) {
                            auto* question = qobject_cast<UpdateScope*>(dialog);
                            ASSERT_NE(question, nullptr);
                            EXPECT_EQ(question->findChild<QLabel*>()->text(),
                                      QStringLiteral("Update the Custom Class (Client 2) in..."));
                            Tap(question->Button(UpdateScope::kAllReports));
                        });
                        Rename(editor, QStringLiteral("Acme"));
                    });
    CClassificationGroupMgr list;
    list.Load(false);
    EXPECT_NE(list.FindClassification(QStringLiteral("Custom Class"), QStringLiteral("Acme")),
              nullptr);
    for (const QString& path : {other, trip}) {
        CExpenseReport stored;
        stored.GetCurrencyTable().Load(false);
        ASSERT_TRUE(stored.Open(path, false));
        EXPECT_EQ(stored.GetRecords().GetAt(0, false)->GetClassification().GetName(),
                  QStringLiteral("Acme"));
    }
}

TEST_F(EditorsTest, ANewCategoryIsUserDefinedAndFoundAgainAfterARestart) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    EditFromChooser(Kind::Category, QString(), [](CItemEditorDialog* editor) {
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Modify Category"));
        EXPECT_FALSE(editor->DeleteButton()->isEnabled());
        // The built-in categories' pictures are theirs alone; the custom
        // pictures come from the program.
        QStringList offered;
        for (int row = 0; row < editor->Images()->count(); ++row) {
            offered.append(editor->Images()->item(row)->data(Qt::UserRole).toString());
        }
        EXPECT_FALSE(offered.contains(QStringLiteral("CATFOODU.BMP"), Qt::CaseInsensitive));
        EXPECT_TRUE(offered.contains(QStringLiteral("CATCUSTOM10U.BMP")));
        EXPECT_EQ(editor->ImageName(), offered.first());
        QListWidget* images = editor->Images();
        Tap(images->viewport(), images->visualItemRect(images->item(1)).center());
        EXPECT_EQ(editor->ImageName(), offered.at(1));
        Rename(editor, QStringLiteral("  Boat  "));
    });
    const CCategoryEx* boat = document_->GetCategories().Find(QStringLiteral("Boat"));
    ASSERT_NE(boat, nullptr);
    EXPECT_EQ(boat->GetName(), QStringLiteral("Boat"));
    EXPECT_EQ(boat->GetIndex(), 17);
    EXPECT_EQ(boat->GetGroup(), 12);
    const QByteArray file = ReadFileBytes(GetDataDirectory(true) + QStringLiteral("Boat.dat"));
    ASSERT_GE(file.size(), 8);
    EXPECT_EQ(file.left(4), QByteArray::fromHex("03000000"));
    CCategoryExManager reloaded;
    reloaded.LoadAll(false);
    ASSERT_NE(reloaded.Find(QStringLiteral("Boat")), nullptr);
    EXPECT_EQ(reloaded.Find(QStringLiteral("Boat"))->GetIndex(), 17);
    EXPECT_EQ(reloaded.Find(QStringLiteral("Boat"))->GetImageName(), boat->GetImageName());
}

TEST_F(EditorsTest, ACategoryRenameMovesItsFileAndDeleteRemovesIt) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    CCategoryEx added(QStringLiteral("Boat"), CCategory::kUserDefinedIndex, CCategory::kMiscGroup);
    document_->GetCategories().Add(&added);
    document_->GetCategories().SaveAll(false);
    document_->GetCategories().Find(QStringLiteral("Boat"))->RememberGroupChoice();
    const QString data = GetDataDirectory(true);
    // A name no file can carry is refused as an invalid one.
    EditFromChooser(
        Kind::Category, QStringLiteral("Boat"),
        [](CItemEditorDialog* editor) { Rename(editor, QStringLiteral("Boat/Car")); }, true);
    EXPECT_EQ(Messages(), QStringList{kEmptyName});
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("Boat.dat")));
    platform_.Prompts().Clear();
    EditFromChooser(Kind::Category, QStringLiteral("Boat"),
                    [](CItemEditorDialog* editor) { Rename(editor, QStringLiteral("Ferry")); });
    EXPECT_FALSE(QFile::exists(data + QStringLiteral("Boat.dat")));
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("Ferry.dat")));
    // The miscellaneous button showed it, and still does.
    EXPECT_EQ(document_->GetCategories().GetButtonCategory(CCategory::kMiscGroup)->GetName(),
              QStringLiteral("Ferry"));

    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    EditFromChooser(Kind::Category, QStringLiteral("Ferry"), [](CItemEditorDialog* editor) {
        ASSERT_TRUE(editor->DeleteButton()->isEnabled());
        Tap(editor->DeleteButton());
    });
    EXPECT_EQ(Messages(), QStringList{QStringLiteral(
                              "Are you sure you want to permanently delete the Ferry Category "
                              "item?")});
    EXPECT_FALSE(document_->GetCategories().Exists(QStringLiteral("Ferry")));
    EXPECT_FALSE(QFile::exists(data + QStringLiteral("Ferry.dat")));
}

TEST_F(EditorsTest, DeleteAsksAndIsOfferedOnlyWhereItMakesSense) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    // No answer queued: the question is answered No and nothing goes.
    EditFromChooser(
        Kind::PaymentSource, QStringLiteral("Visa"),
        [](CItemEditorDialog* editor) { Tap(editor->DeleteButton()); }, true);
    EXPECT_EQ(Messages(),
              QStringList{QStringLiteral(
                  "Are you sure you want to permanently delete the Visa Payment Source?")});
    EXPECT_TRUE(document_->GetPaymentSources().Exists(QStringLiteral("Visa")));

    // A new item has nothing to delete; the last payment source must stay.
    EditFromChooser(
        Kind::PaymentSource, QString(),
        [](CItemEditorDialog* editor) { EXPECT_FALSE(editor->DeleteButton()->isEnabled()); },
        true);
    CPaidWithManager& sources = document_->GetPaymentSources();
    for (const QString& name : PaymentSourceNames()) {
        if (name != QStringLiteral("Cash")) {
            sources.Remove(name);
        }
    }
    EditFromChooser(
        Kind::PaymentSource, QStringLiteral("Cash"),
        [](CItemEditorDialog* editor) { EXPECT_FALSE(editor->DeleteButton()->isEnabled()); },
        true);
    auto chooser = OpenChooser(Kind::PaymentSource, QStringLiteral("Cash"));
    EXPECT_FALSE(chooser->DeleteButton()->isEnabled());
    // The built-in categories stay the program's.
    auto categories = OpenChooser(Kind::Category, QStringLiteral("Lunch"));
    EXPECT_FALSE(categories->EditButton()->isEnabled());
    EXPECT_FALSE(categories->DeleteButton()->isEnabled());
}

TEST_F(EditorsTest, ChoosingAClassificationNeedsOneSelected) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    auto chooser = OpenChooser(Kind::Classification, QString());
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Choose Classification"));
    EXPECT_EQ(chooser->List()->count(), 4);
    Tap(chooser->OkButton());
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Please select a Classification.")});
    EXPECT_EQ(platform_.Prompts().Messages().back().icon, PromptIcon::Exclamation);
    EXPECT_TRUE(chooser->isVisible());
    Select(chooser.get(), QStringLiteral("Client 3"));
    Tap(chooser->OkButton());
    EXPECT_FALSE(chooser->isVisible());
    EXPECT_EQ(chooser->ChosenName(), QStringLiteral("Client 3"));
}

// Preferences -> Payment Sources: a tap on a source switches Edit and Delete
// on, as the arrow keys do.
TEST_F(EditorsTest, ATapOnASourceSwitchesEditAndDeleteOn) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* settings = qobject_cast<CSettingsDialog*>(dialog);
        ASSERT_NE(settings, nullptr);
        Tap(settings->Button(2));
        settings->accept();
    });
    WhenDialogOpens([](QDialog* dialog) {
        auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        Select(chooser, QStringLiteral("Cash"));
        EXPECT_TRUE(chooser->EditButton()->isEnabled());
        EXPECT_TRUE(chooser->DeleteButton()->isEnabled());
        Tap(chooser->CancelButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
    EXPECT_EQ(DialogsSeen(), 2);
}

TEST_F(EditorsTest, ARenamedPaymentSourceIsTheNewSlipsDefaultUnderItsNewName) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* settings = qobject_cast<CSettingsDialog*>(dialog);
        ASSERT_NE(settings, nullptr);
        WhenDialogOpens([this](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            Select(chooser, QStringLiteral("Cash"));
            WhenDialogOpens([](QDialog* dialog) {
                Rename(qobject_cast<CItemEditorDialog*>(dialog), QStringLiteral("CASH"));
            });
            Tap(chooser->EditButton());
            Tap(chooser->OkButton());
        });
        Tap(settings->Button(2));
        Tap(settings->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
    WhenDialogOpens([](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        EXPECT_EQ(slip->PaidWithButton()->text(), QStringLiteral("CASH"));
        Tap(slip->CancelButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
    EXPECT_EQ(DialogsSeen(), 4);

    // The next start reads the categories with the new name too.
    CCategoryExManager stored;
    ASSERT_TRUE(stored.LoadAll(false));
    for (const CCategoryEx& category : stored) {
        EXPECT_NE(category.GetPaidWith().GetName(), QStringLiteral("Cash"))
            << category.GetName().toStdString();
    }
}

TEST_F(EditorsTest, TheSlipsButtonsOpenTheChoosers) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    WhenDialogOpens([this](QDialog* dialog) {
        auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
        ASSERT_NE(slip, nullptr);
        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Choose Paid With"));
            // The slip's choice starts selected.
            EXPECT_EQ(chooser->List()->currentItem()->text(), QStringLiteral("Cash"));
            Select(chooser, QStringLiteral("Visa"));
            Tap(chooser->OkButton());
        });
        Tap(slip->PaidWithButton());
        EXPECT_EQ(slip->PaidWithButton()->text(), QStringLiteral("Visa"));
        WhenDialogOpens([](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            Select(chooser, QStringLiteral("Client 1"));
            Tap(chooser->CancelButton());
        });
        const QString before = slip->ClassificationButton()->text();
        Tap(slip->ClassificationButton());
        EXPECT_EQ(slip->ClassificationButton()->text(), before);

        // The slip's payment source renamed in the editor, the chooser
        // cancelled: the slip follows the new name.
        WhenDialogOpens([this](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            WhenDialogOpens([](QDialog* dialog) {
                Rename(qobject_cast<CItemEditorDialog*>(dialog), QStringLiteral("Company Visa"));
            });
            Tap(chooser->EditButton());
            Tap(chooser->CancelButton());
        });
        Tap(slip->PaidWithButton());
        EXPECT_EQ(slip->PaidWithButton()->text(), QStringLiteral("Company Visa"));

        // Deleted there instead: the slip shows what Save will store.
        WhenDialogOpens([this](QDialog* dialog) {
            auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(chooser->DeleteButton());
            Tap(chooser->CancelButton());
        });
        Tap(slip->PaidWithButton());
        EXPECT_EQ(slip->PaidWithButton()->text(), QStringLiteral("Cash"));
        Tap(slip->CancelButton());
    });
    Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
}

TEST_F(EditorsTest, ModifyInACategoryPopUpOpensTheCategoryList) {
    MakeReport(QStringLiteral("Trip"), {});
    StartFrame();
    std::unique_ptr<QMenu> menu(frame_->MainView()->MakePopUp(CCategory::kMiscGroup));
    QAction* modify = menu->actions().back();
    ASSERT_EQ(modify->text(), QStringLiteral("Modify..."));
    ASSERT_TRUE(modify->isEnabled());
    WhenDialogOpens([this](QDialog* dialog) {
        auto* chooser = qobject_cast<CChooseItemDialog*>(dialog);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Choose Category"));
        WhenDialogOpens([](QDialog* dialog) {
            auto* editor = qobject_cast<CItemEditorDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            Rename(editor, QStringLiteral("Boat"));
        });
        Tap(chooser->NewButton());
        EXPECT_EQ(chooser->List()->currentItem()->text(), QStringLiteral("Boat"));
        Tap(chooser->OkButton());
    });
    modify->trigger();
    EXPECT_TRUE(document_->GetCategories().Exists(QStringLiteral("Boat")));
}

}  // namespace
