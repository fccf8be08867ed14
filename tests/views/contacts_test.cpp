#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "framefixture.h"
#include "lists/categoryex.h"
#include "lists/categoryexmanager.h"
#include "lists/historyholder.h"
#include "report/expenserecord.h"
#include "views/settings/modifylistdialog.h"
#include "views/settings/pagecontactsexpense.h"
#include "views/settings/pagecontactsoutlook.h"
#include "views/settings/sheetcontacts.h"
#include "views/settings/sheetexpenseslipdetails.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/bitmapbutton.h"
#include "views/widgets/insertentry.h"
#include "views/widgets/textentrydialog.h"

namespace {

const QString kSelectedQuestion =
    QStringLiteral("Are you sure you want to delete the selected item(s)?");
const QString kCopied = QStringLiteral(
    "The checked contact(s) have been successfully copied to Outlaysheet's contacts.");

QToolButton* CommandOf(QDialog* dialog, const QString& text) {
    for (QToolButton* button : dialog->findChildren<QToolButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << "no command " << text.toStdString();
    return nullptr;
}

// Picks `text` from the next pop-up menu that opens.
void WhenMenuOpens(const QString& text) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        menu->close();
    });
    timer->start();
}

// A tap on the check box of a list's row, which sits at the row's left end.
void TapBox(QAbstractItemView* view, int row) {
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    const int box = view->style()->pixelMetric(QStyle::PM_IndicatorWidth);
    FrameFixture::Tap(view->viewport(), QPoint(rect.left() + 3 + box / 2, rect.center().y()));
}

class ContactsTest : public FrameFixture {
protected:
    void SetUp() override { MakeReport(QStringLiteral("Trip"), {}); }

    static void Remember(CHistoryHolder::Kind kind, const QStringList& entries) {
        CHistoryHolder holder(kind);
        holder.Load(false);
        for (const QString& entry : entries) {
            holder.GetHistory().Add(entry);
        }
        holder.Save(false);
    }
    static QStringList Remembered(CHistoryHolder::Kind kind) {
        CHistoryHolder holder(kind);
        holder.Load(false);
        return holder.GetHistory().GetItems();
    }
    // One vCard file of the address book, a card per name.
    void WriteCards(const QStringList& names) {
        QByteArray cards;
        for (const QString& name : names) {
            cards += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
            cards += name.isEmpty() ? QByteArray("TEL:555\r\n") : "FN:" + name.toUtf8() + "\r\n";
            cards += "END:VCARD\r\n";
        }
        ASSERT_TRUE(WriteFileBytes(
            QDir(platform_.Get().GetPaths().contactsFolder).filePath(QStringLiteral("all.vcf")),
            cards));
    }

    // Runs `use` on the next dialog, which must be a `Dialog`, and then ends
    // it with `result` unless `use` closed it.
    template <typename Dialog>
    void WhenOpens(std::function<void(Dialog*)> use, int result) {
        WhenDialogOpens([use, result](QDialog* dialog) {
            if (auto* wanted = qobject_cast<Dialog*>(dialog)) {
                use(wanted);
            } else {
                ADD_FAILURE() << "unexpected " << dialog->windowTitle().toStdString();
            }
            if (dialog->isVisible()) {
                dialog->done(result);
            }
        });
    }
    // Starts a lunch on the slip and runs `use` on it; the slip is then
    // cancelled.
    void OnSlip(std::function<void(CExpenseSlipDialog*)> use) {
        WhenOpens(use, QDialog::Rejected);
        Tap(frame_->MainView()->Button(CCategory::kMealsGroup));
    }
    // Opens the slip's details and runs `use` on them; they are then saved.
    void OnDetails(std::function<void(CSheetExpenseSlipDetails*)> use) {
        OnSlip([this, use](CExpenseSlipDialog* slip) {
            WhenOpens(use, QDialog::Accepted);
            Tap(slip->DetailsButton());
        });
    }
    // Taps "Contacts" on the details and runs `use` on the sheet; OK closes
    // it unless `use` did.
    void PickContacts(CSheetExpenseSlipDetails* details,
                      std::function<void(CSheetContacts*)> use) {
        WhenOpens<CSheetContacts>(
            [use](CSheetContacts* sheet) {
                use(sheet);
                if (sheet->isVisible()) {
                    Tap(sheet->OkButton());
                }
            },
            QDialog::Rejected);
        Tap(details->Page(CPageExpenseSlipDetails::kContacts)->Button());
    }
    // Types `text` into the next "List Entry" or "Contact" and saves.
    void WhenEntryOpens(const QString& text, const QString& expectedStart = QString()) {
        WhenDialogOpens([text, expectedStart](QDialog* dialog) {
            auto* entry = qobject_cast<CTextEntryDialog*>(dialog);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->Field()->text(), expectedStart);
            entry->Field()->clear();
            Type(entry->Field(), text);
            Tap(CommandOf(dialog, QStringLiteral("Save")));
            // A refused entry stays open: give up on it.
            if (dialog->isVisible()) {
                Tap(CommandOf(dialog, QStringLiteral("Cancel")));
            }
        });
    }
};

TEST_F(ContactsTest, TickedContactsGoInAtTheCaretSeparatedByCommas) {
    Remember(CHistoryHolder::Kind::Contacts,
             {QStringLiteral("Berit"), QStringLiteral("Anders"), QStringLiteral("Carl")});
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        QPlainTextEdit* edit = details->Edit(CPageExpenseSlipDetails::kContacts);
        PickContacts(details, [](CSheetContacts* sheet) {
            QListWidget* list = sheet->ExpensePage()->List();
            ASSERT_EQ(list->count(), 3);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("Anders"));
            TapBox(list, 0);
            TapBox(list, 1);
        });
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Anders, Berit"));
        PickContacts(details,
                     [](CSheetContacts* sheet) { TapBox(sheet->ExpensePage()->List(), 2); });
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Anders, Berit, Carl"));
        // At the start of the text there is nothing to separate from.
        QTextCursor start = edit->textCursor();
        start.movePosition(QTextCursor::Start);
        edit->setTextCursor(start);
        PickContacts(details,
                     [](CSheetContacts* sheet) { TapBox(sheet->ExpensePage()->List(), 2); });
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("CarlAnders, Berit, Carl"));
        // Nothing ticked, or Cancel, leaves the text alone.
        PickContacts(details, [](CSheetContacts*) {});
        PickContacts(details, [](CSheetContacts* sheet) {
            TapBox(sheet->ExpensePage()->List(), 0);
            sheet->reject();
        });
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("CarlAnders, Berit, Carl"));
    });
}

TEST_F(ContactsTest, BothPagesTickedMakeOneText) {
    Remember(CHistoryHolder::Kind::Contacts, {QStringLiteral("Anders")});
    WriteCards({QStringLiteral("Zoe Quist"), QStringLiteral("Yann Petit")});
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        PickContacts(details, [](CSheetContacts* sheet) {
            TapBox(sheet->ExpensePage()->List(), 0);
            sheet->Tabs()->setCurrentWidget(sheet->OutlookPage());
            // The address book is read, not edited, here.
            EXPECT_FALSE(sheet->NewButton()->isEnabled());
            EXPECT_FALSE(sheet->EditButton()->isEnabled());
            EXPECT_FALSE(sheet->DeleteButton()->isEnabled());
            QListView* book = sheet->OutlookPage()->List();
            ASSERT_EQ(book->model()->rowCount(), 2);
            // A tap on the name is not a tap on the box.
            Tap(book->viewport(), book->visualRect(book->model()->index(0, 0)).center());
            TapBox(book, 1);
            sheet->Tabs()->setCurrentWidget(sheet->ExpensePage());
            EXPECT_TRUE(sheet->NewButton()->isEnabled());
        });
        EXPECT_EQ(details->Value(CPageExpenseSlipDetails::kContacts),
                  QStringLiteral("Anders, Yann Petit"));
    });
}

TEST_F(ContactsTest, CopyingAddsOnlyNewNamesAndAlwaysSaysSo) {
    Remember(CHistoryHolder::Kind::Contacts, {QStringLiteral("Anna Berg")});
    WriteCards({QStringLiteral("ANNA BERG"), QString(), QStringLiteral("Per Olsen")});
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        PickContacts(details, [this](CSheetContacts* sheet) {
            CPageContactsOutlook* book = sheet->OutlookPage();
            sheet->Tabs()->setCurrentWidget(book);
            const QAbstractItemModel* model = book->List()->model();
            EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("Unnamed"));
            // Nothing ticked: nothing to copy and nothing to say.
            Tap(book->CopyButton());
            EXPECT_TRUE(Messages().isEmpty());
            TapBox(book->List(), 0);
            Tap(book->CopyButton());
            EXPECT_EQ(Messages(), QStringList{kCopied});
            EXPECT_EQ(sheet->ExpensePage()->List()->count(), 1);
            TapBox(book->List(), 1);
            Tap(book->CopyButton());
            EXPECT_EQ(Messages(), (QStringList{kCopied, kCopied}));
            ASSERT_EQ(sheet->ExpensePage()->List()->count(), 2);
            EXPECT_EQ(sheet->ExpensePage()->List()->item(1)->text(), QStringLiteral("Unnamed"));
            sheet->reject();
        });
    });
    EXPECT_EQ(Remembered(CHistoryHolder::Kind::Contacts),
              (QStringList{QStringLiteral("Anna Berg"), QStringLiteral("Unnamed")}));
}

TEST_F(ContactsTest, AMissingAddressBookLeavesItsPageEmpty) {
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        PickContacts(details, [](CSheetContacts* sheet) {
            EXPECT_EQ(sheet->OutlookPage()->List()->model()->rowCount(), 0);
            QTabBar* tabs = sheet->Tabs()->tabBar();
            Tap(tabs, tabs->tabRect(sheet->Tabs()->indexOf(sheet->OutlookPage())).center());
            Tap(sheet->OutlookPage()->CopyButton());
        });
    });
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(ContactsTest, TheProgramsContactsAreAddedEditedAndDeleted) {
    Remember(CHistoryHolder::Kind::Contacts, {QStringLiteral("Anders"), QStringLiteral("Bo")});
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        PickContacts(details, [this](CSheetContacts* sheet) {
            QListWidget* list = sheet->ExpensePage()->List();
            EXPECT_TRUE(list->item(0)->isSelected());
            // A blank name is refused and the dialog stays open.
            WhenEntryOpens(QStringLiteral("   "));
            Tap(sheet->NewButton());
            EXPECT_EQ(Messages(), QStringList{QStringLiteral("Please fill in the contact name.")});
            WhenEntryOpens(QStringLiteral("  Cecilie "));
            Tap(sheet->NewButton());
            ASSERT_EQ(list->count(), 3);
            EXPECT_EQ(list->item(2)->text(), QStringLiteral("Cecilie"));
            list->setCurrentRow(1);
            list->item(1)->setCheckState(Qt::Checked);
            WhenEntryOpens(QStringLiteral("Aase"), QStringLiteral("Bo"));
            Tap(sheet->EditButton());
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("Aase"));
            // The tick stays with the person renamed.
            EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
            // Two selected, the question answered No, then Yes.
            list->setCurrentRow(0);
            list->item(2)->setSelected(true);
            Tap(sheet->DeleteButton());
            EXPECT_EQ(list->count(), 3);
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(sheet->DeleteButton());
            EXPECT_EQ(Messages().mid(1), (QStringList{kSelectedQuestion, kSelectedQuestion}));
            ASSERT_EQ(list->count(), 1);
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("Anders"));
        });
    });
    EXPECT_EQ(Remembered(CHistoryHolder::Kind::Contacts), QStringList{QStringLiteral("Anders")});
}

TEST_F(ContactsTest, ModifyListAddsChangesAndDeletesEntries) {
    Remember(CHistoryHolder::Kind::ExpenseLocations,
             {QStringLiteral("Oslo"), QStringLiteral("Bergen")});
    StartFrame();
    OnDetails([this](CSheetExpenseSlipDetails* details) {
        QPlainTextEdit* edit = details->Edit(CPageExpenseSlipDetails::kLocation);
        Type(edit, QStringLiteral("Near Lisbon"));
        // The selected text is where the editor starts.
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(5);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        WhenDialogOpens([this](QDialog* dialog) {
            auto* editor = qobject_cast<CModifyListDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->windowTitle(), QStringLiteral("Modify List"));
            QListWidget* list = editor->List();
            ASSERT_EQ(list->count(), 2);
            EXPECT_FALSE(editor->ModifyButton()->isEnabled());
            // Empty and blank entries are refused.
            WhenEntryOpens(QString(), QStringLiteral("Lisbon"));
            Tap(editor->AddButton());
            WhenEntryOpens(QStringLiteral("  "), QStringLiteral("Lisbon"));
            Tap(editor->AddButton());
            EXPECT_EQ(Messages(), QStringList(2, CTextEntryDialog::EmptyNameMessage()));
            EXPECT_EQ(list->count(), 2);
            WhenEntryOpens(QStringLiteral(" Lisbon "), QStringLiteral("Lisbon"));
            Tap(editor->AddButton());
            ASSERT_EQ(list->count(), 3);
            EXPECT_EQ(list->item(1)->text(), QStringLiteral("Lisbon"));
            EXPECT_EQ(list->currentRow(), 1);
            // Written at once.
            EXPECT_EQ(Remembered(CHistoryHolder::Kind::ExpenseLocations).size(), 3);
            list->setCurrentRow(2);
            WhenEntryOpens(QStringLiteral("Arendal"), QStringLiteral("Oslo"));
            Tap(editor->ModifyButton());
            EXPECT_EQ(list->item(0)->text(), QStringLiteral("Arendal"));
            list->setCurrentRow(1);
            Tap(editor->DeleteButton());
            EXPECT_EQ(Messages().last(),
                      QStringLiteral("Are you sure you want to delete \"Bergen\" from the "
                                     "database?"));
            EXPECT_EQ(list->count(), 3);
            platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
            Tap(editor->DeleteButton());
            EXPECT_EQ(list->count(), 2);
            Tap(editor->OkButton());
        });
        WhenMenuOpens(ModifyEntryText());
        Tap(details->Page(CPageExpenseSlipDetails::kLocation)->Button());
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Near Lisbon"));
    });
    EXPECT_EQ(Remembered(CHistoryHolder::Kind::ExpenseLocations),
              (QStringList{QStringLiteral("Arendal"), QStringLiteral("Lisbon")}));
}

TEST_F(ContactsTest, ARememberedPurposeGoesInAtTheCaret) {
    Remember(CHistoryHolder::Kind::Purpose, {QStringLiteral("Training")});
    StartFrame();
    OnDetails([](CSheetExpenseSlipDetails* details) {
        QPlainTextEdit* edit = details->Edit(CPageExpenseSlipDetails::kPurpose);
        BitmapButton* button = details->Page(CPageExpenseSlipDetails::kPurpose)->Button();
        WhenMenuOpens(QStringLiteral("Training"));
        Tap(button);
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Training"));
        Type(edit, QStringLiteral(" day"));
        WhenMenuOpens(QStringLiteral("Training"));
        Tap(button);
        EXPECT_EQ(edit->toPlainText(), QStringLiteral("Training day, Training"));
    });
}

TEST_F(ContactsTest, TheSlipsDescriptionListOpensItsEditorAndAddsBesideTheText) {
    StartFrame();
    CCategoryEx* lunch = document_->GetCategories().Find(QStringLiteral("Lunch"));
    ASSERT_NE(lunch, nullptr);
    lunch->GetDescriptionHistory().Add(QStringLiteral("Client lunch"));
    OnSlip([this](CExpenseSlipDialog* slip) {
        QComboBox* description = slip->Description();
        const auto pick = [description](const QString& text) {
            description->showPopup();
            QAbstractItemView* view = description->view();
            const QModelIndex index = view->model()->index(description->findText(text), 0);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                              view->visualRect(index).center());
        };
        Type(description->lineEdit(), QStringLiteral("Taxi"));
        pick(QStringLiteral("Client lunch"));
        EXPECT_EQ(description->currentText(), QStringLiteral("Taxi, Client lunch"));
        WhenDialogOpens([this](QDialog* dialog) {
            auto* editor = qobject_cast<CModifyListDialog*>(dialog);
            ASSERT_NE(editor, nullptr);
            WhenEntryOpens(QStringLiteral("Working lunch"));
            Tap(editor->AddButton());
            Tap(editor->OkButton());
        });
        pick(QStringLiteral("Modify..."));
        EXPECT_EQ(description->currentText(), QStringLiteral("Taxi, Client lunch"));
        EXPECT_GE(description->findText(QStringLiteral("Working lunch")), 0);
    });
    CHistory stored(lunch->GetDescriptionHistory().GetFilePath());
    stored.Load(false);
    EXPECT_EQ(stored.GetItems(),
              (QStringList{QStringLiteral("Client lunch"), QStringLiteral("Working lunch")}));
}

TEST_F(ContactsTest, ARememberedDescriptionReadingLikeTheEditorEntryIsInserted) {
    StartFrame();
    CCategoryEx* lunch = document_->GetCategories().Find(QStringLiteral("Lunch"));
    ASSERT_NE(lunch, nullptr);
    lunch->GetDescriptionHistory().Add(ModifyEntryText());
    OnSlip([this](CExpenseSlipDialog* slip) {
        QComboBox* description = slip->Description();
        ASSERT_EQ(description->count(), 2);
        const auto pick = [description](int row) {
            description->showPopup();
            QAbstractItemView* view = description->view();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                              view->visualRect(view->model()->index(row, 0)).center());
        };
        Type(description->lineEdit(), QStringLiteral("Taxi"));
        // No editor opens: an unexpected dialog fails the test.
        pick(0);
        EXPECT_EQ(description->currentText(), QStringLiteral("Taxi, Modify..."));
        bool editorOpened = false;
        WhenDialogOpens([&editorOpened](QDialog* dialog) {
            editorOpened = qobject_cast<CModifyListDialog*>(dialog) != nullptr;
            dialog->reject();
        });
        pick(1);
        EXPECT_TRUE(editorOpened);
    });
}

TEST_F(ContactsTest, TheSquareScreenShowsTheDetailsAsASheetOfThreePages) {
    StartFrame();
    EXPECT_EQ(CSheetExpenseSlipDetails::ShowDetails(nullptr, frame_.get()), QDialog::Rejected);
    frame_->resize(240, 240);
    QApplication::processEvents();
    CExpenseRecord record;
    record.SetLocation(QStringLiteral("Oslo"));
    WhenOpens<CSheetExpenseSlipDetails>(
        [](CSheetExpenseSlipDetails* details) {
            EXPECT_EQ(details->TitleLabel()->text(), QStringLiteral("Details"));
            ASSERT_TRUE(details->Tabs()->isVisible());
            ASSERT_EQ(details->Tabs()->count(), 3);
            EXPECT_EQ(details->Tabs()->tabText(1), QStringLiteral("Purpose"));
            details->Tabs()->setCurrentIndex(1);
            Type(details->Edit(CPageExpenseSlipDetails::kPurpose), QStringLiteral("Fair"));
            Tap(details->SaveButton());
        },
        QDialog::Rejected);
    record.SetModified(false);
    EXPECT_EQ(CSheetExpenseSlipDetails::ShowDetails(&record, frame_.get()), QDialog::Accepted);
    EXPECT_EQ(record.GetLocation(), QStringLiteral("Oslo"));
    EXPECT_EQ(record.GetPurpose(), QStringLiteral("Fair"));
    EXPECT_TRUE(record.IsModified());
}

}  // namespace
