#include "lists/referencerates.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include "money/moneybounds.h"

namespace {

// The bank's file nests its cubes three deep; anything much deeper is no
// rates file and must not cost the reader its stack or time.
constexpr int kMaxDepth = 8;
// About 30 currencies; a few hundred would be another file altogether.
constexpr size_t kMaxRates = 200;

const QString kNotRates = QStringLiteral("The file holds no reference rates of the bank.");

}  // namespace

bool CReferenceRates::Fail(const QString& problem) {
    problem_ = problem;
    date_ = QDate();
    rates_.clear();
    return false;
}

bool CReferenceRates::Parse(const QByteArray& bytes) {
    problem_.clear();
    date_ = QDate();
    rates_.clear();
    if (bytes.size() > kMaxFileSize) {
        return Fail(QStringLiteral("The file is larger than %1 KB: it holds no reference rates "
                                   "of the bank.")
                        .arg(kMaxFileSize / 1024));
    }
    static const QRegularExpression kCode(QStringLiteral("^[A-Z]{3}$"));
    // The reader never fetches an external entity, and a document type, where
    // entities of the file's own would be declared, is refused before any
    // could be expanded.
    QXmlStreamReader xml(bytes);
    int depth = 0;
    bool envelope = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            return Fail(
                QStringLiteral("The file declares a document type of its own: it holds "
                               "no reference rates of the bank."));
        } else if (token == QXmlStreamReader::EntityReference) {
            return Fail(kNotRates);
        } else if (token == QXmlStreamReader::StartElement) {
            if (++depth > kMaxDepth) {
                return Fail(kNotRates);
            }
            if (depth == 1) {
                envelope = xml.name() == QLatin1String("Envelope");
                if (!envelope) {
                    return Fail(kNotRates);
                }
            }
            if (xml.name() != QLatin1String("Cube")) {
                continue;
            }
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.hasAttribute(QLatin1String("time"))) {
                if (date_.isValid()) {
                    return Fail(QStringLiteral("The file holds the rates of more than one day."));
                }
                date_ = QDate::fromString(attributes.value(QLatin1String("time")).toString(),
                                          Qt::ISODate);
                if (!date_.isValid()) {
                    return Fail(QStringLiteral("The day of the rates is no date."));
                }
            }
            if (attributes.hasAttribute(QLatin1String("currency"))) {
                const QString code = attributes.value(QLatin1String("currency")).toString();
                bool number = false;
                const double rate = attributes.value(QLatin1String("rate")).toDouble(&number);
                if (!kCode.match(code).hasMatch()) {
                    return Fail(QStringLiteral("\"%1\" is no currency code.").arg(code.left(20)));
                }
                if (!number || !MoneyBounds::Contains(MoneyBounds::Kind::kRate, rate)) {
                    return Fail(QStringLiteral("The rate of %1: %2")
                                    .arg(code, MoneyBounds::Message(MoneyBounds::Kind::kRate)));
                }
                if (rates_.size() == kMaxRates) {
                    return Fail(kNotRates);
                }
                rates_.emplace_back(code, rate);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (xml.hasError()) {
        return Fail(xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
                        ? QStringLiteral("The file ends before its rates do.")
                        : QStringLiteral("The file is no XML file (line %1: %2).")
                              .arg(xml.lineNumber())
                              .arg(xml.errorString()));
    }
    if (!envelope || !date_.isValid() || rates_.empty()) {
        return Fail(kNotRates);
    }
    return true;
}
