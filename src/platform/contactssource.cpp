#include "contactssource.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include "codepage.h"
#include "platform.h"

namespace {

// One content line of a card: "GROUP.NAME;PARAM=x:value".
struct ContentLine {
    QByteArray name;               // upper case, without group
    QList<QByteArray> parameters;  // upper case
    QByteArray value;
};

// The colon that ends a line's name and parameters; one inside a quoted
// parameter value does not.
qsizetype ValueColon(QByteArrayView line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ':' && !quoted) {
            return i;
        }
    }
    return -1;
}

bool ParseLine(QByteArrayView line, ContentLine& parsed) {
    const qsizetype colon = ValueColon(line);
    if (colon <= 0) {
        return false;
    }
    QList<QByteArray> head = line.first(colon).toByteArray().split(';');
    const QByteArray name = head.takeFirst().trimmed().toUpper();
    parsed.name = name.mid(name.lastIndexOf('.') + 1);
    parsed.parameters.clear();
    for (const QByteArray& parameter : head) {
        parsed.parameters.append(parameter.trimmed().toUpper());
    }
    parsed.value = line.sliced(colon + 1).toByteArray();
    return true;
}

// A bare parameter ("QUOTED-PRINTABLE", as vCard 2.1 writes it) or the value
// of any parameter ("ENCODING=QUOTED-PRINTABLE").
bool HasParameter(const ContentLine& line, QByteArrayView parameter) {
    for (const QByteArray& given : line.parameters) {
        const qsizetype equals = given.indexOf('=');
        if (QByteArrayView(given).sliced(equals + 1) == parameter) {
            return true;
        }
    }
    return false;
}

QByteArray ParameterValue(const ContentLine& line, QByteArrayView name) {
    for (const QByteArray& given : line.parameters) {
        const qsizetype equals = given.indexOf('=');
        if (equals > 0 && QByteArrayView(given).first(equals) == name) {
            QByteArray value = given.mid(equals + 1);
            if (value.startsWith('"') && value.endsWith('"') && value.size() >= 2) {
                value = value.mid(1, value.size() - 2);
            }
            return value;
        }
    }
    return {};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

QByteArray DecodeQuotedPrintable(const QByteArray& value) {
    QByteArray decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size()) {
            const int high = HexDigit(value[i + 1]);
            const int low = HexDigit(value[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.append(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.append(value[i]);
    }
    return decoded;
}

// In the card's own character set when it names one this system knows;
// otherwise UTF-8 as vCard 3 and 4 say, and older cards in the device's code
// page.
QString DecodeText(const QByteArray& bytes, const QByteArray& charset) {
    if (!charset.isEmpty()) {
        QStringDecoder named(charset.constData(), QStringDecoder::Flag::Stateless);
        if (named.isValid()) {
            return named.decode(bytes);
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeDeviceCodePage(bytes) : text;
}

// The value of a text property without its escapes; for a structured one
// (N), its components.
QStringList Components(const ContentLine& line) {
    QByteArray value = line.value;
    if (HasParameter(line, "QUOTED-PRINTABLE")) {
        value = DecodeQuotedPrintable(value);
    } else if (HasParameter(line, "B") || HasParameter(line, "BASE64")) {
        value = QByteArray::fromBase64(value);
    }
    const QString text = DecodeText(value, ParameterValue(line, "CHARSET"));
    QStringList components{QString()};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[++i];
            components.last() +=
                (next == QLatin1Char('n') || next == QLatin1Char('N')) ? QLatin1Char(' ') : next;
        } else if (c == QLatin1Char(';')) {
            components.append(QString());
        } else {
            components.last() += c;
        }
    }
    return components;
}

// The names of the cards, built from their content lines one at a time.
class CardNames {
public:
    void Take(QByteArrayView logicalLine) {
        if (!ParseLine(logicalLine, line_)) {
            return;
        }
        const QByteArray value = line_.value.trimmed().toUpper();
        if (line_.name == "BEGIN" && value == "VCARD") {
            EndCard();  // a card left open ends where the next begins
            inCard_ = true;
        } else if (line_.name == "END" && value == "VCARD") {
            EndCard();
        } else if (!inCard_) {
            return;
        } else if (line_.name == "VERSION") {
            version21_ = value == "2.1";
        } else if (line_.name == "FN" && formatted_.isEmpty()) {
            formatted_ = Components(line_).join(QLatin1Char(';')).simplified();
        } else if (line_.name == "N" && composed_.isEmpty()) {
            // Family; given; additional; prefixes; suffixes.
            const QStringList parts = Components(line_);
            composed_ = QStringList{parts.value(3), parts.value(1), parts.value(2), parts.value(0),
                                    parts.value(4)}
                            .join(QLatin1Char(' '))
                            .simplified();
        }
    }

    QStringList Finish() {
        EndCard();
        return names_;
    }

    // vCard 2.1 keeps the blank that starts a continued line; later versions
    // drop it.
    bool KeepsFoldingBlank() const { return version21_; }

private:
    void EndCard() {
        if (inCard_) {
            names_.append(!formatted_.isEmpty() ? formatted_ : composed_);
        }
        inCard_ = false;
        version21_ = false;
        formatted_.clear();
        composed_.clear();
    }

    ContentLine line_;
    QStringList names_;
    bool inCard_ = false;
    bool version21_ = false;
    QString formatted_;
    QString composed_;
};

// The end of the physical line that starts at `start` (CR LF, LF or CR), and
// where the next one starts.
std::pair<qsizetype, qsizetype> LineEnd(QByteArrayView text, qsizetype start) {
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] == '\n') {
            return {i, i + 1};
        }
        if (text[i] == '\r') {
            return {i, i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1};
        }
    }
    return {text.size(), text.size()};
}

}  // namespace

ContactsSource::ContactsSource()
    : folder_(Platform::HasCurrent() ? Platform::Get().GetPaths().contactsFolder : QString()) {}

ContactsSource::ContactsSource(QString folder) : folder_(std::move(folder)) {}

bool ContactsSource::Open() {
    Close();
    const QDir folder(folder_);
    if (folder_.isEmpty() || !folder.exists() || !folder.isReadable()) {
        return false;
    }
    const QFileInfoList files = folder.entryInfoList(
        {QStringLiteral("*.vcf")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : files) {
        if (!info.isFile() || info.size() > kLargestFile) {
            continue;
        }
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            names_.append(NamesOf(file.read(kLargestFile)));
        }
    }
    open_ = true;
    return true;
}

void ContactsSource::Close() {
    names_.clear();
    open_ = false;
}

QString ContactsSource::Name(int position) const {
    return position >= 1 && position <= names_.size() ? names_[position - 1] : QString();
}

QStringList ContactsSource::NamesOf(const QByteArray& vcards) {
    // Some address books write UTF-16, and some a byte-order mark first (or
    // several); the lines are read as UTF-8 bytes either way.
    QByteArray converted;
    QByteArrayView text(vcards);
    if (text.startsWith("\xff\xfe") || text.startsWith("\xfe\xff")) {
        QStringDecoder utf16(text.startsWith("\xff\xfe") ? QStringDecoder::Utf16LE
                                                         : QStringDecoder::Utf16BE);
        converted = QString(utf16.decode(text.sliced(2))).toUtf8();
        text = converted;
    }
    while (text.startsWith("\xef\xbb\xbf")) {
        text = text.sliced(3);
    }

    // One logical line at a time, so that memory stays near the file's size:
    // a line that starts with a blank continues the one before, and so does
    // the line after a quoted-printable value's soft break ("=" at the end).
    CardNames cards;
    QByteArray logical;
    bool started = false;
    bool quotedPrintable = false;
    for (qsizetype start = 0; start < text.size();) {
        const auto [end, next] = LineEnd(text, start);
        const QByteArrayView line = text.sliced(start, end - start);
        start = next;
        const bool folded = !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
        const bool softBreak = quotedPrintable && logical.endsWith('=');
        if (started && softBreak) {
            logical.chop(1);
            logical.append(line);
        } else if (started && folded) {
            logical.append(cards.KeepsFoldingBlank() ? line : line.sliced(1));
        } else {
            if (started) {
                cards.Take(logical);
            }
            logical = line.toByteArray();
            started = true;
            // Decided once from the line's first part: looking again at every
            // part would take time that grows with the square of a long line.
            const qsizetype colon = ValueColon(line);
            quotedPrintable =
                colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
        }
    }
    if (started) {
        cards.Take(logical);
    }
    return cards.Finish();
}
