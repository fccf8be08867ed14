#include "contactssource.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include "codepage.h"
#include "platform.h"

namespace {

// One content line of a card, unfolded: "GROUP.NAME;PARAM=x:value".
struct ContentLine {
    QByteArray name;  // upper case, without group
    QList<QByteArray> parameters;
    QByteArray value;
};

// Splits the text into content lines, joining folded ones (a line that
// starts with a blank continues the one before) and quoted-printable soft
// breaks (a line ending in "=" whose property says so).
QList<QByteArray> UnfoldedLines(const QByteArray& text) {
    QList<QByteArray> lines;
    // Whether the line being built is quoted-printable, decided once from
    // its first part: looking again at every part would take time that grows
    // with the square of a long line.
    bool quotedPrintable = false;
    bool softBreak = false;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const bool folded = !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
        if (!lines.isEmpty() && softBreak) {
            lines.last().chop(1);  // the "=" of the soft break
            lines.last().append(line);
        } else if (!lines.isEmpty() && folded) {
            lines.last().append(line.mid(1));
        } else {
            const qsizetype colon = line.indexOf(':');
            quotedPrintable = colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
            lines.append(line);
        }
        softBreak = quotedPrintable && lines.last().endsWith('=');
    }
    return lines;
}

bool ParseLine(const QByteArray& line, ContentLine& parsed) {
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    QList<QByteArray> head = line.left(colon).split(';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    const qsizetype dot = name.lastIndexOf('.');
    parsed.name = dot >= 0 ? name.mid(dot + 1) : name;
    parsed.parameters.clear();
    for (const QByteArray& parameter : head) {
        parsed.parameters.append(parameter.trimmed().toUpper());
    }
    parsed.value = line.mid(colon + 1);
    return true;
}

bool HasParameter(const ContentLine& line, const QByteArray& parameter) {
    for (const QByteArray& given : line.parameters) {
        if (given == parameter || given.endsWith('=' + parameter)) {
            return true;
        }
    }
    return false;
}

QByteArray DecodeQuotedPrintable(const QByteArray& value) {
    QByteArray decoded;
    decoded.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size()) {
            bool ok = false;
            const int byte = value.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                decoded.append(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        decoded.append(value[i]);
    }
    return decoded;
}

// UTF-8 as vCard 3 and 4 say; older cards in the device's code page.
QString DecodeText(const QByteArray& bytes) {
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
    }
    const QString text = DecodeText(value);
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
    // Some address books write a byte-order mark first, and some write
    // UTF-16; the lines are read as UTF-8 bytes either way.
    if (vcards.startsWith("\xff\xfe") || vcards.startsWith("\xfe\xff")) {
        QStringDecoder utf16(vcards.startsWith("\xff\xfe") ? QStringDecoder::Utf16LE
                                                           : QStringDecoder::Utf16BE);
        return NamesOf(QString(utf16.decode(vcards.mid(2))).toUtf8());
    }
    if (vcards.startsWith("\xef\xbb\xbf")) {
        return NamesOf(vcards.mid(3));
    }
    QStringList names;
    bool inCard = false;
    QString formatted;
    QString composed;
    const auto endCard = [&] {
        names.append(!formatted.isEmpty() ? formatted : composed);
        inCard = false;
    };
    ContentLine line;
    for (const QByteArray& raw : UnfoldedLines(vcards)) {
        if (!ParseLine(raw, line)) {
            continue;
        }
        const QByteArray value = line.value.trimmed().toUpper();
        if (line.name == "BEGIN" && value == "VCARD") {
            if (inCard) {
                endCard();  // a card left open ends where the next begins
            }
            inCard = true;
            formatted.clear();
            composed.clear();
        } else if (line.name == "END" && value == "VCARD") {
            if (inCard) {
                endCard();
            }
        } else if (inCard && line.name == "FN" && formatted.isEmpty()) {
            formatted = Components(line).join(QLatin1Char(';')).simplified();
        } else if (inCard && line.name == "N" && composed.isEmpty()) {
            // Family; given; additional; prefixes; suffixes.
            const QStringList parts = Components(line);
            composed = QStringList{parts.value(3), parts.value(1), parts.value(2), parts.value(0),
                                   parts.value(4)}
                           .join(QLatin1Char(' '))
                           .simplified();
        }
    }
    if (inCard) {
        endCard();
    }
    return names;
}
