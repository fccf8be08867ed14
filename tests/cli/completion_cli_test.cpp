#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>

#include "support/clirunner.h"
#include "support/testplatform.h"

namespace {

// A user after the first run with the reports "Trip" and "Tokyo".
class TwoReportsPlatform : public TestPlatform {
public:
    TwoReportsPlatform() {
        EXPECT_EQ(RunCli(*this, {"init-data"}).exitCode, 0);
        EXPECT_EQ(RunCli(*this, {"new-report", "Trip"}).exitCode, 0);
        EXPECT_EQ(RunCli(*this, {"new-report", "Tokyo"}).exitCode, 0);
    }
};

}  // namespace

TEST(CliCompletion, TheToolOffersCommandsOptionsTitlesAndNames) {
    struct Case {
        QStringList words;  // the last is the word being typed
        QString out;
    } cases[] = {
        {{"add-e"}, "words\nadd-expense\n"},
        {{"--v"}, "words\n--version\n"},
        {{"--root", "x", "tot"}, "words\ntotals\n"},
        {{"totals", ""}, "words\nTokyo\nTrip\n"},
        {{"export", "tr"}, "words\nTrip\n"},
        {{"add-expense", "Trip", "--category", "Lu"}, "words\nLunch\n"},
        {{"add-expense", "Trip", "--currency", "Euro (Ge"}, "words\nEuro (Germany)\n"},
        {{"add-expense", "Trip", "--ni"}, "words\n--nights\n"},
        {{"add-expense", "Trip", "--amount", ""}, "none\n"},
        {{"add-expense", "Trip", "--amount", "1", "--rec"}, "words\n--receipt\n"},
        {{"export", "Trip", "--format", ""}, "words\ncsv\npdf\npackage\n"},
        {{"export", "Trip", "--fo"}, "words\n--format\n--folder\n"},
        {{"export", "Trip", "--output", ""}, "files\n"},
        {{"backup", "all.xbf", "--report", "To"}, "words\nTokyo\n"},
        {{"dump", ""}, "files\n"},
        {{"help", "to"}, "words\ntotals\n"},
        {{"trash", ""}, "words\nlist\nrestore\nempty\n"},
        {{"frobnicate", ""}, "none\n"},
    };
    TwoReportsPlatform platform;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.join(' ').toStdString());
        const CliResult run = RunCli(platform, QStringList{"complete", "--"} + c.words);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    }
    // Every command, and nothing that is not one.
    const CliResult commands = RunCli(platform, {"complete", "--", ""});
    EXPECT_TRUE(commands.out.startsWith("words\nhelp\ndump\n"));
    EXPECT_TRUE(commands.out.contains("\nlists\n"));
    EXPECT_FALSE(commands.out.contains("complete"));
}

TEST(CliCompletion, TheBashScriptOffersCommandsAndReportTitles) {
    const QString bash = QStandardPaths::findExecutable("bash");
    if (bash.isEmpty()) {
        GTEST_SKIP() << "no bash";
    }
    TwoReportsPlatform platform;
    // The words as bash splits the line, the cursor in the last one.
    const QString script = QStringLiteral(
        "source \"$1\"\n"
        "complete -p outlaysheet-cli\n"
        "offer() { COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _outlaysheet_cli;\n"
        "  printf '[%s]' \"${COMPREPLY[@]}\"; echo; }\n"
        "cli=(\"$2\" --root \"$3\" --registry \"$4\")\n"
        "offer \"${cli[@]}\" add-\n"
        "offer \"${cli[@]}\" totals T\n"
        "offer \"${cli[@]}\" add-expense Trip --category Lun\n"
        "offer \"${cli[@]}\" add-expense Trip --currency '\"Euro (Ge'\n");
    QProcess process;
    process.start(bash,
                  {"--norc", "--noprofile", "-c", script, "bash", OUTLAYSHEET_COMPLETION_SCRIPT,
                   ProgramPath("outlaysheet-cli"), platform.Root(), platform.RegistryFolder()});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()),
              "complete -F _outlaysheet_cli outlaysheet-cli\n"
              "[add-expense]\n"
              "[Tokyo][Trip]\n"
              "[Lunch]\n"
              "[Euro (Germany)]\n");
}
