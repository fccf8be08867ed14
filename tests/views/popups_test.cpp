#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "framefixture.h"
#include "platform/desktopshell.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "views/backup/pagebackup.h"
#include "views/backup/pagerestore.h"
#include "views/widgets/pathfield.h"
#include "views/backup/sheetbackuprestore.h"
#include "views/frame/exportdialog.h"
#include "views/slip/categorybutton.h"
#include "views/slip/expenseslipdialog.h"
#include "views/slip/viewexpense.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/guiprompts.h"
#include "views/widgets/promptbox.h"
#include "views/widgets/storeddateedit.h"
#include "views/widgets/wrappinglabel.h"

namespace {

const QSize kForms[] = {{240, 320}, {320, 240}, {240, 240}};

std::string FormName(QSize size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

QRect OnScreen(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

class PopUpsTest : public FrameFixture {
protected:
    // The place of the pop-up that `open` opens, which is then closed.
    static QRect PopUpOpenedBy(const std::function<void()>& open) {
        QRect shown;
        QTimer watcher;
        watcher.setInterval(5);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QWidget* popUp = QApplication::activePopupWidget();
            if (popUp != nullptr && popUp->isVisible() && shown.isNull()) {
                shown = popUp->geometry();
                popUp->close();
            }
        });
        watcher.start();
        open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isNull(); }));
        return shown;
    }

    // Shows `text` as the program's window shows a message, and runs
    // `look` on the box.
    void ShowMessage(const QString& text, PromptButtons buttons,
                     const std::function<void(PromptBox*)>& look) {
        GuiPrompts prompts;
        prompts.SetWindow(frame_.get());
        WhenDialogOpens([look](QDialog* dialog) {
            auto* box = qobject_cast<PromptBox*>(dialog);
            ASSERT_NE(box, nullptr);
            look(box);
            box->reject();
        });
        prompts.Show(text, buttons, PromptIcon::Question);
    }
};

// A message names a file by its whole path; on the handheld's screen it is
// broken into lines (inside a long name too) and the box keeps inside the
// window, every character shown.
TEST_F(PopUpsTest, MessageBoxesFitTheWindowAndShowTheWholeText) {
    StartFrame();
    const QString longName = JoinPath(
        GetReportsDirectory(), QStringLiteral("Quarterly-expenses-of-the-northern-region.xpf"));
    const struct {
        QString text;
        PromptButtons buttons;
    } messages[] = {
        {QStringLiteral("Replace Existing File: ") + longName, PromptButtons::YesNoCancel},
        {QStringLiteral("%1 already exists. Do you want to replace it?")
             .arg(platform_.Path(QStringLiteral("Backups/Trips of the second quarter.xbf"))),
         PromptButtons::YesNo},
        {QStringLiteral("Backup Was Successful"), PromptButtons::Ok},
    };
    for (const QSize form : kForms) {
        frame_->resize(form);
        QApplication::processEvents();
        for (const auto& message : messages) {
            SCOPED_TRACE(FormName(form) + " " + message.text.toStdString());
            ShowMessage(message.text, message.buttons, [&](PromptBox* box) {
                EXPECT_TRUE(OnScreen(frame_.get()).contains(box->frameGeometry()));
                EXPECT_EQ(box->text(), message.text);
                WrappingLabel* label = box->TextLabel();
                ASSERT_TRUE(label->isVisible());
                EXPECT_TRUE(box->rect().contains(QRect(label->pos(), label->size())));
                const int width = label->contentsRect().width();
                const QStringList lines = label->Lines(width);
                EXPECT_EQ(lines.join(QString()), message.text);
                for (const QString& line : lines) {
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(line.trimmed()), width)
                        << line.toStdString();
                }
                EXPECT_GE(label->height(), label->heightForWidth(label->width()));
                for (QAbstractButton* button : box->buttons()) {
                    EXPECT_TRUE(box->rect().contains(QRect(button->pos(), button->size())))
                        << button->text().toStdString();
                }
            });
        }
    }
}

// Menus, the slip's pop-ups and the calendar open inside the window, even
// where the desktop's screen would leave room for them to run past it.
TEST_F(PopUpsTest, MenusAndPopUpsOpenInsideTheWindow) {
    MakeReport(QStringLiteral("Trip"), {1});
    StartFrame();
    for (const QSize form : kForms) {
        SCOPED_TRACE(FormName(form));
        frame_->resize(form);
        QApplication::processEvents();
        const QRect window = OnScreen(frame_.get());
        for (QToolButton* button : frame_->Commands()->findChildren<QToolButton*>()) {
            if (button->text() == QLatin1String("Tools") ||
                button->text() == QLatin1String("View")) {
                EXPECT_TRUE(window.contains(PopUpOpenedBy([button] { Tap(button); })))
                    << button->text().toStdString();
            }
        }
        WhenDialogOpens([&](QDialog* dialog) {
            auto* slip = qobject_cast<CExpenseSlipDialog*>(dialog);
            ASSERT_NE(slip, nullptr);
            EXPECT_TRUE(window.contains(PopUpOpenedBy([slip] { Tap(slip->ExpenseTypeButton()); })))
                << "expense type";
            QDateEdit* date = slip->DateEdit();
            const QPoint arrow(date->width() - 4, date->height() / 2);
            EXPECT_TRUE(window.contains(PopUpOpenedBy([date, arrow] { Tap(date, arrow); })))
                << "calendar";
            Tap(slip->CancelButton());
        });
        Tap(frame_->MainView()->Button(4));
    }
}

// Export ends with the whole path, broken to fit, and buttons that hand the
// file and its folder to the desktop's programs.
TEST_F(PopUpsTest, ExportEndsWithTheWholePathAndOffersToOpenIt) {
    MakeReport(QStringLiteral("Northern sales region"), {1, 2});
    StartFrame();
    const QString path =
        JoinPath(GetExportsDirectory(), QStringLiteral("Northern sales region.pdf"));
    WhenDialogOpens([&](QDialog* dialog) {
        auto* exporter = qobject_cast<CExportDialog*>(dialog);
        ASSERT_NE(exporter, nullptr);
        Tap(exporter->ExportButton());
        WrappingLabel* label = exporter->WrittenLabel();
        ASSERT_TRUE(label->isVisible());
        EXPECT_EQ(label->text(), QStringLiteral("The expense report was exported to ") + path);
        EXPECT_GE(label->height(), label->heightForWidth(label->width()));
        EXPECT_TRUE(
            dialog->rect().contains(QRect(label->mapTo(dialog, QPoint(0, 0)), label->size())));
        Tap(exporter->OpenFileButton());
        Tap(exporter->OpenFolderButton());
        Tap(exporter->DoneButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Export...")));
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(Platform::Get().GetShell().Opened(), (QStringList{path, GetExportsDirectory()}));
    EXPECT_EQ(Messages(), QStringList());
}

// The file dialogs give the name and type fields room to show a name and the
// whole filter, in each form.
TEST_F(PopUpsTest, FileDialogsShowTheNameAndTheWholeFilter) {
    StartFrame();
    const auto Look = [](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* type = files->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(name != nullptr && type != nullptr);
        EXPECT_GE(name->width(), dialog->width() * 2 / 3);
        QStyleOptionComboBox option;
        option.initFrom(type);
        const QRect field = type->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, type);
        EXPECT_LE(type->fontMetrics().horizontalAdvance(type->currentText()), field.width())
            << type->currentText().toStdString();
        for (QPushButton* button : files->findChildren<QPushButton*>()) {
            if (button->isVisible()) {
                EXPECT_TRUE(dialog->rect().contains(
                    QRect(button->mapTo(dialog, QPoint(0, 0)), button->size())))
                    << button->text().toStdString();
            }
        }
        dialog->reject();
    };
    for (const QSize form : kForms) {
        SCOPED_TRACE(FormName(form));
        frame_->resize(form);
        QApplication::processEvents();
        WhenDialogOpens([&](QDialog* dialog) {
            auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
            ASSERT_NE(sheet, nullptr);
            WhenDialogOpens(Look);
            Tap(sheet->BackupPage()->BrowseButton());
            QTabBar* tabs = sheet->Tabs()->tabBar();
            Tap(tabs, tabs->tabRect(1).center());
            WhenDialogOpens(Look);
            Tap(sheet->RestorePage()->BrowseButton());
            Tap(sheet->DoneButton());
        });
        ASSERT_TRUE(Choose(QStringLiteral("Backup / Restore")));
        WhenDialogOpens(Look);
        ASSERT_TRUE(Choose(QStringLiteral("Open Report...")));
    }
}

// Choosing a file to save that exists asks in the program's own box, which
// fits the screen; No goes back to the dialog.
TEST_F(PopUpsTest, ReplacingAChosenFileIsAskedFirst) {
    StartFrame();
    const QString archive = platform_.Path(QStringLiteral("Trips of the second quarter.xbf"));
    ASSERT_TRUE(WriteFileBytes(archive, "old"));
    int dialogs = 0;
    const auto TypeName = [&](QDialog* files) {
        ++dialogs;
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(archive);
        QTest::keyClick(name, Qt::Key_Return);
    };
    WhenDialogOpens([&](QDialog* dialog) {
        auto* sheet = qobject_cast<CSheetBackupRestore*>(dialog);
        ASSERT_NE(sheet, nullptr);
        CPageBackup* page = sheet->BackupPage();
        // No, and the dialog comes back; Cancel there keeps the page as it was.
        WhenDialogOpens(TypeName);
        WhenDialogOpens([&](QDialog* files) {
            ++dialogs;
            files->reject();
        });
        Tap(page->BrowseButton());
        EXPECT_EQ(page->PathField()->text(), QString());
        // Yes chooses it.
        platform_.Prompts().QueueAnswer(PromptAnswer::Yes);
        WhenDialogOpens(TypeName);
        Tap(page->BrowseButton());
        EXPECT_EQ(page->PathField()->text(), archive);
        Tap(sheet->DoneButton());
    });
    ASSERT_TRUE(Choose(QStringLiteral("Backup / Restore")));
    EXPECT_EQ(dialogs, 3);
    const QString question =
        archive + QStringLiteral(" already exists. Do you want to replace it?");
    EXPECT_EQ(Messages(), (QStringList{question, question}));
    EXPECT_EQ(ReadFileBytes(archive), QByteArray("old"));
}

}  // namespace
