#include "cli/jsonstreamwriter.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <cmath>

namespace {

// Written out whenever this much is waiting.
constexpr qsizetype kSpillSize = 64 * 1024;
// Doubles up to here are whole numbers that QJsonDocument writes without a
// fraction or an exponent.
constexpr double kLargestExactInteger = 9007199254740992.0;  // 2^53

}  // namespace

JsonStreamWriter::JsonStreamWriter(QIODevice& device) : device_(device) {
    buffer_.reserve(kSpillSize + 1024);
}

JsonStreamWriter::~JsonStreamWriter() {
    Flush();
}

void JsonStreamWriter::BeginObject(const QString& key) {
    Open('{', key);
}

void JsonStreamWriter::EndObject() {
    Close('}');
}

void JsonStreamWriter::BeginArray(const QString& key) {
    Open('[', key);
}

void JsonStreamWriter::EndArray() {
    Close(']');
}

void JsonStreamWriter::Write(const QString& key, const QJsonValue& value) {
    StartValue(key);
    WriteNested(value);
    Spill();
}

bool JsonStreamWriter::Flush() {
    if (!buffer_.isEmpty()) {
        if (device_.write(buffer_) != buffer_.size()) {
            failed_ = true;
        }
        buffer_.clear();
    }
    return !failed_;
}

void JsonStreamWriter::StartValue(const QString& key) {
    if (filled_.empty()) {
        return;
    }
    if (filled_.back()) {
        buffer_ += ',';
    }
    filled_.back() = true;
    buffer_ += '\n';
    Indent();
    if (!key.isNull()) {
        WriteString(key);
        buffer_ += ": ";
    }
}

void JsonStreamWriter::WriteNested(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Null:
        case QJsonValue::Undefined:
            buffer_ += "null";
            break;
        case QJsonValue::Bool:
            buffer_ += value.toBool() ? "true" : "false";
            break;
        case QJsonValue::Double:
            WriteNumber(value.toDouble());
            break;
        case QJsonValue::String:
            WriteString(value.toString());
            break;
        case QJsonValue::Array: {
            OpenHere('[');
            const QJsonArray array = value.toArray();
            for (const QJsonValue& element : array) {
                StartValue(QString());
                WriteNested(element);
            }
            Close(']');
            break;
        }
        case QJsonValue::Object: {
            OpenHere('{');
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                StartValue(it.key());
                WriteNested(it.value());
            }
            Close('}');
            break;
        }
    }
}

void JsonStreamWriter::WriteString(const QString& text) {
    buffer_ += '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
            case u'"':
                buffer_ += "\\\"";
                break;
            case u'\\':
                buffer_ += "\\\\";
                break;
            case u'\b':
                buffer_ += "\\b";
                break;
            case u'\f':
                buffer_ += "\\f";
                break;
            case u'\n':
                buffer_ += "\\n";
                break;
            case u'\r':
                buffer_ += "\\r";
                break;
            case u'\t':
                buffer_ += "\\t";
                break;
            default:
                if (u < 0x20) {
                    buffer_ +=
                        QByteArray("\\u00") + QByteArray::number(u, 16).rightJustified(2, '0');
                } else if (c.isSurrogate()) {
                    // A surrogate is written on its own: a lone one (which the
                    // files may hold) stays a valid JSON text either way.
                    buffer_ += "\\u" + QByteArray::number(u, 16);
                } else if (u < 0x80) {
                    buffer_ += static_cast<char>(u);
                } else {
                    buffer_ += QString(c).toUtf8();
                }
                break;
        }
    }
    buffer_ += '"';
}

void JsonStreamWriter::WriteNumber(double value) {
    if (!std::isfinite(value)) {
        failed_ = true;
        buffer_ += '0';
        return;
    }
    if (value == std::trunc(value) && std::fabs(value) < kLargestExactInteger) {
        buffer_ += QByteArray::number(static_cast<qint64>(value));
    } else {
        buffer_ += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    }
}

void JsonStreamWriter::Indent() {
    buffer_ += QByteArray(static_cast<qsizetype>(filled_.size()) * 4, ' ');
}

void JsonStreamWriter::Open(char bracket, const QString& key) {
    StartValue(key);
    OpenHere(bracket);
}

void JsonStreamWriter::OpenHere(char bracket) {
    buffer_ += bracket;
    filled_.push_back(false);
}

void JsonStreamWriter::Close(char bracket) {
    const bool filled = !filled_.empty() && filled_.back();
    if (!filled_.empty()) {
        filled_.pop_back();
    }
    if (filled) {
        buffer_ += '\n';
        Indent();
    }
    buffer_ += bracket;
    if (filled_.empty()) {
        buffer_ += '\n';
    }
    Spill();
}

void JsonStreamWriter::Spill() {
    if (buffer_.size() >= kSpillSize) {
        Flush();
    }
}
