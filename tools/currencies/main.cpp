// outlaysheet-currencytable: turns the currency list data/currencies.csv into
// the CurrencyTable.dat the program ships, written by the program's own
// writer so that the file is exactly what the program itself would save.
//
//   outlaysheet-currencytable CSV OUT
//
// The list is the output of make-currency-list.py beside this file: lines
// starting with "#" are notes, the first other line names the columns.

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimeZone>
#include <cstdio>

#include "lists/currencytable.h"

namespace {

int Fail(const QString& message) {
    std::fprintf(stderr, "outlaysheet-currencytable: %s\n", qPrintable(message));
    return 1;
}

// One CSV line as Python's csv module writes it: fields separated by commas,
// quoted when they hold a comma or a quote, a quote inside doubled.
QStringList SplitCsvLine(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

class Row {
public:
    Row(const QHash<QString, qsizetype>& columns, QStringList fields)
        : columns_(columns), fields_(std::move(fields)) {}

    QString Text(const char* column) const {
        return fields_.value(columns_.value(QString::fromLatin1(column), -1));
    }
    // The column as a whole number; `ok` is cleared when it is not one.
    int Number(const char* column, bool& ok) const {
        bool read = false;
        const int value = Text(column).toInt(&read);
        ok = ok && read;
        return value;
    }

private:
    const QHash<QString, qsizetype>& columns_;
    QStringList fields_;
};

// The list's rows as currencies and rates of `table`; an error text when a
// row cannot be used.
QString AddRows(const QString& csvPath, CCurrencyTable& table) {
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return QStringLiteral("cannot read %1").arg(csvPath);
    }
    QHash<QString, qsizetype> columns;
    QSet<QString> names;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n'));
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList fields = SplitCsvLine(line);
        if (columns.isEmpty()) {
            for (qsizetype i = 0; i < fields.size(); ++i) {
                columns.insert(fields[i], i);
            }
            continue;
        }
        const QString where = QStringLiteral("%1:%2: ").arg(csvPath).arg(lineNumber);
        if (fields.size() != columns.size()) {
            return where +
                   QStringLiteral("%1 fields, not %2").arg(fields.size()).arg(columns.size());
        }
        const Row row(columns, fields);
        const QString name = row.Text("name");
        if (name.isEmpty() || names.contains(name)) {
            return where + QStringLiteral("the name \"%1\" is empty or taken").arg(name);
        }
        names.insert(name);
        bool ok = true;
        CCurrencyFormat format;
        // The separators first: SetDigits gives a format without one a
        // decimal separator of its own choosing.
        format.SetDecimalSeparator(row.Text("decimalSeparator"));
        format.SetThousandSeparator(row.Text("thousandSeparator"));
        format.SetDigits(row.Number("digits", ok));
        format.SetLeadingZero(row.Number("leadingZero", ok));
        format.SetGroupingText(row.Text("grouping"));
        format.SetPositiveOrder(row.Number("positiveOrder", ok));
        format.SetNegativeOrder(row.Number("negativeOrder", ok));
        format.SetSymbol(row.Text("symbol"));
        format.SetCode(row.Text("code"));
        bool rateRead = false;
        const double rate = row.Text("rate").toDouble(&rateRead);
        const QDate date = QDate::fromString(row.Text("rateDate"), Qt::ISODate);
        if (!ok || !rateRead || !(rate > 0.0) || !date.isValid() || format.GetCode().isEmpty()) {
            return where + QStringLiteral("a number, the rate, its date or the code is wrong");
        }
        table.SetFormat(name, format);
        // Noon UTC shows as the day of the rate in every time zone a
        // traveller is likely to be in.
        const TimeStamp updated =
            QDateTime(date, QTime(12, 0), QTimeZone::utc()).toSecsSinceEpoch();
        table.SetRate(format.GetCode(), CurrencyRate(rate, updated), false, true);
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() != 2) {
        return Fail(QStringLiteral("usage: outlaysheet-currencytable CSV OUT"));
    }
    const QString out = arguments[1];
    CCurrencyTable table(out);
    if (const QString error = AddRows(arguments[0], table); !error.isEmpty()) {
        return Fail(error);
    }
    // The program starts every user at the U.S. dollar and moves the home
    // currency to the device's own on the first load.
    if (!table.HasFormat(QString::fromLatin1(CCurrencyTable::kDefaultHomeCurrency))) {
        return Fail(QStringLiteral("the list has no \"%1\"")
                        .arg(QString::fromLatin1(CCurrencyTable::kDefaultHomeCurrency)));
    }
    table.SetInternationalTraveler(false);
    if (!QDir().mkpath(QFileInfo(out).absolutePath()) || !table.Save(false)) {
        return Fail(QStringLiteral("cannot write %1").arg(out));
    }
    return 0;
}
