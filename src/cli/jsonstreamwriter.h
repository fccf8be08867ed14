#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <vector>

class QIODevice;

// JSON written as it is made, in the layout of QJsonDocument::Indented, so
// that a large file can be shown without holding its whole document: only
// the open objects and arrays and one buffer are kept.
//
// Inside an object every value needs its key; inside an array none does.
// Numbers are written as QJsonDocument writes them; a number that is not
// finite has no JSON form and marks the writer failed (it writes 0).
class JsonStreamWriter {
public:
    // `device` must be open for writing; it is not owned.
    explicit JsonStreamWriter(QIODevice& device);
    ~JsonStreamWriter();
    JsonStreamWriter(const JsonStreamWriter&) = delete;
    JsonStreamWriter& operator=(const JsonStreamWriter&) = delete;

    void BeginObject(const QString& key = {});
    void EndObject();
    void BeginArray(const QString& key = {});
    void EndArray();
    // One value, with its key inside an object.
    void Write(const QString& key, const QJsonValue& value);
    void Write(const QJsonValue& value) { Write(QString(), value); }

    // Hands what is buffered to the device; false when the device refused
    // anything or a value could not be written.
    bool Flush();
    bool HasFailed() const { return failed_; }

private:
    // The comma, line break, indent and key before a value.
    void StartValue(const QString& key);
    void WriteNested(const QJsonValue& value);
    void WriteString(const QString& text);
    void WriteNumber(double value);
    void Indent();
    void Open(char bracket, const QString& key);
    // An object or array where the value goes, its key written already.
    void OpenHere(char bracket);
    void Close(char bracket);
    void Spill();

    QIODevice& device_;  // not owned
    QByteArray buffer_;
    // One entry per open object or array: whether it holds a value yet.
    std::vector<bool> filled_;
    bool failed_ = false;
};
