#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "app/instancechannel.h"
#include "framefixture.h"
#include "support/clirunner.h"
#include "views/frame/statusbar.h"
#include "views/widgets/guiprompts.h"

namespace {

TEST(GuiPromptsTest, BoxesShowTheTextIconAndButtonsAskedFor) {
    TestPlatform platform;
    struct Case {
        PromptButtons buttons;
        PromptIcon icon;
        QMessageBox::Icon shownIcon;
        QStringList shownButtons;
    };
    const Case cases[] = {
        {PromptButtons::Ok, PromptIcon::Information, QMessageBox::Information, {"OK"}},
        {PromptButtons::Ok, PromptIcon::Exclamation, QMessageBox::Warning, {"OK"}},
        {PromptButtons::Ok, PromptIcon::None, QMessageBox::NoIcon, {"OK"}},
        {PromptButtons::YesNo, PromptIcon::Question, QMessageBox::Question, {"&Yes", "&No"}},
        {PromptButtons::YesNoCancel,
         PromptIcon::Question,
         QMessageBox::Question,
         {"&Yes", "&No", "Cancel"}},
    };
    for (const Case& c : cases) {
        const auto box =
            GuiPrompts::MakeBox(QStringLiteral("Text\nmore"), c.buttons, c.icon, nullptr);
        EXPECT_EQ(box->text(), QStringLiteral("Text\nmore"));
        EXPECT_EQ(box->icon(), c.shownIcon);
        QStringList buttons;
        for (QAbstractButton* button : box->buttons()) {
            buttons.append(button->text());
        }
        buttons.sort();
        QStringList expected = c.shownButtons;
        expected.sort();
        EXPECT_EQ(buttons, expected);
    }
}

TEST(GuiPromptsTest, ClosingAQuestionAnswersItsSafestButton) {
    TestPlatform platform;
    GuiPrompts prompts;
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    EXPECT_EQ(
        prompts.Show(QStringLiteral("Replace?"), PromptButtons::YesNoCancel, PromptIcon::Question),
        PromptAnswer::Cancel);
}

using RefreshTest = FrameFixture;

// outlaysheet-cli changes a report while the window shows it: the window reads
// the files again when asked and shows the new count and total.
TEST_F(RefreshTest, TheCommandLineToolsChangesReachTheWindow) {
    MakeReport(QStringLiteral("Trip"), {10});
    StartFrame();
    InstanceChannel channel;
    ASSERT_TRUE(channel.Listen());
    QObject::connect(&channel, &InstanceChannel::refreshRequested, frame_.get(),
                     &CMainFrame::ReloadFromFiles);
    QProcess cli;
    cli.start(ProgramPath(QStringLiteral("outlaysheet-cli")),
              {QStringLiteral("--root"), platform_.Root(), QStringLiteral("--registry"),
               platform_.RegistryFolder(), QStringLiteral("add-expense"), QStringLiteral("Trip"),
               QStringLiteral("--category"), QStringLiteral("Lunch"), QStringLiteral("--amount"),
               QStringLiteral("2.50")});
    // The window's event loop must run while the tool waits for it.
    QElapsedTimer clock;
    clock.start();
    while (cli.state() != QProcess::NotRunning && clock.elapsed() < 20000) {
        QTest::qWait(10);
    }
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QTRY_COMPARE_WITH_TIMEOUT(frame_->Status()->ItemCount()->text(), QStringLiteral("2 items"),
                              5000);
    EXPECT_EQ(frame_->Status()->Total()->text(), QStringLiteral("Total $12.50"));
}

// Two real starts of the program on the same folders: the second hands over
// to the first and leaves at once.
TEST(SingleInstanceTest, ASecondStartLeavesTheFirstInCharge) {
    TestPlatform platform;
    const QStringList arguments = {QStringLiteral("--root"), platform.Root(),
                                   QStringLiteral("--registry"), platform.RegistryFolder(),
                                   QStringLiteral("--no-splash")};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(ProgramPath(QStringLiteral("outlaysheet")), arguments);
    ASSERT_TRUE(first.waitForStarted());
    // Up once it answers on its channel.
    QElapsedTimer clock;
    clock.start();
    while (!InstanceChannel::Send(InstanceChannel::Request::Refresh, 200) &&
           clock.elapsed() < 20000) {
        QTest::qWait(50);
    }
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(environment);
    clock.restart();
    second.start(ProgramPath(QStringLiteral("outlaysheet")), arguments);
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

TEST(StartTest, WithoutADisplayTheProgramSaysSoAndNamesTheTool) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QString::fromLatin1(name));
    }
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(ProgramPath(QStringLiteral("outlaysheet")), {});
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(error.contains(QStringLiteral("no display"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("outlaysheet-cli"))) << error.toStdString();
}

}  // namespace
