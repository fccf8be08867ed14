#pragma once

#include <QString>
#include <stdexcept>

// Anything that went wrong with a ZIP archive: libzip's own error, a file
// that could not be read or written, or an entry that is unsafe to extract.
class ZipError : public std::runtime_error {
public:
    explicit ZipError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};
