#include "clicompletion.h"

#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

#include "cli/clitool.h"
#include "cli/cliusage.h"
#include "lists/categoryexmanager.h"
#include "lists/paidwithmanager.h"
#include "platform/directories.h"
#include "platform/filehelpers.h"
#include "report/expensedoc.h"

namespace {

// What the shell offers for the word being typed.
struct Offer {
    enum class Kind { kWords, kFiles, kNone };
    Kind kind = Kind::kNone;
    QStringList words;

    static Offer Words(const QStringList& words) { return {Kind::kWords, words}; }
    static Offer Files() { return {Kind::kFiles, {}}; }
};

const QStringList kToolOptions{QStringLiteral("--help"), QStringLiteral("--version"),
                               QStringLiteral("--root"), QStringLiteral("--registry")};

// The titles of the report files of `folder`, whatever the case of their
// extension.
QStringList ReportTitles(const QString& folder) {
    QStringList titles;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.xpf")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        titles.append(file.chopped(4));
    }
    return titles;
}

// The names of one of the user's lists. Read only where the user's folder
// is there: a name typed in a mistaken --root must not make one.
enum class ListKind { kCategories, kCurrencies, kPaymentSources, kClassifications };

QStringList ListNames(ListKind kind) {
    if (!IsDirectory(GetReportsDirectory())) {
        return {};
    }
    CExpenseDoc doc;
    QStringList names;
    switch (kind) {
        case ListKind::kCategories:
            for (const CCategoryEx& category : doc.GetCategories()) {
                names.append(category.GetName());
            }
            break;
        case ListKind::kCurrencies:
            names = doc.GetCurrencyTable().GetCurrencies(true) +
                    doc.GetCurrencyTable().GetCurrencies(false);
            break;
        case ListKind::kPaymentSources:
            for (const CPaidWith& paidWith : doc.GetPaymentSources()) {
                names.append(paidWith.GetName());
            }
            break;
        case ListKind::kClassifications:
            if (const CClassificationGroup* group =
                    doc.GetClassificationGroups().GetCurrentGroup()) {
                for (const CClassification& classification : *group) {
                    names.append(classification.GetName());
                }
            }
            break;
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

// The word the usage lines put after `option` of `command`: "NAME",
// "csv|pdf", ...; empty for an option that takes no value.
QString ValueWord(const QString& command, const QString& option) {
    const QString usage = CliUsage::Of(command);
    const QRegularExpression value(
        QRegularExpression::escape(option) +
        QStringLiteral(" ([A-Z][A-Z0-9-]*|[a-z0-9]+(?:\\|[a-z0-9]+)+)"));
    const QRegularExpressionMatch match = value.match(usage);
    return match.hasMatch() ? match.captured(1) : QString();
}

Offer ValueOffer(const QString& option, const QString& word) {
    if (option == QLatin1String("--category")) {
        return Offer::Words(ListNames(ListKind::kCategories));
    }
    if (option == QLatin1String("--currency")) {
        return Offer::Words(ListNames(ListKind::kCurrencies));
    }
    if (option == QLatin1String("--paid-with")) {
        return Offer::Words(ListNames(ListKind::kPaymentSources));
    }
    if (option == QLatin1String("--classification")) {
        return Offer::Words(ListNames(ListKind::kClassifications));
    }
    if (option == QLatin1String("--report")) {
        return Offer::Words(ReportTitles(GetReportsDirectory()));
    }
    if (word == QLatin1String("PATH")) {
        return Offer::Files();
    }
    // A choice the usage lines spell out: "csv|pdf", "0|1|2".
    if (word.contains(QLatin1Char('|')) && word == word.toLower()) {
        return Offer::Words(word.split(QLatin1Char('|')));
    }
    return {};
}

Offer ArgumentOffer(const QString& command, const QStringList& positional) {
    if (command == QLatin1String("trash")) {
        if (positional.isEmpty()) {
            return Offer::Words(
                {QStringLiteral("list"), QStringLiteral("restore"), QStringLiteral("empty")});
        }
        if (positional.size() == 1 && positional.first() == QLatin1String("restore")) {
            return Offer::Words(ReportTitles(GetTrashDirectory()));
        }
        return {};
    }
    if (command == QLatin1String("rates")) {
        return positional.isEmpty() ? Offer::Words({QStringLiteral("update")}) : Offer{};
    }
    if (!positional.isEmpty()) {
        return {};
    }
    const QString first = CliUsage::FirstArgument(command);
    if (first == QLatin1String("REPORT")) {
        return Offer::Words(ReportTitles(GetReportsDirectory()));
    }
    if (first == QLatin1String("COMMAND")) {
        return Offer::Words(CliUsage::Commands());
    }
    if (first == QLatin1String("FILE") || first == QLatin1String("ARCHIVE")) {
        return Offer::Files();
    }
    return {};
}

Offer Complete(const QStringList& before, const QString& typed) {
    // The first word that is no option is the command.
    qsizetype at = 0;
    while (at < before.size() && before[at].startsWith(QLatin1Char('-'))) {
        ++at;
    }
    if (at == before.size()) {
        return Offer::Words(typed.startsWith(QLatin1Char('-')) ? kToolOptions
                                                               : CliUsage::Commands());
    }
    const QString command = before[at];
    if (!CliUsage::Commands().contains(command)) {
        return {};
    }
    QStringList positional;
    for (qsizetype i = at + 1; i < before.size(); ++i) {
        const QString& word = before[i];
        if (!word.startsWith(QLatin1String("--"))) {
            positional.append(word);
            continue;
        }
        const QString value = ValueWord(command, word);
        if (!value.isEmpty() && i + 1 == before.size()) {
            return ValueOffer(word, value);
        }
        if (!value.isEmpty()) {
            ++i;
        }
    }
    if (typed.startsWith(QLatin1Char('-'))) {
        return Offer::Words(CliUsage::Options(command));
    }
    const Offer argument = ArgumentOffer(command, positional);
    // With its arguments given, a command's options are what comes next.
    if (argument.kind == Offer::Kind::kNone && typed.isEmpty() &&
        !CliUsage::FirstArgument(command).isEmpty() && !positional.isEmpty()) {
        return Offer::Words(CliUsage::Options(command));
    }
    return argument;
}

}  // namespace

int CliCompletion::Run(const QStringList& arguments) {
    QStringList words = arguments;
    if (!words.isEmpty() && words.first() == QLatin1String("--")) {
        words.removeFirst();
    }
    const QString typed = words.isEmpty() ? QString() : words.takeLast();
    const Offer offer = Complete(words, typed);
    QTextStream out(stdout);
    switch (offer.kind) {
        case Offer::Kind::kWords:
            out << "words\n";
            for (const QString& word : offer.words) {
                if (word.startsWith(typed, Qt::CaseInsensitive)) {
                    out << word << '\n';
                }
            }
            break;
        case Offer::Kind::kFiles:
            out << "files\n";
            break;
        case Offer::Kind::kNone:
            out << "none\n";
            break;
    }
    return CliTool::kSuccess;
}
