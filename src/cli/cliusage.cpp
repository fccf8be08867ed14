#include "cliusage.h"

#include <QRegularExpression>

namespace {

struct Command {
    const char* name;
    // The command's lines as the full text shows them: its synopsis from
    // the third column, what it does from the fourteenth.
    const char* lines;
};

const Command kCommands[] = {
    {"help",
     "  help [COMMAND]\n"
     "             this text, or the lines of one command (also COMMAND --help)\n"},
    {"dump", "  dump FILE  a data or report file as JSON: its header and contents\n"},
    {"init-data", "  init-data  install the shipped pictures and currency table the user lacks\n"},
    {"reports",
     "  reports    the report files of the reports folder with their headers, as JSON\n"},
    {"new-report",
     "  new-report TITLE [--location T] [--purpose T] [--cash-advance X]\n"
     "             a new, empty report in the reports folder\n"},
    {"add-expense",
     "  add-expense REPORT --category NAME --amount X [--date ISO-8601]\n"
     "             [--currency NAME|CODE --rate R|--charged X] [--description T]\n"
     "             [--paid-with NAME] [--type 0|1|2] [--classification NAME]\n"
     "             [--receipt] [--nights N]\n"
     "             an expense of a category of the list; lodging of N nights is one\n"
     "             expense a night; for the mileage category the amount is the\n"
     "             distance. --charged X is what the home currency was charged: the\n"
     "             rate is the amount / X. Amounts lie within -999,999,999,999.99 to\n"
     "             999,999,999,999.99, rates within 0.000000001 to 1,000,000,000.\n"
     "             A currency CODE that several currencies share (EUR) is taken\n"
     "             only when one of them is in use or the home currency\n"},
    {"select",
     "  select REPORT --field N --op N --value V [--narrow]\n"
     "  select REPORT --clear\n"
     "             select the report's expenses by a condition, or end the selection\n"},
    {"totals", "  totals REPORT  the report's six totals, computed from its expenses\n"},
    {"receipts",
     "  receipts REPORT\n"
     "             every receipt of the report with its expense's INDEX (its place,\n"
     "             from 0, in dump's list of records), and the unmatched ones\n"},
    {"attach",
     "  attach REPORT INDEX FILE... [--keep-original]\n"
     "             attach JPEG, PNG or WebP pictures or PDF scans (50 MB at most) to\n"
     "             the expense INDEX and tick its receipt box; pictures are stored at\n"
     "             2,000 pixels on the long side unless --keep-original\n"},
    {"detach",
     "  detach REPORT INDEX [FILE]\n"
     "             take one receipt (as receipts lists it, or by its name), or all,\n"
     "             off the expense INDEX\n"},
    {"lists",
     "  lists      the categories, payment sources and classifications (of the current\n"
     "             group) with the picture file each shows, \"\" for a missing one\n"},
    {"export",
     "  export REPORT --format csv|pdf|package [--selected] [--folder]\n"
     "         [--output PATH]\n"
     "             the report (with --selected, the expenses of its selection) as a\n"
     "             spreadsheet file, a printable PDF, or a package of both with every\n"
     "             receipt (a ZIP file, or with --folder a folder), in the Exports\n"
     "             folder unless PATH names a file or a folder; prints the path\n"
     "             written\n"},
    {"init",
     "  init       the first-run data step: distance unit, personal information\n"
     "             from the owner information, shipped data the user lacks\n"},
    {"install",
     "  install    record this program's folder as the installation folder, then init\n"},
    {"force-sync",
     "  force-sync [--images]\n"
     "             mark every report and data file (and picture) as changed for the\n"
     "             next synchronisation\n"},
    {"check-sync",
     "  check-sync register and check the synchronisation provider, as the program's\n"
     "             start does\n"},
    {"backup",
     "  backup ARCHIVE [--all-reports | --report NAME ...] [--data] [--images]\n"
     "         [--receipts] [--overwrite]\n"
     "             back up reports, data files and pictures (and the receipts of the\n"
     "             reports, of all without a report) into a .xbf archive; an\n"
     "             existing archive is replaced only with --overwrite\n"},
    {"restore",
     "  restore ARCHIVE [--all-reports | --report NAME ...] [--data] [--images]\n"
     "          [--receipts] [--no-replace] [--ask]\n"
     "             restore from an archive; --ask reads y, n or c for each question\n"
     "             from standard input\n"},
    {"contacts",
     "  contacts   the names of the address book (OUTLAYSHEET_CONTACTS, else\n"
     "             $XDG_DATA_HOME/contacts: its *.vcf files)\n"},
    {"archive-list",
     "  archive-list ARCHIVE  the entries of an archive: name, comment, size, method\n"},
    {"rates",
     "  rates update [--file PATH]\n"
     "             the day's reference rates of the European Central Bank, read from\n"
     "             PATH or fetched from the bank (OUTLAYSHEET_RATES_URL), counted\n"
     "             against the home currency and stored with their day; codes the\n"
     "             currency table does not know are listed, not taken\n"},
    {"trash",
     "  trash list | restore NAME | empty\n"
     "             the deleted reports: list them, move one back, delete them all\n"},
};

const char* const kReportNote =
    "REPORT is a report title of the reports folder or the path of a report file.\n";

const Command* Find(const QString& name) {
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

QString CliUsage::Full() {
    QString text = QStringLiteral(
        "Usage: outlaysheet-cli [--root DIR] [--registry DIR] COMMAND ...\n"
        "       outlaysheet-cli --help | --version\n"
        "\n"
        "Commands:\n");
    for (const Command& command : kCommands) {
        text += QLatin1String(command.lines);
    }
    text += QLatin1String(kReportNote);
    text += QStringLiteral(
        "\n"
        "--root DIR       the documents folder (else OUTLAYSHEET_ROOT, else the XDG\n"
        "                 documents folder); the reports live in DIR/Outlaysheet\n"
        "--registry DIR   the folder of the settings files (else OUTLAYSHEET_REGISTRY,\n"
        "                 else $XDG_CONFIG_HOME/Tillhouse/registry)\n"
        "--version        the program's version\n"
        "\n"
        "Exit status: 0 success, 1 the operation failed (a value the command cannot\n"
        "take included), 2 usage error (an unknown command or option, a missing one).\n");
    return text;
}

QString CliUsage::Of(const QString& command) {
    const Command* found = Find(command);
    if (found == nullptr) {
        return {};
    }
    QString text = QStringLiteral("Usage:\n") + QLatin1String(found->lines);
    if (text.contains(QLatin1String("REPORT"))) {
        text += QLatin1String(kReportNote);
    }
    return text;
}

QStringList CliUsage::Commands() {
    QStringList names;
    for (const Command& command : kCommands) {
        names.append(QLatin1String(command.name));
    }
    return names;
}

QStringList CliUsage::Options(const QString& command) {
    const Command* found = Find(command);
    if (found == nullptr) {
        return {};
    }
    static const QRegularExpression kOption(QStringLiteral("--[a-z][a-z-]*"));
    QStringList options;
    for (const QRegularExpressionMatch& match :
         kOption.globalMatch(QString::fromLatin1(found->lines))) {
        if (!options.contains(match.captured())) {
            options.append(match.captured());
        }
    }
    options.append(QStringLiteral("--help"));
    return options;
}

QString CliUsage::FirstArgument(const QString& command) {
    const Command* found = Find(command);
    if (found == nullptr) {
        return {};
    }
    // The word after the name, when it is in capitals: "REPORT" in
    // "  totals REPORT  the report's ...".
    static const QRegularExpression kFirst(QStringLiteral("^  \\S+ \\[?([A-Z][A-Z-]*)\\b"));
    const QRegularExpressionMatch match = kFirst.match(QString::fromLatin1(found->lines));
    return match.hasMatch() ? match.captured(1) : QString();
}
