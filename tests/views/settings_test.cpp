#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "framefixture.h"
#include "lists/category.h"
#include "lists/classificationgroupmgr.h"
#include "lists/currencytable.h"
#include "lists/personalinfo.h"
#include "lists/settingsitem.h"
#include "money/moneybounds.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "platform/profile.h"
#include "report/expenserecord.h"
#include "report/preferences.h"
#include "views/backup/trashdialog.h"
#include "views/frame/statusbar.h"
#include "views/pads/padamountedit.h"
#include "views/settings/classificationgroupsdialog.h"
#include "views/settings/pagegeneral.h"
#include "views/settings/personalinfodialog.h"
#include "views/settings/personalinfoview.h"
#include "views/settings/settingsdialog.h"
#include "views/widgets/taplabel.h"
#include "views/widgets/textentrydialog.h"
#include "views/widgets/updatescope.h"

namespace {

const QString kCancelQuestion =
    QStringLiteral("Are you sure you want to cancel without saving your changes?");

class SettingsTest : public FrameFixture {
protected:
    // "Preferences...", then the button of `type`, whose page `onPage`
    // works and closes; the settings screen closes after it. `after` waits
    // for the dialogs that follow the page.
    template <typename Page>
    void OnPage(int type, std::function<void(Page* page)> onPage,
                const std::function<void()>& after = {}) {
        WhenDialogOpens([type](QDialog* dialog) {
            auto* settings = qobject_cast<CSettingsDialog*>(dialog);
            ASSERT_NE(settings, nullptr);
            Tap(settings->Button(type));
            settings->accept();
        });
        WhenDialogOpens([onPage](QDialog* dialog) {
            auto* page = qobject_cast<Page*>(dialog);
            ASSERT_NE(page, nullptr);
            onPage(page);
            if (page->isVisible()) {
                ADD_FAILURE() << "the page stayed open";
                page->done(QDialog::Rejected);
            }
        });
        if (after) {
            after();
        }
        ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
    }

    // The answer to the next "Update..." question.
    void AnswerUpdate(UpdateScope::Answer answer) {
        WhenDialogOpens([answer](QDialog* dialog) {
            auto* question = qobject_cast<UpdateScope*>(dialog);
            ASSERT_NE(question, nullptr);
            Tap(question->Button(answer));
        });
    }

    static void TypeRate(CPadAmountEdit* rate, const QString& text) {
        rate->setFocus();
        rate->selectAll();
        QTest::keyClicks(rate, text);
    }

    // A report holding a lunch of 10 and two car trips at 0.345 a mile:
    // 50 and 20 miles.
    QString MakeMileageReport(const QString& title) {
        CExpenseDoc document;
        CExpenseReportInfo header;
        QString error;
        EXPECT_TRUE(header.ValidateName(GetReportsDirectory(), title, false, error));
        EXPECT_TRUE(document.CreateReport(header));
        const QString home = document.GetCurrencyTable().GetHomeCurrency();
        auto lunch = std::make_unique<CExpenseRecord>();
        lunch->SetCategory(CCategory(QStringLiteral("Lunch"), 4, 1));
        lunch->SetDate(kTestNow);
        lunch->SetAmount(Amount(10));
        lunch->SetExchangeRate(Amount(1));
        lunch->SetCurrencyName(home);
        document.AddRecord(std::move(lunch), false);
        for (const double end : {150.0, 170.0}) {
            auto trip = std::make_unique<CExpenseRecord>();
            trip->SetCategory(CCategory(QStringLiteral("Mileage"), CCategory::kMileageIndex, 1));
            trip->SetDate(kTestNow);
            trip->SetOdometerStart(end == 150.0 ? 100.0 : 150.0);
            trip->SetOdometerEnd(end);
            trip->SetMileageRate(Amount(0.345));
            trip->SetAmount(Amount(trip->GetDistance() * 0.345));
            trip->SetExchangeRate(Amount(1));
            trip->SetCurrencyName(home);
            document.AddRecord(std::move(trip), false);
        }
        document.SortRecords();
        EXPECT_TRUE(document.SaveReport(true));
        return document.GetReport().GetHeader().GetPath();
    }

    // The amounts of a report as its file holds them, in the report's order.
    static QList<double> StoredAmounts(const QString& path) {
        CExpenseDoc document;
        EXPECT_TRUE(document.OpenReport(path));
        QList<double> amounts;
        const CExpenseRecords& records = document.GetRecords();
        for (int i = 0; i < records.GetCount(false); ++i) {
            amounts.append(records.GetAt(i, false)->GetAmount(false).GetValue());
        }
        return amounts;
    }
};

TEST_F(SettingsTest, PreferencesOpensTheSettingsScreenWithItsSixPages) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    WhenDialogOpens([](QDialog* dialog) {
        auto* settings = qobject_cast<CSettingsDialog*>(dialog);
        ASSERT_NE(settings, nullptr);
        EXPECT_EQ(settings->windowTitle(), QStringLiteral("Preferences"));
        const QStringList captions = {"Personal Info",  "Payment Sources", "General",
                                      "Classification", " Currency ",      "Account Numbers"};
        for (int type = 1; type <= 6; ++type) {
            ASSERT_NE(settings->Button(type), nullptr) << type;
            EXPECT_EQ(settings->Button(type)->text(), captions[type - 1]);
            EXPECT_EQ(settings->Button(type)->accessibleName(), captions[type - 1].trimmed());
            EXPECT_FALSE(settings->Button(type)->icon().isNull()) << type;
        }
        EXPECT_EQ(settings->Button(7), nullptr);
        Tap(settings->OkButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
    EXPECT_EQ(DialogsSeen(), 1);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SettingsTest, EveryListButtonOpensItsEditor) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    const std::pair<int, QString> lists[] = {
        {SettingsItem::kPaymentSources, QStringLiteral("Choose Paid With")},
        {SettingsItem::kClassification, QStringLiteral("Choose Classification")},
        {SettingsItem::kCurrency, QStringLiteral("Currency")},
        {SettingsItem::kAccountNumbers, QStringLiteral("Account Numbers")},
    };
    for (const auto& [type, title] : lists) {
        WhenDialogOpens([type = type](QDialog* dialog) {
            auto* settings = qobject_cast<CSettingsDialog*>(dialog);
            ASSERT_NE(settings, nullptr);
            Tap(settings->Button(type));
            settings->accept();
        });
        // Nothing picked: these screens keep their lists, so OK just closes.
        WhenDialogOpens([title = title](QDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), title);
            auto* screen = qobject_cast<FullWindowDialog*>(dialog);
            ASSERT_NE(screen, nullptr);
            ASSERT_NE(screen->OkButton(), nullptr);
            Tap(screen->OkButton());
            EXPECT_FALSE(screen->isVisible());
        });
        ASSERT_TRUE(Choose(QStringLiteral("Preferences...")));
    }
    EXPECT_EQ(DialogsSeen(), 8);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SettingsTest, GeneralCancelWithoutAChangeAsksNothing) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* page) {
        EXPECT_FALSE(page->SaveButton()->isEnabled());
        // In the home currency's format, at three decimals.
        EXPECT_EQ(page->DefaultRate()->GetValue(), 0.345);
        EXPECT_TRUE(page->DefaultRate()->text().endsWith(QStringLiteral(".345")));
        EXPECT_TRUE(page->Mile()->isChecked());
        EXPECT_TRUE(page->PlaySounds()->isChecked());
        EXPECT_FALSE(page->InternationalTraveler()->isChecked());
        EXPECT_EQ(page->ClassifyBy()->currentText(), QStringLiteral("Custom Class"));
        EXPECT_EQ(page->ClassifyBy()->itemText(page->ClassifyBy()->count() - 1),
                  QStringLiteral("Modify..."));
        Tap(page->CancelButton());
    });
    EXPECT_TRUE(Messages().isEmpty());
}

// The age after which a rate is old is kept with the other settings of the
// page; a profile without it, or with a limit out of range, means 30 days.
TEST_F(SettingsTest, GeneralKeepsTheAgeAfterWhichARateIsOld) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* page) {
        EXPECT_EQ(page->RateAgeLimit()->value(), 30);
        EXPECT_EQ(page->RateAgeLimit()->text(), QStringLiteral("30 days"));
        EXPECT_FALSE(page->SaveButton()->isEnabled());
        page->RateAgeLimit()->selectAll();
        Type(page->RateAgeLimit(), QStringLiteral("45"));
        EXPECT_TRUE(page->SaveButton()->isEnabled());
        Tap(page->SaveButton());
    });
    EXPECT_EQ(Profile::GetInt(QStringLiteral("General"), QStringLiteral("RateAgeLimit"), 0), 45);
    struct Case {
        qint32 stored;
        qint32 read;
    } cases[] = {{45, 45}, {1, 1}, {99, 99}, {0, 30}, {100, 30}, {-5, 30}};
    for (const Case& c : cases) {
        Profile::WriteInt(QStringLiteral("General"), QStringLiteral("RateAgeLimit"), c.stored);
        CPreferences preferences;
        ASSERT_TRUE(preferences.ReadRegistry());
        EXPECT_EQ(preferences.GetRateAgeLimit(), c.read) << c.stored;
    }
}

TEST_F(SettingsTest, GeneralCancelAfterAChangeAsksAndNoKeepsThePage) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [this](CPageGeneral* page) {
        Tap(page->Kilometer());
        EXPECT_TRUE(page->SaveButton()->isEnabled());
        platform_.Prompts().QueueAnswer(PromptAnswer::No);
        Tap(page->CancelButton());
        EXPECT_TRUE(page->isVisible());
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->CancelButton());
        EXPECT_FALSE(page->isVisible());
    });
    EXPECT_EQ(Messages(), (QStringList{kCancelQuestion, kCancelQuestion}));
    EXPECT_TRUE(document_->GetPreferences().GetDistanceInMiles());
    EXPECT_FALSE(document_->GetPreferences().IsModified());
}

TEST_F(SettingsTest, GeneralSavingOnlyTheSoundsAsksNoUpdateQuestion) {
    MakeMileageReport(QStringLiteral("Trip"));
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [](CPageGeneral* page) {
        Tap(page->PlaySounds());
        Tap(page->InternationalTraveler());
        Tap(page->SaveButton());
    });
    EXPECT_EQ(DialogsSeen(), 2);
    EXPECT_TRUE(Messages().isEmpty());
    // Read back from where they are kept.
    CPreferences preferences;
    ASSERT_TRUE(preferences.LoadAll());
    EXPECT_FALSE(preferences.GetPlaySounds());
    EXPECT_EQ(preferences.GetDefaultMileageRate().GetValue(), 0.345);
    CCurrencyTable table;
    ASSERT_TRUE(table.Load(false));
    EXPECT_TRUE(table.GetInternationalTraveler());
}

TEST_F(SettingsTest, GeneralNewRateReachesTheStoredMileageOfTheChosenReports) {
    const QList<double> kOldAmounts = {10, 50 * 0.345, 20 * 0.345};
    struct Case {
        const char* name;
        UpdateScope::Answer answer;
        QList<double> open;   // lunch, 50 miles, 20 miles
        QList<double> other;  // the report that is not open
        double total;
    } cases[] = {
        {"this report", UpdateScope::kThisReport, {10, 25, 10}, kOldAmounts, 45},
        {"all reports", UpdateScope::kAllReports, {10, 25, 10}, {10, 25, 10}, 45},
        {"no reports", UpdateScope::kNoReports, kOldAmounts, kOldAmounts, 34.15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(GetReportsDirectory()).removeRecursively();
        InitDirectories(1 | 2 | 8);
        const QString other = MakeMileageReport(QStringLiteral("Other"));
        const QString open = MakeMileageReport(QStringLiteral("Open"));
        StartFrame();
        ASSERT_TRUE(document_->OpenReport(open));
        frame_->RefreshViews();
        OnPage<CPageGeneral>(
            SettingsItem::kGeneral,
            [](CPageGeneral* page) {
                TypeRate(page->DefaultRate(), QStringLiteral("0.5"));
                EXPECT_TRUE(page->SaveButton()->isEnabled());
                Tap(page->SaveButton());
            },
            [&] { AnswerUpdate(c.answer); });
        EXPECT_TRUE(Messages().isEmpty());
        EXPECT_EQ(document_->GetPreferences().GetDefaultMileageRate().GetValue(), 0.5);
        EXPECT_EQ(StoredAmounts(open), c.open);
        EXPECT_EQ(StoredAmounts(other), c.other);
        const CExpenseRecords& records = document_->GetRecords();
        for (int i = 0; i < records.GetCount(false); ++i) {
            EXPECT_EQ(records.GetAt(i, false)->GetAmount(false).GetValue(), c.open[i]);
        }
        EXPECT_NEAR(document_->GetReport().GetHeader().GetTotals().GetTotal().GetValue(), c.total,
                    1e-9);
        EXPECT_EQ(frame_->Status()->Total()->text(),
                  QStringLiteral("Total $%1").arg(c.total, 0, 'f', 2));
        frame_.reset();
        document_.reset();
    }
}

TEST_F(SettingsTest, GeneralRefusesANegativeRateAndTakesNoneAsTheMessageSays) {
    MakeMileageReport(QStringLiteral("Trip"));
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [this](CPageGeneral* page) {
        TypeRate(page->DefaultRate(), QStringLiteral("-1"));
        EXPECT_TRUE(page->DefaultRate()->IsPadOpen());
        // A tap on the page beside the trash button puts the pad away.
        Tap(page->Body(),
            QPoint(page->Body()->width() - 3, page->TrashButton()->geometry().center().y()));
        EXPECT_FALSE(page->DefaultRate()->IsPadOpen());
        Tap(page->SaveButton());
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(Messages(),
                  QStringList{QStringLiteral("A mileage rate must be 0 or a number from "
                                             "0.000000001 to 1,000,000,000.")});
        TypeRate(page->DefaultRate(), QStringLiteral("0"));
        WhenDialogOpens([](QDialog* dialog) {
            Tap(qobject_cast<UpdateScope*>(dialog)->Button(UpdateScope::kNoReports));
        });
        Tap(page->SaveButton());
    });
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(document_->GetPreferences().GetDefaultMileageRate().GetValue(), 0.0);
}

TEST_F(SettingsTest, GeneralModifyAddsAGroupAndSaveMakesItCurrent) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [this](CPageGeneral* page) {
        WhenDialogOpens([this](QDialog* dialog) {
            auto* editor = qobject_cast<CClassificationGroupsDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            // A name taken already, in another case, is refused first.
            WhenDialogOpens([](QDialog* entry) {
                auto* field = qobject_cast<CTextEntryDialog*>(entry)->Field();
                EXPECT_EQ(entry->windowTitle(), QStringLiteral("List Entry"));
                Type(field, QStringLiteral("custom class"));
                QTest::keyClick(field, Qt::Key_Return);
                EXPECT_TRUE(entry->isVisible());
                field->clear();
                Type(field, QStringLiteral("  Projects "));
                QTest::keyClick(field, Qt::Key_Return);
            });
            Tap(editor->AddButton());
            EXPECT_EQ(Messages(), QStringList{CClassificationGroupsDialog::DuplicateMessage()});
            EXPECT_EQ(editor->List()->currentItem()->text(), QStringLiteral("Projects"));
            Tap(editor->OkButton());
        });
        page->ClassifyBy()->setFocus();
        QTest::keyClick(page->ClassifyBy(), Qt::Key_End);
        QStringList items;
        for (int i = 0; i < page->ClassifyBy()->count(); ++i) {
            items << page->ClassifyBy()->itemText(i);
        }
        EXPECT_TRUE(items.contains(QStringLiteral("Projects")));
        EXPECT_EQ(items.last(), QStringLiteral("Modify..."));
        EXPECT_TRUE(page->SaveButton()->isEnabled());
        page->ClassifyBy()->setCurrentText(QStringLiteral("Projects"));
        Tap(page->SaveButton());
    });
    // The group was written by the editor with its one classification.
    CClassificationGroupMgr groups;
    ASSERT_TRUE(groups.Load(false));
    EXPECT_EQ(groups.GetCurrentGroupName(), QStringLiteral("Projects"));
    ASSERT_NE(groups.FindClassification(QStringLiteral("Projects"), QStringLiteral("None")),
              nullptr);
    EXPECT_EQ(groups.FindClassification(QStringLiteral("Projects"), QStringLiteral("None"))
                  ->GetImageName(),
              QStringLiteral("CLASSIFICATION01U.BMP"));
}

TEST_F(SettingsTest, GroupEditorRenamesAndDeletesAfterAsking) {
    CExpenseDoc setup;
    CClassificationGroupMgr& groups = setup.GetClassificationGroups();
    groups.CreateGroup(QStringLiteral("Projects"));
    ASSERT_TRUE(groups.Save(false));
    CClassificationGroupsDialog editor(groups, nullptr);
    editor.show();
    const auto Select = [&](const QString& name) {
        editor.List()->setCurrentItem(editor.List()->findItems(name, Qt::MatchExactly).value(0));
    };
    Select(QStringLiteral("Projects"));
    // "PROJECTS" is the same group; "Custom Class" is another one.
    for (const QString& name : {QStringLiteral("Custom Class"), QStringLiteral("PROJECTS")}) {
        WhenDialogOpens([name](QDialog* entry) {
            auto* field = qobject_cast<CTextEntryDialog*>(entry)->Field();
            EXPECT_EQ(field->text(), QStringLiteral("Projects"));
            field->clear();
            Type(field, name);
            QTest::keyClick(field, Qt::Key_Return);
            if (entry->isVisible()) {
                entry->reject();
            }
        });
        Tap(editor.RenameButton());
        Select(QStringLiteral("Projects"));
    }
    EXPECT_EQ(Messages(), QStringList{CClassificationGroupsDialog::DuplicateMessage()});
    CClassificationGroupMgr stored;
    ASSERT_TRUE(stored.Load(false));
    EXPECT_TRUE(stored.GroupExists(QStringLiteral("Custom Class")));
    ASSERT_NE(stored.FindGroup(QStringLiteral("Projects")), nullptr);
    EXPECT_EQ(stored.FindGroup(QStringLiteral("Projects"))->GetName(), QStringLiteral("PROJECTS"));

    platform_.Prompts().Clear();
    Select(QStringLiteral("PROJECTS"));
    platform_.Prompts().QueueAnswer(PromptAnswer::No);
    Tap(editor.DeleteButton());
    platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
    Tap(editor.DeleteButton());
    const QString question =
        QStringLiteral("Are you sure you want to delete \"PROJECTS\" from the database?");
    EXPECT_EQ(Messages(), (QStringList{question, question}));
    EXPECT_EQ(editor.List()->count(), 1);
    stored.SetLoaded(false);
    ASSERT_TRUE(stored.Load(false));
    EXPECT_FALSE(stored.GroupExists(QStringLiteral("Projects")));
}

TEST_F(SettingsTest, GeneralTrashOpensTheTrashAndARestoredReportRefreshes) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    ASSERT_TRUE(WriteFileBytes(JoinPath(GetTrashDirectory(), QStringLiteral("Gone.xpf")),
                               ReadFileBytes(JoinPath(GetReportsDirectory(), "Trip.xpf"))));
    StartFrame();
    int refreshes = 0;
    OnPage<CPageGeneral>(SettingsItem::kGeneral, [this, &refreshes](CPageGeneral* page) {
        QObject::connect(page, &CPageGeneral::refreshRequested, [&refreshes] { ++refreshes; });
        WhenDialogOpens([this](QDialog* dialog) {
            auto* trash = qobject_cast<CTrashDialog*>(dialog);
            ASSERT_NE(trash, nullptr);
            ASSERT_EQ(trash->List()->topLevelItemCount(), 1);
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(trash->RestoreButton());
            trash->accept();
        });
        Tap(page->TrashButton());
        EXPECT_FALSE(page->SaveButton()->isEnabled());
        Tap(page->CancelButton());
    });
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(QFileInfo::exists(JoinPath(GetReportsDirectory(), "Gone.xpf")));
}

TEST_F(SettingsTest, PersonalInfoLabelsFollowTheInternationalTravelerSetting) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    for (const bool international : {false, true}) {
        document_->GetCurrencyTable().SetInternationalTraveler(international);
        OnPage<CPersonalInfoDialog>(
            SettingsItem::kPersonalInfo, [international](CPersonalInfoDialog* page) {
                CPersonalInfoView* view = page->View();
                EXPECT_EQ(view->Label(CPersonalInfo::kStateOrRegion)->text(),
                          international ? QStringLiteral("Region:") : QStringLiteral("State:"));
                EXPECT_EQ(view->Label(CPersonalInfo::kZipOrPostalCode)->text(),
                          international ? QStringLiteral("Postal Code:") : QStringLiteral("Zip:"));
                EXPECT_EQ(view->Label(CPersonalInfo::kName)->text(), QStringLiteral("Name:"));
                EXPECT_EQ(view->Label(CPersonalInfo::kEmail)->text(), QStringLiteral("Email:"));
                EXPECT_FALSE(page->SaveButton()->isEnabled());
                Tap(page->CancelButton());
            });
    }
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SettingsTest, PersonalInfoStoresWhatWasTypedTrimmed) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    OnPage<CPersonalInfoDialog>(SettingsItem::kPersonalInfo, [](CPersonalInfoDialog* page) {
        Type(page->View()->Field(CPersonalInfo::kName), QStringLiteral("  Jane Roe  "));
        Type(page->View()->Field(CPersonalInfo::kEmail), QStringLiteral("jane@example.org "));
        EXPECT_TRUE(page->SaveButton()->isEnabled());
        Tap(page->SaveButton());
    });
    CPersonalInfo info;
    ASSERT_TRUE(info.Load(false));
    EXPECT_EQ(info.GetName(), QStringLiteral("Jane Roe"));
    EXPECT_EQ(info.GetEmail(), QStringLiteral("jane@example.org"));
    EXPECT_EQ(info.GetCompany(), QString());

    // Typing and cancelling asks, and keeps the file as it was.
    OnPage<CPersonalInfoDialog>(SettingsItem::kPersonalInfo, [this](CPersonalInfoDialog* page) {
        QLineEdit* name = page->View()->Field(CPersonalInfo::kName);
        EXPECT_EQ(name->text(), QStringLiteral("Jane Roe"));
        Type(name, QStringLiteral("x"));
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->CancelButton());
    });
    EXPECT_EQ(Messages(), QStringList{kCancelQuestion});
    info.SetLoaded(false);
    ASSERT_TRUE(info.Load(false));
    EXPECT_EQ(info.GetName(), QStringLiteral("Jane Roe"));
}

TEST_F(SettingsTest, PersonalInfoThatCannotBeWrittenStaysOnTheScreen) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    // A folder where the file should be: no file can take its place.
    ASSERT_TRUE(QDir().mkpath(CPersonalInfo::DefaultFilePath()));
    StartFrame();
    OnPage<CPersonalInfoDialog>(SettingsItem::kPersonalInfo, [this](CPersonalInfoDialog* page) {
        QLineEdit* name = page->View()->Field(CPersonalInfo::kName);
        Type(name, QStringLiteral("Jane Roe"));
        Tap(page->SaveButton());
        EXPECT_TRUE(page->isVisible());
        EXPECT_EQ(name->text(), QStringLiteral("Jane Roe"));
        EXPECT_EQ(Messages().size(), 1);
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        Tap(page->CancelButton());
        EXPECT_EQ(Messages().value(1), kCancelQuestion);
    });
}

TEST_F(SettingsTest, PersonalInfoScrollsOnALowScreen) {
    MakeReport(QStringLiteral("Trip"), {12.5});
    StartFrame();
    frame_->resize(320, 240);
    OnPage<CPersonalInfoDialog>(SettingsItem::kPersonalInfo, [](CPersonalInfoDialog* page) {
        CPersonalInfoView* view = page->View();
        EXPECT_EQ(view->ContentHeight(), 7 + 12 * 21 + 18 + 3);
        QScrollBar* bar = view->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        EXPECT_EQ(bar->pageStep(), 21);
        QLineEdit* email = view->Field(CPersonalInfo::kEmail);
        const int right = view->widget()->width();
        EXPECT_EQ(email->geometry(), QRect(105, 7 + 12 * 21, right - 2 - 105, 18));
        EXPECT_EQ(view->Label(CPersonalInfo::kName)->geometry(), QRect(2, 7, 98, 18));
        const auto bottom = [&] { return email->mapTo(view->viewport(), QPoint(0, 18)).y(); };
        EXPECT_GT(bottom(), view->viewport()->height());
        bar->setValue(bar->maximum());
        EXPECT_LE(bottom(), view->viewport()->height());
        Tap(page->CancelButton());
    });
}

}  // namespace
